#include <gtest/gtest.h>

#include "QtPrint.h"

#include <clocale>

#include "Cp932.h"
#include "IniFile.h"
#include "TempDir.h"

namespace {

IniFile iniWith(const TempDir& dir, const char* utf8) {
    const QString path = dir.path("test.ini");
    writeFileBytes(path, Cp932::encode(QString::fromUtf8(utf8)));
    return IniFile::Load(path);
}

QString fileText(const IniFile& ini) {
    return Cp932::decode(readFileBytes(ini.path()));
}

struct TypedCase {
    const char* value;
    bool asBool;
    int asInteger;
    double asFloat;
    friend void PrintTo(const TypedCase& c, std::ostream* os) { *os << '"' << c.value << '"'; }
};

class TypedRead : public ::testing::TestWithParam<TypedCase> {};

// Defaults used below: bool true, integer 7, float 1.5.
TEST_P(TypedRead, FallsBackToTheDefaultOnBadValues) {
    TempDir dir;
    const IniFile ini =
        iniWith(dir, (std::string("[S]\r\nK=") + GetParam().value + "\r\n").c_str());
    EXPECT_EQ(ini.ReadBool("S", "K", true), GetParam().asBool);
    EXPECT_EQ(ini.ReadInteger("S", "K", 7), GetParam().asInteger);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "K", 1.5), GetParam().asFloat);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TypedRead,
    ::testing::Values(TypedCase{"0", false, 0, 0}, TypedCase{"1", true, 1, 1},
                      TypedCase{"2", true, 2, 2}, TypedCase{"-5", true, -5, -5},
                      TypedCase{" 12 ", true, 12, 12}, TypedCase{"0x1F", true, 31, 1.5},
                      TypedCase{"2.5", true, 7, 2.5}, TypedCase{"21.75", true, 7, 21.75},
                      TypedCase{"abc", true, 7, 1.5}, TypedCase{"", true, 7, 1.5},
                      TypedCase{"12abc", true, 7, 1.5},
                      TypedCase{"99999999999", true, 7, 99999999999.0},
                      TypedCase{"2,5", true, 7, 1.5}));

TEST(IniFile, ReadsTextsAndMissingKeys) {
    TempDir dir;
    const IniFile ini =
        iniWith(dir, "; comment\r\n[SETTING]\r\nMONETARY = ＄ \r\n[other]\r\nMONETARY=x\r\n");
    EXPECT_EQ(ini.ReadString("SETTING", "MONETARY", "￥"), "＄");
    EXPECT_EQ(ini.ReadString("setting", "monetary", "￥"), "＄");  // names ignore case
    EXPECT_EQ(ini.ReadString("SETTING", "EST_TITLE", "御 見 積 書"), "御 見 積 書");
    EXPECT_EQ(ini.ReadString("missing", "MONETARY", "d"), "d");
    EXPECT_EQ(IniFile::Load(dir.path("absent.ini")).ReadString("SETTING", "TAX", "5"), "5");
}

TEST(IniFile, WritesInPlaceAndKeepsEverythingElse) {
    TempDir dir;
    IniFile ini =
        iniWith(dir, "; made by hand\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n; note\r\n");
    ini.WriteString("A", "x", "10");   // replaced in place
    ini.WriteString("A", "new", "n");  // end of its section, before the blank line
    ini.WriteInteger("B", "w", 4);     // after the section's last line
    ini.WriteBool("C", "flag", true);  // a new section at the end
    ini.Save();
    EXPECT_EQ(fileText(ini),
              "; made by hand\r\n[A]\r\nx=10\r\ny=2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n; "
              "note\r\nw=4\r\n[C]\r\nflag=1\r\n");
}

TEST(IniFile, ReadsFindTheFirstBlockOfASectionAndFollowLinesMovedByWrites) {
    TempDir dir;
    IniFile ini = iniWith(dir, "k=0\r\n[A]\r\nk=1\r\nK=2\r\n[B]\r\nk=3\r\n[a]\r\nk=4\r\nm=5\r\n");
    EXPECT_EQ(ini.ReadString("A", "k", "-"), "1");  // the first key of the first block
    EXPECT_EQ(ini.ReadString("A", "m", "-"), "-");  // a later block of A is not A
    ini.WriteString("A", "new", "n");
    ini.WriteString("C", "c", "6");
    EXPECT_EQ(ini.ReadString("B", "k", "-"), "3");
    EXPECT_EQ(ini.ReadString("A", "new", "-"), "n");
    EXPECT_EQ(ini.ReadString("C", "c", "-"), "6");
    ini.WriteString("B", "k", "30");
    EXPECT_EQ(ini.ReadString("b", "K", "-"), "30");
}

// Each key used to be looked for by a walk over every line: a million junk lines in the
// section took a minute to read instead of a moment.
TEST(IniFile, ManyKeysOfALongFileAreReadInOnePass) {
    constexpr int kJunkLines = 1000000;
    constexpr int kKeys = 150;
    TempDir dir;
    QByteArray bytes = "[SETTING]\r\n" + QByteArray("junk=line\r\n").repeated(kJunkLines);
    for (int k = 0; k < kKeys; ++k) {
        bytes += "KEY" + QByteArray::number(k) + "=" + QByteArray::number(k) + "\r\n";
    }
    writeFileBytes(dir.path("conf.ini"), bytes);
    const IniFile ini = IniFile::Load(dir.path("conf.ini"));
    for (int k = 0; k < kKeys; ++k) {
        EXPECT_EQ(ini.ReadInteger("SETTING", QStringLiteral("KEY%1").arg(k), -1), k);
    }
}

TEST(IniFile, SaveCreatesAMissingFile) {
    TempDir dir;
    IniFile ini = IniFile::Load(dir.path("new.ini"));
    ini.WriteFloat("SETTING", "TAX", 10);
    ini.Save();
    EXPECT_EQ(readFileBytes(dir.path("new.ini")), "[SETTING]\r\nTAX=10\r\n");
}

TEST(IniFile, FloatsUseAPointUnderACommaLocale) {
    // The tests run under a locale whose decimal separator is ","; make sure of it, or
    // this test would prove nothing.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    for (const auto& [value, text] :
         {std::pair{5.0, "5"}, std::pair{8.0, "8"}, std::pair{2.5, "2.5"},
          std::pair{21.75, "21.75"}, std::pair{121.8, "121.8"}, std::pair{27.84, "27.84"}}) {
        EXPECT_EQ(IniFile::FloatText(value), text);
    }
    TempDir dir;
    IniFile ini = iniWith(dir, "[S]\r\nK=2.5\r\n");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "K", 0), 2.5);
}

}  // namespace
