#pragma once

#include <QString>
#include <cstdint>

#include "TSlipKind.h"

class IniFile;
class TThConfigInfo;
class TThEstimateObjectList;

// How the grand-total box shows tax: 課税対象なし, 税別, 税込み.
enum class TTaxChoice : std::uint8_t { NoTax, BeforeTax, TaxIn };

// Which tax choices a document allows, and the one checked when the options open.
struct TTaxChoices {
    bool NoTax = false;
    bool BeforeTax = false;
    bool TaxIn = false;
    TTaxChoice Checked = TTaxChoice::NoTax;

    bool Allows(TTaxChoice choice) const;
};

// TaxIn documents show tax included only; a document with a taxable non-zero line may show
// tax excluded (checked) or included; any other shows no tax.
TTaxChoices TaxChoicesOf(const TThEstimateObjectList& document);

// The states of the print options window of one main slip, as print.ini keeps them.
// Choices from lists are kept as indexes: 0 is the first item.
struct TPrintOptions {
    QString Printer;                                   // PRINTER
    int PaperSize = 0;                                 // PAPER_SIZE: 0 A4, 1 B5
    QString CheckStampMsg = QStringLiteral("検　印");  // CHECK_STAMP_MSG
    int CheckStamp = 0;                  // CHECK_STAMP: 0 none, k the seal picture pstamp<k-1>
    int PersonalStamp = 0;               // PERSONAL_STAMP: the same
    int CustomerInfo = 0;                // CUSTOMER_INFO: sender profile 0-2
    int PayBank = 0;                     // PAY_BANK: bank account 0-1 of the profile
    bool PrintName = false;              // PRINT_NAME
    bool PrintStampArea = true;          // PRINT_STAMP_AREA
    bool Landscape = false;              // PRINT_DIRECTION; "YOKO" of [SETTING] follows it
    bool PrintNote = true;               // PRINT_NOTE
    bool PrintBank = false;              // PRINT_BANK
    bool ChangeSR = false;               // CHANGE_SR
    bool PrintCopy = false;              // PRINT_COPY
    bool PrintGrandTotalFrame = true;    // PRINT_GRAND_TOTAL_FRAME
    bool PrintGrandTotal = true;         // PRINT_GRAND_TOTAL
    bool PrintSubTotalAndTotal = true;   // PRINT_SUBTOTAL_TOTAL
    TTaxChoice Tax = TTaxChoice::NoTax;  // not kept; follows the document

    static inline const QString SettingSection = QStringLiteral("SETTING");
    static inline const QString YokoKey = QStringLiteral("YOKO");

    // The print.ini keys of a main-slip section, in file order.
    static const QStringList& Keys();
};

// The options the window shows for the kind: "YOKO" of [SETTING], then the kind's section
// with the defaults above, each list choice looked up among the items the window lists
// (seal pictures that exist in the image folder, three profiles, two accounts); a stored
// item that is not listed selects the first. The tax choice is the document's checked one.
TPrintOptions LoadPrintOptions(const IniFile& printIni, TSlipKind kind, const TThConfigInfo& config,
                               const TThEstimateObjectList& document);
// Writes the kind's section and "YOKO" as the window does when it closes with print or PDF.
void SavePrintOptions(IniFile& printIni, TSlipKind kind, const TPrintOptions& options);

// The list item texts the window shows and print.ini stores.
QString StampItemText(int choice);  // "印刷なし", "捺印1" ...
// The seal choice a stamp list selects for a stored item text: "印刷なし" (0) when the text
// names no seal picture present in the image folder.
int StampChoiceOf(const TThConfigInfo& config, const QString& text);
// The index of the item whose text is text among count items, or 0 when none is.
int ItemIndex(const QString& text, int count, QString (*itemText)(int));
QString ProfileItemText(int index);    // "会社情報1" ...
QString PayBankItemText(int index);    // "振込先情報1" ...
QString PaperSizeItemText(int index);  // "A4", "B5"
