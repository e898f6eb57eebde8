#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "Cp932.h"
#include "CustomerImport.h"
#include "TThCustomerObjectList.h"

namespace {

constexpr int Lines = 100000;

// A spreadsheet export of 100,000 customers in Shift-JIS, with quoted addresses, made once.
QString csvFile() {
    static QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("customers.csv"));
    if (!QFile::exists(path)) {
        QString text;
        for (int i = 0; i < Lines; ++i) {
            text += QStringLiteral(
                        "株式会社サンプル商事%1,営業部,山田 太郎,022-111-%2,022-111-3333,"
                        "980-0811,\"宮城県仙台市青葉区一番町1-%3, 青葉ビル\",%4F\r\n")
                        .arg(i)
                        .arg(i % 10000, 4, 10, QChar(u'0'))
                        .arg(i % 50)
                        .arg(i % 9 + 1);
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(Cp932::encode(text)) < 0) {
            std::abort();
        }
    }
    return path;
}

// What インポート does with such a file: read and split it, build the customers and append
// them to the customer list.
void BM_ImportCustomers(benchmark::State& state) {
    const QString path = csvFile();
    for (auto _ : state) {
        const CustomerImport::Table table = CustomerImport::ReadFile(path);
        TThCustomerObjectList list;
        CustomerImport::AppendTo(list, CustomerImport::Customers(
                                           table, CustomerImport::Preselection(table.ColumnCount)));
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * Lines);
}
BENCHMARK(BM_ImportCustomers)->Unit(benchmark::kMillisecond);

}  // namespace
