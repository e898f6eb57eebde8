#include <benchmark/benchmark.h>

#include "SlipLayout.h"
#include "TPrintOptions.h"
#include "TSlipPdfTemplates.h"
#include "TThCampanyInfo.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"

// A 1,000-line estimate (26 portrait pages) into a PDF held in memory.
static void BM_SlipPdf1000Lines(benchmark::State& state) {
    TThConfigInfo config(QStringLiteral("/nonexistent/"));
    config.LoadFromFile(QStringLiteral("/nonexistent/conf.ini"));
    TThEstimateObjectList document;
    document.PadLines(1000);
    for (int i = 0; i < 1000; ++i) {
        TThEstimateObject& line = document.Items(i);
        line.ItemName = QStringLiteral("部品 %1 型番 ABC-%1").arg(i + 1);
        line.Num = Currency::fromUnits(i % 9 + 1);
        line.UnitName = QStringLiteral("個");
        line.UnitPrice = Currency::fromUnits(1250);
        line.Etc = QStringLiteral("備考%1").arg(i);
        line.CalcTotalPrice();
    }
    document.TaxRate = Currency::fromUnits(10);
    document.CalcTotal();
    TThCampanyInfo profile;
    TPrintOptions options;
    options.Tax = TTaxChoice::BeforeTax;
    const TSlipSource source{document, config, profile, options, skMitsu};
    TSlipPdfTemplates templates(config);
    for (auto _ : state) {
        templates.Report().BeginDocument();
        templates.PrintSlipPages(source);
        benchmark::DoNotOptimize(templates.Report().EndDocumentToBytes());
    }
    state.counters["pages"] = SlipPageCount(source);
}
BENCHMARK(BM_SlipPdf1000Lines)->Unit(benchmark::kMillisecond);
