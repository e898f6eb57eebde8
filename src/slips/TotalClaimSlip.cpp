#include "TotalClaimSlip.h"

#include <QPainter>
#include <QRegularExpression>

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
#include "WindowsColor.h"

namespace {

// The total invoice writes a full-width colon after its caption.
const QString CustomerCodeCaption = QStringLiteral("お客様コード： ");

QString Section() {
    return PrintSectionName(skTotalClaim);
}

bool IsBlank(const QString& text) {
    return text.trimmed().isEmpty();
}

QString Money(Currency value) {
    return FormatAmount(true, value, false);
}

Currency Difference(Currency a, Currency b) {
    return Currency::fromWideRaw(Int128{a.raw()} - b.raw());
}

Currency Balance(const TTotalClaimOptions& options) {
    return Difference(options.PreClaim, options.PrePaid);
}

QString ClosingDateText(const TThEstimateObjectList& d) {
    return d.Year + QStringLiteral("年") + d.Month + QStringLiteral("月") + d.Day +
           QStringLiteral("日  締め切り分");
}

const TStampPosition TotalClaimStamp{
    &TThCampanyInfo::CampanyStampTotalClaimPosX_A4, &TThCampanyInfo::CampanyStampTotalClaimPosY_A4,
    &TThCampanyInfo::CampanyStampTotalClaimPosX_B5, &TThCampanyInfo::CampanyStampTotalClaimPosY_B5};

const char* const Captions[] = {"前回御請求額", "御入金額", "繰越金額",
                                "御買上額",     "消費税額", "今回御請求額"};

// One half of the printed sheet, o mm below the top.
class HalfDrawer {
  public:
    HalfDrawer(QPainter& painter, const TTotalClaimSource& source, TSlipResolution dpi, bool isA4,
               int sheetWidth)
        : p_(painter), s_(source), dpi_(dpi), isA4_(isA4), sheetWidth_(sheetWidth) {}

    void Draw(double o, const QString& title) {
        const TThEstimateObjectList& d = s_.Document;
        const TThCampanyInfo& profile = s_.Profile;
        p_.setPen(SlipNavy);
        const int titleWidth = SlipTextWidth(title, dpi_.Y, 24);
        Text(24, title, Y(o + 15), sheetWidth_ / 2 - titleWidth / 2 - X(5), false, true);
        p_.setPen(QPen(Qt::black, 2));

        if (profile.UseCampanyStamp && !profile.StampImage.isNull()) {
            const QRectF mm = CompanyStampRect(profile, isA4_, TotalClaimStamp);
            p_.drawImage(QRect(X(mm.left()), Y(mm.top() + o), X(mm.width()), Y(mm.height())),
                         profile.StampImage);
        }
        At(10, CustomerCodeText(s_.Document, s_.Config, CustomerCodeCaption), 15, o + 20);
        At(10, SlipCodeText(d), 165, o + 20);
        At(10, ClosingDateText(d), 130, o + 25);
        if (!d.Customer.Zip.isEmpty()) {
            At(12, QStringLiteral("〒") + d.Customer.Zip, 21, o + 30);
        }
        At(12, d.Customer.Add1, 21, o + 35);
        At(12, d.Customer.Add2, 21, o + 40);
        const std::array<QString, 3> names = AddresseeLines(d.Customer);
        for (size_t k = 0; k < 3; ++k) {
            Text(s_.Config.NameFontSize, names[k], Y(o + 45 + 5.0 * static_cast<double>(k)), X(21),
                 true, true);
        }

        if (profile.UseLogoImage) {
            const TLogoSize size = FitLogo(profile.LogoImage, 70, 25);
            if (!profile.LogoImage.isNull()) {
                p_.drawImage(QRect(X(115), Y(o + 30), X(size.Width), Y(size.Height)),
                             profile.LogoImage);
            }
        } else {
            if (!IsBlank(profile.ZipNo)) {
                At(10, QStringLiteral("〒") + profile.ZipNo, 115, o + 30);
            }
            At(10, profile.Address1, 115, o + 34);
            At(10, profile.Address2, 115, o + 38);
            At(10, profile.CampanyName1, 115, o + 42);
            At(10, profile.CampanyName2, 115, o + 46);
            At(10, profile.CampanyName3, 115, o + 50);
            if (s_.Options.PrintName) {
                At(10, profile.ChargeName, 115, o + 54.5);
            }
            At(10, profile.TelFax, 115, o + 58.5);
        }
        if (s_.Options.PrintBank) {
            const TThPayBankAccount& account = profile.BankAccount(s_.Options.PayBank);
            At(10, account.BankName, 115, o + 63);
            At(10, account.BankNo, 115, o + 67);
            At(10, account.OwnerName, 115, o + 71);
        }
        At(10, RegistrationNoText(d, profile), 115, o + 75.5);
        DrawRateBlock(o);
        At(10, SlipMessage(s_.Config, skTotalClaim), 21, o + 80);
        DrawAccountTable(o);

        const int x0 = X(105) - X(92.5) - X(5);
        const int fontHeight = SlipFont(dpi_.Y, 10).pixelSize();
        Text(10, TotalClaimRemark(d), Y(o + 105), x0);
        const int ruleY = Y(o + 105.5) + fontHeight;
        p_.drawLine(x0, ruleY, x0 + X(185), ruleY);
        const int cutX = X(105) - X(90) - X(5);
        p_.drawLine(cutX, Y(o + 115), cutX + X(180), Y(o + 115));
    }

  private:
    int X(double mm) const { return MmToPx(dpi_.X, mm); }
    int Y(double mm) const { return MmToPx(dpi_.Y, mm); }
    void Text(int points, const QString& text, int y, int x, bool bold = false,
              bool underline = false) {
        DrawSlipText(p_, dpi_.Y, points, text, y, x, bold, underline);
    }
    void At(int points, const QString& text, double xMm, double yMm) {
        Text(points, text, Y(yMm), X(xMm));
    }

    // The tax per rate below the addressee, left of the sender.
    void DrawRateBlock(double o) {
        const std::vector<TSlipRateRow> rows = TotalClaimRateRows(s_);
        for (size_t k = 0; k < rows.size() && k < TotalClaimRateRowCount; ++k) {
            const double y = o + 62 + 4.0 * static_cast<double>(k);
            const TSlipRateRow& row = rows[k];
            At(10, row.Caption, 21, y);
            Text(10, row.Base, Y(y), X(71) - SlipTextWidth(row.Base, dpi_.Y, 10));
            At(10, row.TaxCaption, 74, y);
            Text(10, row.Tax, Y(y), X(108) - SlipTextWidth(row.Tax, dpi_.Y, 10));
        }
    }

    void DrawAccountTable(double o) {
        const int x0 = X(105) - X(92.5) - X(5);
        const double edges[] = {0, 30, 60, 90, 120, 150, 185};
        auto boundary = [&](size_t k) { return x0 + X(edges[k]); };
        p_.fillRect(QRect(QPoint(x0, Y(o + 85)), QPoint(boundary(6), Y(o + 93))),
                    WindowsColor::ToColor(s_.Config.LINE_COLOR_ODD));
        p_.fillRect(QRect(QPoint(x0, Y(o + 93)), QPoint(boundary(6), Y(o + 103))),
                    WindowsColor::ToColor(s_.Config.LINE_COLOR_EVEN));
        p_.setPen(QPen(SlipNavy, 2));
        for (double y : {o + 85, o + 93, o + 103}) {
            p_.drawLine(x0, Y(y), x0 + X(185), Y(y));
        }
        for (size_t k = 0; k < std::size(edges); ++k) {
            p_.drawLine(boundary(k), Y(o + 85), boundary(k), Y(o + 85) + Y(18));
        }
        p_.setPen(QPen(Qt::black, 2));
        const int fontHeight = SlipFont(dpi_.Y, 10).pixelSize();
        const std::array<QString, 6> values = TotalClaimAmounts(s_);
        for (size_t k = 0; k < 6; ++k) {
            const QString caption = QString::fromUtf8(Captions[k]);
            const double centre = k == 5 ? 17.5 : 15;
            const int width = SlipTextWidth(caption, dpi_.Y, 10);
            Text(10, caption, Y(o + 85) + Y(4) - fontHeight / 2,
                 boundary(k) + static_cast<int>(std::lround(X(centre) - width / 2.0)));
            Text(10, values[k], Y(o + 85) + Y(16) - fontHeight,
                 boundary(k + 1) - SlipTextWidth(values[k], dpi_.Y, 10) - X(2));
        }
    }

    QPainter& p_;
    const TTotalClaimSource& s_;
    TSlipResolution dpi_;
    bool isA4_;
    int sheetWidth_;
};

}  // namespace

const QStringList& TotalClaimOptionKeys() {
    static const QStringList keys{"PRINTER",    "CUSTOMER_INFO", "PAY_BANK",
                                  "PAPER_SIZE", "PRINT_NAME",    "PRINT_BANK"};
    return keys;
}

TTotalClaimOptions LoadTotalClaimOptions(const IniFile& printIni) {
    const QString section = Section();
    auto text = [&](const char* key) {
        return printIni.ReadString(section, QString::fromLatin1(key), QString());
    };
    TTotalClaimOptions options;
    options.Printer = text("PRINTER");
    options.CustomerInfo =
        ItemIndex(text("CUSTOMER_INFO"), TThCampanyInfoManager::Count, ProfileItemText);
    options.PayBank =
        ItemIndex(text("PAY_BANK"), TThCampanyInfo::BankAccountCount, PayBankItemText);
    options.PaperSize = ItemIndex(text("PAPER_SIZE"), 2, PaperSizeItemText);
    options.PrintName = printIni.ReadBool(section, QStringLiteral("PRINT_NAME"), false);
    options.PrintBank = printIni.ReadBool(section, QStringLiteral("PRINT_BANK"), false);
    return options;
}

void SaveTotalClaimOptions(IniFile& printIni, const TTotalClaimOptions& options) {
    const QString section = Section();
    printIni.WriteString(section, QStringLiteral("PRINTER"), options.Printer);
    printIni.WriteString(section, QStringLiteral("CUSTOMER_INFO"),
                         ProfileItemText(options.CustomerInfo));
    printIni.WriteString(section, QStringLiteral("PAY_BANK"), PayBankItemText(options.PayBank));
    printIni.WriteString(section, QStringLiteral("PAPER_SIZE"),
                         PaperSizeItemText(options.PaperSize));
    printIni.WriteBool(section, QStringLiteral("PRINT_NAME"), options.PrintName);
    printIni.WriteBool(section, QStringLiteral("PRINT_BANK"), options.PrintBank);
}

TBalance RecalcBalance(const QString& preClaim, const QString& prePaid) {
    auto parse = [](const QString& text) {
        try {
            return ParseMoney(text);
        } catch (const EModelError&) {
            return Currency();
        }
    };
    TBalance balance;
    balance.PreClaim = parse(preClaim);
    balance.PrePaid = parse(prePaid);
    balance.PreClaimText = Money(balance.PreClaim);
    balance.PrePaidText = Money(balance.PrePaid);
    balance.ResultText = Money(Difference(balance.PreClaim, balance.PrePaid));
    return balance;
}

std::array<QString, 6> TotalClaimAmounts(const TTotalClaimSource& source) {
    const TTotalClaimOptions& o = source.Options;
    const TThEstimateObjectList& d = source.Document;
    const Currency balance = Balance(o);
    const Currency due = Currency::fromWideRaw(Int128{balance.raw()} + d.Total.raw());
    return {Money(o.PreClaim), Money(o.PrePaid), Money(balance),
            Money(d.SubTotal), Money(d.Tax),     source.Config.MONETARY + Money(due)};
}

std::vector<TSlipRateRow> TotalClaimRateRows(const TTotalClaimSource& source) {
    if (!IsRegisteredSender(source.Document, source.Profile)) {
        return {};
    }
    return RateRows(source.Document.Breakdown, source.Config.MONETARY, true);
}

QString TotalClaimRemark(const TThEstimateObjectList& document) {
    const QString& etc = document.Etc;
    const qsizetype end = etc.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return QStringLiteral("備考：") + (end < 0 ? etc : etc.left(end));
}

TSlipPagePicture RenderTotalClaim(const TTotalClaimSource& source, bool isA4, TSlipResolution dpi) {
    TSlipPagePicture page;
    page.Size = QSize(MmToPx(dpi.X, 210), MmToPx(dpi.Y, 297));
    page.Picture.setBoundingRect(QRect(QPoint(0, 0), page.Size));
    QPainter painter(&page.Picture);
    painter.fillRect(QRect(QPoint(0, 0), page.Size), Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 2));
    HalfDrawer half(painter, source, dpi, isA4, page.Size.width());
    const QString title = SlipTitle(source.Config, skTotalClaim);
    half.Draw(0, title);
    half.Draw(115, title + SlipCopyMark);
    painter.end();
    return page;
}

TPRPage& BuildTotalClaimPdfPage(TSlipPdfTemplates& templates, const TTotalClaimSource& source) {
    TPRPage& page = templates.Template(QStringLiteral("TotalClaim"));
    auto label = [&](const QString& role, int half) {
        return page.Find<TPRLabel>(QStringLiteral("PRLabelTotalClaim%1_%2").arg(role).arg(half));
    };
    auto text = [&](const QString& role, int half) {
        return page.Find<TPRText>(QStringLiteral("PRTextTotalClaim%1_%2").arg(role).arg(half));
    };
    auto rect = [&](const QString& role, int half) {
        return page.Find<TPRRect>(QStringLiteral("PRRectTotalClaim%1_%2").arg(role).arg(half));
    };
    auto image = [&](const QString& role, int half) {
        return page.Find<TPRImage>(QStringLiteral("PRImageTotalClaim%1_%2").arg(role).arg(half));
    };
    const TThEstimateObjectList& d = source.Document;
    const TThCampanyInfo& profile = source.Profile;
    const QString title = SlipTitle(source.Config, skTotalClaim);
    const std::array<QString, 3> names = AddresseeLines(d.Customer);
    const std::array<QString, 6> values = TotalClaimAmounts(source);
    const std::vector<TSlipRateRow> rates = TotalClaimRateRows(source);

    QStringList address{
        d.Customer.Zip.isEmpty() ? QStringLiteral("　") : QStringLiteral("〒") + d.Customer.Zip,
        d.Customer.Add1 + QStringLiteral("　"), d.Customer.Add2 + QStringLiteral("　")};
    QStringList senderAddress;
    QStringList detail;
    if (profile.UseLogoImage) {
        detail = {QStringLiteral("　"), QStringLiteral("　")};
    } else {
        if (!IsBlank(profile.ZipNo)) {
            senderAddress << QStringLiteral("〒") + profile.ZipNo;
        }
        senderAddress << profile.Address1 + QStringLiteral("　")
                      << profile.Address2 + QStringLiteral("　");
        detail << (source.Options.PrintName ? profile.ChargeName + QStringLiteral("　")
                                            : QStringLiteral("　"))
               << profile.TelFax + QStringLiteral("　");
    }
    if (source.Options.PrintBank) {
        const TThPayBankAccount& account = profile.BankAccount(source.Options.PayBank);
        detail << account.BankName + QStringLiteral("　") << account.BankNo + QStringLiteral("　")
               << account.OwnerName + QStringLiteral("　");
    }

    const int panelWidth =
        page.Find<TPRLayoutPanel>(QStringLiteral("PRLayoutPanelTotalClaim"))->Width;
    for (int half = 1; half <= 2; ++half) {
        TPRLabel* titleLabel = label(QStringLiteral("Title"), half);
        titleLabel->SetCaption(half == 1 ? title : title + SlipCopyMark);
        label(QStringLiteral("CustomerCode"), half)
            ->SetCaption(CustomerCodeText(source.Document, source.Config, CustomerCodeCaption));
        label(QStringLiteral("SlipCode"), half)->SetCaption(SlipCodeText(d));
        label(QStringLiteral("Date"), half)->SetCaption(ClosingDateText(d));
        text(QStringLiteral("CustomerAddress"), half)->Lines = address;
        for (int k = 0; k < 3; ++k) {
            TPRLabel* name = label(QStringLiteral("CustomerName%1").arg(k + 1), half);
            name->SetCaption(names[static_cast<size_t>(k)]);
            FitLabelWidth(*name);
            rect(QStringLiteral("CustomerNameUnderLine%1").arg(k + 1), half)->Width = name->Width;
        }

        TPRImage* stamp = image(QStringLiteral("CampanyStamp"), half);
        stamp->SetPicture(QImage());
        if (profile.UseCampanyStamp) {
            const int halfOffset = (half - 1) * (label(QStringLiteral("Title"), 2)->Top -
                                                 label(QStringLiteral("Title"), 1)->Top);
            stamp->SetPicture(profile.StampImage);
            stamp->Left = MmToTemplateUnits(profile.CampanyStampTotalClaimPosX_A4 - 5);
            stamp->Top = MmToTemplateUnits(profile.CampanyStampTotalClaimPosY_A4) + halfOffset;
            stamp->Width = MmToTemplateUnits(profile.CampanyStampWidth_A4);
            stamp->Height = MmToTemplateUnits(profile.CampanyStampHeight_A4);
        }

        TPRText* myAddress = text(QStringLiteral("MyAddress"), half);
        TPRImage* logo = image(QStringLiteral("CampanyLogo"), half);
        logo->SetPicture(profile.UseLogoImage ? profile.LogoImage : QImage());
        logo->Left = myAddress->Left;
        logo->Top = myAddress->Top;
        myAddress->Lines = senderAddress;
        for (int k = 0; k < 3; ++k) {
            const QString* companyNames[] = {&profile.CampanyName1, &profile.CampanyName2,
                                             &profile.CampanyName3};
            label(QStringLiteral("MyName%1").arg(k + 1), half)
                ->SetCaption(profile.UseLogoImage ? QString() : *companyNames[k]);
        }
        text(QStringLiteral("MyDetail"), half)->Lines = detail;

        label(QStringLiteral("Msg"), half)->SetCaption(SlipMessage(source.Config, skTotalClaim));
        for (int k = 0; k < 6; ++k) {
            label(QStringLiteral("Value%1").arg(k + 1), half)
                ->SetCaption(values[static_cast<size_t>(k)]);
        }
        label(QStringLiteral("Remark"), half)->SetCaption(TotalClaimRemark(d));
        label(QStringLiteral("RegistrationNo"), half)->SetCaption(RegistrationNoText(d, profile));
        for (size_t k = 0; k < TotalClaimRateRowCount; ++k) {
            const TSlipRateRow row = k < rates.size() ? rates[k] : TSlipRateRow();
            const QString* cells[] = {&row.Caption, &row.Base, &row.TaxCaption, &row.Tax};
            const char* roles[] = {"RateName", "RateBase", "RateTaxName", "RateTax"};
            for (size_t c = 0; c < std::size(roles); ++c) {
                label(QStringLiteral("%1%2").arg(QLatin1String(roles[c])).arg(k + 1), half)
                    ->SetCaption(*cells[c]);
            }
        }

        CentreLabel(*titleLabel, panelWidth);
        TPRRect* underline = rect(QStringLiteral("TitleUnderLine"), half);
        underline->Left = titleLabel->Left;
        underline->Width = titleLabel->Width;
    }
    return page;
}

void SaveTotalClaimPdf(TSlipPdfTemplates& templates, const TTotalClaimSource& source,
                       const QString& fileName) {
    templates.SavePdf(
        fileName, [&] { templates.Report().PrintPage(BuildTotalClaimPdfPage(templates, source)); });
}
