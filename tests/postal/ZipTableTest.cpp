#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>

#include "QtPrint.h"
#include "TempDir.h"

#include "Cp932.h"
#include "ModelError.h"
#include "ZipTable.h"

using ZipTable::Entry;

namespace ZipTable {
void PrintTo(const Entry& entry, std::ostream* os) {
    *os << entry.Code.toStdString() << ' ' << entry.Address.toStdString();
}
}  // namespace ZipTable

namespace {

const QString Fixture = QStringLiteral(DORVANI4_TEST_DATA "/postal/zip.dat");
const QString UnknownCode = QStringLiteral("郵便番号が不明です。");
const QString UnknownAddress = QStringLiteral("住所が不明です。");

// The fixture's lines by code, as the lookups show them.
Entry row(const char* code) {
    static const QList<Entry> rows = {
        {"100-0001", "東京都千代田区千代田"},
        {"100-0002", "東京都千代田区皇居外苑"},
        {"100-0004", "東京都千代田区大手町"},
        {"060-0000", "北海道札幌市中央区"},
        {"101-0021", "東京都千代田区外神田"},
        {"100-0005", "東京都千代田区丸の内"},
        {"123-1000", "東京都足立区"},
        {"206-0013", "東京都多摩市桜ケ丘"},
        {"060-8503", "北海道札幌市中央区北五条西２丁目ＪＲタワー"},
        {"060-8509", "北海道札幌市中央区北２条西４丁目北海道ビルヂング"},
        {"530-0011", "大阪府大阪市北区大深町 Grand Front Osaka"},
    };
    for (const Entry& entry : rows) {
        if (entry.Code == QString::fromLatin1(code)) {
            return entry;
        }
    }
    ADD_FAILURE() << "no fixture row " << code;
    return {};
}

struct Lookup {
    const char* text;                // UTF-8
    std::vector<const char*> codes;  // expected rows in order; empty: the refusal
    friend void PrintTo(const Lookup& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

QList<Entry> rowsOf(const Lookup& lookup) {
    QList<Entry> rows;
    for (const char* code : lookup.codes) {
        rows << row(code);
    }
    return rows;
}

class FindByCode : public ::testing::TestWithParam<Lookup> {};

TEST_P(FindByCode, ListsLinesWhoseCodeBeginsWithTheKey) {
    const ZipTable::Result result =
        ZipTable::FindByCode(Fixture, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(result.Entries, rowsOf(GetParam()));
    EXPECT_EQ(result.Refusal, GetParam().codes.empty() ? UnknownCode : QString());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FindByCode,
    ::testing::Values(Lookup{"100-0001", {"100-0001"}}, Lookup{"1000001", {"100-0001"}},
                      // a prefix lists every code that begins with it, never a code that
                      // merely holds it (123-1000)
                      Lookup{"100", {"100-0001", "100-0002", "100-0004", "100-0005"}},
                      Lookup{"100-", {"100-0001", "100-0002", "100-0004", "100-0005"}},
                      Lookup{"060-85", {"060-8503", "060-8509"}}, Lookup{"10", {}}, Lookup{"", {}},
                      Lookup{"100-00011", {}}, Lookup{"999", {}}, Lookup{"---", {}},
                      // full-width digits are 2 bytes each and match no code
                      Lookup{"１００", {}}, Lookup{"😀12", {}}));

class FindByAddress : public ::testing::TestWithParam<Lookup> {};

TEST_P(FindByAddress, ListsLinesHoldingTheKeyIgnoringCase) {
    const ZipTable::Result result =
        ZipTable::FindByAddress(Fixture, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(result.Entries, rowsOf(GetParam()));
    EXPECT_EQ(result.Refusal, GetParam().codes.empty() ? UnknownAddress : QString());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FindByAddress,
    ::testing::Values(
        // file order, not code order
        Lookup{"千代田", {"100-0001", "100-0002", "100-0004", "101-0021", "100-0005"}},
        Lookup{"grand front", {"530-0011"}}, Lookup{"GRAND FRONT", {"530-0011"}},
        Lookup{"oSAKA", {"530-0011"}},
        // full-width letters fold as well
        Lookup{"ｊｒ", {"060-8503"}}, Lookup{"ＪＲ", {"060-8503"}},
        // digits match the codes too, anywhere in them
        Lookup{"1000", {"100-0001", "100-0002", "100-0004", "100-0005", "123-1000"}},
        Lookup{"8503,", {"060-8503"}},
        // "田" is 93 63 and "ケ" 83 50: a Latin key never matches the second byte of a
        // double-byte character, and upper-casing never turns "ヂ" (83 61) into "ア" (83 41)
        Lookup{"c", {}}, Lookup{"p", {}}, Lookup{"ア", {}}, Lookup{"ヂ", {"060-8509"}},
        Lookup{"京都府", {}}, Lookup{"", {}}, Lookup{"😀", {}}));

TEST(ZipTable, EmptyOrOversizedCodeIsRefusedBeforeTheTableIsRead) {
    const QString missing = QStringLiteral("/nonexistent/zip.dat");
    EXPECT_EQ(ZipTable::FindByCode(missing, "10").Refusal, UnknownCode);
    EXPECT_EQ(ZipTable::FindByCode(missing, "123456789").Refusal, UnknownCode);
    EXPECT_EQ(ZipTable::FindByAddress(missing, "").Refusal, UnknownAddress);
}

TEST(ZipTable, MissingTableRaisesTheFileError) {
    TempDir dir;
    const QString missing = dir.path("zip.dat");
    for (const auto& lookup : {ZipTable::FindByCode, ZipTable::FindByAddress}) {
        try {
            lookup(missing, "100");
            ADD_FAILURE() << "no error";
        } catch (const EFileError& error) {
            EXPECT_TRUE(error.message().contains(missing)) << error.message().toStdString();
            // The system's own reason, in the user's language.
            EXPECT_TRUE(error.message().contains(QString::fromLocal8Bit(std::strerror(ENOENT))))
                << error.message().toStdString();
        }
    }
}

TEST(ZipTable, MatchingLineThatIsNotShiftJisNamesItsLine) {
    TempDir dir;
    writeFileBytes(dir.path("zip.dat"), "1000001,ok\r\n1000002,\x81\r\n");
    EXPECT_EQ(ZipTable::FindByCode(dir.path("zip.dat"), "1000001").Entries.size(), 1);
    try {
        ZipTable::FindByCode(dir.path("zip.dat"), "100");
        ADD_FAILURE() << "no error";
    } catch (const EFileFormatError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("2行目")))
            << error.message().toStdString();
    }
}

// Lines full of hits that are not matches: a scan that goes back to each hit's line start
// and on by one byte takes minutes over them instead of a moment.
TEST(ZipTable, LinesFullOfRejectedHitsAreScannedOnce) {
    constexpr int kRepeats = 1000000;
    TempDir dir;
    QByteArray bytes = "x" + QByteArray("100").repeated(kRepeats) + "\r\n";
    // "\x82\x41" is one unassigned character whose trail byte is an "A".
    bytes += QByteArray("\x82\x41").repeated(kRepeats) + "\r\n";
    bytes += "1000001,ok A\r\n";
    writeFileBytes(dir.path("zip.dat"), bytes);
    const Entry expected{"100-0001", "ok A"};
    EXPECT_EQ(ZipTable::FindByCode(dir.path("zip.dat"), "100").Entries, QList<Entry>{expected});
    EXPECT_EQ(ZipTable::FindByAddress(dir.path("zip.dat"), "A").Entries, QList<Entry>{expected});
}

struct LineFormat {
    const char* name;
    QByteArray bytes;  // cp932 file content
    const char* key;   // address key
    QList<Entry> expected;
    friend void PrintTo(const LineFormat& c, std::ostream* os) { *os << c.name; }
};

class LineFormats : public ::testing::TestWithParam<LineFormat> {};

TEST_P(LineFormats, SplitIntoCodeAndAddress) {
    TempDir dir;
    writeFileBytes(dir.path("zip.dat"), GetParam().bytes);
    const ZipTable::Result result =
        ZipTable::FindByAddress(dir.path("zip.dat"), QString::fromUtf8(GetParam().key));
    EXPECT_EQ(result.Entries, GetParam().expected);
}

QByteArray sjis(const char* utf8) {
    return Cp932::encode(QString::fromUtf8(utf8));
}

const QByteArray LongAddress = QByteArray(511, 'x') + sjis("東");

INSTANTIATE_TEST_SUITE_P(
    Files, LineFormats,
    ::testing::Values(
        LineFormat{
            "CrLf", "1000001,aa\r\n1000002,ab\r\n", "a", {{"100-0001", "aa"}, {"100-0002", "ab"}}},
        LineFormat{"Lf", "1000001,aa\n1000002,ab\n", "a", {{"100-0001", "aa"}, {"100-0002", "ab"}}},
        LineFormat{"Cr", "1000001,aa\r1000002,ab\r", "a", {{"100-0001", "aa"}, {"100-0002", "ab"}}},
        LineFormat{"MixedWithoutFinalBreak",
                   "1000001,aa\r1000002,ab\n\n1000003,ac",
                   "a",
                   {{"100-0001", "aa"}, {"100-0002", "ab"}, {"100-0003", "ac"}}},
        // the code is the text before the first comma only
        LineFormat{"SecondComma", "1000001,a,b\r\n", "a", {{"100-0001", "a,b"}}},
        LineFormat{"NoComma", "1000001,b\r\nab\r\n", "a", {{"-", "ab"}}},
        LineFormat{"ShortCode", "12,ab\r\n", "a", {{"12-", "ab"}}},
        // at most 512 bytes of address, never half a character
        LineFormat{"LongAddress",
                   "1000001," + LongAddress + "\r\n",
                   "x",
                   {{"100-0001", QString(511, 'x')}}},
        LineFormat{"MatchBeyondTheAddressLimit",
                   "1000001," + LongAddress + "\r\n",
                   "東",
                   {{"100-0001", QString(511, 'x')}}},
        LineFormat{"KeyAcrossLines", "1000001,ab\r\ncd\r\n", "b\r\nc", {}}));

TEST(ZipTable, DisplayCodeHyphenatesAfterThreeCharacters) {
    EXPECT_EQ(ZipTable::DisplayCode("1000001"), "100-0001");
    EXPECT_EQ(ZipTable::DisplayCode("100"), "100-");
    EXPECT_EQ(ZipTable::DisplayCode(""), "-");
    EXPECT_EQ(ZipTable::DisplayCode("123" + QString(200, '4')), "123-" + QString(128, '4'));
}

TEST(ZipTable, InstalledTableIsFoundBesideTheProgram) {
    TempDir dir;
    ASSERT_TRUE(QDir(dir.root()).mkpath("bin") && QDir(dir.root()).mkpath("share/dorvani4/postal"));
    writeFileBytes(dir.path("share/dorvani4/postal/zip.dat"), "1000001,a\r\n");
    EXPECT_EQ(ZipTable::InstalledFolder(dir.path("bin")),
              QFileInfo(dir.path("share/dorvani4/postal")).canonicalFilePath() + "/");
}

TEST(ZipTable, AProgramInTheBuildTreeFindsTheSourceTreeTable) {
    const QString source = QStringLiteral(DORVANI4_TEST_DATA "/../../resources/postal");
    const QString expected = QFileInfo::exists(source + "/zip.dat")
                                 ? QFileInfo(source).canonicalFilePath() + "/"
                                 : QString();
    EXPECT_EQ(ZipTable::InstalledFolder(QCoreApplication::applicationDirPath()), expected);
}

TEST(ZipTable, ATableSomeFoldersAboveTheProgramIsFound) {
    TempDir dir;
    ASSERT_TRUE(QDir(dir.root()).mkpath("tests/postal") &&
                QDir(dir.root()).mkpath("share/dorvani4/postal"));
    writeFileBytes(dir.path("share/dorvani4/postal/zip.dat"), "1000001,a\r\n");
    EXPECT_EQ(ZipTable::InstalledFolder(dir.path("tests/postal")),
              QFileInfo(dir.path("share/dorvani4/postal")).canonicalFilePath() + "/");
}

TEST(ZipTable, WithoutAnyTableNothingIsFound) {
    TempDir dir;
    ASSERT_TRUE(QDir(dir.root()).mkpath("bin") && QDir(dir.root()).mkpath("share/dorvani4/postal"));
    EXPECT_EQ(ZipTable::InstalledFolder(dir.path("bin")), QString());
}

// The converted national table, when scripts/setup has made it.
TEST(ZipTable, NationalTable) {
    const QString folder = QStringLiteral(DORVANI4_TEST_DATA "/../../resources/postal/");
    if (!QFileInfo::exists(folder + "zip.dat")) {
        GTEST_SKIP() << "no national table; scripts/setup makes it";
    }
    const ZipTable::Result chiyoda = ZipTable::FindByCode(folder + "zip.dat", "100-0001");
    ASSERT_EQ(chiyoda.Entries.size(), 1);
    EXPECT_EQ(chiyoda.Entries.first(), (Entry{"100-0001", "東京都千代田区千代田"}));
    EXPECT_GT(ZipTable::FindByCode(folder + "zip.dat", "100").Entries.size(), 100);
    const QByteArray bytes = readFileBytes(folder + "zip.dat");
    EXPECT_GT(bytes.count("\r\n"), 100000);
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    const QByteArray version = readFileBytes(folder + "version.txt");
    EXPECT_TRUE(QString::fromLatin1(version.left(12))
                    .contains(QRegularExpression("^\\d{4}/\\d{2}/\\d{2}\r\n")))
        << version.toStdString();
}

}  // namespace
