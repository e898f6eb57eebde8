#include "ReceiptSlip.h"

#include <QPainter>
#include <cmath>

#include "AmountText.h"
#include "IniFile.h"
#include "ModelError.h"
#include "SlipDrawing.h"
#include "SlipLayout.h"
#include "TPRImage.h"
#include "TPRLabel.h"
#include "TPRLayoutPanel.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TPRText.h"
#include "TPrintOptions.h"
#include "TSlipPdfTemplates.h"
#include "TThCampanyInfo.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"
#include "TaxBreakdown.h"
#include "WindowsColor.h"

namespace {

QString Section() {
    return PrintSectionName(skRyoshu);
}

const TStampPosition ReceiptStamp{
    &TThCampanyInfo::CampanyStampPosReceiptPosX_A4, &TThCampanyInfo::CampanyStampPosReceiptPosY_A4,
    &TThCampanyInfo::CampanyStampPosReceiptPosX_B5, &TThCampanyInfo::CampanyStampPosReceiptPosY_B5};

bool IsBlank(const QString& text) {
    return text.trimmed().isEmpty();
}

// The seal picture of the person in charge, when its box prints and one is chosen.
QImage PersonalSeal(const TReceiptSource& s) {
    if (!s.Options.PrintStampArea || s.Options.PersonalStamp == 0) {
        return {};
    }
    return s.Config.Stamp(s.Options.PersonalStamp - 1);
}

struct BoolKey {
    const char* key;
    bool TReceiptOptions::*member;
};

const BoolKey BoolKeys[] = {
    {"PRINT_NAME", &TReceiptOptions::PrintName},
    {"PRINT_STAMP_AREA", &TReceiptOptions::PrintStampArea},
    {"PRINT_REVENUE_STAMP_AREA", &TReceiptOptions::PrintRevenueStamp},
    {"PRINT_GRAND_TOTAL", &TReceiptOptions::PrintGrandTotal},
};

// One half of the printed sheet, o mm below the top.
class HalfDrawer {
  public:
    HalfDrawer(QPainter& painter, const TReceiptSource& source, TSlipResolution dpi, bool isA4,
               int sheetWidth)
        : p_(painter), s_(source), dpi_(dpi), isA4_(isA4), sheetWidth_(sheetWidth) {}

    void Draw(double o, const QString& title) {
        const TThEstimateObjectList& d = s_.Document;
        const TReceiptOptions& options = s_.Options;
        p_.setPen(SlipNavy);
        Centred(24, title, o + 15, false, true);
        p_.setPen(QPen(Qt::black, 2));

        const QString addressee = ReceiptAddressee(d);
        int size = 24;
        while (size > 1 && SlipTextWidth(addressee, dpi_.Y, size) + X(10) > X(210)) {
            --size;
        }
        Centred(size, addressee, o + 30, false, true);

        const QString amount = ReceiptAmount(s_);
        const int boxWidth = SlipTextWidth(amount + QStringLiteral("  "), dpi_.Y, 24);
        const int boxLeft = sheetWidth_ / 2 - Half(boxWidth) - X(5);
        p_.fillRect(QRect(QPoint(boxLeft, Y(o + 41.5)),
                          QPoint(boxLeft + boxWidth, Y(o + 43) + FontHeight(24))),
                    WindowsColor::ToColor(s_.Config.LINE_COLOR_ODD));
        Centred(24, amount, o + 42, false, true);
        Centred(10, options.Proviso, o + 55);
        Centred(10, ReceiptDateLine(s_), o + 60);
        At(10, CustomerCodeText(s_.Document, s_.Config), 15, o + 20);
        At(10, SlipCodeText(d), 165, o + 20);

        if (options.PrintRevenueStamp) {
            Line(155, o + 72, 173, o + 72);
            Line(155, o + 93, 173, o + 93);
            Line(155, o + 72, 155, o + 93);
            Line(173, o + 72, 173, o + 93);
            CentredIn(9, QStringLiteral("収入印紙"), 155, 18, o + 74);
        }
        if (options.PrintStampArea) {
            for (double y : {o + 50, o + 55, o + 70}) {
                Line(155, y, 170, y);
            }
            Line(155, o + 50, 155, o + 70);
            Line(170, o + 50, 170, o + 70);
            CentredIn(10, QStringLiteral("担当者印"), 155, 15, o + 51);
            const QImage seal = PersonalSeal(s_);
            if (!seal.isNull()) {
                p_.drawImage(QRect(QPoint(X(155.5), Y(o + 50.5) + Y(5)),
                                   QPoint(X(154.5) + X(15), Y(o + 49.5) + Y(5) + Y(15))),
                             seal);
            }
        }
        const TThCampanyInfo& profile = s_.Profile;
        if (profile.UseCampanyStamp && !profile.StampImage.isNull()) {
            const QRectF mm = CompanyStampRect(profile, isA4_, ReceiptStamp);
            p_.drawImage(QRect(X(mm.left()), Y(mm.top() + o), X(mm.width()), Y(mm.height())),
                         profile.StampImage);
        }

        for (int j = 0; j <= ReceiptBreakdownRows; ++j) {
            const int y = Y(o + 70.5 + 5.0 * j) + FontHeight(10);
            p_.drawLine(X(25), y, X(25) + X(50), y);
        }
        At(10, QStringLiteral("内訳"), 25.5, o + 70);
        RightAt(10, QStringLiteral("金額 "), 75, o + 70);
        for (int k = 0; k < ReceiptBreakdownRows; ++k) {
            const double y = o + 75 + 5.0 * k;
            At(10, options.BreakdownNames[static_cast<size_t>(k)], 25.5, y);
            RightAt(10, ReceiptBreakdownAmount(s_, k), 75, y);
        }

        if (profile.UseLogoImage) {
            const TLogoSize logo = FitLogo(profile.LogoImage, 70, 25);
            if (!profile.LogoImage.isNull()) {
                p_.drawImage(QRect(X(80), Y(o + 70), X(logo.Width), Y(logo.Height)),
                             profile.LogoImage);
            }
        } else {
            if (!IsBlank(profile.ZipNo)) {
                At(10, QStringLiteral("〒") + profile.ZipNo, 80, o + 70);
            }
            At(10, profile.Address1, 80, o + 74);
            At(10, profile.Address2, 80, o + 78);
            At(12, profile.CampanyName1, 80, o + 82);
            At(12, profile.CampanyName2, 80, o + 86);
            At(12, profile.CampanyName3, 80, o + 90);
            if (options.PrintName) {
                At(10, profile.ChargeName, 80, o + 94);
            }
            At(10, profile.TelFax, 80, o + 98);
        }
        At(10, RegistrationNoText(s_.Document, profile), 80, o + 102);
        const int cutX = X(100) - X(90);
        p_.drawLine(cutX, Y(o + 110), cutX + X(180), Y(o + 110));
    }

  private:
    int X(double mm) const { return MmToPx(dpi_.X, mm); }
    int Y(double mm) const { return MmToPx(dpi_.Y, mm); }
    static int Half(int pixels) { return static_cast<int>(std::lround(pixels / 2.0)); }
    int FontHeight(int points) const { return SlipFont(dpi_.Y, points).pixelSize(); }
    void Text(int points, const QString& text, int y, int x, bool bold = false,
              bool underline = false) {
        DrawSlipText(p_, dpi_.Y, points, text, y, x, bold, underline);
    }
    void At(int points, const QString& text, double xMm, double yMm) {
        Text(points, text, Y(yMm), X(xMm));
    }
    void RightAt(int points, const QString& text, double rightMm, double yMm) {
        Text(points, text, Y(yMm), X(rightMm) - SlipTextWidth(text, dpi_.Y, points));
    }
    // Centred on the sheet, then 5 mm to the left as every slip's title.
    void Centred(int points, const QString& text, double yMm, bool bold = false,
                 bool underline = false) {
        const int width = SlipTextWidth(text, dpi_.Y, points);
        Text(points, text, Y(yMm), sheetWidth_ / 2 - Half(width) - X(5), bold, underline);
    }
    void CentredIn(int points, const QString& text, double leftMm, double widthMm, double yMm) {
        const int width = SlipTextWidth(text, dpi_.Y, points);
        Text(points, text, Y(yMm), X(leftMm) + (X(widthMm) - width) / 2);
    }
    void Line(double x1, double y1, double x2, double y2) {
        p_.drawLine(X(x1), Y(y1), X(x2), Y(y2));
    }

    QPainter& p_;
    const TReceiptSource& s_;
    TSlipResolution dpi_;
    bool isA4_;
    int sheetWidth_;
};

}  // namespace

const QStringList& ReceiptOptionKeys() {
    static const QStringList keys = [] {
        QStringList list{"PRINTER", "PERSONAL_STAMP", "CUSTOMER_INFO", "PAPER_SIZE"};
        for (const BoolKey& key : BoolKeys) {
            list << QString::fromLatin1(key.key);
        }
        list << QStringLiteral("PROVISO_TEXT");
        return list;
    }();
    return keys;
}

TReceiptOptions LoadReceiptOptions(const IniFile& printIni, const TThConfigInfo& config,
                                   const TThEstimateObjectList& document) {
    const QString section = Section();
    auto text = [&](const char* key) {
        return printIni.ReadString(section, QString::fromLatin1(key), QString());
    };
    TReceiptOptions options;
    options.Printer = text("PRINTER");
    options.PersonalStamp = StampChoiceOf(config, text("PERSONAL_STAMP"));
    options.CustomerInfo =
        ItemIndex(text("CUSTOMER_INFO"), TThCampanyInfoManager::Count, ProfileItemText);
    options.PaperSize = ItemIndex(text("PAPER_SIZE"), 2, PaperSizeItemText);
    const TReceiptOptions defaults;
    for (const BoolKey& key : BoolKeys) {
        options.*key.member =
            printIni.ReadBool(section, QString::fromLatin1(key.key), defaults.*key.member);
    }
    options.Proviso = text("PROVISO_TEXT");
    const auto rows = document.QualifiedInvoice
                          ? ReceiptRateRows(document.Breakdown)
                          : std::vector<TReceiptRateRow>{{QStringLiteral("消費税"), document.Tax}};
    for (size_t k = 0; k < rows.size() && k < ReceiptBreakdownRows; ++k) {
        options.BreakdownNames[k] = rows[k].Name;
        options.BreakdownAmounts[k] = FormatAmount(false, rows[k].Amount, config.PRINTDECIMAL);
    }
    return options;
}

std::vector<TReceiptRateRow> ReceiptRateRows(const TaxBreakdown& breakdown) {
    auto rate = [](const RateTotal& r) { return FormatAmount(true, r.Rate, false); };
    std::vector<TReceiptRateRow> rows;
    const bool pairs = 2 * breakdown.Rates.size() + (breakdown.HasExempt ? 1 : 0) <=
                       static_cast<size_t>(ReceiptBreakdownRows);
    for (const RateTotal& r : breakdown.Rates) {
        rows.push_back({QStringLiteral("%1%対象").arg(rate(r)), r.Base});
        if (pairs) {
            rows.push_back({QStringLiteral("消費税(%1%)").arg(rate(r)), r.Tax});
        }
    }
    if (breakdown.HasExempt) {
        rows.push_back({QStringLiteral("非課税"), breakdown.Exempt});
    }
    if (!pairs) {
        rows.push_back({QStringLiteral("消費税"), breakdown.Tax});
    }
    if (rows.empty()) {
        rows.push_back({QStringLiteral("消費税"), breakdown.Tax});
    }
    return rows;
}

void SaveReceiptOptions(IniFile& printIni, const TReceiptOptions& options) {
    const QString section = Section();
    printIni.WriteString(section, QStringLiteral("PRINTER"), options.Printer);
    printIni.WriteString(section, QStringLiteral("PERSONAL_STAMP"),
                         StampItemText(options.PersonalStamp));
    printIni.WriteString(section, QStringLiteral("CUSTOMER_INFO"),
                         ProfileItemText(options.CustomerInfo));
    printIni.WriteString(section, QStringLiteral("PAPER_SIZE"),
                         PaperSizeItemText(options.PaperSize));
    for (const BoolKey& key : BoolKeys) {
        printIni.WriteBool(section, QString::fromLatin1(key.key), options.*key.member);
    }
    printIni.WriteString(section, QStringLiteral("PROVISO_TEXT"), options.Proviso);
}

QString ReceiptAmountField(const QString& typed) {
    QString text = typed;
    text.remove(QLatin1Char(',')).remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    try {
        return FormatAmount(true, ParseMoney(text), false);
    } catch (const EModelError&) {
        return {};
    }
}

const QStringList& ReceiptBreakdownItems() {
    static const QStringList items{"",       "税抜き", "消費税", "現　金",
                                   "小切手", "振込み", "手　形", "相　殺"};
    return items;
}

QString ReceiptAddressee(const TThEstimateObjectList& document) {
    const TThCustomerObject& c = document.Customer;
    return c.Name1 + c.Name2 + c.Name3 + QStringLiteral(" ") + c.NameTitle;
}

QString ReceiptAmount(const TReceiptSource& source) {
    if (!source.Options.PrintGrandTotal) {
        return QString(10, QChar(0x3000));
    }
    return source.Config.MONETARY + FormatAmount(true, source.Document.Total, false) +
           QStringLiteral("※");
}

QString ReceiptDateLine(const TReceiptSource& source) {
    const TThEstimateObjectList& d = source.Document;
    return d.Year + QStringLiteral(" 年 ") + d.Month + QStringLiteral(" 月 ") + d.Day +
           QStringLiteral(" 日 ") + SlipMessage(source.Config, skRyoshu);
}

QString ReceiptBreakdownAmount(const TReceiptSource& source, int k) {
    const QString& amount = source.Options.BreakdownAmounts[static_cast<size_t>(k)];
    return IsBlank(amount) ? QString() : source.Config.MONETARY + amount + QStringLiteral("-");
}

TSlipPagePicture RenderReceipt(const TReceiptSource& source, bool isA4, TSlipResolution dpi) {
    TSlipPagePicture page;
    page.Size = QSize(MmToPx(dpi.X, 210), MmToPx(dpi.Y, 297));
    page.Picture.setBoundingRect(QRect(QPoint(0, 0), page.Size));
    QPainter painter(&page.Picture);
    painter.fillRect(QRect(QPoint(0, 0), page.Size), Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 2));
    HalfDrawer half(painter, source, dpi, isA4, page.Size.width());
    const QString title = SlipTitle(source.Config, skRyoshu);
    half.Draw(0, title);
    half.Draw(110, title + SlipCopyMark);
    painter.end();
    return page;
}

TPRPage& BuildReceiptPdfPage(TSlipPdfTemplates& templates, const TReceiptSource& source) {
    TPRPage& page = templates.Template(QStringLiteral("Receipt"));
    auto label = [&](const QString& role, int half) {
        return page.Find<TPRLabel>(QStringLiteral("PRLabelReceipt%1_%2").arg(role).arg(half));
    };
    auto text = [&](const QString& role, int half) {
        return page.Find<TPRText>(QStringLiteral("PRTextReceipt%1_%2").arg(role).arg(half));
    };
    auto rect = [&](const QString& role, int half) {
        return page.Find<TPRRect>(QStringLiteral("PRRectReceipt%1_%2").arg(role).arg(half));
    };
    auto image = [&](const QString& role, int half) {
        return page.Find<TPRImage>(QStringLiteral("PRImageReceipt%1_%2").arg(role).arg(half));
    };
    const TThEstimateObjectList& d = source.Document;
    const TThCampanyInfo& profile = source.Profile;
    const TReceiptOptions& options = source.Options;
    const QString title = SlipTitle(source.Config, skRyoshu);
    const QString addressee = ReceiptAddressee(d);
    const int panelWidth = page.Find<TPRLayoutPanel>(QStringLiteral("PRLayoutPanelReceipt"))->Width;

    // The addressee shrinks until it fits the width of the cutting rule.
    TPRLabel* upperName = label(QStringLiteral("CustomerName"), 1);
    upperName->SetCaption(addressee);
    float nameSize = 24;
    upperName->SetFontSize(nameSize);
    const int ruleWidth = rect(QStringLiteral("PageSplitter"), 1)->Width;
    while (nameSize > 1 && upperName->GetTextWidth() > static_cast<float>(ruleWidth)) {
        nameSize -= 1;
        upperName->SetFontSize(nameSize);
    }

    QStringList senderAddress;
    QStringList detail;
    if (!profile.UseLogoImage) {
        senderAddress << (IsBlank(profile.ZipNo) ? QStringLiteral("　")
                                                 : QStringLiteral("〒") + profile.ZipNo)
                      << profile.Address1 + QStringLiteral("　")
                      << profile.Address2 + QStringLiteral("　");
        detail << (options.PrintName ? profile.ChargeName + QStringLiteral("　")
                                     : QStringLiteral("　"))
               << profile.TelFax + QStringLiteral("　");
    }
    // The copy's texts stand without the blanks that keep the upper lines in place.
    auto trimmed = [](const QStringList& lines) {
        const QString joined = lines.join(QStringLiteral("\r\n")).trimmed();
        return joined.isEmpty() ? QStringList() : joined.split(QStringLiteral("\r\n"));
    };
    const QImage seal = PersonalSeal(source);
    const int halfOffset =
        label(QStringLiteral("Title"), 2)->Top - label(QStringLiteral("Title"), 1)->Top;

    for (int half = 1; half <= 2; ++half) {
        TPRLabel* titleLabel = label(QStringLiteral("Title"), half);
        titleLabel->SetCaption(half == 1 ? title : title + SlipCopyMark);
        TPRLabel* name = label(QStringLiteral("CustomerName"), half);
        name->SetCaption(addressee);
        name->SetFontSize(nameSize);
        TPRLabel* amount = label(QStringLiteral("Amount"), half);
        amount->SetCaption(ReceiptAmount(source));
        label(QStringLiteral("Proviso"), half)->SetCaption(options.Proviso);
        label(QStringLiteral("Date"), half)->SetCaption(ReceiptDateLine(source));
        label(QStringLiteral("CustomerCode"), half)
            ->SetCaption(CustomerCodeText(source.Document, source.Config));
        label(QStringLiteral("SlipCode"), half)->SetCaption(SlipCodeText(d));

        for (const char* role : {"StampArea", "StampAreaLine"}) {
            rect(QLatin1String(role), half)->Printable = options.PrintStampArea;
        }
        label(QStringLiteral("StampAreaTitle"), half)->Printable = options.PrintStampArea;
        image(QStringLiteral("PersonalStamp"), half)->SetPicture(seal);
        rect(QStringLiteral("RevenueStamp"), half)->Printable = options.PrintRevenueStamp;
        label(QStringLiteral("RevenueStampTitle"), half)->Printable = options.PrintRevenueStamp;

        TPRImage* stamp = image(QStringLiteral("CampanyStamp"), half);
        stamp->SetPicture(profile.UseCampanyStamp ? profile.StampImage : QImage());
        if (profile.UseCampanyStamp) {
            stamp->Left = MmToTemplateUnits(profile.CampanyStampPosReceiptPosX_A4 - 5);
            stamp->Top =
                MmToTemplateUnits(profile.CampanyStampPosReceiptPosY_A4) + (half - 1) * halfOffset;
            stamp->Width = MmToTemplateUnits(profile.CampanyStampWidth_A4);
            stamp->Height = MmToTemplateUnits(profile.CampanyStampHeight_A4);
        }

        for (int k = 0; k < ReceiptBreakdownRows; ++k) {
            label(QStringLiteral("BreakdownName%1").arg(k + 1), half)
                ->SetCaption(options.BreakdownNames[static_cast<size_t>(k)]);
            label(QStringLiteral("BreakdownAmount%1").arg(k + 1), half)
                ->SetCaption(ReceiptBreakdownAmount(source, k));
        }

        TPRText* myAddress = text(QStringLiteral("MyAddress"), half);
        TPRImage* logo = image(QStringLiteral("CampanyLogo"), half);
        logo->SetPicture(profile.UseLogoImage ? profile.LogoImage : QImage());
        logo->Left = myAddress->Left;
        logo->Top = myAddress->Top;
        myAddress->Lines = half == 1 ? senderAddress : trimmed(senderAddress);
        text(QStringLiteral("MyDetail"), half)->Lines = half == 1 ? detail : trimmed(detail);
        label(QStringLiteral("RegistrationNo"), half)->SetCaption(RegistrationNoText(d, profile));
        const QString* companyNames[] = {&profile.CampanyName1, &profile.CampanyName2,
                                         &profile.CampanyName3};
        for (int k = 0; k < 3; ++k) {
            label(QStringLiteral("MyName%1").arg(k + 1), half)
                ->SetCaption(profile.UseLogoImage ? QString() : *companyNames[k]);
        }

        CentreLabel(*titleLabel, panelWidth);
        TPRRect* titleLine = rect(QStringLiteral("TitleUnderLine"), half);
        titleLine->Left = titleLabel->Left;
        titleLine->Width = titleLabel->Width;
        CentreLabel(*name, panelWidth);
        TPRRect* nameLine = rect(QStringLiteral("CustomerNameUnderLine"), half);
        nameLine->Left = name->Left;
        nameLine->Width = name->Width;
        nameLine->Top = static_cast<int>(std::lround(name->Top + name->FontSize()));
        CentreLabel(*amount, panelWidth);
        TPRRect* amountLine = rect(QStringLiteral("AmountUnderLine"), half);
        amountLine->Left = amount->Left;
        amountLine->Width = amount->Width;
        TPRRect* amountBack = rect(QStringLiteral("AmountBack"), half);
        amountBack->Left = amount->Left - 8;
        amountBack->Width = amount->Width + 16;
    }
    return page;
}

void SaveReceiptPdf(TSlipPdfTemplates& templates, const TReceiptSource& source,
                    const QString& fileName) {
    templates.SavePdf(
        fileName, [&] { templates.Report().PrintPage(BuildReceiptPdfPage(templates, source)); });
}
