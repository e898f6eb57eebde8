#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "LoopbackHttpServer.h"
#include "QtPrint.h"
#include "TempDir.h"
#include "ZipArchive.h"

#include "Cp932.h"
#include "HttpClient.h"
#include "KenAll.h"
#include "ModelError.h"
#include "ZipUpdate.h"

namespace {

using Delivery = LoopbackHttpServer::Delivery;
using Reply = LoopbackHttpServer::Reply;

const QString Fixture = QStringLiteral(DORVANI4_TEST_DATA "/postal/KEN_ALL.CSV");
// The fixture's table has 15 lines; the tests accept it as if it were the national table.
constexpr qsizetype FixtureLines = 15;
// Stalls are given up after a second, not the half minute of the program.
const HttpClient::Limits TestLimits{2, 1, 0, 1024 * 1024};

QByteArray sjis(const char* utf8) {
    return Cp932::encode(QString::fromUtf8(utf8));
}

const QByteArray ServerTable = sjis("1000001,東京都千代田区千代田\n0600000,北海道札幌市中央区\n");

TEST(ZipUpdate, KeysCompareByteByByte) {
    struct Case {
        const char* local;
        const char* remote;
        ZipUpdate::CheckResult result;
    };
    for (const Case& c : {Case{"2005/10/31", "2005/11/30", ZipUpdate::UpdateAvailable},
                          Case{"2005/11/30", "2005/11/30", ZipUpdate::NoUpdate},
                          Case{"2005/12/01", "2005/11/30", ZipUpdate::NoUpdate},
                          // bytes, not dates: "9" sorts after "1"
                          Case{"2005/9/30", "2005/10/01", ZipUpdate::NoUpdate},
                          Case{"", "2005/11/30", ZipUpdate::UpdateAvailable}}) {
        EXPECT_EQ(ZipUpdate::Compare(c.local, c.remote), c.result) << c.local << " " << c.remote;
    }
}

TEST(ZipUpdate, VersionFromAServerIsNormalisedLikeTheProtocolSays) {
    struct Case {
        QByteArray received;
        QByteArray normalised;
    };
    for (const Case& c : {Case{"2005/11/30\nA\n", "2005/11/30\r\nA\r\n"},
                          Case{"2005/11/30\r\nA\r\n", "2005/11/30\r\n\r\nA\r\n\r\n"},
                          Case{"2005/11/30\tA", "2005/11/30\r\nA\r\n"}}) {
        EXPECT_EQ(ZipUpdate::NormaliseVersion(c.received), c.normalised);
        EXPECT_EQ(ZipUpdate::FirstLine(ZipUpdate::NormaliseVersion(c.received)), "2005/11/30");
    }
}

TEST(ZipUpdate, SettingsComeFromTheirOwnSection) {
    TempDir dir;
    writeFileBytes(dir.path("conf.ini"),
                   "[SETTING]\r\nSOURCE=server\r\n[ZIPUPDATE]\r\nSOURCE=server\r\n"
                   "SERVER_URL= http://mirror.example/ \r\n");
    const ZipUpdate::Settings server = ZipUpdate::Settings::Load(dir.path("conf.ini"));
    EXPECT_EQ(server.Which, ZipUpdate::Source::Server);
    EXPECT_EQ(server.ServerUrl, "http://mirror.example/");
    EXPECT_EQ(server.JapanPostUrl, ZipUpdate::Settings::DefaultJapanPostUrl);

    writeFileBytes(dir.path("conf.ini"), "[SETTING]\r\nSOURCE=server\r\n");
    EXPECT_EQ(ZipUpdate::Settings::Load(dir.path("conf.ini")).Which, ZipUpdate::Source::JapanPost);
    EXPECT_EQ(ZipUpdate::Settings::Load(dir.path("absent.ini")).Which,
              ZipUpdate::Source::JapanPost);
}

class ServerSource : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.Which = ZipUpdate::Source::Server;
        settings.ServerUrl = server.Url("/mirror/");
        server.Serve("/mirror/liveupdate/zipcode/version.txt",
                     {sjis("2025/05/30\n新しいデータ\n")});
        server.Serve("/mirror/liveupdate/zipcode/zip.dat", {ServerTable});
    }
    ZipUpdate::Payload download(const QString& proxyHost = {}, int proxyPort = 0) {
        const HttpClient client(proxyHost, proxyPort, TestLimits);
        return ZipUpdate::Updater(settings, client, 2).Download();
    }

    LoopbackHttpServer server;
    ZipUpdate::Settings settings;
};

TEST_F(ServerSource, AsksTheVersionFileForTheKey) {
    const HttpClient client({}, 0, TestLimits);
    EXPECT_EQ(ZipUpdate::Updater(settings, client).RemoteKey(), "2025/05/30");
}

TEST_F(ServerSource, DownloadsBothFilesWithCrLf) {
    const ZipUpdate::Payload payload = download();
    EXPECT_EQ(payload.Version, sjis("2025/05/30\r\n新しいデータ\r\n"));
    EXPECT_EQ(payload.Table,
              sjis("1000001,東京都千代田区千代田\r\n0600000,北海道札幌市中央区\r\n"));
}

TEST_F(ServerSource, GoesThroughTheProxyWhenOneIsGiven) {
    // The server named in the settings does not exist; only the proxy can answer.
    settings.ServerUrl = QStringLiteral("http://127.0.0.1:%1/mirror").arg(ClosedLoopbackPort());
    EXPECT_EQ(download(QStringLiteral("127.0.0.1"), server.Port()).Table,
              sjis("1000001,東京都千代田区千代田\r\n0600000,北海道札幌市中央区\r\n"));
    ASSERT_FALSE(server.Requests().isEmpty());
    EXPECT_TRUE(server.Requests().first().startsWith("GET http://127.0.0.1:"))
        << server.Requests().first().toStdString();
}

TEST_F(ServerSource, MissingBaseUrlIsAFailure) {
    settings.ServerUrl.clear();
    const HttpClient client({}, 0, TestLimits);
    EXPECT_THROW(ZipUpdate::Updater(settings, client).RemoteKey(), EHttpError);
}

struct Fault {
    const char* name;
    const char* path;  // which file of the server fails
    Reply reply;
};

class ServerFault : public ServerSource, public ::testing::WithParamInterface<Fault> {};

// Whatever goes wrong, nothing is installed: both old files stay byte for byte.
TEST_P(ServerFault, LeavesTheOldTableAsItWas) {
    TempDir dir;
    const QByteArray oldTable = sjis("1000001,旧\r\n");
    writeFileBytes(dir.path("zip.dat"), oldTable);
    writeFileBytes(dir.path("version.txt"), "2023/07/06\r\n");
    server.Serve(QByteArray("/mirror/liveupdate/zipcode/") + GetParam().path, GetParam().reply);

    EXPECT_THROW(ZipUpdate::Install(dir.root() + u'/', download()), EModelError);
    EXPECT_EQ(readFileBytes(dir.path("zip.dat")), oldTable);
    EXPECT_EQ(readFileBytes(dir.path("version.txt")), "2023/07/06\r\n");
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ServerFault,
    ::testing::Values(
        Fault{"TableNotFound", "zip.dat", {"gone", {}, Delivery::Whole, 404}},
        Fault{"VersionNotFound", "version.txt", {"gone", {}, Delivery::Whole, 404}},
        Fault{"ServerError", "zip.dat", {"oops", {}, Delivery::Whole, 500}},
        Fault{"Stalled", "zip.dat", {ServerTable, {}, Delivery::Stall}},
        Fault{"Truncated", "zip.dat", {ServerTable, {}, Delivery::Truncated}},
        Fault{"CaptivePortal", "zip.dat", {"<html><body>Sign in to the Wi-Fi</body></html>"}},
        Fault{"TooLarge", "zip.dat", {QByteArray(2 * 1024 * 1024, '1')}},
        Fault{"TooFewLines", "zip.dat", {sjis("1000001,東京都千代田区千代田\n")}},
        Fault{"EmptyVersion", "version.txt", {""}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ServerUnreachable, IsAnHttpError) {
    ZipUpdate::Settings settings;
    settings.Which = ZipUpdate::Source::Server;
    settings.ServerUrl = QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort());
    const HttpClient client({}, 0, TestLimits);
    EXPECT_THROW(ZipUpdate::Updater(settings, client).RemoteKey(), EHttpError);
}

const QString BusinessFixture = QStringLiteral(DORVANI4_TEST_DATA "/postal/JIGYOSYO.CSV");
// The business fixture's table adds 5 lines.
constexpr qsizetype BothFixturesLines = FixtureLines + 5;

const QByteArray& fixturesTable() {
    static const QByteArray table = KenAll::ToZipTable(
        {readFileBytes(Fixture), "KEN_ALL.CSV"}, {readFileBytes(BusinessFixture), "JIGYOSYO.CSV"});
    return table;
}

constexpr char TownsPath[] = "/zipcode/dl/kogaki/zip/ken_all.zip";
constexpr char BusinessesPath[] = "/zipcode/dl/jigyosyo/zip/jigyosyo.zip";

class JapanPostSource : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.JapanPostUrl = server.Url(TownsPath);
        settings.JigyosyoUrl = server.Url(BusinessesPath);
        // Japan Post's date is the day in Japan: 16:00 GMT on the 30th is the 31st there.
        towns = ZipArchiveOf("KEN_ALL.CSV", readFileBytes(Fixture),
                             QDateTime(QDate(2025, 4, 28), QTime(12, 0)));
        businesses = ZipArchiveOf("JIGYOSYO.CSV", readFileBytes(BusinessFixture),
                                  QDateTime(QDate(2025, 4, 25), QTime(12, 0)));
        serveBoth();
    }
    void serveBoth() {
        server.Serve(TownsPath, {towns, "Fri, 30 May 2025 16:00:00 GMT"});
        server.Serve(BusinessesPath, {businesses, "Thu, 29 May 2025 01:00:00 GMT"});
    }
    ZipUpdate::Updater updater() const {
        return ZipUpdate::Updater(settings, client, BothFixturesLines);
    }

    LoopbackHttpServer server;
    ZipUpdate::Settings settings;
    QByteArray towns;
    QByteArray businesses;
    const HttpClient client{{}, 0, TestLimits};
};

TEST_F(JapanPostSource, KeyIsTheNewerFilesDateInJapan) {
    EXPECT_EQ(updater().RemoteKey(), "2025/05/31");
    ASSERT_EQ(server.Requests().size(), 2);
    for (const QString& request : server.Requests()) {
        EXPECT_TRUE(request.startsWith("HEAD /zipcode/")) << "asks the headers only";
    }
    // A month in which only the businesses changed is new data too.
    server.Serve(BusinessesPath, {businesses, "Mon, 30 Jun 2025 01:00:00 GMT"});
    EXPECT_EQ(updater().RemoteKey(), "2025/06/30");
}

TEST_F(JapanPostSource, WithoutAHeaderDateTheArchivesTellIt) {
    server.Serve(TownsPath, {towns});
    server.Serve(BusinessesPath, {businesses});
    EXPECT_EQ(updater().RemoteKey(), "2025/04/28");
}

TEST_F(JapanPostSource, DownloadConvertsBothArchives) {
    const ZipUpdate::Payload payload = updater().Download();
    EXPECT_EQ(payload.Table, fixturesTable());
    EXPECT_EQ(payload.Version, sjis("2025/05/31\r\n2025/05/31 日本郵便公開データ\r\n"));
}

TEST_F(JapanPostSource, RefusesWhatIsNotTheNationalFiles) {
    struct Case {
        const char* name;
        const char* path;  // which of the two files fails
        Reply reply;
    };
    const QByteArray html = "<html><body>Maintenance</body></html>";
    for (const Case& c :
         {Case{"html", TownsPath, {html, "Fri, 30 May 2025 16:00:00 GMT"}},
          Case{"truncated", TownsPath, {towns, {}, Delivery::Truncated}},
          Case{"stalled", TownsPath, {towns, {}, Delivery::Stall}},
          Case{"missing", TownsPath, {"", {}, Delivery::Whole, 404}},
          Case{"businesses html", BusinessesPath, {html, "Fri, 30 May 2025 16:00:00 GMT"}},
          Case{"businesses truncated", BusinessesPath, {businesses, {}, Delivery::Truncated}},
          Case{"businesses missing", BusinessesPath, {"", {}, Delivery::Whole, 404}},
          // Each file served at the other's address.
          Case{"towns twice", BusinessesPath, {towns}}}) {
        serveBoth();
        server.Serve(c.path, c.reply);
        EXPECT_THROW(updater().Download(), EModelError) << c.name;
    }
    // Real archives that are too small for a national table.
    serveBoth();
    EXPECT_THROW(ZipUpdate::Updater(settings, client).Download(), EFileFormatError);
}

TEST_F(JapanPostSource, CheckFailsWhenTheBusinessesFileIsMissing) {
    server.Serve(BusinessesPath, {"", {}, Delivery::Whole, 404});
    EXPECT_THROW(updater().RemoteKey(), EHttpError);
}

class FromFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir().mkpath(dir.path("dl"));
        QDir().mkpath(dir.path("towns-only"));
        writeFileBytes(dir.path("dl/ken_all.zip"),
                       ZipArchiveOf("KEN_ALL.CSV", readFileBytes(Fixture),
                                    QDateTime(QDate(2025, 4, 28), QTime(12, 0))));
        writeFileBytes(dir.path("dl/JIGYOSYO.CSV"), readFileBytes(BusinessFixture));
        writeFileBytes(dir.path("dl/other.zip"), "not postal data");
        // The bare CSV is dated by the file: make it the newer one.
        QFile file(dir.path("dl/JIGYOSYO.CSV"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2025, 5, 2), QTime(12, 0)),
                                     QFileDevice::FileModificationTime));
    }
    QString path(const char* name) const { return dir.path(QString::fromUtf8(name)); }

    TempDir dir;
};

TEST_F(FromFiles, TakesBothFilesInAnyOrderOrTheirFolder) {
    const QByteArray version = sjis("2025/05/02\r\n2025/05/02 日本郵便公開データ\r\n");
    for (const QStringList& paths :
         {QStringList{path("dl/ken_all.zip"), path("dl/JIGYOSYO.CSV")},
          QStringList{path("dl/JIGYOSYO.CSV"), path("dl/ken_all.zip")}, QStringList{path("dl")}}) {
        const ZipUpdate::Payload payload = ZipUpdate::FromFiles(paths, BothFixturesLines);
        EXPECT_EQ(payload.Table, fixturesTable()) << paths.join(' ').toStdString();
        EXPECT_EQ(payload.Version, version) << paths.join(' ').toStdString();
    }
}

TEST_F(FromFiles, RefusesAnythingButOneOfEach) {
    struct Case {
        QStringList paths;
        const char* problem;  // part of the message
    };
    writeFileBytes(dir.path("towns-only/KEN_ALL.CSV"), readFileBytes(Fixture));
    for (const Case& c :
         {Case{{path("dl/ken_all.zip")}, "jigyosyo.zip"},
          Case{{path("dl/JIGYOSYO.CSV")}, "ken_all.zip"},
          Case{{path("towns-only")}, "jigyosyo.zip"},
          Case{{path("dl/ken_all.zip"), path("towns-only/KEN_ALL.CSV"), path("dl/JIGYOSYO.CSV")},
               "同じ種類"},
          Case{{path("dl/ken_all.zip"), path("dl/other.zip")}, "other.zip"}}) {
        try {
            ZipUpdate::FromFiles(c.paths, BothFixturesLines);
            ADD_FAILURE() << "accepted " << c.paths.join(' ').toStdString();
        } catch (const EFileFormatError& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.problem)))
                << error.message().toStdString();
        }
    }
    // Both files, but far from a national table.
    EXPECT_THROW(ZipUpdate::FromFiles({path("dl")}), EFileFormatError);
    EXPECT_THROW(ZipUpdate::FromFiles({path("absent.zip"), path("dl/JIGYOSYO.CSV")}), EFileError);
}

}  // namespace
