#include <gtest/gtest.h>

#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <functional>

#include "CustomerPrint.h"
#include "MessageLog.h"
#include "QtPrint.h"
#include "TempDir.h"
#include "TypeText.h"

#include "Cp932.h"
#include "CustomerField.h"
#include "StartFolders.h"
#include "TFormCustomAdd.h"
#include "TFormCustomEdit.h"
#include "TFormCustomer.h"
#include "TPngButton.h"
#include "TThCustomerObjectList.h"

namespace {

// Every column orders the three differently, and letter case decides nothing: a byte order
// would put the upper-case texts first.
const TThCustomerObject R0{"C01",      "beta",     "Gamma", "x",    "",
                           "150-0001", "おおさか", "C",     "06-2", "01"};
const TThCustomerObject R1{"a02",      "Alpha",      "beta", "z",    "",
                           "100-0001", "とうきょう", "b",    "03-1", "09"};
const TThCustomerObject R2{"B03",      "Gamma",  "Alpha", "y",    "",
                           "200-0001", "あいち", "a",     "05-3", "05"};

const TThCustomerObject Addressee{
    "H-9",      "株式会社みどり",       "経理部", "御担当",       "御中",
    "530-0001", "大阪府大阪市北区梅田", "2-2",    "06-1111-2222", "06-1111-3333"};

class TFormCustomerTest : public ::testing::Test {
  protected:
    TFormCustomerTest() {
        for (const TThCustomerObject& customer : {R0, R1, R2}) {
            list.Add(std::make_unique<TThCustomerObject>(customer));
        }
        form.SetEntryWindows(&add, &edit);
    }

    template <typename T>
    T* control(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTableView* view() { return control<QTableView>(&form, "LVCustomer"); }
    void click(QWidget* window, const char* picture) {
        QTest::mouseClick(control<TPngButton>(window, picture), Qt::LeftButton);
    }
    void open() {
        form.Bind(list, savePath, Addressee);
        form.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QPoint rowPoint(int row) { return view()->visualRect(view()->model()->index(row, 1)).center(); }
    void clickRow(int row) {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, rowPoint(row));
    }
    void clickHeader(int column) {
        QHeaderView* header = view()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    int selectedRow() {
        const QModelIndexList rows = view()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    // The codes in list order, and what the view shows in column 0.
    QStringList codes() {
        QStringList result;
        for (int i = 0; i < list.Count(); ++i) {
            result << list.Items(i).CusCode;
        }
        EXPECT_EQ(view()->model()->rowCount(), list.Count());
        for (int i = 0; i < view()->model()->rowCount(); ++i) {
            EXPECT_EQ(view()->model()->index(i, 0).data().toString(), result.value(i));
        }
        return result;
    }
    std::vector<TThCustomerObject> records() {
        std::vector<TThCustomerObject> result;
        for (int i = 0; i < list.Count(); ++i) {
            result.push_back(list.Items(i));
        }
        return result;
    }
    std::vector<TThCustomerObject> saved() {
        TThCustomerObjectList read;
        read.LoadFromFile(savePath);
        std::vector<TThCustomerObject> result;
        for (int i = 0; i < read.Count(); ++i) {
            result.push_back(read.Items(i));
        }
        return result;
    }

    MessageLog messages;
    TempDir temp;
    QString savePath = temp.path(QStringLiteral("Customer.dat"));
    TThCustomerObjectList list;
    TFormCustomAdd add;
    TFormCustomEdit edit;
    TFormCustomer form;
};

TEST_F(TFormCustomerTest, HasTheColumnsAndButtonsOfTheList) {
    EXPECT_EQ(form.windowTitle(), "お客様一覧");
    const QStringList captions = {"お客様コード", "会社名１", "会社名２", "会社名３", "郵便番号",
                                  "住所１",       "住所２",   "TEL",      "FAX"};
    const int widths[] = {80, 125, 125, 125, 65, 190, 190, 95, 95};
    open();
    ASSERT_EQ(view()->model()->columnCount(), captions.size());
    int columnsWidth = 0;
    for (int i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(view()->model()->headerData(i, Qt::Horizontal).toString(), captions[i]);
        EXPECT_EQ(view()->columnWidth(i), widths[i]) << i;
        columnsWidth += widths[i];
    }
    // The window fits a 1024 × 768 screen with its frame; the list scrolls to its last columns.
    EXPECT_LE(form.frameGeometry().width(), 1024);
    EXPECT_LE(form.frameGeometry().height(), 768);
    EXPECT_LT(view()->viewport()->width(), columnsWidth);
    EXPECT_GT(view()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(view()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(view()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(view()->showGrid());

    const struct {
        const char* role;
        QString caption;
        bool enabled;
    } buttons[] = {
        {"Add", "追加登録", true},
        {"Import", "インポート", false},
        {"Edit", "編集", true},
        {"Delete", "削除", true},
        {"Export", "エクスポート", true},
        {"Print", "印刷・PDF出力", false},
        {"Select", "選択した得意先を入力", true},
        {"Close", "閉じる", true},
    };
    int left = -1;
    for (const auto& button : buttons) {
        const QByteArray name = QByteArray("Btn") + button.role;
        auto* standard = control<QPushButton>(&form, name.constData());
        auto* picture = control<TPngButton>(&form, ("PNG" + name).constData());
        EXPECT_EQ(standard->text(), button.caption);
        EXPECT_FALSE(standard->isVisible()) << name.constData();
        EXPECT_EQ(picture->isEnabled(), button.enabled) << name.constData();
        EXPECT_GT(picture->x(), left) << name.constData() << " is right of the one before";
        EXPECT_GE(picture->y(), view()->geometry().bottom()) << "along the bottom edge";
        EXPECT_LE(picture->geometry().right(), form.width());
        left = picture->geometry().right();
    }
}

TEST_F(TFormCustomerTest, PrintRunsTheGivenCommandAndStaysOpen) {
    open();
    QWidget* parent = nullptr;
    form.SetPrintCommand([&](QWidget* window) { parent = window; });
    click(&form, "PNGBtnPrint");
    EXPECT_EQ(parent, &form);
    EXPECT_TRUE(form.isVisible());
    form.SetPrintCommand({});
    EXPECT_FALSE(control<TPngButton>(&form, "PNGBtnPrint")->isEnabled());
}

TEST_F(TFormCustomerTest, ShowsEveryFieldOfTheListInListOrder) {
    open();
    ASSERT_EQ(view()->model()->rowCount(), 3);
    const TThCustomerObject* rows[] = {&R0, &R1, &R2};
    for (int row = 0; row < 3; ++row) {
        for (size_t column = 0; column < CustomerFields.size(); ++column) {
            EXPECT_EQ(view()->model()->index(row, static_cast<int>(column)).data().toString(),
                      *rows[row].*CustomerFields[column].Member)
                << row << "," << column;
        }
    }
}

TEST_F(TFormCustomerTest, RegisteringWithoutTypingAddsTheHeadersAddresseeAtTheEnd) {
    open();
    click(&form, "PNGBtnAdd");
    ASSERT_TRUE(add.isVisible());
    EXPECT_EQ(control<QLineEdit>(&add, "EdtName1")->text(), "株式会社みどり");
    click(&add, "PNGBtnOK");
    EXPECT_FALSE(add.isVisible());
    EXPECT_EQ(codes(), QStringList({"C01", "a02", "B03", "H-9"}));
    TThCustomerObject expected = Addressee;
    expected.NameTitle.clear();
    EXPECT_EQ(list.Items(3), expected) << "the master keeps no honorific";
    EXPECT_TRUE(form.isVisible());
}

TEST_F(TFormCustomerTest, RegistersWhatIsTypedAndKeepsTheSelection) {
    open();
    clickRow(1);
    click(&form, "PNGBtnAdd");
    auto* name = control<QLineEdit>(&add, "EdtName1");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    TypeText(name, QStringLiteral("有限会社あおば"));
    click(&add, "PNGBtnOK");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Items(3).Name1, "有限会社あおば");
    EXPECT_EQ(list.Items(3).CusCode, "H-9");
    EXPECT_EQ(selectedRow(), 1);
}

TEST_F(TFormCustomerTest, ClosingTheAddWindowAddsNothing) {
    open();
    click(&form, "PNGBtnAdd");
    click(&add, "PNGBtnClose");
    EXPECT_EQ(records(), std::vector({R0, R1, R2}));
    // The next registration is not answered twice by a stale hand-over.
    click(&form, "PNGBtnAdd");
    click(&add, "PNGBtnOK");
    EXPECT_EQ(list.Count(), 4);
}

TEST_F(TFormCustomerTest, EditsTheSelectedCustomer) {
    open();
    click(&form, "PNGBtnEdit");
    EXPECT_EQ(messages.Texts, QStringList({"編集するお客様情報を選択して下さい。"}));
    EXPECT_FALSE(edit.isVisible());

    clickRow(2);
    click(&form, "PNGBtnEdit");
    ASSERT_TRUE(edit.isVisible());
    EXPECT_EQ(edit.Customer(), R2);
    auto* tel = control<QLineEdit>(&edit, "EdtTel");
    tel->setFocus();
    TypeText(tel, QStringLiteral("-4"));
    click(&edit, "PNGBtnOK");
    TThCustomerObject expected = R2;
    expected.Tel = QStringLiteral("05-3-4");
    EXPECT_EQ(records(), std::vector({R0, R1, expected}));
    EXPECT_EQ(view()->model()->index(2, 7).data().toString(), "05-3-4");
    EXPECT_EQ(selectedRow(), 2);

    click(&form, "PNGBtnEdit");
    control<QLineEdit>(&edit, "EdtName1")->setText(QStringLiteral("changed"));
    click(&edit, "PNGBtnClose");
    EXPECT_EQ(list.Items(2), expected) << "閉じる keeps the customer";
}

TEST_F(TFormCustomerTest, DeletesTheSelectedCustomerOnlyOnYes) {
    open();
    click(&form, "PNGBtnDelete");
    EXPECT_EQ(messages.Texts, QStringList({"削除するお客様情報を選択して下さい。"}));
    messages.Texts.clear();

    clickRow(1);
    messages.Yes = false;
    click(&form, "PNGBtnDelete");
    EXPECT_EQ(messages.Texts, QStringList({"Alpha　を削除します、よろしいですか？"}));
    EXPECT_EQ(messages.Kinds.back(), Messages::Kind::Question);
    EXPECT_EQ(list.Count(), 3);

    messages.Yes = true;
    click(&form, "PNGBtnDelete");
    EXPECT_EQ(records(), std::vector({R0, R2}));
    EXPECT_EQ(selectedRow(), -1);
}

TEST_F(TFormCustomerTest, AfterDeletingTheOnlyCustomerEditAsksForASelection) {
    list.Delete(2);
    list.Delete(1);
    open();
    clickRow(0);
    click(&form, "PNGBtnDelete");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(view()->model()->rowCount(), 0);
    messages.Texts.clear();
    click(&form, "PNGBtnEdit");
    EXPECT_EQ(messages.Texts, QStringList({"編集するお客様情報を選択して下さい。"}));
    EXPECT_FALSE(edit.isVisible());
}

struct SortCase {
    int column;
    QStringList ascending;  // codes
};

void PrintTo(const SortCase& sortCase, std::ostream* out) {
    *out << "column " << sortCase.column;
}

std::string SortCaseName(const ::testing::TestParamInfo<SortCase>& sortCase) {
    return "Column" + std::to_string(sortCase.param.column);
}

class TFormCustomerSortTest : public TFormCustomerTest,
                              public ::testing::WithParamInterface<SortCase> {};

TEST_P(TFormCustomerSortTest, FirstClickSortsTheMasterAscendingTheNextDescending) {
    open();
    clickHeader(GetParam().column);
    EXPECT_EQ(codes(), GetParam().ascending);
    clickHeader(GetParam().column);
    QStringList descending = GetParam().ascending;
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(codes(), descending);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, TFormCustomerSortTest,
    ::testing::Values(SortCase{0, {"a02", "B03", "C01"}}, SortCase{1, {"a02", "C01", "B03"}},
                      SortCase{2, {"B03", "a02", "C01"}}, SortCase{3, {"C01", "B03", "a02"}},
                      SortCase{4, {"a02", "C01", "B03"}}, SortCase{5, {"B03", "C01", "a02"}},
                      SortCase{6, {"B03", "a02", "C01"}}, SortCase{7, {"a02", "B03", "C01"}},
                      SortCase{8, {"C01", "B03", "a02"}}),
    SortCaseName);

TEST_F(TFormCustomerTest, OneDirectionIsSharedByAllColumnsAndKeptAcrossShowings) {
    open();
    clickHeader(1);
    EXPECT_EQ(codes(), QStringList({"a02", "C01", "B03"}));
    clickHeader(3);
    EXPECT_EQ(codes(), QStringList({"a02", "B03", "C01"})) << "column 3 descending";
    click(&form, "PNGBtnClose");
    open();
    clickHeader(0);
    EXPECT_EQ(codes(), QStringList({"a02", "B03", "C01"})) << "ascending again";
}

TEST_F(TFormCustomerTest, TheSelectedCustomerStaysSelectedAfterTheSort) {
    open();
    clickRow(2);  // B03
    clickHeader(0);
    EXPECT_EQ(selectedRow(), 1);
    clickHeader(0);
    EXPECT_EQ(selectedRow(), 1);
    clickHeader(3);
    EXPECT_EQ(list.Items(selectedRow()).CusCode, "B03");
}

TEST_F(TFormCustomerTest, TheSortedOrderIsTheSavedOrder) {
    open();
    clickHeader(1);
    click(&form, "PNGBtnClose");
    EXPECT_EQ(saved(), std::vector({R1, R0, R2}));
}

TEST_F(TFormCustomerTest, ExportsTheListWithItsHeaderLineWhereTheUserChooses) {
    QStringList folders;
    const QString path = temp.path(QStringLiteral("お客様.csv"));
    form.SetExportDialog([&](QWidget* parent, const QString& folder) {
        EXPECT_EQ(parent, &form);
        folders << folder;
        return path;
    });
    list.Items(0).Name1 = QStringLiteral("山田 商店");
    open();
    click(&form, "PNGBtnExport");
    EXPECT_EQ(folders, QStringList({StartFolders::Export()}));
    const QByteArray expected = Cp932::encode(QStringLiteral(
        "お客様コード,会社名１,会社名２,会社名３,郵便番号,住所１,住所２,ＴＥＬ,ＦＡＸ\r\n"
        "C01,\"山田 商店\",Gamma,x,150-0001,おおさか,C,06-2,01\r\n"
        "a02,Alpha,beta,z,100-0001,とうきょう,b,03-1,09\r\n"
        "B03,Gamma,Alpha,y,200-0001,あいち,a,05-3,05\r\n"));
    EXPECT_EQ(readFileBytes(path), expected);
    EXPECT_TRUE(messages.Texts.isEmpty());
    EXPECT_TRUE(form.isVisible());
}

TEST_F(TFormCustomerTest, TheExportDialogAsksForACsvFileAndBeforeOverwriting) {
    const std::unique_ptr<QFileDialog> dialog = TFormCustomer::ExportFileDialog(&form, temp.root());
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters(), QStringList({"CSVファイル(*.csv)"}));
    EXPECT_EQ(dialog->defaultSuffix(), "csv");
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(temp.root()).absolutePath());
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
}

TEST_F(TFormCustomerTest, ExportCancelledWritesNothingAndAFailureIsReported) {
    QString answer;
    form.SetExportDialog([&](QWidget*, const QString&) { return answer; });
    open();
    click(&form, "PNGBtnExport");
    EXPECT_TRUE(messages.Texts.isEmpty());
    EXPECT_TRUE(QDir(temp.root()).entryList(QDir::Files).isEmpty());

    answer = temp.path(QStringLiteral("missing/out.csv"));
    click(&form, "PNGBtnExport");
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_EQ(messages.Kinds.back(), Messages::Kind::Error);
    EXPECT_TRUE(messages.Texts.first().contains(QStringLiteral("out.csv")))
        << messages.Texts.first().toStdString();
    EXPECT_TRUE(form.isVisible());
}

TEST_F(TFormCustomerTest, EnteringACustomerReturnsItAndCloses) {
    open();
    click(&form, "PNGBtnSelect");
    EXPECT_EQ(messages.Texts, QStringList({"お客様情報を選択して下さい。"}));
    EXPECT_TRUE(form.isVisible());

    clickRow(1);
    click(&form, "PNGBtnSelect");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), TFormCustomer::ResultOK);
    ASSERT_TRUE(form.ChosenCustomer().has_value());
    EXPECT_EQ(*form.ChosenCustomer(), R1);
}

TEST_F(TFormCustomerTest, ADoubleClickOnARowEntersIt) {
    open();
    clickRow(2);
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, rowPoint(2));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), TFormCustomer::ResultOK);
    EXPECT_EQ(form.ChosenCustomer(), R2);
}

TEST_F(TFormCustomerTest, EveryWayOfClosingSavesTheMaster) {
    struct Way {
        const char* name;
        std::function<void()> close;
        int result;
    };
    const Way ways[] = {
        {"閉じる", [&] { click(&form, "PNGBtnClose"); }, TFormCustomer::ResultCancel},
        {"Escape", [&] { QTest::keyClick(&form, Qt::Key_Escape); }, TFormCustomer::ResultCancel},
        {"window close", [&] { form.close(); }, TFormCustomer::ResultCancel},
        {"enter a customer",
         [&] {
             clickRow(0);
             click(&form, "PNGBtnSelect");
         },
         TFormCustomer::ResultOK},
    };
    for (const Way& way : ways) {
        open();
        click(&form, "PNGBtnAdd");
        click(&add, "PNGBtnOK");
        const std::vector<TThCustomerObject> expected = records();
        way.close();
        EXPECT_FALSE(form.isVisible()) << way.name;
        EXPECT_EQ(form.result(), way.result) << way.name;
        EXPECT_EQ(form.ChosenCustomer().has_value(), way.result == TFormCustomer::ResultOK)
            << way.name;
        EXPECT_EQ(saved(), expected) << way.name;
    }
    EXPECT_EQ(list.Count(), 7) << "one registration per way";
}

TEST_F(TFormCustomerTest, AFailedSaveIsReportedAndTheListKept) {
    savePath = temp.path(QStringLiteral("missing/Customer.dat"));
    open();
    click(&form, "PNGBtnClose");
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_EQ(messages.Kinds.back(), Messages::Kind::Error);
    EXPECT_TRUE(messages.Texts.first().contains(QStringLiteral("Customer.dat")))
        << messages.Texts.first().toStdString();
    EXPECT_EQ(records(), std::vector({R0, R1, R2}));
}

TEST_F(TFormCustomerTest, AnotherShowingForgetsTheLastChoice) {
    open();
    clickRow(0);
    click(&form, "PNGBtnSelect");
    ASSERT_TRUE(form.ChosenCustomer().has_value());
    open();
    EXPECT_FALSE(form.ChosenCustomer().has_value());
}

}  // namespace

namespace {

// Another copy of the program (a second PC on the share) saves the list while this window is
// open: what it added comes in, and a customer both changed is asked about by name.
TEST_F(TFormCustomerTest, MergesWithAnotherCopyAndAsksAboutTheCustomerBothChanged) {
    for (const bool keepMine : {true, false}) {
        SCOPED_TRACE(keepMine ? "keep this copy's" : "keep the other copy's");
        TThCustomerObjectList start;
        for (const TThCustomerObject& customer : {R0, R1, R2}) {
            start.Add(std::make_unique<TThCustomerObject>(customer));
        }
        writeFileBytes(savePath, QByteArray());
        start.SaveToFile(savePath);
        list.Clear();
        list.LoadFromFile(savePath);
        messages.Texts.clear();
        open();

        TThCustomerObjectList other;
        other.LoadFromFile(savePath);
        other.Items(2).Tel = QStringLiteral("other");
        other.Add(std::make_unique<TThCustomerObject>(Addressee));
        other.SaveToFile(savePath);

        clickRow(2);
        click(&form, "PNGBtnEdit");
        control<QLineEdit>(&edit, "EdtTel")->setText(QStringLiteral("mine"));
        click(&edit, "PNGBtnOK");
        messages.Yes = keepMine;
        click(&form, "PNGBtnClose");

        ASSERT_EQ(messages.Texts.size(), 1);
        EXPECT_EQ(messages.Kinds.back(), Messages::Kind::Question);
        EXPECT_TRUE(
            messages.Texts.first().contains(QStringLiteral("お客様「Gamma」（コード B03）")))
            << messages.Texts.first().toStdString();
        TThCustomerObject expected = R2;
        expected.Tel = keepMine ? QStringLiteral("mine") : QStringLiteral("other");
        TThCustomerObject added = Addressee;
        added.NameTitle.clear();  // the master keeps no title
        EXPECT_EQ(saved(), std::vector({R0, R1, expected, added}));
        EXPECT_EQ(records(), saved()) << "the window holds what was saved";
    }
}

}  // namespace
