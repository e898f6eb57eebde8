#include "TPrintOptions.h"

#include <QFileInfo>
#include <QStringList>

#include "IniFile.h"
#include "TThCampanyInfo.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"

namespace {

// The boolean keys with their members, in file order after the texts.
struct BoolKey {
    const char* key;
    bool TPrintOptions::*member;
};

const BoolKey BoolKeys[] = {
    {"PRINT_NAME", &TPrintOptions::PrintName},
    {"PRINT_STAMP_AREA", &TPrintOptions::PrintStampArea},
    {"PRINT_DIRECTION", &TPrintOptions::Landscape},
    {"PRINT_NOTE", &TPrintOptions::PrintNote},
    {"PRINT_BANK", &TPrintOptions::PrintBank},
    {"CHANGE_SR", &TPrintOptions::ChangeSR},
    {"PRINT_COPY", &TPrintOptions::PrintCopy},
    {"PRINT_GRAND_TOTAL_FRAME", &TPrintOptions::PrintGrandTotalFrame},
    {"PRINT_GRAND_TOTAL", &TPrintOptions::PrintGrandTotal},
    {"PRINT_SUBTOTAL_TOTAL", &TPrintOptions::PrintSubTotalAndTotal},
};

// The index of the first item equal to the text, else the first item.
int SelectByText(const QStringList& items, const QString& text) {
    const qsizetype index = items.indexOf(text);
    return index < 0 ? 0 : static_cast<int>(index);
}

QStringList Items(int count, QString (*text)(int)) {
    QStringList items;
    for (int i = 0; i < count; ++i) {
        items << text(i);
    }
    return items;
}

// "印刷なし" and the seal pictures present, each keeping its number.
QStringList StampItems(const TThConfigInfo& config, std::vector<int>& choices) {
    QStringList items{StampItemText(0)};
    choices = {0};
    for (int n = 0; n < TThConfigInfo::StampCount; ++n) {
        if (QFileInfo::exists(config.StampPath(n))) {
            items << StampItemText(n + 1);
            choices.push_back(n + 1);
        }
    }
    return items;
}

}  // namespace

bool TTaxChoices::Allows(TTaxChoice choice) const {
    switch (choice) {
        case TTaxChoice::NoTax:
            return NoTax;
        case TTaxChoice::BeforeTax:
            return BeforeTax;
        case TTaxChoice::TaxIn:
            return TaxIn;
    }
    return false;
}

TTaxChoices TaxChoicesOf(const TThEstimateObjectList& document) {
    if (document.TaxIn) {
        return {false, false, true, TTaxChoice::TaxIn};
    }
    for (int i = 0; i < document.Count(); ++i) {
        const TThEstimateObject& line = document.Items(i);
        if (!line.TotalPrice.isZero() && !line.NoTax) {
            return {false, true, true, TTaxChoice::BeforeTax};
        }
    }
    return {true, false, false, TTaxChoice::NoTax};
}

const QStringList& TPrintOptions::Keys() {
    static const QStringList keys = [] {
        QStringList list{"PRINTER",       "CHECK_STAMP", "CHECK_STAMP_MSG", "PERSONAL_STAMP",
                         "CUSTOMER_INFO", "PAY_BANK",    "PAPER_SIZE"};
        for (const BoolKey& key : BoolKeys) {
            list << QString::fromLatin1(key.key);
        }
        return list;
    }();
    return keys;
}

QString StampItemText(int choice) {
    return choice == 0 ? QStringLiteral("印刷なし") : QStringLiteral("捺印%1").arg(choice);
}
QString ProfileItemText(int index) {
    return QStringLiteral("会社情報%1").arg(index + 1);
}
QString PayBankItemText(int index) {
    return QStringLiteral("振込先情報%1").arg(index + 1);
}
QString PaperSizeItemText(int index) {
    return index == 0 ? QStringLiteral("A4") : QStringLiteral("B5");
}

int ItemIndex(const QString& text, int count, QString (*itemText)(int)) {
    return SelectByText(Items(count, itemText), text);
}

int StampChoiceOf(const TThConfigInfo& config, const QString& text) {
    std::vector<int> choices;
    const QStringList items = StampItems(config, choices);
    return choices[static_cast<size_t>(SelectByText(items, text))];
}

TPrintOptions LoadPrintOptions(const IniFile& printIni, TSlipKind kind, const TThConfigInfo& config,
                               const TThEstimateObjectList& document) {
    TPrintOptions options;
    const QString section = PrintSectionName(kind);
    auto text = [&](const char* key, const QString& fallback = QString()) {
        return printIni.ReadString(section, QString::fromLatin1(key), fallback);
    };
    options.Landscape =
        printIni.ReadBool(TPrintOptions::SettingSection, TPrintOptions::YokoKey, false);
    options.Printer = text("PRINTER");
    options.CheckStamp = StampChoiceOf(config, text("CHECK_STAMP"));
    options.CheckStampMsg = text("CHECK_STAMP_MSG", options.CheckStampMsg);
    options.PersonalStamp = StampChoiceOf(config, text("PERSONAL_STAMP"));
    options.CustomerInfo =
        ItemIndex(text("CUSTOMER_INFO"), TThCampanyInfoManager::Count, ProfileItemText);
    options.PayBank =
        ItemIndex(text("PAY_BANK"), TThCampanyInfo::BankAccountCount, PayBankItemText);
    options.PaperSize = ItemIndex(text("PAPER_SIZE"), 2, PaperSizeItemText);
    // The kind's own PRINT_DIRECTION replaces "YOKO", as the window's box is set twice.
    const TPrintOptions defaults;
    for (const BoolKey& key : BoolKeys) {
        options.*key.member =
            printIni.ReadBool(section, QString::fromLatin1(key.key), defaults.*key.member);
    }
    options.Tax = TaxChoicesOf(document).Checked;
    return options;
}

void SavePrintOptions(IniFile& printIni, TSlipKind kind, const TPrintOptions& options) {
    const QString section = PrintSectionName(kind);
    auto write = [&](const char* key, const QString& value) {
        printIni.WriteString(section, QString::fromLatin1(key), value);
    };
    write("PRINTER", options.Printer);
    write("CHECK_STAMP", StampItemText(options.CheckStamp));
    write("CHECK_STAMP_MSG", options.CheckStampMsg);
    write("PERSONAL_STAMP", StampItemText(options.PersonalStamp));
    write("CUSTOMER_INFO", ProfileItemText(options.CustomerInfo));
    write("PAY_BANK", PayBankItemText(options.PayBank));
    write("PAPER_SIZE", PaperSizeItemText(options.PaperSize));
    for (const BoolKey& key : BoolKeys) {
        printIni.WriteBool(section, QString::fromLatin1(key.key), options.*key.member);
    }
    printIni.WriteBool(TPrintOptions::SettingSection, TPrintOptions::YokoKey, options.Landscape);
}
