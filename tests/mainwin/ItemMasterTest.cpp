#include "MainWindowFixture.h"

#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>

#include <QProcess>

#include "TFormCustomer.h"
#include "TFormItemAdd.h"
#include "TFormItemList.h"
#include "TFormPrintList.h"
#include "TFormUnitAdd.h"
#include "TMasterListOutput.h"

namespace {

class ItemMasterTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        writeRootFile("ItemList.dat", "ボルト,本,12.5\r\n作業費,＜なし＞,15000\r\n");
        writeRootFile("ItemUnit.dat", "本\r\n式\r\n");
        start();
        itemsBefore = readFileBytes(folders().ItemListPath());
        unitsBefore = readFileBytes(folders().ItemUnitPath());
    }

    template <class T>
    static T* child(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void press(QWidget* window, const char* picture) {
        QTest::mouseClick(child<TPngButton>(window, picture), Qt::LeftButton);
    }
    // Opens 品名リスト編集, adds the item ナット and the unit 箱, and closes with closing.
    void editAndClose(const char* closing) {
        QTimer::singleShot(0, [closing] {
            TFormItemList* list = AppWindows::FormItemList;
            press(list, "PNGBtnItemAdd");
            child<QLineEdit>(AppWindows::FormItemAdd, "EdtItemName")->setText("ナット");
            press(AppWindows::FormItemAdd, "PNGBtnOK");
            press(list, "PNGBtnUnitAdd");
            child<QLineEdit>(AppWindows::FormUnitAdd, "EdtUnit")->setText("箱");
            press(AppWindows::FormUnitAdd, "PNGBtnOK");
            press(list, closing);
        });
        control<QAction>(QStringLiteral("N2"))->trigger();
    }
    // The entries of a pick menu opened from the first row, and closed again.
    QStringList menuEntries(const char* menuName) {
        auto* menu = control<QMenu>(QLatin1String(menuName));
        rightClick(cell(qstrcmp(menuName, "PMItem") == 0 ? "EditItemName_" : "MemoItemUnit_", 0));
        EXPECT_TRUE(menu->isVisible()) << menuName;
        QStringList names;
        for (QAction* group : menu->actions()) {
            for (QAction* entry : group->menu()->actions()) {
                names << entry->text();
            }
        }
        menu->hide();
        QCoreApplication::processEvents();
        EXPECT_TRUE(menu->actions().isEmpty()) << menuName << " keeps its entries once closed";
        return names;
    }
    // Every pick-menu entry the window holds.
    qsizetype pickEntryCount() const {
        static const QRegularExpression entryName(QStringLiteral("^(MItemName|MUnit)[0-9]+$"));
        return window().findChildren<QAction*>(entryName).size();
    }

    QByteArray itemsBefore;
    QByteArray unitsBefore;
};

TEST_F(ItemMasterTest, TheMenuItemIsAvailable) {
    EXPECT_TRUE(control<QAction>(QStringLiteral("N2"))->isEnabled());
}

// A pick menu holds entries only while it is open, so a huge master costs nothing before.
TEST_F(ItemMasterTest, PickMenusAreFilledWhenTheyOpen) {
    EXPECT_EQ(pickEntryCount(), 0);
    EXPECT_EQ(menuEntries("PMItem"), QStringList({"ボルト", "作業費"}));
    EXPECT_EQ(menuEntries("PMUnit"), QStringList({"本", "式"}));
    EXPECT_EQ(pickEntryCount(), 0);
}

TEST_F(ItemMasterTest, OkSavesBothMastersAndRefillsThePickMenus) {
    ASSERT_EQ(menuEntries("PMItem"), QStringList({"ボルト", "作業費"}));
    editAndClose("PNGBtnOK");
    EXPECT_EQ(readFileBytes(folders().ItemListPath()),
              Cp932::encode(QStringLiteral(
                  "ボルト,本,12.5\r\n作業費,＜なし＞,15000\r\nナット,＜なし＞,0\r\n")));
    EXPECT_EQ(readFileBytes(folders().ItemUnitPath()),
              Cp932::encode(QStringLiteral("本\r\n式\r\n箱\r\n")));
    EXPECT_EQ(menuEntries("PMItem"), QStringList({"ボルト", "作業費", "ナット"}));
    EXPECT_EQ(menuEntries("PMUnit"), QStringList({"本", "式", "箱"}));
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join(u'\n').toStdString();
}

TEST_F(ItemMasterTest, CancelLeavesTheFilesAsTheyWereAndDropsTheEdits) {
    editAndClose("PNGBtnCancel");
    EXPECT_EQ(readFileBytes(folders().ItemListPath()), itemsBefore);
    EXPECT_EQ(readFileBytes(folders().ItemUnitPath()), unitsBefore);
    ASSERT_EQ(window().FItemList.Count(), 2);
    EXPECT_EQ(window().FUnitList.Count(), 2);
    EXPECT_EQ(menuEntries("PMItem"), QStringList({"ボルト", "作業費"}));
    EXPECT_EQ(menuEntries("PMUnit"), QStringList({"本", "式"}));

    // Dropped means dropped: the next OK saves only what is in the window then.
    QTimer::singleShot(0, [] { press(AppWindows::FormItemList, "PNGBtnOK"); });
    control<QAction>(QStringLiteral("N2"))->trigger();
    EXPECT_EQ(readFileBytes(folders().ItemListPath()), itemsBefore);
}

// 印刷・PDF出力 of both list windows writes the live master, unsaved entries included, dated
// with the header date as it stands.
TEST_F(ItemMasterTest, ListWindowsPrintTheirLiveMasterWithTheHeaderDate) {
    typeInto(control(QStringLiteral("MMYear")), QStringLiteral("令和09"));
    leave(control(QStringLiteral("MMYear")));
    typeInto(control(QStringLiteral("MMMonth")), QStringLiteral("3"));
    leave(control(QStringLiteral("MMMonth")));
    QString pdf;
    AppWindows::MasterListOutput->SetPdfDialog([&](QWidget*, const QString&) { return pdf; });
    const struct {
        QDialog* list;
        TFormPrintList* print;
        const char* open;
        const char* close;
        const char* title;
    } cases[] = {
        {AppWindows::FormItemList, AppWindows::FormPrintItemList, "N2", "PNGBtnCancel",
         "品名リスト"},
        {AppWindows::FormCustomer, AppWindows::FormPrintCustomerList, "PNGBtnCustomer",
         "PNGBtnClose", "お客様一覧"},
    };
    for (const auto& c : cases) {
        pdf = dir.path(QStringLiteral("%1.pdf").arg(c.title));
        QTimer::singleShot(0, [&c] {
            if (c.list == AppWindows::FormItemList) {
                press(c.list, "PNGBtnItemAdd");
                child<QLineEdit>(AppWindows::FormItemAdd, "EdtItemName")->setText("ナット");
                press(AppWindows::FormItemAdd, "PNGBtnOK");
            }
            QTimer::singleShot(0, [&c] { press(c.print, "pngBtnSavePDF"); });
            press(c.list, "PNGBtnPrint");
            press(c.list, c.close);
        });
        if (c.list == AppWindows::FormItemList) {
            control<QAction>(QLatin1String(c.open))->trigger();
        } else {
            clickButton(c.open);
        }
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(out.contains(c.title)) << out.toStdString();
        EXPECT_TRUE(out.contains("令和09年3月")) << out.toStdString();
        if (c.list == AppWindows::FormItemList) {
            EXPECT_TRUE(out.contains("ナット"));
        }
    }
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join(u'\n').toStdString();
}

}  // namespace
