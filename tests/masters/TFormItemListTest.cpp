#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "MessageLog.h"
#include "QtPrint.h"
#include "TempDir.h"
#include "TypeText.h"

#include "TFormItemAdd.h"
#include "TFormItemEdit.h"
#include "TFormItemList.h"
#include "TFormUnitAdd.h"
#include "TFormUnitEdit.h"
#include "TPngButton.h"
#include "TThItemObjectList.h"
#include "TThItemUnitObjectList.h"

namespace {

template <typename T>
T* control(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QWidget* window, const char* picture) {
    QTest::mouseClick(control<TPngButton>(window, picture), Qt::LeftButton);
}

bool confirmEnabled(QWidget* window) {
    return control<TPngButton>(window, "PNGBtnOK")->isEnabled();
}

class TFormItemListTest : public ::testing::Test {
  protected:
    TFormItemListTest() {
        items.Add(std::make_unique<TThItemObject>(
            TThItemObject{"ボルト", "本", Currency::fromText(u"12.5")}));
        items.Add(std::make_unique<TThItemObject>(
            TThItemObject{"作業費", TThItemObject::NoUnit, Currency::fromUnits(15000)}));
        for (const char* unit : {"個", "式"}) {
            units.Add(std::make_unique<TThItemUnitObject>(TThItemUnitObject{unit}));
        }
        form.SetEntryWindows(&itemAdd, &itemEdit, &unitAdd, &unitEdit);
    }

    void open() {
        form.Bind(items, units, unitPath, printDecimals);
        form.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QTableWidget* view() { return control<QTableWidget>(&form, "LVItemList"); }
    QListWidget* unitList() { return control<QListWidget>(&form, "LBItemUnit"); }
    QStringList shownRow(int row) {
        QStringList cells;
        for (int column = 0; column < view()->columnCount(); ++column) {
            cells << view()->item(row, column)->text();
        }
        return cells;
    }
    QStringList shownUnits() {
        QStringList result;
        for (int i = 0; i < unitList()->count(); ++i) {
            result << unitList()->item(i)->text();
        }
        return result;
    }
    void selectItem(int row) {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {},
                          view()->visualItemRect(view()->item(row, 0)).center());
    }
    void selectUnit(int row) {
        QTest::mouseClick(unitList()->viewport(), Qt::LeftButton, {},
                          unitList()->visualItemRect(unitList()->item(row)).center());
    }
    // Replaces the text of a field as a user does, through the keys.
    static void retype(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        TypeText(field, text);
    }

    MessageLog messages;
    TempDir temp;
    QString unitPath = temp.path(QStringLiteral("ItemUnit.dat"));
    bool printDecimals = false;
    TThItemObjectList items;
    TThItemUnitObjectList units;
    TFormItemAdd itemAdd;
    TFormItemEdit itemEdit;
    TFormUnitAdd unitAdd;
    TFormUnitEdit unitEdit;
    TFormItemList form;
};

TEST_F(TFormItemListTest, ShowsBothMastersInListOrder) {
    open();
    EXPECT_EQ(form.windowTitle(), "品名リスト編集");
    ASSERT_EQ(view()->rowCount(), 2);
    const int widths[] = {200, 70, 80};
    const QStringList captions = {"品名", "単位", "単価"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(view()->horizontalHeaderItem(i)->text(), captions[i]);
        EXPECT_EQ(view()->columnWidth(i), widths[i]);
    }
    EXPECT_EQ(shownRow(0), QStringList({"ボルト", "本", "12.5"}));
    EXPECT_EQ(shownRow(1), QStringList({"作業費", "＜なし＞", "15,000"}));
    EXPECT_TRUE(view()->item(0, 2)->textAlignment() & Qt::AlignRight);
    EXPECT_EQ(shownUnits(), QStringList({"個", "式"}));
    // Every column is visible without scrolling sideways.
    EXPECT_GE(view()->viewport()->width(), 350);
    EXPECT_LE(form.frameGeometry().width(), 1024);
}

TEST_F(TFormItemListTest, PrintDecimalShowsTwoDecimals) {
    printDecimals = true;
    open();
    EXPECT_EQ(shownRow(0).at(2), "12.50");
    EXPECT_EQ(shownRow(1).at(2), "15,000.00");
}

TEST_F(TFormItemListTest, AddsAnItemWithTheUnitAndPriceAsEntered) {
    writeFileBytes(unitPath, QByteArray("\x8c\xc2\r\n\x96\x7b\r\n"));  // 個, 本
    open();
    click(&form, "PNGBtnItemAdd");
    ASSERT_TRUE(itemAdd.isVisible());
    EXPECT_EQ(itemAdd.windowTitle(), "品名の追加");
    auto* name = control<QLineEdit>(&itemAdd, "EdtItemName");
    auto* unit = control<QComboBox>(&itemAdd, "CBItemUnit");
    auto* price = control<QLineEdit>(&itemAdd, "EdtItemPrice");
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_EQ(unit->currentText(), "＜なし＞");
    EXPECT_EQ(price->text(), "0");
    QStringList choices;
    for (int i = 0; i < unit->count(); ++i) {
        choices << unit->itemText(i);
    }
    EXPECT_EQ(choices, QStringList({"＜なし＞", "個", "本"})) << "the units as last saved";
    EXPECT_FALSE(confirmEnabled(&itemAdd));

    TypeText(name, QStringLiteral("  "));
    EXPECT_FALSE(confirmEnabled(&itemAdd)) << "blanks are no name";
    TypeText(name, QStringLiteral("ナット"));
    EXPECT_TRUE(confirmEnabled(&itemAdd));
    unit->setCurrentIndex(2);
    retype(price, QStringLiteral("1234.5"));
    click(&itemAdd, "PNGBtnOK");
    EXPECT_FALSE(itemAdd.isVisible());
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Items(2), (TThItemObject{"  ナット", "本", Currency::fromText(u"1234.5")}));
    EXPECT_EQ(shownRow(2), QStringList({"  ナット", "本", "1,234.5"}));
    EXPECT_TRUE(messages.Texts.isEmpty());
}

TEST_F(TFormItemListTest, AnItemLeftWithoutUnitKeepsTheNoUnitText) {
    open();
    click(&form, "PNGBtnItemAdd");
    TypeText(control<QLineEdit>(&itemAdd, "EdtItemName"), QStringLiteral("諸経費"));
    click(&itemAdd, "PNGBtnOK");
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Items(2), (TThItemObject{"諸経費", "＜なし＞", Currency()}));
}

TEST_F(TFormItemListTest, CancelInTheAddWindowAddsNothing) {
    open();
    click(&form, "PNGBtnItemAdd");
    TypeText(control<QLineEdit>(&itemAdd, "EdtItemName"), QStringLiteral("x"));
    click(&itemAdd, "PNGBtnCancel");
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(view()->rowCount(), 2);
}

TEST_F(TFormItemListTest, EditsTheSelectedItem) {
    open();
    click(&form, "PNGBtnItemEdit");
    EXPECT_EQ(messages.Texts, QStringList({"編集する品名を選択して下さい。"}));
    EXPECT_FALSE(itemEdit.isVisible());

    selectItem(1);
    click(&form, "PNGBtnItemEdit");
    ASSERT_TRUE(itemEdit.isVisible());
    EXPECT_EQ(itemEdit.windowTitle(), "品名の編集");
    EXPECT_EQ(control<QLineEdit>(&itemEdit, "EdtItemName")->text(), "作業費");
    EXPECT_EQ(control<QComboBox>(&itemEdit, "CBItemUnit")->currentText(), "＜なし＞");
    EXPECT_EQ(control<QLineEdit>(&itemEdit, "EdtItemPrice")->text(), "15,000");
    EXPECT_TRUE(confirmEnabled(&itemEdit));
    control<QComboBox>(&itemEdit, "CBItemUnit")->setEditText(QStringLiteral("時間"));
    click(&itemEdit, "PNGBtnOK");
    EXPECT_EQ(items.Items(1), (TThItemObject{"作業費", "時間", Currency::fromUnits(15000)}));
    EXPECT_EQ(shownRow(1), QStringList({"作業費", "時間", "15,000"}));

    selectItem(0);
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {},
                       view()->visualItemRect(view()->item(0, 0)).center());
    ASSERT_TRUE(itemEdit.isVisible()) << "a double click edits";
    control<QLineEdit>(&itemEdit, "EdtItemName")->setText(QStringLiteral("changed"));
    click(&itemEdit, "PNGBtnCancel");
    EXPECT_EQ(items.Items(0).ItemName, "ボルト");
}

TEST_F(TFormItemListTest, DeletesTheSelectedItemOnlyOnYes) {
    open();
    click(&form, "PNGBtnItemDelete");
    EXPECT_EQ(messages.Texts, QStringList({"削除する品名を選択して下さい。"}));
    messages.Texts.clear();

    selectItem(0);
    messages.Yes = false;
    click(&form, "PNGBtnItemDelete");
    EXPECT_EQ(messages.Texts, QStringList({"ボルト　を削除します、よろしいですか？"}));
    EXPECT_EQ(items.Count(), 2);
    messages.Yes = true;
    click(&form, "PNGBtnItemDelete");
    ASSERT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Items(0).ItemName, "作業費");
    EXPECT_EQ(view()->rowCount(), 1);
}

TEST_F(TFormItemListTest, AddsEditsAndDeletesUnits) {
    open();
    click(&form, "PNGBtnUnitAdd");
    ASSERT_TRUE(unitAdd.isVisible());
    EXPECT_EQ(control<QLabel>(&unitAdd, "LblPrompt")->text(), "追加する単位を入力してください。");
    auto* field = control<QLineEdit>(&unitAdd, "EdtUnit");
    TypeText(field, QStringLiteral("  "));
    EXPECT_FALSE(confirmEnabled(&unitAdd)) << "two blanks cannot be confirmed";
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(unitAdd.isVisible());
    retype(field, QStringLiteral("ケ ース"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(unitAdd.isVisible()) << "Enter confirms";
    EXPECT_EQ(shownUnits(), QStringList({"個", "式", "ケ ース"}));

    click(&form, "PNGBtnUnitEdit");
    EXPECT_EQ(messages.Texts, QStringList({"編集する単位を選択して下さい。"}));
    selectUnit(1);
    click(&form, "PNGBtnUnitEdit");
    ASSERT_TRUE(unitEdit.isVisible());
    EXPECT_EQ(control<QLabel>(&unitEdit, "LblPrompt")->text(), "変更する単位を入力してください。");
    EXPECT_EQ(control<QLineEdit>(&unitEdit, "EdtUnit")->text(), "式");
    retype(control<QLineEdit>(&unitEdit, "EdtUnit"), QStringLiteral("台"));
    click(&unitEdit, "PNGBtnOK");
    EXPECT_EQ(shownUnits(), QStringList({"個", "台", "ケ ース"}));

    messages.Texts.clear();
    selectUnit(0);
    click(&form, "PNGBtnUnitDelete");
    EXPECT_EQ(messages.Texts, QStringList({"個　を削除します、よろしいですか？"}));
    ASSERT_EQ(units.Count(), 2);
    EXPECT_EQ(units.Items(0).UnitName, "台");
    EXPECT_EQ(units.Items(1).UnitName, "ケ ース");
    messages.Texts.clear();
    click(&form, "PNGBtnUnitDelete");
    EXPECT_EQ(messages.Texts, QStringList({"削除する単位を選択して下さい。"}));
}

TEST_F(TFormItemListTest, OkAndCancelCloseWithTheirResults) {
    open();
    click(&form, "PNGBtnOK");
    EXPECT_EQ(form.result(), TFormItemList::ResultOK);
    open();
    click(&form, "PNGBtnCancel");
    EXPECT_EQ(form.result(), TFormItemList::ResultCancel);
    open();
    form.reject();
    EXPECT_EQ(form.result(), TFormItemList::ResultCancel);
}

TEST_F(TFormItemListTest, PrintRunsTheGivenCommand) {
    open();
    EXPECT_FALSE(control<TPngButton>(&form, "PNGBtnPrint")->isEnabled());
    QWidget* parent = nullptr;
    form.SetPrintCommand([&](QWidget* window) { parent = window; });
    click(&form, "PNGBtnPrint");
    EXPECT_EQ(parent, &form);
}

struct PriceCase {
    const char* typed;
    bool printDecimals;
    const char* shown;    // after leaving the field
    const char* entered;  // after entering it again
    bool invalid;
};

void PrintTo(const PriceCase& c, std::ostream* out) {
    *out << '"' << c.typed << '"' << (c.printDecimals ? " PRINTDECIMAL" : "");
}

class ItemPriceTest : public TFormItemListTest, public ::testing::WithParamInterface<PriceCase> {};

TEST_P(ItemPriceTest, LeavingTheFieldFormatsEnteringDropsTheSeparators) {
    const PriceCase& c = GetParam();
    printDecimals = c.printDecimals;
    open();
    click(&form, "PNGBtnItemAdd");
    // Leaving and entering are focus changes, which only an active window sees.
    itemAdd.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&itemAdd));
    auto* price = control<QLineEdit>(&itemAdd, "EdtItemPrice");
    retype(price, QString::fromUtf8(c.typed));
    control<QLineEdit>(&itemAdd, "EdtItemName")->setFocus();
    EXPECT_EQ(price->text(), c.shown);
    EXPECT_EQ(messages.Texts.size(), c.invalid ? 1 : 0);
    if (c.invalid) {
        EXPECT_EQ(messages.Texts.first(), "単価の入力が不正です。");
    }
    price->setFocus();
    EXPECT_EQ(price->text(), c.entered);
}

INSTANTIATE_TEST_SUITE_P(Cases, ItemPriceTest,
                         ::testing::Values(PriceCase{"1234.5", false, "1,234.5", "1234.5", false},
                                           PriceCase{"1234.5", true, "1,234.50", "1234.50", false},
                                           PriceCase{"-1234567", false, "-1,234,567", "-1234567",
                                                     false},
                                           PriceCase{"0.125", false, "0.13", "0.13", false},
                                           PriceCase{"-", false, "0", "0", true},
                                           PriceCase{"1.2.3", true, "0.00", "0.00", true},
                                           PriceCase{"", false, "0", "0", true}));

TEST_F(TFormItemListTest, TheKeysOfThePriceAreDigitsPointAndMinus) {
    open();
    click(&form, "PNGBtnItemAdd");
    auto* price = control<QLineEdit>(&itemAdd, "EdtItemPrice");
    retype(price, QStringLiteral("1a2,-3.x4"));
    EXPECT_EQ(price->text(), "12-3.4");
}

TEST_F(TFormItemListTest, ConfirmingKeepsTheFullPriceAndRefusesABrokenOne) {
    open();
    click(&form, "PNGBtnItemAdd");
    TypeText(control<QLineEdit>(&itemAdd, "EdtItemName"), QStringLiteral("ねじ"));
    auto* price = control<QLineEdit>(&itemAdd, "EdtItemPrice");
    price->setText(QStringLiteral("1-2"));
    click(&itemAdd, "PNGBtnOK");
    EXPECT_EQ(messages.Texts, QStringList({"単価の入力が不正です。"}));
    EXPECT_TRUE(itemAdd.isVisible());
    EXPECT_EQ(items.Count(), 2);

    price->setText(QStringLiteral("1,234.5678"));
    click(&itemAdd, "PNGBtnOK");
    EXPECT_FALSE(itemAdd.isVisible());
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Items(2).UnitPrice, Currency::fromText(u"1234.5678"))
        << "four decimals survive, although the field shows two";
}

}  // namespace

namespace {

// Hidden, the mark is kept through an edit; shown, it is set and cleared in the window.
TEST(ItemEntryReducedMark, KeptWhileHiddenAndEditedWhileShown) {
    MessageLog messages;
    TempDir temp;
    const QString unitPath = temp.path(QStringLiteral("ItemUnit.dat"));
    for (TFormItemEntry* window :
         std::initializer_list<TFormItemEntry*>{new TFormItemAdd, new TFormItemEdit}) {
        std::unique_ptr<TFormItemEntry> owned(window);
        auto* mark = control<QCheckBox>(window, "CBItemReduced");
        window->Prepare(unitPath, false, {"弁当", "個", Currency::fromUnits(540), true});
        window->show();
        EXPECT_TRUE(mark->isHidden());
        EXPECT_TRUE(window->Item().Reduced);

        window->SetQualifiedInvoice(true);
        EXPECT_FALSE(mark->isHidden());
        EXPECT_TRUE(mark->isChecked());
        QTest::mouseClick(mark, Qt::LeftButton);
        EXPECT_FALSE(window->Item().Reduced);
        const QRect price = control<QLineEdit>(window, "EdtItemPrice")->geometry();
        EXPECT_LT(price.right(), mark->geometry().left());
        EXPECT_LE(mark->geometry().right(), window->width());
        window->hide();
    }
}

}  // namespace
