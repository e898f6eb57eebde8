#include "MainWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "AmountText.h"
#include "TItemRow.h"

namespace {

class LineEditorTest : public MainWindowFixture {
  protected:
    TFormMain& startOnContents() {
        TFormMain& w = start();
        showTab(1);
        return w;
    }
    // Types name, quantity and unit price of a line and leaves it for its remark field.
    void typeLine(int row, const QString& name, const QString& num, const QString& price) {
        typeInto(cell("EditItemName_", row), name);
        typeInto(cell("MemoItemNum_", row), num);
        typeInto(cell("MemoItemUnitPrice_", row), price);
        QTest::mouseClick(cell("EditItemEtc_", row), Qt::LeftButton);
    }
    QString text(const char* name) const { return control<QLineEdit>(QLatin1String(name))->text(); }
    QStringList figures(int row) const {
        return {cell("MemoItemNum_", row)->text(), cell("MemoItemUnitPrice_", row)->text(),
                cell("MemoItemTotalPrice_", row)->text()};
    }
    void trigger(const char* action) { control<QAction>(QLatin1String(action))->trigger(); }
    // Selects row by entering its name field, then leaves the rows for a header field of
    // this tab's toolbar-free area, as a user does before a toolbar click.
    void selectRow(int row) { QTest::mouseClick(cell("EditItemName_", row), Qt::LeftButton); }
    void fillNames(int rows) {
        for (int i = 0; i < rows; ++i) {
            window().FEstimate.Items(i).ItemName = QStringLiteral("品%1").arg(i);
        }
        window().RefreshAll();
    }
};

TEST_F(LineEditorTest, StartsWithAHundredRowsOfNamedControlsInTabOrder) {
    TFormMain& w = startOnContents();
    EXPECT_EQ(w.RowCount(), 100);
    EXPECT_EQ(w.FEstimate.Count(), 100);
    for (const char* prefix :
         {"LblItemNo_", "EditItemName_", "MemoItemNum_", "MemoItemUnit_", "MemoItemUnitPrice_",
          "MemoItemTotalPrice_", "EditItemEtc_", "CBItemNoTax_"}) {
        auto* last = control<QWidget>(QLatin1String(prefix) + QStringLiteral("99"));
        EXPECT_EQ(last->property(TItemRow::TagProperty).toInt(), 99) << prefix;
        EXPECT_EQ(control<QWidget>(QLatin1String(prefix) + QStringLiteral("0"))->geometry().top() +
                      99 * 25,
                  last->geometry().top())
            << prefix;
    }
    EXPECT_EQ(control<QLabel>(QStringLiteral("LblItemNo_41"))->text(), "42");
    EXPECT_EQ(cell("MemoItemNum_", 3)->text(), "0");
    // Tab walks a row left to right and goes on with the next row.
    QWidget* at = cell("EditItemName_", 5);
    const QStringList expected{"MemoItemNum_5",        "MemoItemUnit_5", "MemoItemUnitPrice_5",
                               "MemoItemTotalPrice_5", "EditItemEtc_5",  "CBItemNoTax_5",
                               "EditItemName_6"};
    for (const QString& next : expected) {
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus) {
            at = at->nextInFocusChain();
        }
        EXPECT_EQ(at->objectName(), next);
    }
}

struct TypedLine {
    const char* num;
    const char* price;
    const char* amount;
    QStringList shown;  // quantity, unit price, amount after leaving the row
    bool limitMessage;
};

TEST_F(LineEditorTest, LeavingARowStoresItAndComputesTheAmount) {
    const TypedLine cases[] = {
        {"3", "333.333", "", {"3", "333.33", "999.99"}, false},
        {"-3", "333.333", "", {"-3", "333.33", "-999.99"}, false},
        {"0", "0", "1500", {"0", "0", "1,500"}, false},
        {"2", "1,250", "99", {"2", "1,250", "2,500"}, false},
        {"0", "7", "1500", {"0", "7", "1,500"}, false},
        // Leaving the quantity resets the figures; the unit price is typed afterwards.
        {"abc", "100", "", {"0", "100", "0"}, true},
        {"999999999999", "99999999", "", {"0", "0", "0"}, true},
    };
    TFormMain& w = startOnContents();
    int row = 0;
    for (const TypedLine& c : cases) {
        SCOPED_TRACE(std::string(c.num) + " x " + c.price);
        messages.Texts.clear();
        typeInto(cell("EditItemName_", row), QStringLiteral("ボルト"));
        typeInto(cell("MemoItemNum_", row), QString::fromUtf8(c.num));
        QLineEdit* last = cell("MemoItemUnitPrice_", row);
        typeInto(last, QString::fromUtf8(c.price));
        if (*c.amount) {
            last = cell("MemoItemTotalPrice_", row);
            typeInto(last, QString::fromUtf8(c.amount));
        }
        QTest::mouseClick(cell("EditItemEtc_", row), Qt::LeftButton);
        EXPECT_EQ(figures(row), c.shown);
        const TThEstimateObject& line = w.FEstimate.Items(row);
        EXPECT_EQ(line.ItemName, "ボルト");
        EXPECT_EQ(FormatAmount(false, line.TotalPrice, false), c.shown[2]);
        EXPECT_EQ(messages.Texts.contains(QStringLiteral("入力の制限を超えています。")),
                  c.limitMessage)
            << messages.Texts.join('|').toStdString();
        ++row;
    }
}

TEST_F(LineEditorTest, TotalsShowTaxAndTheGrandTotalAndTheTaxInBrackets) {
    TFormMain& w = startOnContents();
    typeLine(0, QStringLiteral("工事費"), "1", "10000");
    typeLine(1, QStringLiteral("非課税の品"), "1", "500");
    QTest::mouseClick(control<QCheckBox>(QStringLiteral("CBItemNoTax_1")), Qt::LeftButton);
    EXPECT_TRUE(w.FEstimate.Items(1).NoTax);
    EXPECT_EQ(text("EdSubTotal"), "10,500");
    EXPECT_EQ(text("MMTax"), "1,000");
    EXPECT_EQ(text("EdGrandTotal"), "11,500");

    QTest::mouseClick(control<QCheckBox>(QStringLiteral("CBTaxIn")), Qt::LeftButton);
    EXPECT_TRUE(w.FEstimate.TaxIn);
    EXPECT_EQ(text("MMTax"), "(909)");
    EXPECT_EQ(text("EdGrandTotal"), "10,500");
}

TEST_F(LineEditorTest, AUnitPriceIsUsedAsTypedAndStoredAsShownAtTheNextExit) {
    TFormMain& w = startOnContents();
    typeLine(0, QStringLiteral("ねじ"), "1000", "1.2345");
    EXPECT_EQ(w.FEstimate.Items(0).TotalPrice, Currency::fromText(QStringLiteral("1234.5")));
    EXPECT_EQ(cell("MemoItemUnitPrice_", 0)->text(), "1.23");
    QTest::mouseClick(cell("MemoItemUnitPrice_", 0), Qt::LeftButton);
    leave(cell("MemoItemUnitPrice_", 0));
    EXPECT_EQ(w.FEstimate.Items(0).UnitPrice, Currency::fromText(QStringLiteral("1.23")));
    EXPECT_EQ(w.FEstimate.Items(0).TotalPrice, Currency::fromUnits(1230));
}

TEST_F(LineEditorTest, EnteringANumberDropsItsCommasAndEnterMovesOn) {
    startOnContents();
    typeLine(0, QStringLiteral("板"), "1", "1250000");
    QLineEdit* price = cell("MemoItemUnitPrice_", 0);
    ASSERT_EQ(price->text(), "1,250,000");
    QTest::mouseClick(price, Qt::LeftButton);
    EXPECT_EQ(price->text(), "1250000");
    EXPECT_EQ(price->selectedText(), "1250000");
    QTest::keyClick(price, Qt::Key_Return);
    EXPECT_TRUE(cell("MemoItemTotalPrice_", 0)->hasFocus());
    EXPECT_EQ(price->text(), "1,250,000");
}

TEST_F(LineEditorTest, TheSelectedRowIsHighlightedUntilItIsLeft) {
    TFormMain& w = startOnContents();
    const QColor marked(255, 196, 96);
    QTest::mouseClick(cell("EditItemEtc_", 4), Qt::LeftButton);
    EXPECT_EQ(w.FSelectedRow, 4);
    EXPECT_TRUE(control<QLabel>(QStringLiteral("LblItemNo_4"))->font().bold());
    for (const char* prefix : {"EditItemName_", "MemoItemNum_", "MemoItemUnit_",
                               "MemoItemUnitPrice_", "MemoItemTotalPrice_", "EditItemEtc_"}) {
        EXPECT_EQ(cell(prefix, 4)->palette().color(QPalette::Base), marked) << prefix;
    }
    QTest::mouseClick(cell("EditItemName_", 7), Qt::LeftButton);
    EXPECT_EQ(w.FSelectedRow, 7);
    EXPECT_FALSE(control<QLabel>(QStringLiteral("LblItemNo_4"))->font().bold());
    EXPECT_EQ(cell("EditItemEtc_", 4)->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(cell("EditItemEtc_", 7)->palette().color(QPalette::Base), marked);

    // Changing the tab commits the edit and leaves no row selected.
    TypeText(cell("EditItemName_", 7), QStringLiteral("未確定"));
    showTab(0);
    EXPECT_EQ(w.FSelectedRow, -1);
    EXPECT_EQ(w.FEstimate.Items(7).ItemName, "未確定");
}

TEST_F(LineEditorTest, ATabChangeByKeyCommitsTheRowBeingTyped) {
    for (const bool onTabBar : {false, true}) {
        SCOPED_TRACE(onTabBar ? "arrow key on the tab bar" : "Ctrl+Tab in the row");
        TFormMain& w = startOnContents();
        auto* tabs = control<QTabWidget>(QStringLiteral("PGMain"));
        typeInto(cell("EditItemName_", 7), QStringLiteral("未確定"));
        if (onTabBar) {
            tabs->tabBar()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(tabs->tabBar(), Qt::Key_Left);
        } else {
            QTest::keyClick(cell("EditItemName_", 7), Qt::Key_Tab, Qt::ControlModifier);
        }
        EXPECT_EQ(tabs->currentIndex(), 0);
        EXPECT_EQ(w.FSelectedRow, -1);
        EXPECT_EQ(w.FEstimate.Items(7).ItemName, "未確定");
        EXPECT_FALSE(control<QLabel>(QStringLiteral("LblItemNo_7"))->font().bold());
        AppWindows::Destroy();
    }
}

TEST_F(LineEditorTest, CommitRowEditStoresTheRowBeingTyped) {
    TFormMain& w = startOnContents();
    typeInto(cell("MemoItemNum_", 2), QStringLiteral("4"));
    typeInto(cell("MemoItemUnitPrice_", 2), QStringLiteral("25"));
    w.CommitRowEdit();
    EXPECT_EQ(w.FSelectedRow, -1);
    EXPECT_EQ(w.FEstimate.Items(2).TotalPrice, Currency::fromUnits(100));
    EXPECT_EQ(text("EdSubTotal"), "100");
}

// Every row command with what it says when no row is selected.
const std::pair<const char*, const char*> RowCommands[] = {
    {"N9", "コピーするアイテムを1つ選択してください。"},
    {"N10", "貼り付けるアイテムを1つ選択してください。"},
    {"PrevItem1", "移動するデータを１つ選択してください。"},
    {"BackItem1", "移動するデータを１つ選択してください。"},
    {"N15", "挿入する行を1つ選択してください。"},
    {"DelData1", "削除する行を1つ選択してください。"},
    {"S1", "挿入する行を1つ選択してください。"},
};

TEST_F(LineEditorTest, EveryRowCommandAsksForASelectionFirst) {
    TFormMain& w = startOnContents();
    fillNames(3);
    std::vector<TThEstimateObject> before;
    for (int i = 0; i < w.FEstimate.Count(); ++i) {
        before.push_back(w.FEstimate.Items(i));
    }
    for (const auto& [action, message] : RowCommands) {
        messages.Texts.clear();
        trigger(action);
        EXPECT_EQ(messages.Texts, QStringList{QString::fromUtf8(message)}) << action;
    }
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(w.FEstimate.Items(i), before[static_cast<size_t>(i)]) << i;
    }
}

// A row beyond the hundred is gone after New; one within it holds another document's line.
TEST_F(LineEditorTest, NoRowIsSelectedAfterNew) {
    for (int selected : {50, 105}) {
        SCOPED_TRACE(selected);
        TFormMain& w = startOnContents();
        clickButton("pngBtnAddInputArea");
        selectRow(selected);
        ASSERT_EQ(w.FSelectedRow, selected);
        trigger("New1");
        EXPECT_EQ(w.FSelectedRow, -1);
        for (const auto& [action, message] : RowCommands) {
            messages.Texts.clear();
            EXPECT_NO_THROW(trigger(action)) << action;
            EXPECT_EQ(messages.Texts, QStringList{QString::fromUtf8(message)}) << action;
        }
        ASSERT_EQ(w.FEstimate.Count(), 100);
        EXPECT_EQ(w.FEstimate.IndexOf(nullptr), -1);
        AppWindows::Destroy();
    }
}

TEST_F(LineEditorTest, CopyAndPasteWorkOnTheStoredLines) {
    TFormMain& w = startOnContents();
    typeLine(0, QStringLiteral("配線工事"), "2", "3000");
    selectRow(0);
    trigger("N9");
    EXPECT_EQ(messages.Texts.last(), "選択行をコピーしました。");
    // Typed into the selected row and not yet left: replaced by the paste.
    typeInto(cell("EditItemName_", 5), QStringLiteral("書きかけ"));
    trigger("N10");
    EXPECT_EQ(messages.Texts.last(), "選択行に貼り付けました。");
    EXPECT_EQ(cell("EditItemName_", 5)->text(), "配線工事");
    EXPECT_EQ(w.FEstimate.Items(5), w.FEstimate.Items(0));
    EXPECT_EQ(text("EdSubTotal"), "12,000");
}

TEST_F(LineEditorTest, MovingARowCarriesItsLineAndStopsAtTheEnds) {
    TFormMain& w = startOnContents();
    fillNames(3);
    selectRow(1);
    clickButton("BtnPrevItem");
    EXPECT_EQ(w.FEstimate.Items(0).ItemName, "品1");
    EXPECT_EQ(w.FEstimate.Items(1).ItemName, "品0");
    EXPECT_TRUE(cell("EditItemName_", 0)->hasFocus());
    EXPECT_EQ(w.FSelectedRow, 0);
    clickButton("BtnPrevItem");
    EXPECT_EQ(messages.Texts.last(), "これ以上移動できません。");

    selectRow(99);
    clickButton("BtnBackItem");
    EXPECT_EQ(messages.Texts.last(), "これ以上移動できません。");
    selectRow(2);
    clickButton("BtnBackItem");
    EXPECT_EQ(w.FEstimate.Items(3).ItemName, "品2");
    EXPECT_TRUE(cell("EditItemName_", 3)->hasFocus());
    EXPECT_EQ(w.FEstimate.Count(), 100);
}

TEST_F(LineEditorTest, InsertAndDeleteKeepTheCount) {
    TFormMain& w = startOnContents();
    fillNames(4);
    selectRow(1);
    trigger("N15");
    EXPECT_EQ(w.FEstimate.Count(), 100);
    EXPECT_TRUE(w.FEstimate.Items(1).Uninput());
    EXPECT_EQ(w.FEstimate.Items(2).ItemName, "品1");
    EXPECT_EQ(cell("EditItemName_", 4)->text(), "品3");

    selectRow(2);
    clickButton("BtnDelData");
    EXPECT_EQ(w.FEstimate.Count(), 100);
    EXPECT_EQ(w.FEstimate.Items(2).ItemName, "品2");
    EXPECT_TRUE(w.FEstimate.Items(99).Uninput());
    EXPECT_EQ(cell("EditItemName_", 2)->text(), "品2");
}

TEST_F(LineEditorTest, InsertingKeepsWhatIsTypedIntoTheSelectedRow) {
    for (const char* action : {"N15", "S1"}) {
        SCOPED_TRACE(action);
        TFormMain& w = startOnContents();
        typeInto(cell("EditItemName_", 3), QStringLiteral("書きかけ"));
        typeInto(cell("MemoItemNum_", 3), QStringLiteral("2"));
        typeInto(cell("MemoItemUnitPrice_", 3), QStringLiteral("500"));
        trigger(action);
        EXPECT_EQ(w.FEstimate.Items(4).ItemName, "書きかけ");
        EXPECT_EQ(w.FEstimate.Items(4).TotalPrice, Currency::fromUnits(1000));
        EXPECT_EQ(cell("EditItemName_", 4)->text(), "書きかけ");
        EXPECT_EQ(cell("MemoItemTotalPrice_", 4)->text(), "1,000");
        EXPECT_EQ(text("EdSubTotal"), "1,000");
        AppWindows::Destroy();
    }
}

TEST_F(LineEditorTest, InsertRefusesWhenTheLastLineIsUsedOrSelected) {
    TFormMain& w = startOnContents();
    fillNames(2);
    for (const char* action : {"N15", "S1"}) {
        selectRow(99);
        trigger(action);
        EXPECT_EQ(messages.Texts.last(),
                  "これ以上挿入する場合は、入力欄を追加してから行ってください。")
            << action;
    }
    w.FEstimate.Items(99).ItemName = QStringLiteral("最後");
    w.RefreshAll();
    selectRow(0);
    trigger("N15");
    EXPECT_EQ(messages.Texts.last(),
              "これ以上挿入する場合は、入力欄を追加してから行ってください。");
    EXPECT_EQ(w.FEstimate.Items(0).ItemName, "品0");
}

TEST_F(LineEditorTest, ASubtotalRowSumsTheLinesAboveWithItsFiguresDisabled) {
    TFormMain& w = startOnContents();
    typeLine(0, QStringLiteral("部材A"), "1", "1000");
    typeLine(1, QStringLiteral("部材B"), "2", "500");
    selectRow(2);
    trigger("S1");
    const TThEstimateObject& subtotal = w.FEstimate.Items(2);
    EXPECT_TRUE(subtotal.SubTotalRow);
    EXPECT_EQ(subtotal.ItemName, TThEstimateObjectList::SubTotalRowName);
    EXPECT_EQ(subtotal.TotalPrice, Currency::fromUnits(2000));
    EXPECT_EQ(cell("EditItemName_", 2)->text(), "■ 小計 ■");
    EXPECT_EQ(cell("MemoItemTotalPrice_", 2)->text(), "2,000");
    EXPECT_TRUE(cell("EditItemName_", 2)->isEnabled());
    for (const char* prefix :
         {"MemoItemNum_", "MemoItemUnit_", "MemoItemUnitPrice_", "MemoItemTotalPrice_"}) {
        EXPECT_FALSE(cell(prefix, 2)->isEnabled()) << prefix;
    }
    EXPECT_FALSE(control<QCheckBox>(QStringLiteral("CBItemNoTax_2"))->isEnabled());
    EXPECT_TRUE(cell("MemoItemNum_", 3)->isEnabled());
    EXPECT_EQ(text("EdSubTotal"), "2,000");
}

TEST_F(LineEditorTest, InputAreasGrowByTenAndShrinkOnlyAfterAsking) {
    TFormMain& w = startOnContents();
    clickButton("pngBtnDelInputArea");
    EXPECT_EQ(messages.Texts.last(), "これ以上削除できません。");

    clickButton("pngBtnAddInputArea");
    clickButton("pngBtnAddInputArea");
    EXPECT_EQ(w.FEstimate.Count(), 120);
    EXPECT_EQ(w.RowCount(), 120);
    ASSERT_NE(w.findChild<QLineEdit*>(QStringLiteral("EditItemName_119")), nullptr);
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("EditItemName_119"))
                  ->property(TItemRow::TagProperty)
                  .toInt(),
              119);

    // Empty rows go without a question.
    messages.Texts.clear();
    clickButton("pngBtnDelInputArea");
    EXPECT_TRUE(messages.Texts.isEmpty());
    EXPECT_EQ(w.RowCount(), 110);
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("EditItemName_110")), nullptr);

    // Three filled rows: asked once per filled row, and No keeps everything.
    for (int row : {101, 105, 109}) {
        w.FEstimate.Items(row).ItemName = QStringLiteral("入力済み");
    }
    messages.Yes = false;
    clickButton("pngBtnDelInputArea");
    EXPECT_EQ(messages.Texts.size(), 1);
    EXPECT_EQ(w.RowCount(), 110);
    messages.Yes = true;
    messages.Texts.clear();
    clickButton("pngBtnDelInputArea");
    EXPECT_EQ(
        messages.Texts,
        QStringList(
            3, QStringLiteral(
                   "削除するデータ中に入力済みのアイテムがあります。削除してもよろしいですか？")));
    EXPECT_EQ(w.RowCount(), 100);
    EXPECT_EQ(w.FEstimate.Count(), 100);
}

TEST_F(LineEditorTest, RemovingFilledRowsTakesTheirAmountsOutOfTheTotals) {
    TFormMain& w = startOnContents();
    typeLine(0, QStringLiteral("残る品"), "1", "1000");
    clickButton("pngBtnAddInputArea");
    typeLine(105, QStringLiteral("消える品"), "2", "5000");
    ASSERT_EQ(text("EdSubTotal"), "11,000");
    clickButton("pngBtnDelInputArea");
    ASSERT_EQ(w.RowCount(), 100);
    EXPECT_EQ(w.FEstimate.SubTotal, Currency::fromUnits(1000));
    EXPECT_EQ(w.FEstimate.Total, Currency::fromUnits(1100));
    EXPECT_EQ(text("EdSubTotal"), "1,000");
    EXPECT_EQ(text("MMTax"), "100");
    EXPECT_EQ(text("EdGrandTotal"), "1,100");
}

TEST_F(LineEditorTest, RemovingTheAreaOfTheSelectedRowClearsTheSelection) {
    TFormMain& w = startOnContents();
    clickButton("pngBtnAddInputArea");
    selectRow(104);
    clickButton("pngBtnDelInputArea");
    EXPECT_EQ(w.RowCount(), 100);
    EXPECT_EQ(w.FSelectedRow, -1);

    clickButton("pngBtnAddInputArea");
    selectRow(3);
    clickButton("pngBtnAddInputArea");
    EXPECT_TRUE(cell("EditItemName_", 3)->hasFocus());
    clickButton("pngBtnDelInputArea");
    EXPECT_EQ(w.FSelectedRow, 3);
    EXPECT_TRUE(cell("EditItemName_", 3)->hasFocus());
}

TEST_F(LineEditorTest, ADocumentWithAnOddCountNeverFallsBelowAHundredRows) {
    TFormMain& w = startOnContents();
    w.FEstimate.PadLines(105);
    w.SyncRowCount();
    ASSERT_EQ(w.RowCount(), 105);
    clickButton("pngBtnDelInputArea");
    EXPECT_EQ(w.RowCount(), 100);
    EXPECT_EQ(w.FEstimate.Count(), 100);
}

TEST_F(LineEditorTest, TheWheelScrollsTenPixelsANotch) {
    startOnContents();
    auto* box = control<QScrollArea>(QStringLiteral("ScrollBoxContent"));
    QWidget* viewport = box->viewport();
    auto wheel = [&](int notches) {
        QWheelEvent event(QPointF(50, 50), viewport->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    wheel(-3);
    EXPECT_EQ(box->verticalScrollBar()->value(), 30);
    wheel(1);
    EXPECT_EQ(box->verticalScrollBar()->value(), 20);
}

TEST_F(LineEditorTest, PickMenusFillTheSelectedRowInGroupsOfTen) {
    QByteArray items;
    for (int k = 0; k < 12; ++k) {
        items += QStringLiteral("品目%1,%2,%3\r\n")
                     .arg(k)
                     .arg(k == 11 ? QStringLiteral("＜なし＞") : QStringLiteral("個"))
                     .arg(100 + k)
                     .toUtf8();
    }
    writeRootFile("ItemList.dat", items.constData());
    writeRootFile("ItemUnit.dat", "個\r\n本\r\n式\r\n");
    TFormMain& w = startOnContents();
    auto* items_menu = control<QMenu>(QStringLiteral("PMItem"));
    QLineEdit* name = cell("EditItemName_", 2);
    rightClick(name);
    ASSERT_EQ(items_menu->actions().size(), 2);
    EXPECT_EQ(items_menu->actions()[0]->text(), "アイテム1 - 10");
    EXPECT_EQ(items_menu->actions()[1]->text(), "アイテム11 - 20");
    EXPECT_EQ(control<QMenu>(QStringLiteral("MPItem1"))->actions().size(), 2);

    // Without a selected row an entry does nothing.
    control<QAction>(QStringLiteral("MItemName3"))->trigger();
    EXPECT_TRUE(cell("EditItemName_", 0)->text().isEmpty());
    items_menu->hide();

    QTest::mouseClick(name, Qt::LeftButton);
    rightClick(name);
    EXPECT_TRUE(items_menu->isVisible());
    control<QAction>(QStringLiteral("MItemName3"))->trigger();
    items_menu->hide();
    EXPECT_EQ(name->text(), "品目3");
    EXPECT_EQ(cell("MemoItemUnit_", 2)->text(), "個");
    EXPECT_EQ(cell("MemoItemUnitPrice_", 2)->text(), "103");
    EXPECT_TRUE(w.FEstimate.Items(2).Uninput()) << "nothing is stored before the row is left";

    rightClick(name);
    control<QAction>(QStringLiteral("MItemName11"))->trigger();
    items_menu->hide();
    EXPECT_EQ(cell("MemoItemUnit_", 2)->text(), "");
    rightClick(cell("MemoItemUnit_", 2));
    EXPECT_EQ(control<QMenu>(QStringLiteral("MPUnit0"))->title(), "単位1 - 10");
    control<QAction>(QStringLiteral("MUnit2"))->trigger();
    EXPECT_EQ(cell("MemoItemUnit_", 2)->text(), "式");
    leave(cell("MemoItemUnit_", 2));
    EXPECT_EQ(w.FEstimate.Items(2).ItemName, "品目11");
    EXPECT_EQ(w.FEstimate.Items(2).UnitName, "式");
    EXPECT_EQ(w.FEstimate.Items(2).UnitPrice, Currency::fromUnits(111));
}

TEST_F(LineEditorTest, WithoutMasterEntriesNoPickMenuOpens) {
    startOnContents();
    for (const char* prefix : {"EditItemName_", "MemoItemUnit_"}) {
        QLineEdit* field = cell(prefix, 2);
        QTest::mouseClick(field, Qt::LeftButton);
        rightClick(field);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << prefix;
    }
}

TEST_F(LineEditorTest, FiguresTypedInFullWidthCountAsTyped) {
    TFormMain& w = startOnContents();
    typeLine(0, QStringLiteral("全角"), QStringLiteral("１２"), QStringLiteral("１，２５０．５"));
    typeInto(cell("MemoItemTotalPrice_", 1), QStringLiteral("－３００"));
    leave(cell("MemoItemTotalPrice_", 1));
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('|').toStdString();
    EXPECT_EQ(figures(0), QStringList({"12", "1,250.5", "15,006"}));
    EXPECT_EQ(w.FEstimate.Items(1).TotalPrice, Currency::fromUnits(-300));
    EXPECT_EQ(text("EdSubTotal"), "14,706");
}

TEST_F(LineEditorTest, OptionControlsRecomputeTheDocument) {
    TFormMain& w = startOnContents();
    typeLine(0, QStringLiteral("部品"), "1", "999");
    typeLine(1, QStringLiteral("部品"), "1", "999");
    EXPECT_EQ(text("MMTax"), "199");  // 10 % of 1,998, truncated
    auto* perRow = control<QComboBox>(QStringLiteral("CBCalcUnit"));
    auto* underOne = control<QComboBox>(QStringLiteral("CBUnderOne"));
    perRow->setCurrentIndex(1);
    EXPECT_TRUE(w.FEstimate.CalcPerRow);
    EXPECT_EQ(text("MMTax"), "198");  // 99 per row
    underOne->setCurrentIndex(1);
    EXPECT_EQ(w.FEstimate.TaxRounding, TRoundingMode::rmRoundUp);
    EXPECT_EQ(text("MMTax"), "200");
    control<QComboBox>(QStringLiteral("CBSubTotalUnderOne"))->setCurrentIndex(2);
    EXPECT_EQ(w.FEstimate.SubTotalRounding, TRoundingMode::rmRoundOff);
}

TEST_F(LineEditorTest, ShowCalcOptionsShowsTheDocumentsOptionsWithoutRecomputing) {
    TFormMain& w = startOnContents();
    w.FEstimate.CalcPerRow = true;
    w.FEstimate.TaxRounding = TRoundingMode::rmRoundOff;
    w.FEstimate.SubTotalRounding = TRoundingMode::rmRoundUp;
    w.FEstimate.TaxIn = true;
    w.FEstimate.Tax = Currency::fromUnits(7);  // would change if it recomputed
    w.ShowCalcOptions();
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBCalcUnit"))->currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBUnderOne"))->currentIndex(), 2);
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBSubTotalUnderOne"))->currentIndex(), 1);
    EXPECT_TRUE(control<QCheckBox>(QStringLiteral("CBTaxIn"))->isChecked());
    EXPECT_EQ(w.FEstimate.Tax, Currency::fromUnits(7));
}

TEST_F(LineEditorTest, TotalClaimModeLeavesOnlyTheRemarksToType) {
    TFormMain& w = startOnContents();
    w.FEstimate.TotalClaimMode = true;
    w.FEstimate.Items(0).ItemName = QStringLiteral("見積001");
    w.FEstimate.Items(0).TotalPrice = Currency::fromUnits(10500);
    w.RefreshAll();
    EXPECT_EQ(control<QLabel>(QStringLiteral("LblMode"))->text(), "合計請求");
    for (const char* name : {"BtnDelData", "BtnPrevItem", "BtnBackItem", "pngBtnAddInputArea",
                             "pngBtnDelInputArea", "GBTaxCalc", "GBTaxInput", "GBSubTotalCalc"}) {
        EXPECT_FALSE(control<QWidget>(QLatin1String(name))->isVisible()) << name;
    }
    for (const char* action : {"N9", "N10", "PrevItem1", "BackItem1", "N15", "DelData1", "S1"}) {
        EXPECT_FALSE(control<QAction>(QLatin1String(action))->isEnabled()) << action;
    }
    for (const char* prefix : {"EditItemName_", "MemoItemNum_", "MemoItemUnit_",
                               "MemoItemUnitPrice_", "MemoItemTotalPrice_"}) {
        EXPECT_FALSE(cell(prefix, 0)->isEnabled()) << prefix;
    }
    typeInto(cell("EditItemEtc_", 0), QStringLiteral("11月分"));
    leave(cell("EditItemEtc_", 0));
    EXPECT_EQ(w.FEstimate.Items(0).Etc, "11月分");
    EXPECT_EQ(w.FEstimate.Items(0).TotalPrice, Currency::fromUnits(10500));

    // Commands reached anyway refuse.
    selectRow(0);
    for (const char* action : {"N9", "N10", "N15", "DelData1"}) {
        messages.Texts.clear();
        control<QAction>(QLatin1String(action))->setEnabled(true);
        trigger(action);
        EXPECT_EQ(messages.Texts, QStringList{TThEstimateObjectList::TotalClaimRefusal}) << action;
    }
}

TEST_F(LineEditorTest, ACharacterCp932CannotHoldIsNamedWhenTheFieldIsLeft) {
    TFormMain& w = startOnContents();
    typeInto(cell("EditItemName_", 0), QStringLiteral("部品😀"));
    leave(cell("EditItemName_", 0));
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_EQ(messages.Kinds.back(), Messages::Kind::Error);
    EXPECT_TRUE(messages.Texts[0].startsWith(QStringLiteral("1行目の品名：")))
        << messages.Texts[0].toStdString();
    EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("😀")));
    EXPECT_EQ(w.FEstimate.Items(0).ItemName, "部品😀");
}

}  // namespace

namespace {

class ReducedMarkTest : public LineEditorTest {
  protected:
    TFormMain& startQualified() {
        writeRootFile("conf.ini", "[SETTING]\r\nTAX=10\r\nQUALIFIED_INVOICE=1\r\n");
        return startOnContents();
    }
};

TEST_F(ReducedMarkTest, HiddenAndOutOfTheTabOrderWhileOff) {
    startOnContents();
    EXPECT_TRUE(control<QCheckBox>(QStringLiteral("CBItemReduced_0"))->isHidden());
    EXPECT_TRUE(control<QLabel>(QStringLiteral("LblHeadReduced"))->isHidden());
    EXPECT_EQ(cell("EditItemEtc_", 0)->width(), 166);
    EXPECT_TRUE(control<QComboBox>(QStringLiteral("CBCalcUnit"))->isEnabled());
}

TEST_F(ReducedMarkTest, ReachedByTabMarksTheLineAndTaxesItAtTheReducedRate) {
    TFormMain& w = startQualified();
    QCheckBox* mark = control<QCheckBox>(QStringLiteral("CBItemReduced_1"));
    EXPECT_FALSE(mark->isHidden());
    EXPECT_FALSE(control<QLabel>(QStringLiteral("LblHeadReduced"))->isHidden());

    // Tab goes from the remark to the mark, then to 非課税.
    QWidget* at = cell("EditItemEtc_", 1);
    QStringList walked;
    for (int i = 0; i < 3; ++i) {
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus || at->isHidden()) {
            at = at->nextInFocusChain();
        }
        walked << at->objectName();
    }
    EXPECT_EQ(walked, QStringList({"CBItemReduced_1", "CBItemNoTax_1", "EditItemName_2"}));

    typeLine(0, QStringLiteral("事務用品"), "3", "105");
    typeLine(1, QStringLiteral("弁当"), "1", "1080");
    mark->setFocus();
    QTest::keyClick(mark, Qt::Key_Space);
    EXPECT_TRUE(w.FEstimate.Items(1).Reduced);
    // 10 %: 315 → 31; 8 %: 1080 → 86.
    EXPECT_EQ(text("MMTax"), "117");
    EXPECT_EQ(text("EdGrandTotal"), "1,512");
    ASSERT_EQ(w.FEstimate.Breakdown.Rates.size(), 2U);

    // The per-line option cannot be chosen, and says why.
    auto* perRow = control<QComboBox>(QStringLiteral("CBCalcUnit"));
    EXPECT_FALSE(perRow->isEnabled());
    EXPECT_EQ(perRow->toolTip(), TFormMain::CalcPerRowRefusal);
}

// The mark fits between the remark and 非課税, inside the rows' box.
TEST_F(ReducedMarkTest, MarkFitsBetweenTheRemarkAndTheExemptBox) {
    startQualified();
    for (int row : {0, 99}) {
        const QRect etc = cell("EditItemEtc_", row)->geometry();
        const QRect mark =
            control<QCheckBox>(QStringLiteral("CBItemReduced_%1").arg(row))->geometry();
        const QRect noTax =
            control<QCheckBox>(QStringLiteral("CBItemNoTax_%1").arg(row))->geometry();
        EXPECT_LT(etc.right(), mark.left());
        EXPECT_LT(mark.right(), noTax.left());
        EXPECT_EQ(mark.top(), noTax.top());
    }
    const QRect headEtc = control<QLabel>(QStringLiteral("LblHeadEtc"))->geometry();
    const QRect head = control<QLabel>(QStringLiteral("LblHeadReduced"))->geometry();
    const QRect headNoTax = control<QLabel>(QStringLiteral("LblHeadNoTax"))->geometry();
    EXPECT_LT(headEtc.right(), head.left());
    EXPECT_LT(head.right(), headNoTax.left());
}

TEST_F(ReducedMarkTest, AMarkedItemPickedFromTheMasterMarksTheLine) {
    writeRootFile("ItemList.dat", "弁当,個,540,軽減\r\n");
    TFormMain& w = startQualified();
    selectRow(0);
    auto* menu = control<QMenu>(QStringLiteral("PMItem"));
    rightClick(cell("EditItemName_", 0));
    ASSERT_TRUE(menu->isVisible());
    ASSERT_FALSE(menu->actions().isEmpty());
    menu->actions().at(0)->menu()->actions().at(0)->trigger();
    menu->hide();
    EXPECT_TRUE(control<QCheckBox>(QStringLiteral("CBItemReduced_0"))->isChecked());
    QTest::mouseClick(cell("EditItemName_", 1), Qt::LeftButton);
    EXPECT_EQ(w.FEstimate.Items(0).ItemName, "弁当");
    EXPECT_TRUE(w.FEstimate.Items(0).Reduced);
}

}  // namespace
