#include <gtest/gtest.h>

#include "QtPrint.h"

#include <sys/stat.h>
#include <sys/time.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <thread>
#include <vector>

#include "DataLock.h"
#include "TempDir.h"

namespace {

constexpr DataLock::Timing Quick{2000, 10000, 2000};

QString lockPath(const TempDir& dir, const QString& name = DataLock::WriteName) {
    return DataLock::Folder(dir.root()) + name + ".lock";
}

// The pid of a process that has ended.
qint64 endedPid() {
    QProcess process;
    process.start("true", {});
    process.waitForFinished();
    return process.processId() > 0 ? process.processId() : 4194303;
}

void writeForeignLock(const QString& path, const QString& host, qint64 pid, int ageSeconds) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    CopyOwner owner;
    owner.Host = host;
    owner.User = "clerk";
    owner.Pid = pid;
    owner.Program = "dorvani4";
    owner.Started = QDateTime::currentDateTime();
    writeFileBytes(path, owner.Serialize() + "token=1\nbeat=0\n");
    timeval times[2];
    gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= ageSeconds;
    times[1] = times[0];
    ASSERT_EQ(utimes(QFile::encodeName(path).constData(), times), 0);
}

TEST(DataLock, HeldUntilDestroyedAndNamesItsHolder) {
    TempDir dir;
    {
        const DataLock lock(dir.root(), DataLock::WriteName, Quick);
        EXPECT_TRUE(QFile::exists(lockPath(dir)));
        std::optional<CopyOwner> holder;
        EXPECT_EQ(DataLock::TryTake(dir.root(), DataLock::WriteName, &holder, Quick), nullptr);
        ASSERT_TRUE(holder);
        EXPECT_TRUE(holder->SameCopy(CopyOwner::Current()));
        EXPECT_TRUE(DataLock::Holder(dir.root(), DataLock::WriteName, Quick));
        // Another name is another lock.
        EXPECT_NE(DataLock::TryTake(dir.root(), DataLock::PostalName, nullptr, Quick), nullptr);
    }
    EXPECT_FALSE(QFile::exists(lockPath(dir)));
    EXPECT_FALSE(DataLock::Holder(dir.root(), DataLock::WriteName, Quick));
}

TEST(DataLock, BusyAfterTheWaitWithTheHolderNamed) {
    TempDir dir;
    const DataLock held(dir.root(), DataLock::WriteName, Quick);
    try {
        DataLock(dir.root(), DataLock::WriteName, {50, 10000, 2000});
        FAIL() << "a held lock was taken twice";
    } catch (const ELockBusy& busy) {
        EXPECT_TRUE(busy.message().contains(CopyOwner::Current().Host))
            << busy.message().toStdString();
    }
}

struct StaleCase {
    const char* name;
    bool otherHost;
    bool processEnded;
    int ageSeconds;
    bool takenOver;
    friend void PrintTo(const StaleCase& c, std::ostream* os) { *os << c.name; }
};

class StaleLock : public ::testing::TestWithParam<StaleCase> {};

TEST_P(StaleLock, IsTakenOverOnlyWhenLeftBehind) {
    const StaleCase& c = GetParam();
    TempDir dir;
    const QString host = c.otherHost ? QString("other-pc") : CopyOwner::Current().Host;
    const qint64 pid = c.processEnded ? endedPid() : qint64(::getpid());
    writeForeignLock(lockPath(dir), host, pid, c.ageSeconds);
    std::optional<std::optional<CopyOwner>> told;
    DataLock::SetTakeOverNotice([&](const std::optional<CopyOwner>& previous) { told = previous; });
    std::optional<CopyOwner> holder;
    const std::unique_ptr<DataLock> lock =
        DataLock::TryTake(dir.root(), DataLock::WriteName, &holder, Quick);
    DataLock::SetTakeOverNotice({});
    EXPECT_EQ(lock != nullptr, c.takenOver);
    if (c.takenOver) {
        ASSERT_TRUE(told && *told);
        EXPECT_EQ((*told)->Host, host);
        EXPECT_EQ(lock->TakenOver()->Pid, pid);
        EXPECT_TRUE(DataLock::TakeOverText(*told).contains(host));
        EXPECT_FALSE(QFile::exists(lockPath(dir) + ".break"));
    } else {
        ASSERT_TRUE(holder);
        EXPECT_EQ(holder->Host, host);
        EXPECT_FALSE(told);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Holders, StaleLock,
    ::testing::Values(StaleCase{"EndedProcessOfThisHost", false, true, 0, true},
                      StaleCase{"LiveProcessOfThisHostHowOld", false, false, 3600, false},
                      StaleCase{"UnrefreshedOtherHost", true, false, 60, true},
                      StaleCase{"FreshOtherHost", true, true, 0, false}));

TEST(DataLock, ARecordCutWhileWrittenCountsByItsAge) {
    TempDir dir;
    QDir().mkpath(DataLock::Folder(dir.root()));
    writeFileBytes(lockPath(dir), "host=");
    EXPECT_EQ(DataLock::TryTake(dir.root(), DataLock::WriteName, nullptr, Quick), nullptr);
    timeval old[2];
    gettimeofday(&old[0], nullptr);
    old[0].tv_sec -= 60;
    old[1] = old[0];
    ASSERT_EQ(utimes(QFile::encodeName(lockPath(dir)).constData(), old), 0);
    EXPECT_NE(DataLock::TryTake(dir.root(), DataLock::WriteName, nullptr, Quick), nullptr);
}

TEST(DataLock, IsRefreshedWhileHeld) {
    TempDir dir;
    const DataLock lock(dir.root(), DataLock::WriteName, {2000, 10000, 20});
    const QByteArray first = readFileBytes(lockPath(dir));
    ASSERT_TRUE(first.endsWith("beat=0\n"));
    // A read may meet the file while it is rewritten; only a whole later record counts.
    QByteArray now = first;
    for (int i = 0; i < 500 && (now == first || !now.contains("beat=") || !now.endsWith('\n'));
         ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        now = readFileBytes(lockPath(dir));
    }
    EXPECT_NE(now, first);
    EXPECT_EQ(CopyOwner::Parse(now)->Pid, CopyOwner::Current().Pid);
}

TEST(DataLock, KeepsOthersOutOfAReadModifyWrite) {
    TempDir dir;
    const QString counter = dir.path("counter");
    writeFileBytes(counter, "0");
    constexpr int Threads = 4;
    constexpr int Rounds = 50;
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&] {
            for (int r = 0; r < Rounds; ++r) {
                const DataLock lock(dir.root(), DataLock::WriteName, {60000, 10000, 2000});
                const int value = readFileBytes(counter).toInt();
                std::this_thread::yield();
                writeFileBytes(counter, QByteArray::number(value + 1));
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(readFileBytes(counter).toInt(), Threads * Rounds);
}

}  // namespace
