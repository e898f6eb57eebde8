#include "SlipLayout.h"

#include <cmath>

#include "AmountText.h"
#include "TPrintOptions.h"
#include "TThCampanyInfo.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"
#include "TaxBreakdown.h"

namespace {

// Empty after dropping blanks and control characters at both ends.
bool IsBlank(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 0x20) {
            return false;
        }
    }
    return true;
}

QString LineCell(const TSlipSource& source, Currency value) {
    return value.isZero() ? QString() : FormatAmount(false, value, source.Config.PRINTDECIMAL);
}

QString TotalsAmount(const TSlipSource& source, Currency value) {
    return source.Options.PrintSubTotalAndTotal ? FormatAmount(true, value, false) : QString();
}

}  // namespace

int TSlipCapacity::Of(TSlipPageKind pageKind) const {
    switch (pageKind) {
        case TSlipPageKind::pkSingle:
            return Single;
        case TSlipPageKind::pkFirst:
            return First;
        case TSlipPageKind::pkMiddle:
            return Middle;
        case TSlipPageKind::pkLast:
            return Last;
    }
    return Single;
}

TSlipCapacity SlipCapacity(TSlipKind kind, bool landscape) {
    // Every striped row but the caption row and the amounts rows holds a line.
    auto lines = [&](TSlipPageKind pageKind) {
        return StripedRowCount(landscape, pageKind) - 1 - AmountsRowCount(kind, pageKind);
    };
    return {lines(TSlipPageKind::pkSingle), lines(TSlipPageKind::pkFirst),
            lines(TSlipPageKind::pkMiddle), lines(TSlipPageKind::pkLast)};
}

int UsedLineCount(const TThEstimateObjectList& document) {
    for (int i = document.Count() - 1; i >= 0; --i) {
        if (!document.Items(i).Uninput()) {
            return i + 1;
        }
    }
    return 0;
}

int SlipPageCount(const TSlipSource& source) {
    const TSlipCapacity c = SlipCapacity(source.Kind, source.Options.Landscape);
    const int used = UsedLineCount(source.Document);
    if (used <= c.Single) {
        return 1;
    }
    if (used <= c.First + c.Last) {
        return 2;
    }
    return 2 + (used - c.First - c.Last + c.Middle - 1) / c.Middle;
}

TSlipLineRange SlipLineRange(const TSlipSource& source, int n, int m) {
    const TSlipPageKind pageKind = SlipPageKindOf(n, m);
    const TSlipCapacity c = SlipCapacity(source.Kind, source.Options.Landscape);
    const int lines = source.Document.Count();
    if (pageKind == TSlipPageKind::pkSingle) {
        return {0, UsedLineCount(source.Document)};
    }
    const int first = n == 1 ? 0 : c.First + (n - 2) * c.Middle;
    const int wanted = c.Of(pageKind);
    return {first, std::max(0, std::min(wanted, lines - first))};
}

TSlipLineRow SlipLineRow(const TSlipSource& source, const TThEstimateObject& line) {
    return {MarksReduced(source.Document, line) ? line.ItemName + QLatin1Char(' ') + ReducedMark
                                                : line.ItemName,
            LineCell(source, line.Num),
            line.UnitName,
            LineCell(source, line.UnitPrice),
            LineCell(source, line.TotalPrice),
            source.Options.PrintNote ? line.Etc : QString()};
}

QString PageTotalText(const TSlipSource& source, const TSlipLineRange& range) {
    if (!source.Options.PrintSubTotalAndTotal) {
        return {};
    }
    Int128 sum = 0;
    for (int i = range.First; i < range.First + range.Count; ++i) {
        const TThEstimateObject& line = source.Document.Items(i);
        if (!line.SubTotalRow) {
            sum += line.TotalPrice.raw();
        }
    }
    return FormatAmount(false, Currency::fromWideRaw(sum), source.Config.PRINTDECIMAL);
}

namespace {

// "消費税(10%)"; a qualified invoice names the rate only when all its tax is of one rate,
// since its tax is the sum over the rates.
QString TaxRowCaption(const TSlipSource& source) {
    const TThEstimateObjectList& d = source.Document;
    Currency rate = d.TaxRate;
    if (d.QualifiedInvoice) {
        if (ShowsRateBlock(source) || d.Breakdown.Rates.size() > 1) {
            return QStringLiteral("消費税");
        }
        if (d.Breakdown.Rates.size() == 1) {
            rate = d.Breakdown.Rates.front().Rate;
        }
    }
    return QStringLiteral("消費税(%1%)").arg(FormatAmount(true, rate, false));
}

}  // namespace

bool IsRegisteredSender(const TThEstimateObjectList& document, const TThCampanyInfo& profile) {
    return document.QualifiedInvoice && !profile.RegistrationNo.trimmed().isEmpty();
}

bool LacksRegistrationNo(const TThEstimateObjectList& document, const TThCampanyInfo& profile) {
    return document.QualifiedInvoice && profile.RegistrationNo.trimmed().isEmpty();
}

QString RegistrationNoText(const TThEstimateObjectList& document, const TThCampanyInfo& profile) {
    return IsRegisteredSender(document, profile)
               ? QStringLiteral("登録番号 ") + profile.RegistrationNo.trimmed()
               : QString();
}

bool MarksReduced(const TThEstimateObjectList& document, const TThEstimateObject& line) {
    return document.QualifiedInvoice && !line.Uninput() && TaxClassOf(line) == TaxClass::Reduced;
}

QString ReducedNoteText(const TThEstimateObjectList& document) {
    for (int i = 0; i < document.Count(); ++i) {
        if (MarksReduced(document, document.Items(i))) {
            return ReducedRateNote;
        }
    }
    return {};
}

std::vector<TSlipRateRow> RateRows(const TaxBreakdown& breakdown, const QString& monetary,
                                   bool amounts) {
    auto money = [&](Currency value) {
        return amounts ? monetary + FormatAmount(true, value, false) : QString();
    };
    std::vector<TSlipRateRow> rows;
    for (const RateTotal& rate : breakdown.Rates) {
        rows.push_back({QStringLiteral("%1%対象").arg(FormatAmount(true, rate.Rate, false)),
                        money(rate.Base), QStringLiteral("消費税"), money(rate.Tax)});
    }
    if (breakdown.HasExempt) {
        rows.push_back({QStringLiteral("非課税対象"), money(breakdown.Exempt), {}, {}});
    }
    return rows;
}

bool ShowsRateBlock(const TSlipSource& source) {
    return HasAmountsRows(source.Kind) && source.Options.Tax != TTaxChoice::NoTax &&
           IsRegisteredSender(source.Document, source.Profile);
}

std::vector<TSlipRateRow> SlipRateRows(const TSlipSource& source) {
    if (!ShowsRateBlock(source)) {
        return {};
    }
    return RateRows(source.Document.Breakdown, source.Config.MONETARY,
                    source.Options.PrintSubTotalAndTotal);
}

std::array<TSlipTotalRow, 3> SlipTotalRows(const TSlipSource& source) {
    const TThEstimateObjectList& d = source.Document;
    const bool noTax = source.Options.Tax == TTaxChoice::NoTax;
    std::array<TSlipTotalRow, 3> rows;
    if (!(noTax && source.Config.NOTAXNOSUB)) {
        rows[0] = {QStringLiteral("小　計"), TotalsAmount(source, d.SubTotal)};
    }
    if (!noTax) {
        rows[1] = {TaxRowCaption(source), TotalsAmount(source, d.Tax)};
    }
    rows[2] = {QStringLiteral("合　計"), TotalsAmount(source, d.Total)};
    return rows;
}

QStringList RemarkRows(const TThEstimateObjectList& document) {
    QString etc = document.Etc;
    etc.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (etc.endsWith(QLatin1Char('\n'))) {
        etc.chop(1);  // a final line break starts no line in the remarks box
    }
    if (etc.isEmpty()) {
        return {};
    }
    QStringList rows;
    const QStringList lines = etc.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && i < 4; ++i) {
        rows << (i == 0 ? QStringLiteral("備　考：") : QStringLiteral("　　　　")) + lines[i];
    }
    return rows;
}

QString PageNumberText(int n, int m) {
    return QStringLiteral("( %1 / %2 )").arg(n).arg(m);
}

QString GrandTotalText(const TSlipSource& source) {
    const TPrintOptions& o = source.Options;
    if (!HasAmountsRows(source.Kind) || !o.PrintGrandTotalFrame) {
        return {};
    }
    const TThEstimateObjectList& d = source.Document;
    QString text = QString::fromUtf8(SlipKindFacts(source.Kind).GrandTotalCaption);
    if (o.PrintGrandTotal) {
        text += source.Config.MONETARY;
    }
    const QString blank = QStringLiteral("　　　　　　　 ");
    switch (o.Tax) {
        case TTaxChoice::NoTax:
            text += o.PrintGrandTotal ? FormatAmount(true, d.Total, false) + QStringLiteral("- ")
                                      : blank + QStringLiteral("　　　　　 ");
            break;
        case TTaxChoice::BeforeTax:
            text += (o.PrintGrandTotal ? FormatAmount(true, d.SubTotal, false) + QStringLiteral("-")
                                       : blank.chopped(1)) +
                    QStringLiteral(" (消費税別) ");
            break;
        case TTaxChoice::TaxIn:
            text += (o.PrintGrandTotal ? FormatAmount(true, d.Total, false) + QStringLiteral("-")
                                       : blank.chopped(1)) +
                    QStringLiteral(" (消費税込) ");
            break;
    }
    return text;
}

bool PrintsBankAccount(const TSlipSource& source) {
    return source.Options.PrintBank;
}

QStringList BankOrConditionLines(const TSlipSource& source, bool numbered) {
    if (PrintsBankAccount(source)) {
        const TThPayBankAccount& account = source.Profile.BankAccount(source.Options.PayBank);
        return {account.BankName, account.BankNo, account.OwnerName};
    }
    const TThEstimateObjectList& d = source.Document;
    const TThConfigInfo& c = source.Config;
    struct Condition {
        bool print;
        const QString& caption;
        const QString& value;
    };
    const Condition conditions[] = {{d.PrintDelivery, c.RECEIVE_DAY, d.Delivery},
                                    {d.PrintPlace, c.PLACE, d.Place},
                                    {d.PrintCondition, c.CONDITION, d.Condition},
                                    {d.PrintLimit, c.LIMIT, d.Limit}};
    QStringList lines;
    for (const Condition& condition : conditions) {
        if (condition.print) {
            const QString number =
                numbered ? QStringLiteral("%1. ").arg(lines.size() + 1) : QString();
            lines << number + condition.caption + QStringLiteral("  ") + condition.value;
        }
    }
    return lines;
}

std::array<QString, 3> NameLines(const QString& name1, const QString& name2, const QString& name3,
                                 const QString& suffix) {
    if (!IsBlank(name3)) {
        return {name1, name2, name3 + suffix};
    }
    if (!IsBlank(name2)) {
        return {name1, name2 + suffix, QString()};
    }
    return {name1 + suffix, QString(), QString()};
}

namespace {

TSlipHeaderBlock SenderBlock(const TSlipSource& source, bool left) {
    const TThCampanyInfo& p = source.Profile;
    TSlipHeaderBlock block;
    block.Sender = true;
    block.Logo = p.UseLogoImage;
    if (block.Logo) {
        return block;
    }
    if (!IsBlank(p.ZipNo)) {
        block.Postal = QStringLiteral("〒") + p.ZipNo;
    }
    block.Address1 = p.Address1;
    block.Address2 = p.Address2;
    block.Names =
        left ? NameLines(p.CampanyName1, p.CampanyName2, p.CampanyName3, QStringLiteral(" 行き"))
             : std::array<QString, 3>{p.CampanyName1, p.CampanyName2, p.CampanyName3};
    if (source.Options.PrintName) {
        block.ChargeName = p.ChargeName;
    }
    block.TelFax = p.TelFax;
    return block;
}

TSlipHeaderBlock AddresseeBlock(const TSlipSource& source, bool left) {
    const TThCustomerObject& c = source.Document.Customer;
    TSlipHeaderBlock block;
    if (left ? !c.Zip.isEmpty() : !IsBlank(c.Zip)) {
        block.Postal = QStringLiteral("〒") + c.Zip;
    }
    block.Address1 = c.Add1;
    block.Address2 = c.Add2;
    block.Names = left ? AddresseeLines(c) : std::array<QString, 3>{c.Name1, c.Name2, c.Name3};
    return block;
}

}  // namespace

TSlipHeaderBlock LeftHeaderBlock(const TSlipSource& source) {
    return source.Options.ChangeSR ? SenderBlock(source, true) : AddresseeBlock(source, true);
}

TSlipHeaderBlock RightHeaderBlock(const TSlipSource& source) {
    return source.Options.ChangeSR ? AddresseeBlock(source, false) : SenderBlock(source, false);
}

QString SlipCodeText(const TThEstimateObjectList& document) {
    return document.SlipCode.isEmpty() ? QString() : QStringLiteral("№") + document.SlipCode;
}

QString SlipDateText(const TThEstimateObjectList& document) {
    return document.Year + QStringLiteral("年 ") + document.Month + QStringLiteral("月 ") +
           document.Day + QStringLiteral("日");
}

QString CustomerCodeText(const TSlipSource& source) {
    return CustomerCodeText(source.Document, source.Config);
}

QString CustomerCodeText(const TThEstimateObjectList& document, const TThConfigInfo& config,
                         const QString& caption) {
    const QString& code = document.Customer.CusCode;
    return config.PRINTCUSCODE && !code.isEmpty() ? caption + code : QString();
}

std::array<QString, 3> AddresseeLines(const TThCustomerObject& c) {
    return NameLines(c.Name1, c.Name2, c.Name3, QStringLiteral(" ") + c.NameTitle);
}

QString StampBoxCaption(TSlipKind kind) {
    return QString::fromUtf8(SlipKindFacts(kind).RightStampCaption);
}

int StripedRowCount(bool landscape, TSlipPageKind pageKind) {
    // Landscape pages are ten rows shorter.
    const TSlipCapacity portrait{24, 27, 42, 39};
    return portrait.Of(pageKind) - (landscape ? 10 : 0);
}

int AmountsRowCount(TSlipKind kind, TSlipPageKind pageKind) {
    if (!HasAmountsRows(kind)) {
        return 0;
    }
    return HasRemarkRows(pageKind) ? 3 : 1;
}

TLogoSize FitLogo(const QImage& logo, int maxWidth, int maxHeight) {
    const double wb = logo.width();
    const double hb = logo.height();
    if (logo.isNull() || wb <= 0 || hb <= 0) {
        return {};
    }
    // Rounding is to the nearest, halves to even, as the current rounding mode does.
    auto round = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    int w = maxWidth;
    int h = maxWidth;
    if (hb < wb) {
        h = round(hb / (wb / maxWidth));
    } else if (hb > wb) {
        h = maxHeight;
        w = round(wb / (hb / maxHeight));
    }
    while (w > maxWidth) {
        w = round(w * 0.9);
        h = round(h * 0.9);
    }
    while (h > maxHeight) {
        w = round(w * 0.9);
        h = round(h * 0.9);
    }
    return {w, h};
}
