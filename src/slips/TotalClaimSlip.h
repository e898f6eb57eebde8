#pragma once

// The total invoice (合計請求書): one A4 sheet carrying the account of the documents gathered
// in total-invoice mode twice, the customer's part above and the file copy "(控)" below.

#include <QString>
#include <QStringList>
#include <array>

#include "Currency.h"
#include "RenderSlipPage.h"
#include "SlipLayout.h"

class IniFile;
class TPRPage;
class TSlipPdfTemplates;
class TThCampanyInfo;
class TThConfigInfo;
class TThEstimateObjectList;

// What the total invoice says outside total-invoice mode.
inline const QString TotalClaimOnlyRefusal =
    QStringLiteral("この機能は合計請求モード以外では使用できません。");

// The states of the total invoice's options window; print.ini keeps all but the amounts.
struct TTotalClaimOptions {
    QString Printer;         // PRINTER
    int PaperSize = 0;       // PAPER_SIZE: 0 A4, 1 B5
    int CustomerInfo = 0;    // CUSTOMER_INFO: sender profile 0-2
    int PayBank = 0;         // PAY_BANK: bank account 0-1 of the profile
    bool PrintName = false;  // PRINT_NAME
    bool PrintBank = false;  // PRINT_BANK
    Currency PreClaim;       // previous invoice, typed each time
    Currency PrePaid;        // payment received
};

// The print.ini keys of its section, in file order.
const QStringList& TotalClaimOptionKeys();
TTotalClaimOptions LoadTotalClaimOptions(const IniFile& printIni);
void SaveTotalClaimOptions(IniFile& printIni, const TTotalClaimOptions& options);

// The amount fields after leaving one: commas dropped, a text that is no number becomes 0,
// each written back as "#,##0.##", and the balance previous − payment.
struct TBalance {
    Currency PreClaim;
    Currency PrePaid;
    QString PreClaimText;
    QString PrePaidText;
    QString ResultText;
};
TBalance RecalcBalance(const QString& preClaim, const QString& prePaid);

// Everything one total invoice is made of.
struct TTotalClaimSource {
    const TThEstimateObjectList& Document;
    const TThConfigInfo& Config;
    const TThCampanyInfo& Profile;
    const TTotalClaimOptions& Options;
};

// The six values of the account table: previous invoice, payment, balance, purchases, tax
// and, with the currency sign, the amount now due (balance + Total).
std::array<QString, 6> TotalClaimAmounts(const TTotalClaimSource& source);
// "備考：" and the first line of the document remarks.
QString TotalClaimRemark(const TThEstimateObjectList& document);
// A qualified invoice's tax per rate from the document's Breakdown, for a registered sender;
// at most TotalClaimRateRowCount rows print.
inline constexpr size_t TotalClaimRateRowCount = 3;
std::vector<TSlipRateRow> TotalClaimRateRows(const TTotalClaimSource& source);

// The sheet as a picture for the printer and the preview; isA4 only moves the seal.
TSlipPagePicture RenderTotalClaim(const TTotalClaimSource& source, bool isA4, TSlipResolution dpi);

// The filled template page PRPageTotalClaim, valid until it is built again.
TPRPage& BuildTotalClaimPdfPage(TSlipPdfTemplates& templates, const TTotalClaimSource& source);
// The one page into a PDF file, written atomically.
void SaveTotalClaimPdf(TSlipPdfTemplates& templates, const TTotalClaimSource& source,
                       const QString& fileName);
