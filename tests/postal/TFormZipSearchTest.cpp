#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "QtPrint.h"

#include "TFormZipSearch.h"
#include "TPngButton.h"

using ZipTable::Entry;

namespace {

const QList<Entry> Rows = {
    {"100-0001", "東京都千代田区千代田"},
    {"100-0002", "東京都千代田区皇居外苑"},
    {"100-0004", "東京都千代田区大手町"},
};

class TFormZipSearchTest : public ::testing::Test {
  protected:
    template <typename T>
    T* control(const char* name) {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTreeWidget* list() { return control<QTreeWidget>("LVZip"); }
    TPngButton* okPicture() { return control<TPngButton>("PNGBtnOK"); }
    bool okEnabled() {
        const bool standard = control<QPushButton>("BtnOK")->isEnabled();
        EXPECT_EQ(okPicture()->isEnabled(), standard) << "the picture follows its standard button";
        return standard;
    }
    void clickRow(int index) {
        const QRect rect = list()->visualItemRect(list()->topLevelItem(index));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void open(const QList<Entry>& rows) {
        form.SetEntries(QStringLiteral("100"), rows);
        form.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    TFormZipSearch form;
};

TEST_F(TFormZipSearchTest, HasTheLayoutOfTheChoiceWindow) {
    EXPECT_EQ(form.windowTitle(), "郵便番号・住所検索");
    EXPECT_EQ(form.size(), QSize(415, 264));
    EXPECT_EQ(list()->geometry(), QRect(32, 56, 341, 150));
    EXPECT_EQ(list()->headerItem()->text(0), "郵便番号");
    EXPECT_EQ(list()->headerItem()->text(1), "住所");
    EXPECT_EQ(list()->columnWidth(0), 80);
    EXPECT_EQ(list()->columnWidth(1), 250);
    EXPECT_EQ(okPicture()->geometry(), QRect(219, 228, 84, 28));
    EXPECT_EQ(control<TPngButton>("PNGBtnClose")->geometry(), QRect(315, 228, 84, 28));
    EXPECT_EQ(control<QLabel>("Label1")->font().pixelSize(), 15);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(TFormZipSearchTest, ShowingSelectsTheFirstRowAndEnablesOk) {
    EXPECT_FALSE(okEnabled());
    open(Rows);
    EXPECT_EQ(control<QLabel>("Label1")->text(), "検索キー：100");
    ASSERT_EQ(list()->topLevelItemCount(), 3);
    EXPECT_EQ(list()->topLevelItem(2)->text(0), "100-0004");
    EXPECT_EQ(list()->topLevelItem(2)->text(1), "東京都千代田区大手町");
    EXPECT_TRUE(list()->topLevelItem(0)->isSelected());
    EXPECT_TRUE(okEnabled());
}

TEST_F(TFormZipSearchTest, WithoutRowsOkStaysDisabled) {
    open({});
    EXPECT_FALSE(okEnabled());
    QTest::mouseClick(okPicture(), Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.SelectedEntry(), std::nullopt);
}

TEST_F(TFormZipSearchTest, OkFollowsTheSelection) {
    open(Rows);
    list()->clearSelection();
    EXPECT_FALSE(okEnabled());
    clickRow(1);
    EXPECT_TRUE(okEnabled());
    EXPECT_EQ(form.SelectedEntry(), Rows.at(1));
    // Ctrl+click takes the selection away again.
    const QRect rect = list()->visualItemRect(list()->topLevelItem(1));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::ControlModifier, rect.center());
    EXPECT_FALSE(okEnabled());
}

TEST_F(TFormZipSearchTest, OkReturnsTheSelectedRow) {
    open(Rows);
    clickRow(2);
    QTest::mouseClick(okPicture(), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), TFormZipSearch::ResultOK);
    EXPECT_EQ(form.SelectedEntry(), Rows.at(2));
}

TEST_F(TFormZipSearchTest, DoubleClickOnASelectedRowIsOk) {
    open(Rows);
    const QRect rect = list()->visualItemRect(list()->topLevelItem(1));
    // A real double click: press and release, then the second press arrives as a double click.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(form.result(), TFormZipSearch::ResultOK);
    EXPECT_EQ(form.SelectedEntry(), Rows.at(1));
}

TEST_F(TFormZipSearchTest, CloseAndEscapeCancel) {
    open(Rows);
    QTest::mouseClick(control<TPngButton>("PNGBtnClose"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), TFormZipSearch::ResultCancel);
    open(Rows);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), TFormZipSearch::ResultCancel);
}

TEST_F(TFormZipSearchTest, RefillingReplacesTheRows) {
    open(Rows);
    form.done(TFormZipSearch::ResultCancel);
    form.SetEntries(QStringLiteral("大手町"), {Rows.at(2)});
    form.open();
    EXPECT_EQ(control<QLabel>("Label1")->text(), "検索キー：大手町");
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(form.SelectedEntry(), Rows.at(2));
}

}  // namespace
