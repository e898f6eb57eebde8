#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "DocumentFile.h"
#include "FileList.h"
#include "TThEstimateObjectList.h"

namespace {

constexpr int Documents = 10000;

// A data folder of 10,000 full 100-line documents, made once; written directly, since the
// atomic save's fsync per file would only slow the setup.
QString dataFolder() {
    static QTemporaryDir folder;
    static bool filled = false;
    if (!filled) {
        TThEstimateObjectList d;
        d.PadLines(TThEstimateObjectList::DefaultLineCount);
        for (int line = 0; line < 30; ++line) {
            d.Items(line).ItemName = QStringLiteral("ステンレスボルト M%1×20").arg(line % 12 + 3);
            d.Items(line).Num = Currency::fromUnits(line + 1);
        }
        for (int i = 0; i < Documents; ++i) {
            d.Customer.Name1 = QStringLiteral("株式会社サンプル商事 第%1営業所").arg(i % 500);
            d.TotalClaimMode = i % 10 == 0;
            QFile file(QDir(folder.path())
                           .filePath(QStringLiteral("見積%1.MT4").arg(i, 5, 10, QChar(u'0'))));
            if (!file.open(QIODevice::WriteOnly)) {
                std::abort();
            }
            file.write(
                DocumentFile::Encode(d, QStringLiteral("コメント%1").arg(i),
                                     QDateTime(QDate(2008, 4, 1), QTime(9, 5)).addSecs(60 * i)));
        }
        filled = true;
    }
    return folder.path();
}

void FillFileList(benchmark::State& state) {
    const QString folder = dataFolder();
    for (auto _ : state) {
        const FileList::Listing listing = FileList::Read(folder);
        if (listing.Entries.size() != Documents) {
            state.SkipWithError("not every document was listed");
        }
    }
}
BENCHMARK(FillFileList)->Unit(benchmark::kMillisecond);

void FilterCompanyName(benchmark::State& state) {
    const QString folder = dataFolder();
    for (auto _ : state) {
        const FileList::Listing listing = FileList::ReadMatching(
            folder, FileList::Condition::CompanyName, QStringLiteral("第42営業所"));
        benchmark::DoNotOptimize(listing.Entries.size());
    }
}
BENCHMARK(FilterCompanyName)->Unit(benchmark::kMillisecond);

void SortByCompanyName(benchmark::State& state) {
    const FileList::Listing listing = FileList::Read(dataFolder());
    bool ascending = false;
    for (auto _ : state) {
        std::vector<FileList::Entry> entries = listing.Entries;
        ascending = !ascending;
        FileList::Sort(entries, FileList::ColumnName1, ascending);
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(SortByCompanyName)->Unit(benchmark::kMillisecond);

}  // namespace
