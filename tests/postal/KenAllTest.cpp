#include <gtest/gtest.h>

#include <QDateTime>
#include <QFileInfo>

#include "QtPrint.h"
#include "TempDir.h"

#include "Cp932.h"
#include "KenAll.h"
#include "KenAllSample.h"
#include "ModelError.h"
#include "ZipArchive.h"
#include "ZipTableInstall.h"

namespace {

const QString Fixture = QStringLiteral(DORVANI4_TEST_DATA "/postal/KEN_ALL.CSV");
const QString Utf8Fixture = QStringLiteral(DORVANI4_TEST_DATA "/postal/utf_ken_all.csv");
const QString BusinessFixture = QStringLiteral(DORVANI4_TEST_DATA "/postal/JIGYOSYO.CSV");

// Both fixtures as zip.dat, the businesses among the towns in code order. Every line that
// the installed table also has is the installed table's line, so lookups keep their results.
const char* const Expected =
    "0285101,岩手県岩手郡葛巻町葛巻\r\n"
    "0285102,岩手県岩手郡葛巻町葛巻\r\n"  // three rows joined, the note dropped
    "0600000,北海道札幌市中央区\r\n"      // 以下に掲載がない場合
    "0600042,北海道札幌市中央区大通西\r\n"
    "0608503,北海道札幌市中央区北五条西２丁目ＪＲタワーオフィスプラザさっぽろ８Ｆ\r\n"
    "0608691,北海道札幌市中央区北二条西４丁目\r\n"  // a post-office box
    "0640820,北海道札幌市中央区大通西\r\n"
    "0640941,北海道札幌市中央区旭ケ丘\r\n"
    "0660005,北海道千歳市協和\r\n"      // two rows joined
    "0790177,北海道美唄市上美唄町\r\n"  // two towns that differ only in their notes
    "1000001,東京都千代田区千代田\r\n"
    "1006001,東京都千代田区霞が関霞が関ビル\r\n"
    "1006090,東京都千代田区霞が関霞が関ビル\r\n"
    "1008050,東京都千代田区丸の内１丁目２－１\r\n"  // two businesses at one address
    "1018469,東京都千代田区神田錦町３丁目６共同ビル（錦町３丁目）２０１\r\n"  // notes kept
    "3060433,茨城県猿島郡境町\r\n"        // 境町の次に番地がくる場合
    "3998501,長野県北安曇郡松川村\r\n"    // 松川村一円
    "4520961,愛知県清須市春日明河原\r\n"  // one code, two towns: both kept, in file order
    "4520961,愛知県清須市春日砂賀東\r\n"
    "9008575,沖縄県那覇市旭町１１６番地３７カフーナ旭橋Ｃ街区オフィスコート４Ｆ（株）エプコ内\r\n";

QString convert(const QByteArray& towns, const QByteArray& businesses) {
    return Cp932::decode(KenAll::ToZipTable({towns, QStringLiteral("KEN_ALL.CSV")},
                                            {businesses, QStringLiteral("JIGYOSYO.CSV")}));
}

TEST(KenAll, ConvertsToTheInstalledTablesConventions) {
    EXPECT_EQ(convert(readFileBytes(Fixture), readFileBytes(BusinessFixture)),
              QString::fromUtf8(Expected));
}

TEST(KenAll, ReadsTheUtf8FileOfOneRowPerTownTheSameWay) {
    EXPECT_EQ(convert(readFileBytes(Utf8Fixture), readFileBytes(BusinessFixture)),
              QString::fromUtf8(Expected));
}

// Each field's doubled quotes are undone on its own: the row's fields must not share one
// buffer (the first one read freed memory once the second was unquoted).
TEST(KenAll, QuotesDoubledInSeveralFieldsOfARowStayTheirs) {
    const QByteArray towns = Cp932::encode(QStringLiteral(
        "01101,\"060  "
        "\",\"0600001\",\"a\",\"b\",\"c\",\"北\"\"海\"\"道\",\"札\"\"幌\",\"南\"\"一条\","
        "0,0,0,0,0,0\r\n"));
    const QByteArray businesses =
        Cp932::encode(QStringLiteral("01101,\"ｶ\",\"見本\",\"北\"\"海道\",\"札幌\"\"市\","
                                     "\"北\"\"五条\",\"２\"\"丁目\",\"0600002\","
                                     "\"060  \",\"札幌中央\",0,0,0\r\n"));
    EXPECT_EQ(convert(towns, businesses),
              QStringLiteral("0600001,北\"海\"道札\"幌南\"一条\r\n"
                             "0600002,北\"海道札幌\"市北\"五条２\"丁目\r\n"));
}

TEST(KenAll, TellsTheTwoFilesByTheirColumns) {
    struct Case {
        QString fixture;
        KenAll::Kind kind;
    };
    for (const Case& c :
         {Case{Fixture, KenAll::Kind::Towns}, Case{Utf8Fixture, KenAll::Kind::Towns},
          Case{BusinessFixture, KenAll::Kind::Businesses}}) {
        const QByteArray csv = readFileBytes(c.fixture);
        EXPECT_EQ(KenAll::KindOf({csv, c.fixture}), c.kind) << c.fixture.toStdString();
    }
    EXPECT_THROW(KenAll::KindOf({"<html><body>Please log in</body></html>\r\n", "x.csv"}),
                 EFileFormatError);
    EXPECT_THROW(KenAll::KindOf({"", "x.csv"}), EFileFormatError);
}

TEST(KenAll, ArchiveGivesItsCsvAndTheDateOfTheMember) {
    const QDateTime made(QDate(2025, 5, 30), QTime(12, 0));
    struct Case {
        const char* member;
        QString fixture;
    };
    for (const Case& c :
         {Case{"KEN_ALL.CSV", Fixture}, Case{"utf_ken_all.csv", Utf8Fixture},
          Case{"zip/ken_all.csv", Fixture}, Case{"JIGYOSYO.CSV", BusinessFixture}}) {
        const QByteArray csv = readFileBytes(c.fixture);
        const KenAll::Csv unpacked = KenAll::FromArchive(
            ZipArchiveOf(QString::fromUtf8(c.member), csv, made), QStringLiteral("ken_all.zip"));
        EXPECT_EQ(unpacked.Bytes, csv) << c.member;
        EXPECT_EQ(unpacked.Date, QDate(2025, 5, 30)) << c.member;
    }
}

TEST(KenAll, FileMayBeTheArchiveOrTheBareCsv) {
    TempDir dir;
    const QByteArray csv = readFileBytes(Fixture);
    writeFileBytes(dir.path("ken_all.zip"),
                   ZipArchiveOf("KEN_ALL.CSV", csv, QDateTime(QDate(2025, 4, 30), QTime(12, 0))));
    writeFileBytes(dir.path("KEN_ALL.CSV"), csv);
    EXPECT_EQ(KenAll::FromFile(dir.path("ken_all.zip")).Bytes, csv);
    EXPECT_EQ(KenAll::FromFile(dir.path("ken_all.zip")).Date, QDate(2025, 4, 30));
    EXPECT_EQ(KenAll::FromFile(dir.path("KEN_ALL.CSV")).Bytes, csv);
    EXPECT_EQ(KenAll::FromFile(dir.path("KEN_ALL.CSV")).Date,
              QFileInfo(dir.path("KEN_ALL.CSV")).lastModified().date());
}

struct BadInput {
    const char* name;
    QByteArray bytes;
    const char* problem;                      // part of the message
    KenAll::Kind kind = KenAll::Kind::Towns;  // which of the two files the bytes are given as
};

class KenAllRefuses : public ::testing::TestWithParam<BadInput> {};

TEST_P(KenAllRefuses, WhatIsNotKenAll) {
    try {
        const QByteArray bytes = GetParam().bytes;
        if (KenAll::IsArchive(bytes)) {
            KenAll::FromArchive(bytes, QStringLiteral("ken_all.zip"));
        } else if (GetParam().kind == KenAll::Kind::Towns) {
            KenAll::ToZipTable({bytes, QStringLiteral("KEN_ALL.CSV")},
                               {readFileBytes(BusinessFixture), QStringLiteral("JIGYOSYO.CSV")});
        } else {
            KenAll::ToZipTable({readFileBytes(Fixture), QStringLiteral("KEN_ALL.CSV")},
                               {bytes, QStringLiteral("JIGYOSYO.CSV")});
        }
        FAIL() << "accepted";
    } catch (const EFileFormatError& error) {
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(GetParam().problem)))
            << error.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, KenAllRefuses,
    ::testing::Values(
        BadInput{"Html", "<html><body>Please log in</body></html>\r\n", "1 行目"},
        BadInput{
            "ShortCode",
            Cp932::encode(QStringLiteral(
                "01101,\"060  \",\"060000\",\"a\",\"b\",\"c\",\"北海道\",\"札幌市\",\"町\"\r\n")),
            "1 行目"},
        BadInput{"TooFewColumns", "01101,\"060  \",\"0600000\",\"a\"\r\n", "1 行目"},
        BadInput{"Empty", "", "ひとつもありません"},
        BadInput{"NeitherShiftJisNorUtf8", "01101,\"\x81\x20\"\r\n", "KEN_ALL.CSV"},
        BadInput{"ArchiveWithoutCsv",
                 ZipArchiveOf("readme.txt", "hello", QDateTime::currentDateTime()),
                 "KEN_ALL.CSV も JIGYOSYO.CSV も入っていません"},
        BadInput{
            "CutArchive",
            ZipArchiveOf("KEN_ALL.CSV", KenAllSample(800), QDateTime::currentDateTime()).left(2000),
            "ken_all.zip"},
        BadInput{"BusinessesHtml", "<html><body>Please log in</body></html>\r\n",
                 "1 行目が JIGYOSYO", KenAll::Kind::Businesses},
        // The towns' file where the businesses' is expected: its column 7 is a city.
        BadInput{"BusinessesGivenTheTowns", readFileBytes(Fixture), "1 行目が JIGYOSYO",
                 KenAll::Kind::Businesses},
        BadInput{"BusinessesEmpty", "\r\n",
                 "JIGYOSYO.CSV」は郵便番号データとして読めません: "
                 "郵便番号がひとつもありません",
                 KenAll::Kind::Businesses}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(KenAll, FullSizeSampleMakesAPlausibleTable) {
    const QByteArray table = KenAll::ToZipTable({KenAllSample(124000), QStringLiteral("sample")},
                                                {JigyosyoSample(22000), QStringLiteral("sample")});
    EXPECT_NO_THROW(ZipTable::ValidateTable(table, ZipTable::MinPlausibleLines, "sample"));
}

}  // namespace
