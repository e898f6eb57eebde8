#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "MasterListSlip.h"
#include "SlipLayout.h"
#include "TPrintOptions.h"
#include "TSlipPdfTemplates.h"
#include "TThCampanyInfo.h"
#include "TThConfigInfo.h"
#include "TThCustomerObjectList.h"
#include "TThEstimateObjectList.h"
#include "TThItemObjectList.h"

// A 1,000-line estimate (26 portrait pages) into a PDF held in memory; the argument is
// PDF_EMBED_FONTS, and the file's size is a counter.
static void BM_SlipPdf1000Lines(benchmark::State& state) {
    TThConfigInfo config(QStringLiteral("/nonexistent/"));
    config.LoadFromFile(QStringLiteral("/nonexistent/conf.ini"));
    config.PDF_EMBED_FONTS = state.range(0) != 0;
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
    std::size_t bytes = 0;
    for (auto _ : state) {
        templates.Report().BeginDocument();
        templates.PrintSlipPages(source);
        const std::string file = templates.Report().EndDocumentToBytes();
        bytes = file.size();
        benchmark::DoNotOptimize(file);
    }
    state.counters["pages"] = SlipPageCount(source);
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SlipPdf1000Lines)->ArgName("embed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The customer list of 10,000 customers (667 pages) into a PDF file, as 印刷・PDF出力 writes it.
static void BM_CustomerListPdf10000(benchmark::State& state) {
    TThConfigInfo config(QStringLiteral("/nonexistent/"));
    config.LoadFromFile(QStringLiteral("/nonexistent/conf.ini"));
    TThItemObjectList items;
    TThCustomerObjectList customers;
    for (int i = 1; i <= 10000; ++i) {
        auto customer = std::make_unique<TThCustomerObject>();
        customer->CusCode = QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0'));
        customer->Name1 = QStringLiteral("株式会社サンプル商事%1").arg(i);
        customer->Name2 = QStringLiteral("営業本部 第二営業部");
        customer->Name3 = QStringLiteral("購買担当 山田 太郎");
        customer->NameTitle = QStringLiteral("様");
        customer->Zip = QStringLiteral("100-0005");
        customer->Add1 = QStringLiteral("東京都千代田区丸の内一丁目%1番地").arg(i % 50 + 1);
        customer->Add2 = QStringLiteral("丸の内サンプルビルディング%1階").arg(i % 40 + 1);
        customer->Tel = QStringLiteral("03-3210-%1").arg(i % 10000, 4, 10, QLatin1Char('0'));
        customer->Fax = QStringLiteral("03-3210-%1").arg((i + 1) % 10000, 4, 10, QLatin1Char('0'));
        customers.Add(std::move(customer));
    }
    const TMasterListSource source{skCustomerList, items, customers, config,
                                   QStringLiteral("令和08年12月10日")};
    TSlipPdfTemplates templates(config);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("customers.pdf"));
    for (auto _ : state) {
        SaveListPdf(templates, source, path);
    }
    state.counters["pages"] = SlipPageCount(source);
    state.counters["MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_CustomerListPdf10000)->Unit(benchmark::kMillisecond);
