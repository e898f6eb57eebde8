#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include "AppWindows.h"
#include "DataFolders.h"
#include "FontSubstitutions.h"
#include "TFormMain.h"

namespace {

// One exit from a row of a filled document: the row is stored, the document recomputed
// and every row and total shown again, as leaving a row control does.
void BM_RowExit(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toUtf8());
    AppWindows::Create(DataFolders(root.filePath(QStringLiteral("HESTREL/Pelkano4/"))));
    TFormMain& window = *AppWindows::FormMain;
    window.show();
    TThEstimateObjectList& document = window.FEstimate;
    document.PadLines(rows);
    for (int i = 0; i < rows; ++i) {
        TThEstimateObject& line = document.Items(i);
        line.ItemName = QStringLiteral("部品 %1 型番 ABC-%1").arg(i + 1);
        line.Num = Currency::fromUnits(i % 9 + 1);
        line.UnitName = QStringLiteral("個");
        line.UnitPrice = Currency::fromUnits(1250);
        line.CalcTotalPrice();
    }
    window.SyncRowCount();
    window.RefreshAll();
    const int row = rows / 2;
    auto* quantity = window.findChild<QLineEdit*>(QStringLiteral("MemoItemNum_%1").arg(row));
    int typed = 0;
    for (auto _ : state) {
        // A different quantity each time, so the amount and the totals really change.
        quantity->setText(QString::number(++typed % 50 + 1));
        window.StoreRow(row);
        document.CalcTotal();
        window.RefreshAll();
    }
    AppWindows::Destroy();
}
BENCHMARK(BM_RowExit)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
