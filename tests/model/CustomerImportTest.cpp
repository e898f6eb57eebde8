#include <gtest/gtest.h>

#include "QtPrint.h"
#include "TempDir.h"

#include "Cp932.h"
#include "CustomerImport.h"
#include "ModelError.h"
#include "TThCustomerObjectList.h"

namespace {

using CustomerImport::Mapping;
using CustomerImport::NotTaken;
using CustomerImport::Table;

std::vector<QStringList> cells(const Table& table) {
    std::vector<QStringList> rows;
    for (const CustomerImport::Row& row : table.Rows) {
        rows.push_back(row.Cells);
    }
    return rows;
}

struct ParseCase {
    const char* name;
    const char* text;
    std::vector<QStringList> rows;
    int columns;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.name;
}

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, GivesTheRowsAndColumns) {
    const Table table = CustomerImport::ParseText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(cells(table), GetParam().rows);
    EXPECT_EQ(table.ColumnCount, GetParam().columns);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParseTest,
    ::testing::Values(
        ParseCase{"TrailingCommasMakeNoColumns", "a,b,c,,,\r\nd\r\n", {{"a", "b", "c"}, {"d"}}, 3},
        ParseCase{"ALineOfCommasGoesAnEmptyLineStays", ",,,\r\n\r\nx,y\r\n", {{}, {"x", "y"}}, 2},
        ParseCase{"EmptyFieldsInsideStay", "a,,b\n", {{"a", "", "b"}}, 3},
        ParseCase{"HalfWidthSpacesBelongToTheField",
                  "山田 太郎, 前 ,後 \r\n",
                  {{"山田 太郎", " 前 ", "後 "}},
                  3},
        ParseCase{"QuotedCommaAndLineBreak",
                  "\"株式会社 青葉, 本社\",\"1-2\r\n3階\",x\r\nnext\r\n",
                  {{"株式会社 青葉, 本社", "1-2 3階", "x"}, {"next"}},
                  3},
        ParseCase{
            "ControlsInsideQuotesBecomeSpaces", "\"a\tb\nc\r\rd\",e\n", {{"a b c  d", "e"}}, 2},
        ParseCase{"DoubledQuotes", "\"a\"\"b\",c\n", {{"a\"b", "c"}}, 2},
        ParseCase{"AnUnclosedQuoteEndsAtItsLine", "\"abc,d\r\ne,f\r\n", {{"abc,d"}, {"e", "f"}}, 2},
        ParseCase{"CrAndLfAloneEndLines", "a\rb\nc", {{"a"}, {"b"}, {"c"}}, 1},
        ParseCase{"AnEmptyFileHasOneColumn", "", {}, 1}));

TEST(CustomerImportTest, RowsKnowTheirLineInTheFile) {
    const Table table = CustomerImport::ParseText(QStringLiteral("a\r\n\"b\r\nb\"\r\n,,\r\nc\r\n"));
    std::vector<qsizetype> lines;
    for (const CustomerImport::Row& row : table.Rows) {
        lines.push_back(row.Line);
    }
    EXPECT_EQ(lines, (std::vector<qsizetype>{1, 2, 5}));
}

struct PreselectionCase {
    int columns;
    Mapping expected;  // CusCode, Name1, Name2, Name3, Zip, Add1, Add2, Tel, Fax
};

class PreselectionTest : public ::testing::TestWithParam<PreselectionCase> {};

TEST_P(PreselectionTest, TakesTheColumnsTheFileHas) {
    EXPECT_EQ(CustomerImport::Preselection(GetParam().columns), GetParam().expected);
}

constexpr int N = NotTaken;

INSTANTIATE_TEST_SUITE_P(Columns, PreselectionTest,
                         ::testing::Values(PreselectionCase{1, {N, 0, N, N, N, N, N, N, N}},
                                           PreselectionCase{5, {N, 0, 1, 2, N, N, N, 3, 4}},
                                           PreselectionCase{7, {N, 0, 1, 2, 5, 6, N, 3, 4}},
                                           PreselectionCase{8, {N, 0, 1, 2, 5, 6, 7, 3, 4}},
                                           PreselectionCase{12, {N, 0, 1, 2, 5, 6, 7, 3, 4}}));

TEST(CustomerImportTest, ColumnCaptionsAreFullWidthNumbers) {
    EXPECT_EQ(CustomerImport::ColumnCaption(0), "１");
    EXPECT_EQ(CustomerImport::ColumnCaption(9), "１０");
    EXPECT_EQ(CustomerImport::ColumnCaption(11), "１２");
}

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    QString text;
};

void PrintTo(const DecodeCase& c, std::ostream* out) {
    *out << c.name;
}

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, ReadsTheEncodingOfTheFile) {
    EXPECT_EQ(CustomerImport::DecodeText(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeTest,
    ::testing::Values(DecodeCase{"ShiftJis", Cp932::encode(QStringLiteral("青葉商事,東京")),
                                 QStringLiteral("青葉商事,東京")},
                      DecodeCase{"Utf8", QStringLiteral("青葉商事,東京").toUtf8(),
                                 QStringLiteral("青葉商事,東京")},
                      DecodeCase{"Utf8WithBom", "\xEF\xBB\xBF" + QStringLiteral("青葉,①").toUtf8(),
                                 QStringLiteral("青葉,①")},
                      DecodeCase{"AsciiOnly", "a,b\r\n", QStringLiteral("a,b\r\n")},
                      // Half-width katakana in Shift-JIS are single high bytes, never valid UTF-8.
                      DecodeCase{"HalfWidthKatakana", Cp932::encode(QStringLiteral("ｱｵﾊﾞ")),
                                 QStringLiteral("ｱｵﾊﾞ")}));

TEST(CustomerImportTest, BytesOfNeitherEncodingNameTheFileAndOffset) {
    TempDir temp;
    const QString path = temp.path(QStringLiteral("broken.csv"));
    writeFileBytes(path, QByteArray("abc,\x81\x20"));
    try {
        CustomerImport::ReadFile(path);
        FAIL() << "no error";
    } catch (const EFileFormatError& error) {
        EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QStringLiteral("オフセット 4")))
            << error.message().toStdString();
    }
    writeFileBytes(path, QByteArray("\xEF\xBB\xBF"
                                    "ab\xFF"));
    try {
        CustomerImport::ReadFile(path);
        FAIL() << "no error";
    } catch (const EFileFormatError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("UTF-8")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("オフセット 5")))
            << error.message().toStdString();
    }
}

TEST(CustomerImportTest, BinaryAndHugeFilesAreRefused) {
    TempDir temp;
    const QString binary = temp.path(QStringLiteral("picture.csv"));
    writeFileBytes(binary, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    EXPECT_THROW(CustomerImport::ReadFile(binary), EFileFormatError);

    const QString huge = temp.path(QStringLiteral("huge.csv"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(CustomerImport::MaxFileSize + 1));  // sparse, costs no disk
    }
    EXPECT_THROW(CustomerImport::ReadFile(huge), EFileFormatError);

    const QString wide = temp.path(QStringLiteral("wide.csv"));
    writeFileBytes(wide, QByteArray("a") + QByteArray(CustomerImport::MaxColumns, ',') + "b");
    EXPECT_THROW(CustomerImport::ReadFile(wide), EFileFormatError);
}

TEST(CustomerImportTest, CustomersTakeTheChosenColumns) {
    const Table table = CustomerImport::ParseText(QStringLiteral("A,B,C\r\nD\r\n"));
    Mapping mapping;
    mapping.fill(NotTaken);
    mapping[1] = 0;  // Name1
    mapping[2] = 0;  // Name2: the same column again
    mapping[8] = 2;  // Fax
    const std::vector<TThCustomerObject> customers = CustomerImport::Customers(table, mapping);
    ASSERT_EQ(customers.size(), 2u);
    EXPECT_EQ(customers[0], (TThCustomerObject{"", "A", "A", "", "", "", "", "", "", "C"}));
    EXPECT_EQ(customers[1], (TThCustomerObject{"", "D", "D", "", "", "", "", "", "", ""}));
}

TEST(CustomerImportTest, AnUnencodableCellIsNamedAndNothingIsImported) {
    const Table table = CustomerImport::ParseText(
        QString::fromUtf8("ok,x\r\n\"multi\r\nline\",\xF0\x9F\x98\x80\r\n\xF0\xA0\xAE\xB7,y\r\n"));
    Mapping mapping = CustomerImport::Preselection(table.ColumnCount);
    try {
        CustomerImport::Customers(table, mapping);
        FAIL() << "no error";
    } catch (const ECp932Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("2行目 2列目")))
            << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QStringLiteral("4行目 1列目")))
            << error.message().toStdString();
    }
    mapping[1] = NotTaken;
    mapping[2] = NotTaken;
    EXPECT_NO_THROW(CustomerImport::Customers(table, mapping)) << "columns not taken do not matter";
}

TEST(CustomerImportTest, AppendsAfterTheCustomersOfTheList) {
    TThCustomerObjectList list;
    list.Add(std::make_unique<TThCustomerObject>(
        TThCustomerObject{"C1", "前から", "", "", "", "", "", "", "", ""}));
    CustomerImport::AppendTo(list,
                             {TThCustomerObject{"", "新しい", "", "", "", "", "", "", "", ""}});
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0).Name1, "前から");
    EXPECT_EQ(list.Items(1).Name1, "新しい");
}

}  // namespace
