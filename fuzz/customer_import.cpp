// The CSV import: a file of another program becomes a table, and its rows customers under the
// window's first choice of columns.
#include "CustomerImport.h"
#include "FuzzInput.h"
#include "ModelError.h"
#include "TThCustomerObjectList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path =
        FuzzInput::AsFile(QStringLiteral("import.csv"), FuzzInput::Bytes(data, size));
    try {
        const CustomerImport::Table table = CustomerImport::ReadFile(path);
        CustomerImport::ColumnCaption(table.ColumnCount);
        TThCustomerObjectList list;
        CustomerImport::AppendTo(list, CustomerImport::Customers(
                                           table, CustomerImport::Preselection(table.ColumnCount)));
    } catch (const EModelError&) {
    }
    return 0;
}
