#include <benchmark/benchmark.h>

#include <QProcess>

#include "Cp932.h"
#include "KenAll.h"
#include "KenAllSample.h"
#include "ZipTable.h"

// Both lookups over the national table, each beside grep -F -c for the same key on the
// same file as the reference (grep's time includes starting the process).

namespace {

QString table() {
    static const QString path = ZipTable::InstalledFolder() + QLatin1String(ZipTable::FileName);
    return path;
}

void ByCode(benchmark::State& state, const char* key) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ZipTable::FindByCode(table(), QString::fromUtf8(key)));
    }
}

void ByAddress(benchmark::State& state, const char* key) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ZipTable::FindByAddress(table(), QString::fromUtf8(key)));
    }
}

// grep gets the key in cp932, as it stands in the file: arguments of QProcess would be
// UTF-8, so the shell's printf makes the bytes.
void Grep(benchmark::State& state, const char* key) {
    QString escaped;
    for (const char byte : Cp932::encode(QString::fromUtf8(key))) {
        escaped += QStringLiteral("\\%1").arg(static_cast<unsigned char>(byte), 3, 8, QChar('0'));
    }
    const QString command =
        QStringLiteral("grep -F -c -- \"$(printf '%1')\" '%2'").arg(escaped, table());
    for (auto _ : state) {
        QProcess grep;
        grep.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
        grep.waitForFinished();
        benchmark::DoNotOptimize(grep.readAllStandardOutput());
    }
}

// The update's conversion of Japan Post's two files of the real size (some 124,000 rows of
// KEN_ALL.CSV and 22,000 of JIGYOSYO.CSV) into zip.dat.
void ConvertKenAll(benchmark::State& state) {
    const QByteArray towns = KenAllSample(124000);
    const QByteArray businesses = JigyosyoSample(22000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(KenAll::ToZipTable({towns, QStringLiteral("KEN_ALL.CSV")},
                                                    {businesses, QStringLiteral("JIGYOSYO.CSV")}));
    }
}

BENCHMARK(ConvertKenAll)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ByCode, Code100, "100")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Grep, Code100, "100")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ByAddress, Chiyoda, "千代田")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Grep, Chiyoda, "千代田")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ByAddress, LatinFullWidth, "ｊｒ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Grep, LatinFullWidth, "ＪＲ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ByAddress, LatinAscii, "Tower")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Grep, LatinAscii, "Tower")->Unit(benchmark::kMillisecond);

}  // namespace
