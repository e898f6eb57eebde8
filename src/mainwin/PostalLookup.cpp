#include "PostalLookup.h"

#include "AppWindows.h"
#include "Messages.h"
#include "TFormMain.h"
#include "TFormZipSearch.h"
#include "ZipTable.h"

namespace {

QString table() {
    return AppWindows::FormMain->ZipFolder() + QLatin1String(ZipTable::FileName);
}

void choose(QWidget* window, const QString& key, const ZipTable::Result& result, QLineEdit* zip,
            QLineEdit* add1) {
    if (!result.Refusal.isEmpty()) {
        Messages::Information(window, result.Refusal);
        return;
    }
    TFormZipSearch* search = AppWindows::FormZipSearch;
    search->SetEntries(key, result.Entries);
    if (search->exec() != TFormZipSearch::ResultOK) {
        return;
    }
    if (const auto entry = search->SelectedEntry()) {
        zip->setText(entry->Code);
        add1->setText(entry->Address);
    }
}

}  // namespace

namespace PostalLookup {

void ByCode(QWidget* window, QLineEdit* zip, QLineEdit* add1) {
    const QString key = zip->text();
    choose(window, key, ZipTable::FindByCode(table(), key), zip, add1);
}

void ByAddress(QWidget* window, QLineEdit* zip, QLineEdit* add1) {
    const QString key = add1->text();
    choose(window, key, ZipTable::FindByAddress(table(), key), zip, add1);
}

}  // namespace PostalLookup
