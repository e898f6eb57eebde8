#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "Cp932.h"
#include "SmbShare.h"
#include "TThCustomerObjectList.h"
#include "TextFile.h"

namespace {

constexpr int Customers = 1000;

// A data folder with a shop's customer master: on this machine's disk (0) or on a Samba share
// on 127.0.0.1 through an smbnetfs mount (1), as a PC of a shop sees it.
QString dataFolder(benchmark::State& state) {
    static QTemporaryDir local;
    static std::unique_ptr<SmbShare> share;
    static QString shareFailure;
    QString root = local.path();
    if (state.range(0) == 1) {
        if (!share) {
            share = std::make_unique<SmbShare>();
            shareFailure = share->Start();
        }
        if (!shareFailure.isEmpty()) {
            state.SkipWithError(shareFailure.toStdString().c_str());
            return {};
        }
        root = share->Mount(0);
    }
    static int runs = 0;
    const QString folder = root + QStringLiteral("/bench-%1").arg(++runs);
    QDir().mkpath(folder);
    QStringList lines;
    for (int i = 0; i < Customers; ++i) {
        lines << QStringLiteral(
                     "C%1,株式会社サンプル商事%1,営業部,,980-0811,宮城県仙台市青葉区一番町,"
                     "1-%2,022-111-%3,")
                     .arg(i)
                     .arg(i % 50)
                     .arg(i % 10000, 4, 10, QChar(u'0'));
    }
    TextFile::WriteLines(folder + QStringLiteral("/Customer.dat"), lines);
    return folder;
}

// Today's save before merging: the whole list written beside the file and renamed over it.
void BM_PlainSave(benchmark::State& state) {
    const QString folder = dataFolder(state);
    if (folder.isEmpty()) {
        return;
    }
    TThCustomerObjectList list;
    list.LoadFromFile(folder + QStringLiteral("/Customer.dat"));
    const QStringList lines = list.Lines();
    for (auto _ : state) {
        TextFile::WriteLines(folder + QStringLiteral("/Customer.dat"), lines);
    }
}

// One customer edited and saved as the windows and the tool save now: the write lock, the file
// read again, the three-way merge, the write and the record of the last writer.
void BM_MergedSave(benchmark::State& state) {
    const QString folder = dataFolder(state);
    if (folder.isEmpty()) {
        return;
    }
    const QString path = folder + QStringLiteral("/Customer.dat");
    TThCustomerObjectList list;
    list.LoadFromFile(path);
    int round = 0;
    for (auto _ : state) {
        list.Items(round % Customers).Fax = QString::number(round);
        ++round;
        list.SaveToFile(path);
    }
}

BENCHMARK(BM_PlainSave)->Arg(0)->Arg(1)->ArgName("share")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergedSave)->Arg(0)->Arg(1)->ArgName("share")->Unit(benchmark::kMillisecond);

}  // namespace
