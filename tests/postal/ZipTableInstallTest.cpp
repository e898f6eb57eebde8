#include <gtest/gtest.h>

#include <QDir>

#include "FileSizeLimit.h"
#include "QtPrint.h"
#include "TempDir.h"

#include "Cp932.h"
#include "ModelError.h"
#include "ZipTableInstall.h"

namespace {

QByteArray sjis(const char* utf8) {
    return Cp932::encode(QString::fromUtf8(utf8));
}

const QByteArray GoodTable = sjis("1000001,東京都千代田区千代田\r\n0600000,北海道札幌市中央区\r\n");

struct TableCase {
    const char* name;
    QByteArray table;
    const char* problem;  // empty: accepted
};

class ValidateTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(ValidateTable, AcceptsOnlyLinesOfCodeCommaAndShiftJis) {
    const TableCase& c = GetParam();
    try {
        ZipTable::ValidateTable(c.table, 2, QStringLiteral("zip.dat"));
        EXPECT_STREQ(c.problem, "") << "accepted";
    } catch (const EFileFormatError& error) {
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.problem)) && *c.problem)
            << error.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ValidateTable,
    ::testing::Values(
        TableCase{"Good", GoodTable, ""},
        TableCase{"LfAndNoFinalBreak", sjis("1000001,千代田\n0600000,"), ""},
        TableCase{"Html", "<!DOCTYPE html>\r\n<html><body>Login</body></html>\r\n", "1 行目"},
        TableCase{"SixDigits", sjis("1000001,千代田\r\n060000,札幌\r\n"), "2 行目"},
        TableCase{"NoComma", sjis("1000001,千代田\r\n0600000札幌\r\n"), "2 行目"},
        TableCase{"EmptyLineInside", sjis("1000001,千代田\r\n\r\n0600000,札幌\r\n"), "2 行目"},
        TableCase{"NotShiftJis", "1000001,\x82\r\n0600000,a\r\n", "1 行目"},
        TableCase{"ControlCharacter", "1000001,a\tb\r\n0600000,a\r\n", "1 行目"},
        TableCase{"TooFewLines", sjis("1000001,東京都千代田区千代田\r\n"), "1 行しかありません"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ValidateVersion, NeedsAKeyOfText) {
    EXPECT_NO_THROW(ZipTable::ValidateVersion(sjis("2025/05/30\r\n説明\r\n"), "v"));
    EXPECT_THROW(ZipTable::ValidateVersion("", "v"), EFileFormatError);
    EXPECT_THROW(ZipTable::ValidateVersion("\r\n2025/05/30\r\n", "v"), EFileFormatError);
    EXPECT_THROW(ZipTable::ValidateVersion("2025\x82\r\n", "v"), EFileFormatError);
    EXPECT_THROW(ZipTable::ValidateVersion(QByteArray(5000, 'a'), "v"), EFileFormatError);
}

class InstallTable : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = dir.root() + u'/';
        writeFileBytes(dir.path("zip.dat"), OldTable);
        writeFileBytes(dir.path("version.txt"), OldVersion);
    }
    // Nothing but the two files: no temporary file is left behind.
    void ExpectOnlyTheTwoFiles() {
        EXPECT_EQ(
            QDir(dir.root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{"version.txt", "zip.dat"}));
    }

    const QByteArray OldTable = sjis("1000001,旧\r\n");
    const QByteArray OldVersion = "2023/07/06\r\n";
    const QByteArray NewVersion = "2025/05/30\r\n";
    TempDir dir;
    QString folder;
};

TEST_F(InstallTable, ReplacesBothFiles) {
    ZipTable::InstallTable(folder, GoodTable, NewVersion);
    EXPECT_EQ(readFileBytes(dir.path("zip.dat")), GoodTable);
    EXPECT_EQ(readFileBytes(dir.path("version.txt")), NewVersion);
    ExpectOnlyTheTwoFiles();
}

TEST_F(InstallTable, CreatesBothWhenNoneWasThere) {
    QFile::remove(dir.path("zip.dat"));
    QFile::remove(dir.path("version.txt"));
    ZipTable::InstallTable(folder, GoodTable, NewVersion);
    EXPECT_EQ(readFileBytes(dir.path("zip.dat")), GoodTable);
    ExpectOnlyTheTwoFiles();
}

TEST_F(InstallTable, FailedWriteOfEitherFileKeepsBothOld) {
    struct Case {
        QByteArray table;
        QByteArray version;
    };
    // The table is written first, then the version file; each in turn passes the limit.
    for (const Case& c :
         {Case{QByteArray(4096, 'x'), NewVersion}, Case{"1", QByteArray(4096, 'x')}}) {
        {
            FileSizeLimit limit(1024);
            EXPECT_THROW(ZipTable::InstallTable(folder, c.table, c.version), EFileError);
        }
        EXPECT_EQ(readFileBytes(dir.path("zip.dat")), OldTable);
        EXPECT_EQ(readFileBytes(dir.path("version.txt")), OldVersion);
        ExpectOnlyTheTwoFiles();
    }
}

TEST_F(InstallTable, FailedSecondRenamePutsTheOldTableBack) {
    // A folder in the version file's place cannot be renamed over.
    QFile::remove(dir.path("version.txt"));
    QDir(dir.root()).mkpath("version.txt/held");
    EXPECT_THROW(ZipTable::InstallTable(folder, GoodTable, NewVersion), EFileError);
    EXPECT_EQ(readFileBytes(dir.path("zip.dat")), OldTable);
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"version.txt", "zip.dat"}));
}

}  // namespace
