#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QSettings>

#include "THistoryComboBox.h"
#include "TempDir.h"

namespace {

// Each test gets its own per-user store.
class HistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir_.root().toUtf8());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", saved_); }

    static void configure(THistoryComboBox& box, const char* subKey = "Place") {
        box.SetRegistryKey("Software\\Hestrel\\Pelkano3");
        box.SetSubKey(subKey);
    }
    static QStringList entries(const THistoryComboBox& box) {
        QStringList list;
        for (int i = 0; i < box.count(); ++i) {
            list << box.itemText(i);
        }
        return list;
    }
    static QStringList stored(const char* group) {
        QSettings settings(THistoryComboBox::RegistryFile(), QSettings::IniFormat);
        settings.beginGroup(group);
        QStringList values;
        for (const QString& key : settings.childKeys()) {
            values << key + "=" + settings.value(key).toString();
        }
        return values;
    }
    static void add(THistoryComboBox& box, const QString& text) {
        box.setEditText(text);
        box.AddHistory();
    }

    TempDir dir_;
    QByteArray saved_;
};

TEST_F(HistoryTest, AddingAnExistingEntryMovesItToTheTop) {
    THistoryComboBox box;
    configure(box);
    for (const char* text : {"名古屋", "東京", "大阪"}) {
        add(box, text);
    }
    ASSERT_EQ(entries(box), QStringList({"大阪", "東京", "名古屋"}));
    add(box, "東京");
    EXPECT_EQ(entries(box), QStringList({"東京", "大阪", "名古屋"}));
    EXPECT_EQ(box.currentText(), "東京");
    EXPECT_EQ(stored("Software/Hestrel/Pelkano3/Place"),
              QStringList({"0=東京", "1=大阪", "2=名古屋"}));
}

TEST_F(HistoryTest, TheEleventhEntryDropsTheOldest) {
    THistoryComboBox box;
    configure(box);
    for (int i = 1; i <= 11; ++i) {
        add(box, QStringLiteral("場所%1").arg(i));
    }
    EXPECT_EQ(box.count(), 10);
    EXPECT_EQ(box.itemText(0), "場所11");
    EXPECT_EQ(box.itemText(9), "場所2");
    const QStringList values = stored("Software/Hestrel/Pelkano3/Place");
    EXPECT_EQ(values.size(), 10);
    EXPECT_TRUE(values.contains("9=場所2"));
}

TEST_F(HistoryTest, BlanksChangeNothingAndClearingEmptiesTheStore) {
    THistoryComboBox box;
    configure(box);
    add(box, "東京");
    add(box, "  　");  // half- and full-width blanks
    EXPECT_EQ(entries(box), QStringList({"東京"}));
    box.setEditText("入力中");
    box.ClearHistory();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.currentText(), "入力中");
    EXPECT_TRUE(stored("Software/Hestrel/Pelkano3/Place").isEmpty());
}

TEST_F(HistoryTest, LoadsStoredValuesInOrderAndKeepsTheListWithoutAKey) {
    {
        QSettings settings(THistoryComboBox::RegistryFile(), QSettings::IniFormat);
        settings.setValue("Software/Hestrel/Pelkano3/Condition/0", "月末締め");
        settings.setValue("Software/Hestrel/Pelkano3/Condition/2", "現金");
        settings.setValue("Software/Hestrel/Pelkano3/Condition/5", "手形");
    }
    THistoryComboBox box;
    configure(box, "Condition");
    box.LoadHistory();
    EXPECT_EQ(entries(box), QStringList({"月末締め", "現金", "手形"}));

    THistoryComboBox other;
    configure(other, "Limit");
    other.addItem("そのまま");
    other.LoadHistory();
    EXPECT_EQ(entries(other), QStringList({"そのまま"}));
}

TEST_F(HistoryTest, TheControlNameIsTheSubKeyWhenNoneIsGiven) {
    THistoryComboBox box;
    box.setObjectName("CBPlace");
    box.SetRegistryKey("Software\\Hestrel\\Pelkano3\\");
    add(box, "本社");
    EXPECT_EQ(stored("Software/Hestrel/Pelkano3/CBPlace"), QStringList({"0=本社"}));

    THistoryComboBox unstored;
    add(unstored, "どこにも保存しない");
    EXPECT_EQ(unstored.count(), 1);
}

TEST_F(HistoryTest, AddingIsCaseSensitiveAndTheNextRunLoadsTheList) {
    THistoryComboBox box;
    configure(box);
    add(box, "Tokyo");
    add(box, "tokyo");
    THistoryComboBox nextRun;
    configure(nextRun);
    nextRun.LoadHistory();
    EXPECT_EQ(entries(nextRun), QStringList({"tokyo", "Tokyo"}));
    EXPECT_EQ(nextRun.currentText(), "");  // loading fills the list, not the edit part
}

TEST_F(HistoryTest, LoadingKeepsAtMostHistoryCountEntries) {
    {
        QSettings settings(THistoryComboBox::RegistryFile(), QSettings::IniFormat);
        for (int n = 0; n <= 5; ++n) {
            settings.setValue(QStringLiteral("Software/Hestrel/Pelkano3/Place/%1").arg(n),
                              QStringLiteral("場所%1").arg(n));
        }
    }
    THistoryComboBox box;
    configure(box);
    box.SetHistoryCount(3);
    box.LoadHistory();
    EXPECT_EQ(entries(box), QStringList({"場所0", "場所1", "場所2"}));
}

TEST_F(HistoryTest, AnUnwritableStoreIsSkippedSilently) {
    // A file where the store's folder should be: nothing can be created there.
    writeFileBytes(dir_.path("HESTREL"), "not a folder");
    THistoryComboBox box;
    configure(box);
    add(box, "東京");
    EXPECT_EQ(entries(box), QStringList({"東京"}));
    THistoryComboBox nextRun;
    configure(nextRun);
    nextRun.LoadHistory();
    EXPECT_EQ(nextRun.count(), 0);
}

TEST(History, RegistryKeyGetsItsTrailingBackslash) {
    THistoryComboBox box;
    box.SetRegistryKey("Software\\Hestrel\\Pelkano3");
    box.SetSubKey("Limit");
    EXPECT_EQ(box.RegistryKey(), "Software\\Hestrel\\Pelkano3\\");
    EXPECT_EQ(box.SettingsGroup(), "Software/Hestrel/Pelkano3/Limit");
    EXPECT_EQ(box.HistoryCount(), 10);
}

}  // namespace
