#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include "FontSubstitutions.h"
#include "RenderSlipPage.h"
#include "SlipLayout.h"
#include "TPrintOptions.h"
#include "TThCampanyInfo.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"

namespace {

constexpr TSlipResolution PrinterDpi{600, 600};

// A 1,000-line estimate: 26 portrait pages.
struct Estimate {
    TThConfigInfo config{QStringLiteral("/nonexistent/")};
    TThEstimateObjectList document;
    TThCampanyInfo profile;
    TPrintOptions options;

    Estimate() {
        config.LoadFromFile(QStringLiteral("/nonexistent/conf.ini"));
        document.PadLines(1000);
        for (int i = 0; i < 1000; ++i) {
            TThEstimateObject& line = document.Items(i);
            line.ItemName = QStringLiteral("部品 %1 型番 ABC-%1").arg(i + 1);
            line.Num = Currency::fromUnits(i % 9 + 1);
            line.UnitName = i % 10 == 0 ? QStringLiteral("m3") : QStringLiteral("個");
            line.UnitPrice = Currency::fromUnits(1250);
            line.Etc = QStringLiteral("備考%1").arg(i);
            line.CalcTotalPrice();
        }
        document.TaxRate = Currency::fromUnits(10);
        document.CalcTotal();
        options.Tax = TTaxChoice::BeforeTax;
    }
    TSlipSource Source() const { return {document, config, profile, options, skMitsu}; }
};

// Every page of the estimate recorded as a picture at 600 dpi.
void BM_RenderSlipPages600Dpi(benchmark::State& state) {
    const Estimate estimate;
    const TSlipSource source = estimate.Source();
    const int m = SlipPageCount(source);
    for (auto _ : state) {
        for (int n = 1; n <= m; ++n) {
            TSlipPagePicture page =
                RenderSlipPage(source, SlipPageKindOf(n, m), true, false, n, m, PrinterDpi);
            benchmark::DoNotOptimize(page.Picture.size());
        }
    }
    state.counters["pages"] = m;
    state.counters["s/page"] = benchmark::Counter(
        m, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RenderSlipPages600Dpi)->Unit(benchmark::kMillisecond);

// One middle page played back onto a 600-dpi A4 image, as the printer gets it.
void BM_PlaySlipPage600Dpi(benchmark::State& state) {
    const Estimate estimate;
    const TSlipSource source = estimate.Source();
    const int m = SlipPageCount(source);
    const TSlipPagePicture page =
        RenderSlipPage(source, TSlipPageKind::pkMiddle, true, false, 2, m, PrinterDpi);
    QImage sheet(page.Size, QImage::Format_RGB32);
    sheet.setDotsPerMeterX(static_cast<int>(600 / 0.0254));
    sheet.setDotsPerMeterY(static_cast<int>(600 / 0.0254));
    for (auto _ : state) {
        QPainter painter(&sheet);
        DrawSlipPage(painter, page, page.Size);
        painter.end();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlaySlipPage600Dpi)->Unit(benchmark::kMillisecond);

// The same page played onto a 600-dpi PDF page, which is what a CUPS printer is sent.
void BM_PlaySlipPageToPdf600Dpi(benchmark::State& state) {
    const Estimate estimate;
    const TSlipSource source = estimate.Source();
    const int m = SlipPageCount(source);
    const TSlipPagePicture page =
        RenderSlipPage(source, TSlipPageKind::pkMiddle, true, false, 2, m, PrinterDpi);
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&out);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF());
        QPainter painter(&pdf);
        DrawSlipPage(painter, page, page.Size);
        painter.end();
        benchmark::DoNotOptimize(out.size());
    }
}
BENCHMARK(BM_PlaySlipPageToPdf600Dpi)->Unit(benchmark::kMillisecond);

}  // namespace

// Drawing needs fonts, so the pages are drawn under an application on the offscreen platform.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
