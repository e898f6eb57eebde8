#pragma once

// Pagination and the texts of main slips, shared by the printed pages and the PDF pages.

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "TSlipKind.h"
#include "TSlipSource.h"

struct TThCustomerObject;
struct TThEstimateObject;
struct TaxBreakdown;

// Document lines a page holds, by page kind.
struct TSlipCapacity {
    int Single;
    int First;
    int Middle;
    int Last;

    int Of(TSlipPageKind pageKind) const;
};

TSlipCapacity SlipCapacity(TSlipKind kind, bool landscape);

// Whether the page-total and totals rows stand below the lines; without them (the unit-price
// estimate) those rows hold lines too.
inline bool HasAmountsRows(TSlipKind kind) {
    return SlipKindFacts(kind).AmountsRows;
}

// 1 + the index of the last line with input; 0 for an empty document.
int UsedLineCount(const TThEstimateObjectList& document);

// At least 1.
int SlipPageCount(const TSlipSource& source);

// The document lines of a page: line First (from 0) goes to table row 1, and so on for
// Count lines; a range stops at the end of the document.
struct TSlipLineRange {
    int First = 0;
    int Count = 0;
};

TSlipLineRange SlipLineRange(const TSlipSource& source, int n, int m);

// The cells of a line row; zero numbers and, without the remarks column, the remark stay
// empty.
struct TSlipLineRow {
    QString ItemName;
    QString Num;
    QString UnitName;
    QString UnitPrice;
    QString TotalPrice;
    QString Etc;
};

TSlipLineRow SlipLineRow(const TSlipSource& source, const TThEstimateObject& line);

inline const QString PageTotalCaption = QStringLiteral("(ページ計)");
// The sum of the page's non-subtotal lines; empty when amounts are not printed.
QString PageTotalText(const TSlipSource& source, const TSlipLineRange& range);

// One of the three totals rows (subtotal, tax, total); a suppressed row is empty.
struct TSlipTotalRow {
    QString Caption;
    QString Amount;
};

std::array<TSlipTotalRow, 3> SlipTotalRows(const TSlipSource& source);

// Qualified invoices (QUALIFIED_INVOICE on): a sender with a registration number prints it,
// and the tax per rate replaces the single tax row; without a number neither prints.
// Reduced-rate lines carry "※" and the note either way.
bool IsRegisteredSender(const TThEstimateObjectList& document, const TThCampanyInfo& profile);
// The options windows tell once per opening when the chosen sender has no number.
bool LacksRegistrationNo(const TThEstimateObjectList& document, const TThCampanyInfo& profile);
inline const QString UnregisteredSenderNotice = QStringLiteral(
    "選択した会社情報に登録番号がありません。\n"
    "登録番号と税率ごとの消費税額は印刷されません（自社情報の登録で設定できます）。");
// "登録番号 T…" of a registered sender, else empty.
QString RegistrationNoText(const TThEstimateObjectList& document, const TThCampanyInfo& profile);
inline const QString ReducedMark = QStringLiteral("※");
inline const QString ReducedRateNote = QStringLiteral("※は軽減税率対象");
// Whether the line's name carries the mark.
bool MarksReduced(const TThEstimateObjectList& document, const TThEstimateObject& line);
// The note when some line carries the mark, else empty.
QString ReducedNoteText(const TThEstimateObjectList& document);

// One line of the per-rate block: "10%対象" and its base, "消費税" and its tax; the exempt
// line has no tax. Amounts carry the currency sign, or are empty when not printed.
struct TSlipRateRow {
    QString Caption;
    QString Base;
    QString TaxCaption;
    QString Tax;
};
std::vector<TSlipRateRow> RateRows(const TaxBreakdown& breakdown, const QString& monetary,
                                   bool amounts);
// Whether the main slip's totals rows carry the per-rate block: a registered sender, a kind
// with amounts rows and a tax choice that shows tax.
bool ShowsRateBlock(const TSlipSource& source);
// The block of the document's breakdown; empty when it does not show.
std::vector<TSlipRateRow> SlipRateRows(const TSlipSource& source);

// At most four lines of the document remarks, the first led by "備　考：".
QStringList RemarkRows(const TThEstimateObjectList& document);

QString PageNumberText(int n, int m);

// The grand-total box; empty for the unit-price estimate and when the box is off.
QString GrandTotalText(const TSlipSource& source);

// The chosen bank account when it is printed, else the flagged conditions (caption, two
// spaces, value), numbered "1. " ... when numbered; never both.
QStringList BankOrConditionLines(const TSlipSource& source, bool numbered);
// True when the lines above are the bank account.
bool PrintsBankAccount(const TSlipSource& source);

// One header block (left or right) as it prints: who it shows and its lines. Postal is empty
// when no postal line prints; ChargeName and TelFax belong to the sender only.
struct TSlipHeaderBlock {
    bool Sender = false;
    bool Logo = false;  // the sender's logo replaces every text of the block
    QString Postal;
    QString Address1;
    QString Address2;
    std::array<QString, 3> Names;
    QString ChargeName;
    QString TelFax;
};

TSlipHeaderBlock LeftHeaderBlock(const TSlipSource& source);
TSlipHeaderBlock RightHeaderBlock(const TSlipSource& source);

// The three name lines with the suffix after the last filled one.
std::array<QString, 3> NameLines(const QString& name1, const QString& name2, const QString& name3,
                                 const QString& suffix);

QString SlipCodeText(const TThEstimateObjectList& document);
QString SlipDateText(const TThEstimateObjectList& document);
QString CustomerCodeText(const TSlipSource& source);
// "お客様コード: CODE" when the settings print the code and there is one; the total invoice
// writes its own caption.
QString CustomerCodeText(const TThEstimateObjectList& document, const TThConfigInfo& config,
                         const QString& caption = QStringLiteral("お客様コード: "));
// The addressee's three name lines with the honorific after the last one.
std::array<QString, 3> AddresseeLines(const TThCustomerObject& customer);
QString StampBoxCaption(TSlipKind kind);  // the right box: "受領印" or "担当者印"

// Rows of a page's table that are striped (caption row included), and how many of them
// are page-total or totals rows.
int StripedRowCount(bool landscape, TSlipPageKind pageKind);
int AmountsRowCount(TSlipKind kind, TSlipPageKind pageKind);
// Rows the item-name, quantity and unit dividers run down; the amounts rows stay open.
inline int DividerRowCount(TSlipKind kind, bool landscape, TSlipPageKind pageKind) {
    return StripedRowCount(landscape, pageKind) - AmountsRowCount(kind, pageKind);
}
// Single and last pages end in four unstriped remark rows below the striped ones.
inline constexpr int RemarkRowCount = 4;
inline bool HasRemarkRows(TSlipPageKind pageKind) {
    return pageKind == TSlipPageKind::pkSingle || pageKind == TSlipPageKind::pkLast;
}
// Every row of a page's table, caption row included.
inline int TableRowCount(bool landscape, TSlipPageKind pageKind) {
    return StripedRowCount(landscape, pageKind) + (HasRemarkRows(pageKind) ? RemarkRowCount : 0);
}
// Only the first page of a run carries the header blocks.
inline bool HasHeaderBlocks(TSlipPageKind pageKind) {
    return pageKind == TSlipPageKind::pkSingle || pageKind == TSlipPageKind::pkFirst;
}

// A logo's size inside maxWidth × maxHeight, keeping its shape, in whole units.
struct TLogoSize {
    int Width = 0;
    int Height = 0;
};
TLogoSize FitLogo(const QImage& logo, int maxWidth, int maxHeight);
