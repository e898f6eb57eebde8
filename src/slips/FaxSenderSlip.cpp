#include "FaxSenderSlip.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "IniFile.h"
#include "SlipDrawing.h"
#include "SlipLayout.h"
#include "TPRImage.h"
#include "TPRLabel.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TPRText.h"
#include "TPrintOptions.h"
#include "TSlipPdfTemplates.h"
#include "TThCampanyInfo.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"

namespace {

const QString LineBreakMark = QStringLiteral("#CRLF#");

QString Section() {
    return PrintSectionName(skFax);
}

const TStampPosition FaxStamp{&TThCampanyInfo::CampanyStampPosFaxSenderPosX_A4,
                              &TThCampanyInfo::CampanyStampPosFaxSenderPosY_A4,
                              &TThCampanyInfo::CampanyStampPosFaxSenderPosX_B5,
                              &TThCampanyInfo::CampanyStampPosFaxSenderPosY_B5};

int IndexIgnoringCase(const QString& text, int count, QString (*itemText)(int)) {
    for (int i = 0; i < count; ++i) {
        if (itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return 0;
}

bool IsBlank(const QString& text) {
    return text.trimmed().isEmpty();
}

QString SubjectLine(const TFaxSenderOptions& options) {
    return QStringLiteral("要件：") + options.Subject;
}

const char* const RequestKeys[] = {"OPTION1", "OPTION2", "OPTION3", "OPTION4"};
const QString CheckMark = QStringLiteral("Ｖ");

class SheetDrawer {
  public:
    SheetDrawer(QPainter& painter, const TFaxSenderSource& source, TSlipResolution dpi)
        : p_(painter), s_(source), dpi_(dpi) {}

    void Draw(bool isA4, int sheetWidth) {
        const TThEstimateObjectList& d = s_.Document;
        const TThCampanyInfo& profile = s_.Profile;
        const QString title = SlipTitle(s_.Config, skFax);
        p_.setPen(SlipNavy);
        const int titleWidth = SlipTextWidth(title, dpi_.Y, 24);
        DrawSlipText(p_, dpi_.Y, 24, title, Y(70),
                     sheetWidth / 2 - static_cast<int>(std::lround(titleWidth / 2.0)) - X(5), false,
                     true);
        p_.setPen(QPen(Qt::black, 2));
        At(10, CustomerCodeText(s_.Document, s_.Config), 20, 20);
        if (!d.Customer.Zip.isEmpty()) {
            At(12, QStringLiteral("〒") + d.Customer.Zip, 20, 30);
        }
        At(12, d.Customer.Add1, 20, 35);
        At(12, d.Customer.Add2, 20, 40);
        const std::array<QString, 3> names = AddresseeLines(d.Customer);
        for (size_t k = 0; k < names.size(); ++k) {
            DrawSlipText(p_, dpi_.Y, s_.Config.NameFontSize, names[k],
                         Y(45 + 5.0 * static_cast<double>(k)), X(20), true, true);
        }

        if (profile.UseCampanyStamp && !profile.StampImage.isNull()) {
            const QRectF mm = CompanyStampRect(profile, isA4, FaxStamp);
            p_.drawImage(QRect(X(mm.left()), Y(mm.top()), X(mm.width()), Y(mm.height())),
                         profile.StampImage);
        }
        if (profile.UseLogoImage) {
            const TLogoSize logo = FitLogo(profile.LogoImage, 70, 25);
            if (!profile.LogoImage.isNull()) {
                p_.drawImage(QRect(X(115), Y(85), X(logo.Width), Y(logo.Height)),
                             profile.LogoImage);
            }
        } else {
            if (!IsBlank(profile.ZipNo)) {
                At(10, QStringLiteral("〒") + profile.ZipNo, 115, 85);
            }
            At(10, profile.Address1, 115, 89);
            At(10, profile.Address2, 115, 93);
            At(12, profile.CampanyName1, 115, 97);
            At(12, profile.CampanyName2, 115, 101);
            At(12, profile.CampanyName3, 115, 105);
            if (s_.Options.PrintName) {
                At(10, profile.ChargeName, 115, 109.5);
            }
            At(10, profile.TelFax, 115, 113);
        }

        p_.setPen(QPen(Qt::black, 5));
        for (double y : {125.0, 133.0, 141.0, 149.0, 260.0}) {
            p_.drawLine(X(25), Y(y), X(25) + X(150), Y(y));
        }
        const double boxes[] = {30, 65, 100, 135};
        for (double x : boxes) {
            p_.drawRect(QRect(QPoint(X(x), Y(142.5)), QPoint(X(x + 5), Y(147.5))));
        }
        p_.setPen(QPen(Qt::black, 1));
        At(10, SubjectLine(s_.Options), 25, 127.5);
        At(10, FaxDateLine(s_), 25, 135.5);
        for (size_t k = 0; k < FaxRequestCount; ++k) {
            At(10, QStringLiteral(" ") + FaxRequestTexts()[k], boxes[k] + 5, 143.5);
            if (s_.Options.Requests[k]) {
                const int width = SlipTextWidth(CheckMark, dpi_.Y, 25);
                DrawSlipText(p_, dpi_.Y, 25, CheckMark, Y(140), X(boxes[k] + 2.5) - width / 2);
            }
        }
        At(10, QStringLiteral("連絡事項："), 25, 154);
        const int lineHeight = QFontMetrics(SlipFont(dpi_.Y, 10)).height();
        const QStringList lines = FaxContentLines(s_.Options);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const int y = static_cast<int>(std::lround(dpi_.Y * (160 + 3.0 * i) / 25.4)) +
                          static_cast<int>(i) * lineHeight;
            DrawSlipText(p_, dpi_.Y, 10, lines[i], y, X(35));
        }
    }

  private:
    int X(double mm) const { return MmToPx(dpi_.X, mm); }
    int Y(double mm) const { return MmToPx(dpi_.Y, mm); }
    void At(int points, const QString& text, double xMm, double yMm) {
        DrawSlipText(p_, dpi_.Y, points, text, Y(yMm), X(xMm));
    }

    QPainter& p_;
    const TFaxSenderSource& s_;
    TSlipResolution dpi_;
};

}  // namespace

const QStringList& FaxSenderOptionKeys() {
    static const QStringList keys{"PRINTER",   "CUSTOMER_INFO", "PAPER_SIZE", "TITLE",
                                  "PAPER_NUM", "PRINT_NAME",    "OPTION1",    "OPTION2",
                                  "OPTION3",   "OPTION4",       "CONTENT"};
    return keys;
}

const std::array<QString, FaxRequestCount>& FaxRequestTexts() {
    static const std::array<QString, FaxRequestCount> texts{"至急", "ご参考まで", "ご確認ください",
                                                            "ご返信ください"};
    return texts;
}

TFaxSenderOptions LoadFaxSenderOptions(const IniFile& printIni) {
    const QString section = Section();
    auto text = [&](const char* key) {
        return printIni.ReadString(section, QString::fromLatin1(key), QString());
    };
    TFaxSenderOptions options;
    options.Printer = text("PRINTER");
    options.CustomerInfo =
        IndexIgnoringCase(text("CUSTOMER_INFO"), TThCampanyInfoManager::Count, ProfileItemText);
    options.PaperSize = IndexIgnoringCase(text("PAPER_SIZE"), 2, PaperSizeItemText);
    options.Subject = text("TITLE");
    options.PaperNum = std::clamp(printIni.ReadInteger(section, QStringLiteral("PAPER_NUM"), 2),
                                  FaxPaperNumMin, FaxPaperNumMax);
    options.PrintName = printIni.ReadBool(section, QStringLiteral("PRINT_NAME"), false);
    for (size_t k = 0; k < FaxRequestCount; ++k) {
        options.Requests[k] = printIni.ReadBool(section, QLatin1String(RequestKeys[k]), false);
    }
    options.Content =
        text("CONTENT").replace(QRegularExpression(QRegularExpression::escape(LineBreakMark),
                                                   QRegularExpression::CaseInsensitiveOption),
                                QStringLiteral("\r\n"));
    return options;
}

void SaveFaxSenderOptions(IniFile& printIni, const TFaxSenderOptions& options) {
    const QString section = Section();
    printIni.WriteString(section, QStringLiteral("PRINTER"), options.Printer);
    printIni.WriteString(section, QStringLiteral("CUSTOMER_INFO"),
                         ProfileItemText(options.CustomerInfo));
    printIni.WriteString(section, QStringLiteral("PAPER_SIZE"),
                         PaperSizeItemText(options.PaperSize));
    printIni.WriteString(section, QStringLiteral("TITLE"), options.Subject);
    printIni.WriteInteger(section, QStringLiteral("PAPER_NUM"), options.PaperNum);
    printIni.WriteBool(section, QStringLiteral("PRINT_NAME"), options.PrintName);
    for (size_t k = 0; k < FaxRequestCount; ++k) {
        printIni.WriteBool(section, QLatin1String(RequestKeys[k]), options.Requests[k]);
    }
    QString content = options.Content;
    printIni.WriteString(section, QStringLiteral("CONTENT"),
                         content.replace(QStringLiteral("\r\n"), LineBreakMark));
}

QString FaxDateLine(const TFaxSenderSource& source) {
    const TThEstimateObjectList& d = source.Document;
    return QStringLiteral("日付：") + d.Year + QStringLiteral(" 年 ") + d.Month +
           QStringLiteral(" 月 ") + d.Day + QStringLiteral(" 日 ") +
           QStringLiteral("　　送付枚数：") + QString::number(source.Options.PaperNum) +
           QStringLiteral("枚");
}

QStringList FaxContentLines(const TFaxSenderOptions& options) {
    if (options.Content.isEmpty()) {
        return {};
    }
    return options.Content.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
}

TSlipPagePicture RenderFaxSender(const TFaxSenderSource& source, bool isA4, TSlipResolution dpi) {
    TSlipPagePicture page;
    page.Size = QSize(MmToPx(dpi.X, 210), MmToPx(dpi.Y, 297));
    page.Picture.setBoundingRect(QRect(QPoint(0, 0), page.Size));
    QPainter painter(&page.Picture);
    painter.fillRect(QRect(QPoint(0, 0), page.Size), Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 2));
    SheetDrawer(painter, source, dpi).Draw(isA4, page.Size.width());
    painter.end();
    return page;
}

TPRPage& BuildFaxSenderPdfPage(TSlipPdfTemplates& templates, const TFaxSenderSource& source) {
    TPRPage& page = templates.Template(QStringLiteral("FaxSender"));
    auto label = [&](const QString& name) { return page.Find<TPRLabel>(name); };
    auto text = [&](const QString& name) { return page.Find<TPRText>(name); };
    auto rect = [&](const QString& name) { return page.Find<TPRRect>(name); };
    auto image = [&](const QString& name) { return page.Find<TPRImage>(name); };
    const TThEstimateObjectList& d = source.Document;
    const TThCampanyInfo& profile = source.Profile;
    const TFaxSenderOptions& options = source.Options;

    TPRLabel* title = label(QStringLiteral("PRLabelFaxSenderTitle"));
    title->SetCaption(SlipTitle(source.Config, skFax));
    label(QStringLiteral("PRLabelFaxSenderCustomerCode"))
        ->SetCaption(CustomerCodeText(source.Document, source.Config));
    text(QStringLiteral("PRTextFaxSenderCustomerAddress"))->Lines = {
        d.Customer.Zip.isEmpty() ? QStringLiteral("　") : QStringLiteral("〒") + d.Customer.Zip,
        d.Customer.Add1, d.Customer.Add2};
    const std::array<QString, 3> names = AddresseeLines(d.Customer);
    for (int k = 0; k < 3; ++k) {
        TPRLabel* name = label(QStringLiteral("PRLabelFaxSenderCustomerName%1").arg(k + 1));
        name->SetCaption(names[static_cast<size_t>(k)]);
        FitLabelWidth(*name);
        rect(QStringLiteral("PRRectFaxSenderCustomerNameUnderLine%1").arg(k + 1))->Width =
            name->Width;
    }

    TPRImage* stamp = image(QStringLiteral("PRImageFaxSenderCampanyStamp"));
    stamp->SetPicture(profile.UseCampanyStamp ? profile.StampImage : QImage());
    if (profile.UseCampanyStamp) {
        stamp->Left = MmToTemplateUnits(profile.CampanyStampPosFaxSenderPosX_A4 - 5);
        stamp->Top = MmToTemplateUnits(profile.CampanyStampPosFaxSenderPosY_A4);
        stamp->Width = MmToTemplateUnits(profile.CampanyStampWidth_A4);
        stamp->Height = MmToTemplateUnits(profile.CampanyStampHeight_A4);
    }
    TPRText* myAddress = text(QStringLiteral("PRTextFaxSenderMyAddress"));
    TPRText* myDetail = text(QStringLiteral("PRTextFaxSenderMyTelFaxChargeName"));
    TPRImage* logo = image(QStringLiteral("PRImageFaxSenderCampanyLogo"));
    const QString* companyNames[] = {&profile.CampanyName1, &profile.CampanyName2,
                                     &profile.CampanyName3};
    logo->SetPicture(profile.UseLogoImage ? profile.LogoImage : QImage());
    if (profile.UseLogoImage) {
        const TLogoSize size = FitLogo(profile.LogoImage, 179, 65);
        logo->Left = myAddress->Left;
        logo->Top = myAddress->Top;
        logo->Width = size.Width;
        logo->Height = size.Height;
        myAddress->Lines.clear();
        myDetail->Lines.clear();
    } else {
        myAddress->Lines = {
            IsBlank(profile.ZipNo) ? QStringLiteral("　") : QStringLiteral("〒") + profile.ZipNo,
            profile.Address1, profile.Address2};
        myDetail->Lines = {options.PrintName ? profile.ChargeName : QStringLiteral("　"),
                           profile.TelFax};
    }
    for (int k = 0; k < 3; ++k) {
        label(QStringLiteral("PRLabelFaxSenderMyName%1").arg(k + 1))
            ->SetCaption(profile.UseLogoImage ? QString() : *companyNames[k]);
    }

    label(QStringLiteral("PRLabelFaxSenderMsg"))->SetCaption(SubjectLine(options));
    label(QStringLiteral("PRLabelFaxSenderDate"))->SetCaption(FaxDateLine(source));
    const char* const marks[] = {"Sikyu", "Sankou", "Kakunin", "Henshin"};
    for (size_t k = 0; k < FaxRequestCount; ++k) {
        label(QStringLiteral("PRLabelCheckMark") + QLatin1String(marks[k]))->Printable =
            options.Requests[k];
    }
    text(QStringLiteral("PRTextFaxSenderContent"))->Lines = FaxContentLines(options);

    FitLabelWidth(*title);
    title->Left = static_cast<int>(std::lround(page.Width / 2.0 - title->Width / 2.0));
    TPRRect* underline = rect(QStringLiteral("PRRectFaxSenderTitleUnderLine"));
    underline->Left = title->Left;
    underline->Width = title->Width;
    return page;
}

void SaveFaxSenderPdf(TSlipPdfTemplates& templates, const TFaxSenderSource& source,
                      const QString& fileName) {
    templates.SavePdf(
        fileName, [&] { templates.Report().PrintPage(BuildFaxSenderPdfPage(templates, source)); });
}
