#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QDir>
#include <QFile>

#include "Cp932.h"
#include "CsvLine.h"
#include "FileSizeLimit.h"
#include "ModelError.h"
#include "TThCustomerObjectList.h"
#include "TThItemObjectList.h"
#include "TThItemUnitObjectList.h"
#include "TempDir.h"

namespace {

struct CsvCase {
    const char* line;
    QStringList fields;
    friend void PrintTo(const CsvCase& c, std::ostream* os) { *os << c.line; }
};

class CsvSplit : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvSplit, ReadsFields) {
    EXPECT_EQ(CsvLine::Split(QString::fromUtf8(GetParam().line)), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CsvSplit,
    ::testing::Values(CsvCase{"a,,b", {"a", "", "b"}}, CsvCase{"a,b,", {"a", "b", ""}},
                      CsvCase{",,,,,,,,", QStringList(9, QString())}, CsvCase{"", {}},
                      CsvCase{"  a , b  ", {"a", "b"}},
                      CsvCase{"山田 商店,x", {"山田", "商店", "x"}},
                      CsvCase{"\"山田 商店\",x", {"山田 商店", "x"}},
                      CsvCase{"山田　商店", {"山田　商店"}}, CsvCase{"\"a\"\"b\"", {"a\"b"}},
                      CsvCase{"\"a,b\",c", {"a,b", "c"}}, CsvCase{"\"open", {"open"}},
                      CsvCase{"\"ab\"cd,e", {"ab", "cd", "e"}},
                      CsvCase{"ｱｲｳ,－～", {"ｱｲｳ", "－～"}}, CsvCase{"a\tb", {"a", "b"}}));

TEST(CsvLine, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvLine::Join({"山田 商店", "山田　商店", "a\"b", "a,b", "", "plain"}),
              "\"山田 商店\",山田　商店,\"a\"\"b\",\"a,b\",,plain");
    EXPECT_EQ(CsvLine::Join(QStringList(9, QString())), ",,,,,,,,");
    EXPECT_EQ(CsvLine::Join({"a\"b"}).size(), 6);
}

TThCustomerObject customer(const char* code, const char* name1) {
    TThCustomerObject c;
    c.CusCode = code;
    c.Name1 = QString::fromUtf8(name1);
    c.Zip = "100-0001";
    c.Add1 = "東京都千代田区千代田 1-1";
    c.Tel = "03-0000-0000";
    return c;
}

TEST(CustomerList, SavesAndAppendsOnLoad) {
    TempDir dir;
    TThCustomerObjectList list;
    list.Add(std::make_unique<TThCustomerObject>(customer("C1", "山田 商店")));
    list.Add(std::make_unique<TThCustomerObject>(customer("C2", "a\"b")));
    list.Add(std::make_unique<TThCustomerObject>());
    list.SaveToFile(dir.path("Customer.dat"));

    EXPECT_EQ(Cp932::decode(readFileBytes(dir.path("Customer.dat"))),
              "C1,\"山田 商店\",,,100-0001,\"東京都千代田区千代田 1-1\",,03-0000-0000,\r\n"
              "C2,\"a\"\"b\",,,100-0001,\"東京都千代田区千代田 1-1\",,03-0000-0000,\r\n"
              ",,,,,,,,\r\n");

    TThCustomerObjectList reread;
    reread.Add(std::make_unique<TThCustomerObject>(customer("C0", "前から")));
    reread.LoadFromFile(dir.path("Customer.dat"));
    ASSERT_EQ(reread.Count(), 4);
    EXPECT_EQ(reread.Items(0).CusCode, "C0");
    EXPECT_EQ(reread.Items(1), list.Items(0));
    EXPECT_EQ(reread.Items(2).Name1, "a\"b");
    EXPECT_EQ(reread.Items(3), TThCustomerObject());
    EXPECT_EQ(reread.IndexOf(&reread.Items(2)), 2);
    TThCustomerObject stranger;
    EXPECT_EQ(reread.IndexOf(&stranger), -1);
}

TEST(CustomerList, ExportHasTheHeaderLine) {
    TempDir dir;
    TThCustomerObjectList list;
    list.ExportToFile(dir.path("empty.csv"));
    EXPECT_EQ(Cp932::decode(readFileBytes(dir.path("empty.csv"))),
              "お客様コード,会社名１,会社名２,会社名３,郵便番号,住所１,住所２,ＴＥＬ,ＦＡＸ\r\n");
    list.Add(std::make_unique<TThCustomerObject>(customer("C1", "株式会社テスト")));
    list.ExportToFile(dir.path("one.csv"));
    EXPECT_TRUE(Cp932::decode(readFileBytes(dir.path("one.csv")))
                    .endsWith("\r\nC1,株式会社テスト,,,100-0001,\"東京都千代田区千代田 "
                              "1-1\",,03-0000-0000,\r\n"));
}

// Reading only reads: the error names the file and the line, the customers before it are
// appended, and nothing is written beside the file.
TEST(CustomerList, BrokenLineKeepsTheRecordsBeforeAndWritesNothing) {
    TempDir dir;
    const QString path = dir.path("Customer.dat");
    writeFileBytes(path,
                   Cp932::encode("C1,a,,,,,,,\r\nC2,b,,,,,,,\r\nC3,too,few\r\nC4,d,,,,,,,\r\n"));
    for (int load = 0; load < 2; ++load) {
        TThCustomerObjectList list;
        try {
            list.LoadFromFile(path);
            FAIL();
        } catch (const EBrokenLineError& error) {
            EXPECT_EQ(error.path(), path);
            EXPECT_EQ(error.line(), 3);
            EXPECT_TRUE(error.message().contains(path + "」の 3 行目")) << error.what();
        }
        EXPECT_EQ(list.Count(), 2);
    }
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"Customer.dat"});
}

TEST(CustomerList, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    const QString path = dir.path("Customer.dat");
    TThCustomerObjectList list;
    list.Add(std::make_unique<TThCustomerObject>(customer("C1", "a")));
    list.SaveToFile(path);
    const QByteArray before = readFileBytes(path);
    for (int i = 0; i < 200; ++i) {
        list.Add(std::make_unique<TThCustomerObject>(customer("C", "b")));
    }
    {
        FileSizeLimit limit(static_cast<rlim_t>(before.size() + 10));
        EXPECT_THROW(list.SaveToFile(path), EFileError);
    }
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"Customer.dat"});
}

TEST(ItemList, PricesAreCurrencyTextAndUnreadableOnesZero) {
    TempDir dir;
    const QString path = dir.path("ItemList.dat");
    writeFileBytes(
        path, Cp932::encode(
                  "ボルト,本\r\nナット,個,abc\r\n座金,個,12.5\r\n\"配線 工事\",＜なし＞,1200\r\n"));
    TThItemObjectList items;
    items.Add(std::make_unique<TThItemObject>());
    items.LoadFromFile(path);
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Items(0), (TThItemObject{"ボルト", "本", Currency()}));
    EXPECT_EQ(items.Items(1).UnitPrice, Currency());
    EXPECT_EQ(items.Items(2).UnitPrice, Currency::fromText(u"12.5"));
    EXPECT_EQ(items.Items(3).ItemName, "配線 工事");
    EXPECT_EQ(items.Items(3).UnitName, TThItemObject::NoUnit);

    // A save that writes rewrites every item as the list holds it.
    items.Add(std::make_unique<TThItemObject>(TThItemObject{"釘", "本", Currency::fromUnits(3)}));
    items.SaveToFile(path);
    EXPECT_EQ(Cp932::decode(readFileBytes(path)),
              "ボルト,本,0\r\nナット,個,0\r\n座金,個,12.5\r\n\"配線 工事\",＜なし＞,1200\r\n"
              "釘,本,3\r\n");
}

TEST(ItemList, AbsentFileEmptiesTheListAndOneFieldIsBroken) {
    TempDir dir;
    TThItemObjectList items;
    items.Add(std::make_unique<TThItemObject>());
    items.LoadFromFile(dir.path("ItemList.dat"));
    EXPECT_EQ(items.Count(), 0);

    writeFileBytes(dir.path("ItemList.dat"), Cp932::encode("ボルト,本,1\r\nだけ\r\n"));
    EXPECT_THROW(items.LoadFromFile(dir.path("ItemList.dat")), EFileFormatError);
    EXPECT_EQ(items.Count(), 1);
}

TEST(UnitList, EmptyUnitsSurviveAndAFinalBreakAddsNone) {
    TempDir dir;
    const QString path = dir.path("ItemUnit.dat");
    TThItemUnitObjectList units;
    for (const char* name : {"個", "", "式"}) {
        units.Add(std::make_unique<TThItemUnitObject>(TThItemUnitObject{QString::fromUtf8(name)}));
    }
    units.SaveToFile(path);
    EXPECT_EQ(Cp932::decode(readFileBytes(path)), "個\r\n\r\n式\r\n");
    TThItemUnitObjectList reread;
    reread.LoadFromFile(path);
    ASSERT_EQ(reread.Count(), 3);
    EXPECT_EQ(reread.Items(1).UnitName, "");
    EXPECT_EQ(reread.Items(2).UnitName, "式");

    writeFileBytes(path, Cp932::encode("本\r枚\nkg"));  // every kind of line end
    reread.LoadFromFile(path);
    EXPECT_EQ(reread.Count(), 3);
    EXPECT_EQ(reread.Items(2).UnitName, "kg");
}

}  // namespace

namespace {

// A marked item carries a fourth field that readers of three pass over; unmarked items are
// written exactly as before.
TEST(ItemList, ReducedMarkIsAFourthFieldOnlyWhereSet) {
    TempDir dir;
    const QString path = dir.path("ItemList.dat");
    writeFileBytes(path, Cp932::encode("弁当,個,540,軽減\r\n事務用品,個,100\r\nお茶,本,150,x\r\n"));
    TThItemObjectList items;
    items.LoadFromFile(path);
    ASSERT_EQ(items.Count(), 3);
    EXPECT_TRUE(items.Items(0).Reduced);
    EXPECT_EQ(items.Items(0).UnitPrice, Currency::fromUnits(540));
    EXPECT_FALSE(items.Items(1).Reduced);
    EXPECT_FALSE(items.Items(2).Reduced);
    items.Items(1).UnitPrice = Currency::fromUnits(110);
    items.SaveToFile(path);
    EXPECT_EQ(Cp932::decode(readFileBytes(path)),
              "弁当,個,540,軽減\r\n事務用品,個,110\r\nお茶,本,150\r\n");
}

}  // namespace
