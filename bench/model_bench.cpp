#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QTemporaryDir>

#include "DocumentFile.h"
#include "TThEstimateObjectList.h"

namespace {

// A realistic document: Japanese item names, quantities with decimals, some tax-exempt
// lines and a subtotal row every twenty lines.
TThEstimateObjectList makeDocument(int lines) {
    TThEstimateObjectList d;
    d.TaxRate = Currency::fromUnits(10);
    d.Customer.Name1 = QStringLiteral("株式会社サンプル商事");
    for (int i = 0; i < lines; ++i) {
        auto line = std::make_unique<TThEstimateObject>();
        line->ItemName = QStringLiteral("ステンレスボルト M%1×20").arg(i % 12 + 3);
        line->Num = Currency::fromRaw(12500 + i);
        line->UnitName = QStringLiteral("本");
        line->UnitPrice = Currency::fromRaw(1584000 + 37 * i);
        line->NoTax = i % 17 == 0;
        line->Etc = i % 5 == 0 ? QStringLiteral("特注品") : QString();
        line->CalcTotalPrice();
        d.Add(std::move(line));
        if (i % 20 == 19) {
            d.Add(std::make_unique<TThEstimateObject>());
            d.SetSubTotalRow(d.Count() - 1);
        }
    }
    return d;
}

void CalcTotal(benchmark::State& state, bool perRow, bool taxIn) {
    TThEstimateObjectList d = makeDocument(static_cast<int>(state.range(0)));
    d.CalcPerRow = perRow;
    d.TaxIn = taxIn;
    for (auto _ : state) {
        d.CalcTotal();
        benchmark::DoNotOptimize(d.Total);
    }
}
BENCHMARK_CAPTURE(CalcTotal, OnSubTotal, false, false)
    ->Arg(100)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CalcTotal, PerRowTaxIn, true, true)
    ->Arg(100)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);

const QDateTime SavedAt(QDate(2008, 4, 1), QTime(9, 5));

void EncodeDocument(benchmark::State& state) {
    const TThEstimateObjectList d = makeDocument(1000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DocumentFile::Encode(d, QString(), SavedAt));
    }
}
BENCHMARK(EncodeDocument)->Unit(benchmark::kMicrosecond);

void DecodeDocument(benchmark::State& state) {
    const QByteArray bytes = DocumentFile::Encode(makeDocument(1000), QString(), SavedAt);
    TThEstimateObjectList d;
    for (auto _ : state) {
        DocumentFile::Decode(d, bytes, QStringLiteral("bench.MT4"));
        benchmark::DoNotOptimize(d.Count());
    }
}
BENCHMARK(DecodeDocument)->Unit(benchmark::kMicrosecond);

void SaveToFile(benchmark::State& state) {
    QTemporaryDir dir;
    const TThEstimateObjectList d = makeDocument(1000);
    const QString path = dir.filePath(QStringLiteral("bench.MT4"));
    for (auto _ : state) {
        d.SaveToFile(path, QString());
    }
}
BENCHMARK(SaveToFile)->Unit(benchmark::kMicrosecond);

void LoadFromFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.MT4"));
    makeDocument(1000).SaveToFile(path, QString());
    TThEstimateObjectList d;
    for (auto _ : state) {
        d.LoadFromFile(path);
        benchmark::DoNotOptimize(d.Count());
    }
}
BENCHMARK(LoadFromFile)->Unit(benchmark::kMicrosecond);

}  // namespace
