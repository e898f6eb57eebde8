#pragma once

// The receipt (領収書): one A4 sheet acknowledging the document's grand total twice, the
// customer's part above and the file copy "(控)" 110 mm below. Works in either mode.

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "Currency.h"

#include "RenderSlipPage.h"

class IniFile;
class TPRPage;
class TSlipPdfTemplates;
class TThCampanyInfo;
class TThConfigInfo;
class TThEstimateObjectList;
struct TaxBreakdown;

inline constexpr int ReceiptBreakdownRows = 4;

// The states of the receipt's options window; print.ini keeps all but the breakdown.
struct TReceiptOptions {
    QString Printer;                // PRINTER
    int PaperSize = 0;              // PAPER_SIZE: 0 A4, 1 B5
    int CustomerInfo = 0;           // CUSTOMER_INFO: sender profile 0-2
    int PersonalStamp = 0;          // PERSONAL_STAMP: 0 none, k the seal picture pstamp<k-1>
    bool PrintName = false;         // PRINT_NAME
    bool PrintStampArea = true;     // PRINT_STAMP_AREA: the person-in-charge seal box
    bool PrintRevenueStamp = true;  // PRINT_REVENUE_STAMP_AREA: the revenue stamp box
    bool PrintGrandTotal = true;    // PRINT_GRAND_TOTAL
    QString Proviso;                // PROVISO_TEXT: 但し書き
    // 内訳, typed each time: names and amounts as the fields show them.
    std::array<QString, ReceiptBreakdownRows> BreakdownNames;
    std::array<QString, ReceiptBreakdownRows> BreakdownAmounts;
};

// The print.ini keys of its section, in file order.
const QStringList& ReceiptOptionKeys();
// The breakdown starts with the document's tax on its first row.
TReceiptOptions LoadReceiptOptions(const IniFile& printIni, const TThConfigInfo& config,
                                   const TThEstimateObjectList& document);
void SaveReceiptOptions(IniFile& printIni, const TReceiptOptions& options);

// The breakdown a qualified invoice's receipt starts with: per rate its base ("10%対象") and
// its tax ("消費税(10%)"), then the exempt sum; when that takes more rows than there are,
// the bases, the exempt sum and one row of the whole tax, the rates still named.
struct TReceiptRateRow {
    QString Name;
    Currency Amount;
};
std::vector<TReceiptRateRow> ReceiptRateRows(const TaxBreakdown& breakdown);
// A breakdown amount after leaving its field: commas and brackets dropped, written back as
// "#,##0.##"; a text that is no number becomes empty.
QString ReceiptAmountField(const QString& typed);
// The items of the breakdown names' lists.
const QStringList& ReceiptBreakdownItems();

struct TReceiptSource {
    const TThEstimateObjectList& Document;
    const TThConfigInfo& Config;
    const TThCampanyInfo& Profile;
    const TReceiptOptions& Options;
};

// Name1 + Name2 + Name3, a blank and the honorific.
QString ReceiptAddressee(const TThEstimateObjectList& document);
// The currency sign, the grand total and "※"; ten full-width blanks when it is not printed.
QString ReceiptAmount(const TReceiptSource& source);
// The date and the receipt message.
QString ReceiptDateLine(const TReceiptSource& source);
// Row k's amount with the currency sign and "-"; empty when its field is blank.
QString ReceiptBreakdownAmount(const TReceiptSource& source, int k);

// The sheet as a picture for the printer and the preview; isA4 only moves the seal.
TSlipPagePicture RenderReceipt(const TReceiptSource& source, bool isA4, TSlipResolution dpi);

// The filled template page PRPageReceipt, valid until it is built again.
TPRPage& BuildReceiptPdfPage(TSlipPdfTemplates& templates, const TReceiptSource& source);
// The one page into a PDF file, written atomically.
void SaveReceiptPdf(TSlipPdfTemplates& templates, const TReceiptSource& source,
                    const QString& fileName);
