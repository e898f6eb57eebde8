#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>

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

class JapanPostSource : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.JapanPostUrl = server.Url("/zipcode/dl/kogaki/zip/ken_all.zip");
        // Japan Post's date is the day in Japan: 16:00 GMT on the 30th is the 31st there.
        archive = ZipArchiveOf("KEN_ALL.CSV", readFileBytes(Fixture),
                               QDateTime(QDate(2025, 4, 28), QTime(12, 0)));
        serve({archive, "Fri, 30 May 2025 16:00:00 GMT"});
    }
    void serve(const Reply& reply) { server.Serve("/zipcode/dl/kogaki/zip/ken_all.zip", reply); }
    ZipUpdate::Updater updater() const {
        return ZipUpdate::Updater(settings, client, FixtureLines);
    }

    LoopbackHttpServer server;
    ZipUpdate::Settings settings;
    QByteArray archive;
    const HttpClient client{{}, 0, TestLimits};
};

TEST_F(JapanPostSource, KeyIsTheFilesDateInJapan) {
    EXPECT_EQ(updater().RemoteKey(), "2025/05/31");
    EXPECT_TRUE(server.Requests().first().startsWith("HEAD /zipcode/")) << "asks the headers only";
}

TEST_F(JapanPostSource, WithoutAHeaderDateTheArchiveTellsIt) {
    serve({archive});
    EXPECT_EQ(updater().RemoteKey(), "2025/04/28");
}

TEST_F(JapanPostSource, DownloadConvertsTheArchive) {
    const ZipUpdate::Payload payload = updater().Download();
    EXPECT_EQ(payload.Table, KenAll::ToZipTable(readFileBytes(Fixture), "KEN_ALL.CSV"));
    EXPECT_EQ(payload.Version, sjis("2025/05/31\r\n2025/05/31 日本郵便公開データ\r\n"));
}

TEST_F(JapanPostSource, RefusesWhatIsNotTheNationalFile) {
    struct Case {
        const char* name;
        Reply reply;
    };
    for (const Case& c :
         {Case{"html", {"<html><body>Maintenance</body></html>", "Fri, 30 May 2025 16:00:00 GMT"}},
          Case{"truncated", {archive, {}, Delivery::Truncated}},
          Case{"stalled", {archive, {}, Delivery::Stall}},
          Case{"missing", {"", {}, Delivery::Whole, 404}}}) {
        serve(c.reply);
        EXPECT_THROW(updater().Download(), EModelError) << c.name;
    }
    // A real archive that is too small for a national table.
    serve({archive});
    EXPECT_THROW(ZipUpdate::Updater(settings, client).Download(), EFileFormatError);
}

TEST(FromFile, ConvertsAnArchiveTheUserHas) {
    TempDir dir;
    writeFileBytes(dir.path("ken_all.zip"),
                   ZipArchiveOf("KEN_ALL.CSV", readFileBytes(Fixture),
                                QDateTime(QDate(2025, 4, 28), QTime(12, 0))));
    const ZipUpdate::Payload payload = ZipUpdate::FromFile(dir.path("ken_all.zip"), FixtureLines);
    EXPECT_EQ(payload.Version, sjis("2025/04/28\r\n2025/04/28 日本郵便公開データ\r\n"));
    EXPECT_THROW(ZipUpdate::FromFile(dir.path("ken_all.zip")), EFileFormatError);
    EXPECT_THROW(ZipUpdate::FromFile(dir.path("absent.zip")), EFileError);
}

}  // namespace
