#include <gtest/gtest.h>

#include "QtPrint.h"

#include <unistd.h>

#include <QFile>
#include <QRegularExpression>

#include "DocumentPresence.h"
#include "HandMadeLock.h"
#include "TempDir.h"

namespace {

QString markerPath(const QString& root, const QString& document) {
    return DataLock::Folder(root) + DocumentPresence::LockName(document) + ".lock";
}

TEST(DocumentPresence, NamesTheMarkerByTheFileNameAlone) {
    const QString name = QStringLiteral("見積2026-12 株式会社青葉建設 外壁塗装工事.MT4");
    const QString decomposed = QStringLiteral("カ\u3099ス.MT4");  // ガス as a Mac writes it
    const struct {
        QString a;
        QString b;
        bool same;
    } cases[] = {
        {"/home/kato/HESTREL/Pelkano4/data/" + name, "/mnt/jimusho/Pelkano4/data/" + name, true},
        {"/r/data/" + name, "/r/data/見積2026-12.MT4", false},
        {"/r/data/" + decomposed, "/r/data/ガス.MT4", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a.toStdString() + " / " + c.b.toStdString());
        const QString lock = DocumentPresence::LockName(c.a);
        EXPECT_EQ(lock == DocumentPresence::LockName(c.b), c.same);
        EXPECT_TRUE(QRegularExpression("^open-[0-9a-f]{40}$").match(lock).hasMatch())
            << lock.toStdString();
    }
}

TEST(DocumentPresence, TellsTheFilesOfTheDataFolder) {
    TempDir dir;
    QDir(dir.root()).mkpath("data/sub");
    const struct {
        const char* path;
        bool inside;
    } cases[] = {
        {"data/見積A.MT4", true},      {"data/../data/見積A.MT4", true}, {"見積A.MT4", false},
        {"data/sub/見積A.MT4", false}, {"other/data/見積A.MT4", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DocumentPresence::InDataFolder(dir.root() + "/", dir.path(c.path)), c.inside)
            << c.path;
    }
    EXPECT_EQ(DocumentPresence::RootOfDataFolder(dir.root() + "/data/"), dir.root());
}

TEST(DocumentPresence, HeldWhileOpenThenGone) {
    TempDir dir;
    const QString document = dir.path("data/見積A.MT4");
    std::optional<CopyOwner> holder;
    std::unique_ptr<DataLock> marker = DocumentPresence::Claim(dir.root(), document, &holder);
    ASSERT_NE(marker, nullptr);
    EXPECT_FALSE(holder);
    ASSERT_TRUE(DocumentPresence::Holder(dir.root(), document));
    EXPECT_TRUE(DocumentPresence::Holder(dir.root(), document)->SameCopy(CopyOwner::Current()));

    // A second claim, even by this same process, finds it held and says by whom.
    EXPECT_EQ(DocumentPresence::Claim(dir.root(), document, &holder), nullptr);
    ASSERT_TRUE(holder);
    EXPECT_TRUE(holder->SameCopy(CopyOwner::Current()));
    EXPECT_EQ(DocumentPresence::Who(holder), CopyOwner::Current().Describe());
    // Other documents and the write lock are apart.
    EXPECT_NE(DocumentPresence::Claim(dir.root(), dir.path("data/見積B.MT4"), nullptr), nullptr);
    EXPECT_NE(DataLock::TryTake(dir.root(), DataLock::WriteName, nullptr, {}), nullptr);

    marker.reset();
    EXPECT_FALSE(QFile::exists(markerPath(dir.root(), document)));
    EXPECT_FALSE(DocumentPresence::Holder(dir.root(), document));
    EXPECT_NE(DocumentPresence::Claim(dir.root(), document, nullptr), nullptr);
}

TEST(DocumentPresence, AMarkerLeftBehindIsTakenOverAndALiveOneNamesItsHolder) {
    const CopyOwner& self = CopyOwner::Current();
    const qint64 ended = endedPid();
    const struct {
        const char* name;
        QString host;
        qint64 pid;
        qint64 processStart;
        int ageSeconds;
        bool live;
    } cases[] = {
        {"a window of this PC that ended", self.Host, ended, 0, 0, false},
        {"its pid now used by another process", self.Host, self.Pid, self.ProcessStart + 1, 0,
         false},
        {"this very process", self.Host, self.Pid, self.ProcessStart, 3600, true},
        {"another PC refreshing it", "other-pc", 4242, 1, -60, true},
        {"another PC gone quiet a minute ago", "other-pc", 4242, 1, 60, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const QString document = dir.path("data/見積A.MT4");
        CopyOwner owner = otherPcOwner();
        owner.Host = c.host;
        owner.Pid = c.pid;
        owner.ProcessStart = c.processStart;
        ASSERT_TRUE(writeHandMadeLock(dir.root(), DocumentPresence::LockName(document), owner,
                                      c.ageSeconds));

        EXPECT_EQ(DocumentPresence::Holder(dir.root(), document).has_value(), c.live);
        std::optional<CopyOwner> holder;
        const std::unique_ptr<DataLock> marker =
            DocumentPresence::Claim(dir.root(), document, &holder);
        EXPECT_EQ(marker == nullptr, c.live);
        if (c.live) {
            ASSERT_TRUE(holder);
            EXPECT_EQ(holder->Host, c.host);
            EXPECT_EQ(holder->Pid, c.pid);
            EXPECT_EQ(DocumentPresence::InUseText("見積A", holder),
                      "見積A は、PC「" + c.host +
                          "」のユーザー「sato」（ウィンドウ）が開いているため上書きできません。");
        } else {
            ASSERT_TRUE(marker->TakenOver());
            EXPECT_EQ(marker->TakenOver()->Pid, c.pid);
            EXPECT_TRUE(
                CopyOwner::Parse(readFileBytes(markerPath(dir.root(), document)))->SameCopy(self));
        }
    }
}

}  // namespace
