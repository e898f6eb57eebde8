#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <QDateTime>
#include <QFileInfo>

#include "KenAllSample.h"
#include "LoopbackHttpServer.h"
#include "QtPrint.h"
#include "TempDir.h"
#include "ToolProcess.h"
#include "ZipArchive.h"

#include "CopyOwner.h"
#include "Cp932.h"
#include "DataLock.h"
#include "KenAll.h"
#include "ZipUpdate.h"

namespace {

ToolRun run(const TempDir& root, const QStringList& arguments) {
    return tool(QStringList{"--data-root", root.root()} + arguments);
}

class PostalCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir().mkpath(root.path("zip"));
        ASSERT_TRUE(QFile::copy(DORVANI4_TEST_DATA "/postal/zip.dat", root.path("zip/zip.dat")));
    }
    TempDir root;
};

TEST_F(PostalCommandTest, PrintsOneMatchPerLineInFileOrder) {
    const ToolRun byCode = run(root, {"zip", "100-0001"});
    ASSERT_EQ(byCode.status, 0) << byCode.err.toStdString();
    EXPECT_EQ(byCode.out, "100-0001\t東京都千代田区千代田\n");

    const ToolRun prefix = run(root, {"zip", "100"});
    EXPECT_EQ(prefix.out.split('\n', Qt::SkipEmptyParts).size(), 4);
    EXPECT_TRUE(prefix.out.startsWith("100-0001\t"));

    const ToolRun byAddress = run(root, {"address", "千代田"});
    ASSERT_EQ(byAddress.status, 0);
    const QStringList lines = byAddress.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), "100-0001\t東京都千代田区千代田");
    EXPECT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.at(3), "101-0021\t東京都千代田区外神田");  // file order, not sorted
}

TEST_F(PostalCommandTest, NoMatchGivesTheProgramsMessage) {
    struct Case {
        QStringList arguments;
        const char* message;
    };
    for (const Case& c :
         {Case{{"zip", "999"}, "郵便番号が不明です。"}, Case{{"zip", "10"}, "郵便番号が不明です。"},
          Case{{"address", "存在しない町"}, "住所が不明です。"}}) {
        const ToolRun lookup = run(root, c.arguments);
        EXPECT_EQ(lookup.status, 1) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(lookup.out.isEmpty());
        EXPECT_EQ(lookup.err,
                  QStringLiteral("dorvani4-tool: %1\n").arg(QString::fromUtf8(c.message)));
    }
}

// As at the program's first start, the national table installed with it (in the build:
// the one scripts/setup converted) comes into a new data root.
TEST(PostalCommand, ALookupOnANewDataRootMakesItWithTheInstalledTable) {
    const QString national = QStringLiteral(DORVANI4_TEST_DATA "/../../resources/postal/zip.dat");
    if (!QFileInfo::exists(national)) {
        GTEST_SKIP() << "no national table; scripts/setup makes it";
    }
    TempDir parent;
    const QString root = parent.path("new-root");
    const ToolRun lookup = tool({"--data-root", root, "zip", "100-0001"});
    ASSERT_EQ(lookup.status, 0) << lookup.err.toStdString();
    EXPECT_EQ(lookup.out, "100-0001\t東京都千代田区千代田\n");
    EXPECT_EQ(QFileInfo(root + "/zip/zip.dat").size(), QFileInfo(national).size());
    EXPECT_TRUE(QFileInfo(root + "/zip/version.txt").isFile());
    EXPECT_TRUE(QFileInfo(root + "/conf.ini").isFile());
}

TEST(PostalCommand, MissingTableIsAFileError) {
    TempDir empty;
    const ToolRun lookup = run(empty, {"zip", "100"});
    EXPECT_EQ(lookup.status, 1);
    EXPECT_TRUE(lookup.err.contains("zip.dat")) << lookup.err.toStdString();
}

}  // namespace

namespace {

using Reply = LoopbackHttpServer::Reply;

// A national table's worth of data, made once: the tool accepts nothing smaller.
const QByteArray& fullSizeCsv() {
    static const QByteArray csv = KenAllSample(124000);
    return csv;
}

const QByteArray& fullSizeArchive() {
    static const QByteArray archive =
        ZipArchiveOf("KEN_ALL.CSV", fullSizeCsv(), QDateTime(QDate(2025, 5, 30), QTime(12, 0)));
    return archive;
}

QByteArray businessCsv() {
    return readFileBytes(DORVANI4_TEST_DATA "/postal/JIGYOSYO.CSV");
}

QByteArray businessArchive() {
    return ZipArchiveOf("JIGYOSYO.CSV", businessCsv(), QDateTime(QDate(2025, 5, 28), QTime(12, 0)));
}

const QByteArray& fullSizeTable() {
    static const QByteArray table =
        KenAll::ToZipTable({fullSizeCsv(), "KEN_ALL.CSV"}, {businessCsv(), "JIGYOSYO.CSV"});
    return table;
}

QString terminal(const QString& message) {
    return QString(message).replace("\r\n", "\n");
}

class PostalUpdateCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir().mkpath(root.path("zip"));
        writeFileBytes(root.path("zip/zip.dat"), OldTable);
        writeFileBytes(root.path("zip/version.txt"), OldVersion);
        server.Serve("/ken_all.zip", {fullSizeArchive(), "Fri, 30 May 2025 03:00:00 GMT"});
        server.Serve("/jigyosyo.zip", {businessArchive(), "Wed, 28 May 2025 03:00:00 GMT"});
        // Both of Japan Post's addresses on the loopback server, whatever a test's --url.
        writeFileBytes(root.path("conf.ini"),
                       ("[ZIPUPDATE]\r\nJAPANPOST_URL=" + server.Url("/ken_all.zip") +
                        "\r\nJIGYOSYO_URL=" + server.Url("/jigyosyo.zip"))
                           .toUtf8());
    }
    ToolRun update(const QStringList& arguments) {
        return run(root, QStringList{"postal-update"} + arguments);
    }
    void ExpectOldTable() {
        EXPECT_EQ(readFileBytes(root.path("zip/zip.dat")), OldTable);
        EXPECT_EQ(readFileBytes(root.path("zip/version.txt")), OldVersion);
        EXPECT_EQ(QDir(root.path("zip")).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    const QByteArray OldTable = "1000001,old\r\n";
    const QByteArray OldVersion = "2023/07/06\r\n";
    TempDir root;
    LoopbackHttpServer server;
};

TEST_F(PostalUpdateCommand, InstallsNewerDataFromJapanPostThenFindsItCurrent) {
    const ToolRun first = update({"--url", server.Url("/ken_all.zip")});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, "更新に成功しました。\n");
    EXPECT_EQ(readFileBytes(root.path("zip/zip.dat")), fullSizeTable());
    EXPECT_EQ(readFileBytes(root.path("zip/version.txt")),
              Cp932::encode("2025/05/30\r\n2025/05/30 日本郵便公開データ\r\n"));

    const ToolRun again = update({"--url", server.Url("/ken_all.zip")});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "データの更新はありませんでした。\n");
}

TEST_F(PostalUpdateCommand, SourceAndUrlComeFromConfIni) {
    writeFileBytes(root.path("conf.ini"),
                   ("[ZIPUPDATE]\r\nSOURCE=server\r\nSERVER_URL=" + server.Url("/m")).toUtf8());
    server.Serve("/m/liveupdate/zipcode/version.txt", {"2025/06/01\n"});
    server.Serve("/m/liveupdate/zipcode/zip.dat", {fullSizeTable()});
    const ToolRun check = update({"--check"});
    EXPECT_EQ(check.status, 0) << check.err.toStdString();
    EXPECT_EQ(check.out, "新しい更新データがありました\n");
    ExpectOldTable();

    const ToolRun install = update({});
    EXPECT_EQ(install.status, 0) << install.err.toStdString();
    EXPECT_EQ(readFileBytes(root.path("zip/version.txt")), "2025/06/01\r\n");
}

TEST_F(PostalUpdateCommand, GoesThroughTheGivenProxy) {
    const QString nowhere =
        QStringLiteral("http://127.0.0.1:%1/ken_all.zip").arg(ClosedLoopbackPort());
    const ToolRun viaProxy = update({"--check", "--url", nowhere, "--proxy",
                                     QStringLiteral("127.0.0.1:%1").arg(server.Port())});
    EXPECT_EQ(viaProxy.status, 0) << viaProxy.err.toStdString();
    EXPECT_EQ(viaProxy.out, "新しい更新データがありました\n");
}

TEST_F(PostalUpdateCommand, FailuresGiveTheWindowsMessagesAndKeepTheOldTable) {
    server.Serve("/html.zip", {"<html>sign in</html>", "Fri, 30 May 2025 03:00:00 GMT"});
    struct Case {
        QStringList arguments;
        const QString& message;
    };
    for (const Case& c :
         {Case{{"--url", server.Url("/missing.zip")}, ZipUpdate::CheckFailedMessage},
          Case{{"--url", QStringLiteral("http://127.0.0.1:%1/").arg(ClosedLoopbackPort())},
               ZipUpdate::CheckFailedMessage},
          Case{{"--url", server.Url("/html.zip")}, ZipUpdate::DownloadFailedMessage},
          Case{{"--jigyosyo-url", server.Url("/missing.zip")}, ZipUpdate::CheckFailedMessage},
          Case{{"--jigyosyo-url", server.Url("/html.zip")}, ZipUpdate::DownloadFailedMessage},
          Case{{"--source", "server"}, ZipUpdate::CheckFailedMessage}}) {
        const ToolRun failed = update(c.arguments);
        EXPECT_EQ(failed.status, 1) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(failed.err.endsWith("dorvani4-tool: " + terminal(c.message) + "\n"))
            << failed.err.toStdString();
        ExpectOldTable();
    }
}

TEST_F(PostalUpdateCommand, InstallsDownloadedFilesOffline) {
    QDir().mkpath(root.path("dl"));
    writeFileBytes(root.path("dl/ken_all.zip"), fullSizeArchive());
    writeFileBytes(root.path("dl/jigyosyo.zip"), businessArchive());
    for (const QStringList& sources : {QStringList{"--source", root.path("dl/jigyosyo.zip"),
                                                   "--source", root.path("dl/ken_all.zip")},
                                       QStringList{"--source", root.path("dl")}}) {
        const ToolRun offline = update(sources);
        ASSERT_EQ(offline.status, 0) << offline.err.toStdString();
        EXPECT_EQ(readFileBytes(root.path("zip/zip.dat")), fullSizeTable());
        EXPECT_EQ(readFileBytes(root.path("zip/version.txt")),
                  Cp932::encode("2025/05/30\r\n2025/05/30 日本郵便公開データ\r\n"));
    }
}

TEST_F(PostalUpdateCommand, RefusesFilesThatAreNotBothOfJapanPosts) {
    QDir().mkpath(root.path("dl"));
    writeFileBytes(root.path("dl/ken_all.zip"), fullSizeArchive());
    writeFileBytes(root.path("dl/small.csv"),
                   readFileBytes(DORVANI4_TEST_DATA "/postal/KEN_ALL.CSV"));
    writeFileBytes(root.path("dl/JIGYOSYO.CSV"), businessCsv());
    struct Case {
        QStringList sources;
        const char* problem;  // part of the message
    };
    for (const Case& c :
         {Case{{root.path("dl/ken_all.zip")}, "jigyosyo.zip"},
          Case{{root.path("dl/small.csv"), root.path("dl/JIGYOSYO.CSV")}, "行しかありません"}}) {
        QStringList arguments;
        for (const QString& source : c.sources) {
            arguments << "--source" << source;
        }
        const ToolRun refused = update(arguments);
        EXPECT_EQ(refused.status, 1) << c.problem;
        EXPECT_TRUE(refused.err.contains(QString::fromUtf8(c.problem)))
            << refused.err.toStdString();
        ExpectOldTable();
    }
}

TEST_F(PostalUpdateCommand, OneUpdateAtATimePerDataRoot) {
    QDir().mkpath(root.path("dl"));
    writeFileBytes(root.path("dl/ken_all.zip"), fullSizeArchive());
    writeFileBytes(root.path("dl/jigyosyo.zip"), businessArchive());
    // This test's process stands for another copy in the middle of its update.
    const DataLock otherUpdate(root.root(), DataLock::PostalName);
    const ToolRun refused = update({"--source", root.path("dl")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "dorvani4-tool: " + ZipUpdate::BusyMessage(CopyOwner::Current()) + "\n");
    ExpectOldTable();
    // A check writes nothing and needs no lock.
    const ToolRun check = update({"--check", "--source", root.path("dl")});
    EXPECT_EQ(check.status, 0) << check.err.toStdString();
    EXPECT_EQ(check.out, "新しい更新データがありました\n");
}

TEST_F(PostalUpdateCommand, StartCompletesASwapCutOffUnlessItIsStillRunning) {
    for (const bool running : {true, false}) {
        // Cut after the table's rename: the new table beside the old version file.
        writeFileBytes(root.path("zip/zip.dat"), "1000001,new\r\n");
        writeFileBytes(root.path("zip/version.txt.new"), "2025/05/30\r\n");
        writeFileBytes(root.path("zip/swap.commit"), {});
        std::unique_ptr<DataLock> updating;
        if (running) {
            updating = std::make_unique<DataLock>(root.root(), DataLock::PostalName);
        }
        const ToolRun lookup = run(root, {"zip", "100-0001"});
        EXPECT_EQ(lookup.status, 0) << lookup.err.toStdString();
        EXPECT_EQ(lookup.out, "100-0001\tnew\n");
        EXPECT_EQ(readFileBytes(root.path("zip/version.txt")),
                  running ? OldVersion : QByteArray("2025/05/30\r\n"))
            << running;
        EXPECT_EQ(QDir(root.path("zip")).entryList(QDir::Files | QDir::Hidden).size(),
                  running ? 4 : 2);
    }
}

TEST(PostalBuildCommand, WritesTheFilesOfAnUpdateServer) {
    TempDir dir;
    QDir().mkpath(dir.path("dl"));
    writeFileBytes(dir.path("dl/KEN_ALL.CSV"), fullSizeCsv());
    writeFileBytes(dir.path("dl/JIGYOSYO.CSV"), businessCsv());
    for (const QStringList& inputs :
         {QStringList{dir.path("dl/KEN_ALL.CSV"), dir.path("dl/JIGYOSYO.CSV")},
          QStringList{dir.path("dl")}}) {
        QDir(dir.path("out")).removeRecursively();
        const ToolRun built =
            run(dir, QStringList{"postal-build"} + inputs + QStringList{dir.path("out/zipcode")});
        ASSERT_EQ(built.status, 0) << built.err.toStdString();
        EXPECT_EQ(readFileBytes(dir.path("out/zipcode/zip.dat")), fullSizeTable());
        const QDate newer = std::max(QFileInfo(dir.path("dl/KEN_ALL.CSV")).lastModified().date(),
                                     QFileInfo(dir.path("dl/JIGYOSYO.CSV")).lastModified().date());
        EXPECT_TRUE(readFileBytes(dir.path("out/zipcode/version.txt"))
                        .startsWith(newer.toString("yyyy/MM/dd").toLatin1()));
    }
    const ToolRun townsOnly =
        run(dir, {"postal-build", dir.path("dl/KEN_ALL.CSV"), dir.path("out2")});
    EXPECT_EQ(townsOnly.status, 1);
    EXPECT_TRUE(townsOnly.err.contains("jigyosyo.zip")) << townsOnly.err.toStdString();
}

}  // namespace
