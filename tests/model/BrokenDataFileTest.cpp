#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "BrokenFile.h"
#include "Clock.h"
#include "Cp932.h"
#include "IniFile.h"
#include "ModelError.h"
#include "PermissionBits.h"
#include "TThConfigInfo.h"
#include "TThCustomerObjectList.h"
#include "TThItemObjectList.h"
#include "TThItemUnitObjectList.h"
#include "TempDir.h"

namespace {

QByteArray sjis(const char* utf8) {
    return Cp932::encode(QString::fromUtf8(utf8));
}

// A line as an editor that saves UTF-8 leaves it. Much UTF-8 text happens to be valid
// Shift-JIS as well; the texts given here are not.
QByteArray utf8(const char* text) {
    return QByteArray(text);
}

QStringList brokenCopies(const TempDir& dir) {
    return QDir(dir.root()).entryList({QStringLiteral("*.broken-*")}, QDir::Files | QDir::Hidden);
}

// What one run of the program does with a data file: load it, then save what it holds.
struct Round {
    QStringList read;   // what loaded, one text per record or setting
    QString loadError;  // empty when the file loaded completely
    QString saveError;  // empty when the save went through
};

template <class List, class Text>
Round masterRound(const QString& path, Text text) {
    Round round;
    List list;
    try {
        list.LoadFromFile(path);
    } catch (const EFileError& error) {
        round.loadError = error.message();
    }
    for (int i = 0; i < list.Count(); ++i) {
        round.read << text(list.Items(i));
    }
    try {
        list.SaveToFile(path);
    } catch (const EFileError& error) {
        round.saveError = error.message();
    }
    return round;
}

Round customers(const QString& path) {
    return masterRound<TThCustomerObjectList>(path,
                                              [](const TThCustomerObject& c) { return c.CusCode; });
}

Round items(const QString& path) {
    return masterRound<TThItemObjectList>(path,
                                          [](const TThItemObject& item) { return item.ItemName; });
}

Round units(const QString& path) {
    return masterRound<TThItemUnitObjectList>(
        path, [](const TThItemUnitObject& unit) { return unit.UnitName; });
}

Round settings(const QString& path) {
    Round round;
    TThConfigInfo config(QFileInfo(path).path());
    try {
        config.LoadFromFile(path);
    } catch (const EFileError& error) {
        round.loadError = error.message();
    }
    round.read << config.TAX.toText() << config.MONETARY;
    try {
        config.SaveToFile(path);
    } catch (const EFileError& error) {
        round.saveError = error.message();
    }
    return round;
}

// As the print windows do: read the options when they open; when they close, read the file
// again, change a key and save.
Round printOptions(const QString& path) {
    Round round;
    try {
        const IniFile ini = IniFile::Load(path);
        round.read << ini.ReadString(QStringLiteral("SETTING"), QStringLiteral("YOKO"), {});
        ini.ThrowIfBroken();
    } catch (const EFileError& error) {
        round.loadError = error.message();
    }
    try {
        IniFile ini = IniFile::Load(path);
        ini.WriteString(QStringLiteral("SETTING"), QStringLiteral("PAPER"), QStringLiteral("1"));
        ini.Save();
    } catch (const EFileError& error) {
        round.saveError = error.message();
    }
    return round;
}

struct FaultCase {
    const char* name;
    const char* file;
    Round (*run)(const QString& path);
    QByteArray bytes;   // the file as the user left it
    bool unreadable;    // the program may not read it
    QStringList loads;  // what comes before the broken line
    int brokenLine;     // 0 when the file cannot be read at all
    friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
};

class BrokenDataFile : public ::testing::TestWithParam<FaultCase> {
  protected:
    void TearDown() override { Clock::unfix(); }
};

// Two runs on the same broken file, on different days: the records before the failure
// load each time, the file as it was is kept once, and what the program saves over it
// loads completely. A file that cannot be read cannot be copied, so it is not replaced.
TEST_P(BrokenDataFile, KeepsTheRecordsBeforeAndOneCopyOfTheFile) {
    const FaultCase& c = GetParam();
    TempDir dir;
    const QString path = dir.path(c.file);
    for (int day = 10; day <= 11; ++day) {
        Clock::fix(QDateTime(QDate(2026, 12, day), QTime(9, 0)));
        writeFileBytes(path, c.bytes);
        std::optional<PermissionBitsApply> bits;
        if (c.unreadable) {
            bits.emplace();
            if (!PermissionBitsApply::MakeUnreadable(path)) {
                GTEST_SKIP() << "every file is readable here";
            }
        }
        const Round round = c.run(path);
        bits.reset();

        EXPECT_EQ(round.read, c.loads) << "day " << day;
        EXPECT_TRUE(round.loadError.contains(path)) << round.loadError.toStdString();
        if (c.brokenLine > 0) {
            EXPECT_TRUE(round.loadError.contains(QStringLiteral("の %1 行目").arg(c.brokenLine)))
                << round.loadError.toStdString();
        }
        if (c.unreadable) {
            EXPECT_TRUE(round.saveError.contains(path)) << "the save went through";
            EXPECT_EQ(readFileBytes(path), c.bytes);
        } else {
            EXPECT_TRUE(round.saveError.isEmpty()) << round.saveError.toStdString();
        }
    }

    const QStringList copies = brokenCopies(dir);
    if (c.unreadable) {
        EXPECT_TRUE(copies.isEmpty()) << copies.join(' ').toStdString();
        return;
    }
    ASSERT_EQ(copies, QStringList{QString::fromLatin1(c.file) + ".broken-20261210"});
    EXPECT_EQ(readFileBytes(dir.path(copies.first())), c.bytes);
    const Round again = c.run(path);
    EXPECT_TRUE(again.loadError.isEmpty()) << again.loadError.toStdString();
    EXPECT_EQ(again.read, c.loads);
}

std::string faultName(const ::testing::TestParamInfo<FaultCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenDataFile,
    ::testing::Values(
        FaultCase{"CustomerNotShiftJis",
                  "Customer.dat",
                  customers,
                  sjis("C1,株式会社あ,,,,,,,\r\n") + utf8("C2,山田商店,,,,,,,\r\n") +
                      sjis("C3,有限会社う,,,,,,,\r\n"),
                  false,
                  {"C1"},
                  2},
        FaultCase{"CustomerTooFewFields",
                  "Customer.dat",
                  customers,
                  sjis("C1,a,,,,,,,\r\nC2,too,few\r\nC3,c,,,,,,,\r\n"),
                  false,
                  {"C1"},
                  2},
        FaultCase{
            "CustomerUnreadable", "Customer.dat", customers, sjis("C1,a,,,,,,,\r\n"), true, {}, 0},
        FaultCase{"ItemNotShiftJis",
                  "ItemList.dat",
                  items,
                  sjis("ボルト,本,10\r\n") + utf8("ナット,個,5\r\n") + sjis("座金,個,1\r\n"),
                  false,
                  {"ボルト"},
                  2},
        FaultCase{"ItemTooFewFields",
                  "ItemList.dat",
                  items,
                  sjis("ボルト,本,10\r\nだけ\r\n座金,個,1\r\n"),
                  false,
                  {"ボルト"},
                  2},
        FaultCase{"ItemUnreadable", "ItemList.dat", items, sjis("ボルト,本,10\r\n"), true, {}, 0},
        FaultCase{"UnitNotShiftJis",
                  "ItemUnit.dat",
                  units,
                  sjis("個\r\n") + utf8("ダース\r\n") + sjis("式\r\n"),
                  false,
                  {"個"},
                  2},
        FaultCase{"UnitUnreadable", "ItemUnit.dat", units, sjis("個\r\n"), true, {}, 0},
        FaultCase{
            "SettingsNotShiftJis",
            "conf.ini",
            settings,
            sjis("[SETTING]\r\nTAX=8\r\n") + utf8("EST_TITLE=見積\r\n") + sjis("MONETARY=＄\r\n"),
            false,
            {"8", "￥"},
            3},
        FaultCase{"SettingsUnreadable",
                  "conf.ini",
                  settings,
                  sjis("[SETTING]\r\nTAX=8\r\n"),
                  true,
                  {"5", "￥"},
                  0},
        FaultCase{"PrintOptionsNotShiftJis",
                  "print.ini",
                  printOptions,
                  sjis("[SETTING]\r\nYOKO=1\r\n") + utf8("PRINTER=複合機\r\n"),
                  false,
                  {"1"},
                  3},
        FaultCase{"PrintOptionsUnreadable",
                  "print.ini",
                  printOptions,
                  sjis("[SETTING]\r\nYOKO=1\r\n"),
                  true,
                  {},
                  0}),
    faultName);

TEST(BrokenCopy, SameBytesReuseTheCopyOfAnyDayAndNewBytesGetTheirOwn) {
    TempDir dir;
    const QString path = dir.path("Customer.dat");
    EXPECT_EQ(KeepBrokenCopy(path), QString());  // nothing to copy

    writeFileBytes(path, "first");
    Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    EXPECT_EQ(KeepBrokenCopy(path), path + ".broken-20261210");
    Clock::fix(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
    EXPECT_EQ(KeepBrokenCopy(path), path + ".broken-20261210");

    writeFileBytes(path, "other");
    EXPECT_EQ(KeepBrokenCopy(path), path + ".broken-20261211");
    writeFileBytes(path, "third");
    EXPECT_EQ(KeepBrokenCopy(path), path + ".broken-20261211-2");
    writeFileBytes(path, "first");
    EXPECT_EQ(KeepBrokenCopy(path), path + ".broken-20261210");
    Clock::unfix();

    EXPECT_EQ(brokenCopies(dir).size(), 3);
    EXPECT_EQ(readFileBytes(path + ".broken-20261211-2"), "third");
}

TEST(BrokenCopy, FileBrokenAfterLoadingIsKeptBeforeTheSave) {
    TempDir dir;
    const QString path = dir.path("Customer.dat");
    writeFileBytes(path, sjis("C1,a,,,,,,,\r\n"));
    TThCustomerObjectList list;
    list.LoadFromFile(path);
    // Another program writes the file while the list is open.
    const QByteArray written = sjis("C1,a,,,,,,,\r\n") + utf8("C2,山田商店,,,,,,,\r\n");
    writeFileBytes(path, written);
    list.SaveToFile(path);

    const QStringList copies = brokenCopies(dir);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(readFileBytes(dir.path(copies.first())), written);
    EXPECT_EQ(readFileBytes(path), sjis("C1,a,,,,,,,\r\n"));
}

}  // namespace

namespace {

// A file the program could not read at start holds nothing of it; once the file reads again
// (its permissions mended), the first save still keeps it aside before writing over it.
TEST(BrokenCopy, FileUnreadableAtStartIsKeptWhenItReadsAgain) {
    TempDir dir;
    const QString path = dir.path("Customer.dat");
    const QByteArray good = sjis("C1,a,,,,,,,\r\nC2,b,,,,,,,\r\n");
    writeFileBytes(path, good);
    TThCustomerObjectList list;
    {
        PermissionBitsApply bits;
        if (!PermissionBitsApply::MakeUnreadable(path)) {
            GTEST_SKIP() << "every file is readable here";
        }
        EXPECT_THROW(list.LoadFromFile(path), EFileError);
        EXPECT_EQ(BrokenFileNotice(path, TThCustomerObjectList::CheckFile),
                  "元のファイルの控えを作れないため、このファイルは上書きしません。");
        TThCustomerObject added;
        added.CusCode = "C3";
        list.Add(std::make_unique<TThCustomerObject>(added));
        EXPECT_THROW(list.SaveToFile(path), EFileError);
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    list.SaveToFile(path);

    const QStringList copies = brokenCopies(dir);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(readFileBytes(dir.path(copies.first())), good);
    // What could not be read at start is not taken for deleted: the save adds to it.
    EXPECT_EQ(readFileBytes(path), good + sjis("C3,,,,,,,,\r\n"));
    list.Items(0).Name2 = "支店";
    list.SaveToFile(path);
    EXPECT_EQ(brokenCopies(dir).size(), 1) << "one copy is enough";
}

}  // namespace
