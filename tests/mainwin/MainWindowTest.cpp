#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include "AppWindows.h"
#include "Cp932.h"
#include "Messages.h"
#include "ModelError.h"
#include "PermissionBits.h"
#include "PostalLookup.h"
#include "TFormConf.h"
#include "TFormCustomAdd.h"
#include "TFormCustomEdit.h"
#include "TFormCustomer.h"
#include "TFormImport.h"
#include "TFormItemAdd.h"
#include "TFormItemEdit.h"
#include "TFormItemList.h"
#include "TFormListFileSave.h"
#include "TFormMain.h"
#include "TFormOpen.h"
#include "TFormPreviewEtcSlip.h"
#include "TFormPreviewList.h"
#include "TFormPreviewMitsu.h"
#include "TFormPrintFaxSender.h"
#include "TFormPrintList.h"
#include "TFormPrintMitsu.h"
#include "TFormPrintReceipt.h"
#include "TFormPrintTotalClaim.h"
#include "TFormSave.h"
#include "TFormSearchFile.h"
#include "TFormSenderConf.h"
#include "TFormTotalClaim.h"
#include "TFormUnitAdd.h"
#include "TFormUnitEdit.h"
#include "TFormVersion.h"
#include "TFormZipSearch.h"
#include "TempDir.h"
#include "Tzip_update.h"
#include "ZipTable.h"

namespace {

// A fresh data root per test, and message boxes answered by the test.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Messages::SetResponder([this](Messages::Kind kind, const QString& text) {
            asked << text;
            return kind == Messages::Kind::Question && answerYes;
        });
    }
    void TearDown() override {
        AppWindows::Destroy();
        Messages::SetResponder({});
    }

    DataFolders folders() const { return DataFolders(dir.path("HESTREL/Pelkano4")); }
    void writeRootFile(const char* name, const char* utf8) {
        QDir().mkpath(folders().RootFolder());
        writeFileBytes(folders().RootFolder() + name, Cp932::encode(QString::fromUtf8(utf8)));
    }
    TFormMain& start() {
        AppWindows::Create(folders());
        AppWindows::FormMain->show();
        return *AppWindows::FormMain;
    }

    TempDir dir;
    QStringList asked;
    bool answerYes = false;
};

TEST_F(MainWindowTest, FirstStartMakesAWorkingDataFolder) {
    TFormMain& w = start();
    EXPECT_TRUE(asked.isEmpty()) << asked.join('\n').toStdString();
    EXPECT_TRUE(DataFolders::FolderExists(w.DataFolder()));
    EXPECT_TRUE(DataFolders::FolderExists(w.ImgFolder()));
    EXPECT_EQ(w.FConfig.TAX, Currency::fromUnits(10));
    EXPECT_EQ(w.FEstimate.TaxRate, Currency::fromUnits(10));
    EXPECT_EQ(w.FEstimate.Count(), 100);
    EXPECT_EQ(w.FSelectedRow, -1);
    if (!ZipTable::InstalledFolder().isEmpty()) {
        EXPECT_TRUE(QFile::exists(w.ZipFolder() + "zip.dat"));
        EXPECT_TRUE(QFile::exists(w.ZipFolder() + "version.txt"));
    }
}

TEST_F(MainWindowTest, LoadsSettingsAndMastersOfAnExistingRoot) {
    writeRootFile("conf.ini",
                  "[SETTING]\r\nTAX=8\r\nPRINTDECIMAL=1\r\n[CAMPANY_INFO2]\r\nChargeName=山田\r\n");
    writeRootFile("Customer.dat", "C1,株式会社テスト,,,,,,,\r\nC2,有限会社サンプル,,,,,,,\r\n");
    writeRootFile("ItemList.dat", "ボルト,本,12.5\r\n");
    writeRootFile("ItemUnit.dat", "個\r\n本\r\n式\r\n");
    TFormMain& w = start();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(w.FEstimate.TaxRate, Currency::fromUnits(8));
    EXPECT_EQ(w.FCustomerList.Count(), 2);
    EXPECT_EQ(w.FItemList.Items(0).UnitPrice, Currency::fromText(u"12.5"));
    EXPECT_EQ(w.FUnitList.Count(), 3);
    EXPECT_EQ(w.FCampanyManager.Items(2).ChargeName, "山田");
    EXPECT_EQ(w.FormatAmount(false, Currency::fromText(u"1234.5")), "1,234.50");
    EXPECT_EQ(w.FormatAmount(true, Currency::fromText(u"1234.5")), "1,234.5");
}

TEST_F(MainWindowTest, BrokenMasterIsReportedAndTheProgramStarts) {
    writeRootFile("Customer.dat", "C1,a,,,,,,,\r\nbroken\r\n");
    TFormMain& w = start();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains("Customer.dat」の 2 行目")) << asked[0].toStdString();
    EXPECT_EQ(w.FCustomerList.Count(), 1);
    EXPECT_TRUE(w.isVisible());
}

struct StartCase {
    const char* name;
    const char* file;
    QByteArray bytes;  // line 2 as an editor that saves UTF-8 leaves it: not Shift-JIS
    QString (*loaded)(const TFormMain& w);
    const char* expected;  // what loaded from the lines before it
    friend void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }
};

class BrokenDataFileAtStart : public MainWindowTest,
                              public ::testing::WithParamInterface<StartCase> {};

// Two starts on the same broken file: each says which line is broken and where the file
// as it was is kept, and the copy is made once.
TEST_P(BrokenDataFileAtStart, IsReportedWithTheOneCopyOfIt) {
    const StartCase& c = GetParam();
    QDir().mkpath(folders().RootFolder());
    const QString path = folders().RootFolder() + c.file;
    writeFileBytes(path, c.bytes);
    QString message;
    for (int run = 0; run < 2; ++run) {
        asked.clear();
        const TFormMain& w = start();
        EXPECT_EQ(c.loaded(w), c.expected);
        ASSERT_EQ(asked.size(), 1) << asked.join('\n').toStdString();
        EXPECT_TRUE(asked[0].contains(path + "」の 2 行目")) << asked[0].toStdString();
        EXPECT_TRUE(asked[0].contains("元のファイルは「" + path + ".broken-"))
            << asked[0].toStdString();
        EXPECT_TRUE(message.isEmpty() || asked[0] == message) << asked[0].toStdString();
        message = asked[0];
        AppWindows::Destroy();
    }
    const QStringList copies =
        QDir(folders().RootFolder()).entryList({QStringLiteral("*.broken-*")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(readFileBytes(folders().RootFolder() + copies[0]), c.bytes);
}

std::string startCaseName(const ::testing::TestParamInfo<StartCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenDataFileAtStart,
    ::testing::Values(
        StartCase{"Customers", "Customer.dat",
                  Cp932::encode(QStringLiteral("C1,株式会社テスト,,,,,,,\r\n")) +
                      "C2,山田商店,,,,,,,\r\n",
                  [](const TFormMain& w) { return QString::number(w.FCustomerList.Count()); }, "1"},
        StartCase{"Items", "ItemList.dat",
                  Cp932::encode(QStringLiteral("ボルト,本,10\r\n")) + "ナット,個,5\r\n",
                  [](const TFormMain& w) { return QString::number(w.FItemList.Count()); }, "1"},
        StartCase{"Units", "ItemUnit.dat", Cp932::encode(QStringLiteral("個\r\n")) + "ダース\r\n",
                  [](const TFormMain& w) { return QString::number(w.FUnitList.Count()); }, "1"},
        StartCase{"Settings", "conf.ini",
                  Cp932::encode(QStringLiteral("[SETTING]\r\n")) + "EST_TITLE=見積\r\nTAX=8\r\n",
                  [](const TFormMain& w) { return w.FConfig.TAX.toText(); }, "5"},
        StartCase{"PrintOptions", "print.ini",
                  Cp932::encode(QStringLiteral("[SETTING]\r\n")) + "PRINTER=複合機\r\n",
                  [](const TFormMain&) { return QString(); }, ""}),
    startCaseName);

TEST_F(MainWindowTest, UnreadableMasterIsNeitherCopiedNorReplaced) {
    writeRootFile("Customer.dat", "C1,a,,,,,,,\r\n");
    const QString path = folders().CustomerPath();
    const QByteArray before = readFileBytes(path);
    {
        PermissionBitsApply bits;
        if (!PermissionBitsApply::MakeUnreadable(path)) {
            GTEST_SKIP() << "every file is readable here";
        }
        TFormMain& w = start();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked[0].contains(path)) << asked[0].toStdString();
        EXPECT_TRUE(asked[0].contains("控えを作れない")) << asked[0].toStdString();
        // What the customer window does when it closes.
        EXPECT_THROW(w.FCustomerList.SaveToFile(path), EFileError);
    }
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_TRUE(QDir(folders().RootFolder())
                    .entryList({QStringLiteral("*.broken-*")}, QDir::Files)
                    .isEmpty());
}

TEST_F(MainWindowTest, BadPicturesLeaveTheRestLoadedAndAreNamedInOneMessage) {
    writeRootFile("conf.ini",
                  "[SETTING]\r\nTAX=8\r\n[CAMPANY_INFO1]\r\nChargeName=佐藤\r\n"
                  "[CAMPANY_INFO2]\r\nChargeName=山田\r\n");
    QDir().mkpath(folders().ImgFolder());
    writeFileBytes(folders().ImgFolder() + "logo0.bmp", "not a picture");
    writeFileBytes(folders().ImgFolder() + "pstamp3.bmp", "not a picture");
    const TFormMain& w = start();
    ASSERT_EQ(asked.size(), 1) << asked.join('\n').toStdString();
    EXPECT_TRUE(asked[0].contains("logo0.bmp")) << asked[0].toStdString();
    EXPECT_TRUE(asked[0].contains("pstamp3.bmp")) << asked[0].toStdString();
    EXPECT_FALSE(asked[0].contains("conf.ini")) << asked[0].toStdString();
    EXPECT_EQ(w.FConfig.TAX, Currency::fromUnits(8));
    EXPECT_EQ(w.FCampanyManager.Items(1).ChargeName, "佐藤");
    EXPECT_EQ(w.FCampanyManager.Items(2).ChargeName, "山田");
}

TEST_F(MainWindowTest, WindowHasItsFixedSizeTabsAndMenus) {
    TFormMain& w = start();
    EXPECT_EQ(w.windowTitle(), "Rokuvel Dorvani4");
    EXPECT_EQ(w.centralWidget()->size(), QSize(872, 626));
    const QRect screen = w.screen()->availableGeometry();
    ASSERT_EQ(screen.size(), QSize(1024, 768));
    EXPECT_LE(std::abs(w.frameGeometry().center().x() - screen.center().x()), 1) << "centred";
    EXPECT_LE(std::abs(w.frameGeometry().center().y() - screen.center().y()), 1);
    auto* tabs = w.findChild<QTabWidget*>("PGMain");
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->tabText(0), "お客様情報");
    EXPECT_EQ(tabs->tabText(1), "内容");
    EXPECT_EQ(tabs->currentWidget()->objectName(), "TabCustomerInfo");

    QStringList menus;
    for (QAction* action : w.menuBar()->actions()) {
        menus << action->text();
    }
    EXPECT_EQ(menus, QStringList({"ファイル(&F)", "編集(&E)", "設定(&C)", "バージョン情報(&V)"}));
    const QStringList fileItems = {"新規作成(&N)",
                                   "開く(&O)",
                                   "保存(&S)",
                                   "合計請求データ作成(&G)",
                                   "Dorvani 2・3のデータをインポートする(&I)",
                                   "バックアップする(&B)",
                                   "バックアップを読み込む(&R)",
                                   "終了(&X)"};
    QStringList found;
    for (QAction* action : w.menuBar()->actions().at(0)->menu()->actions()) {
        if (!action->isSeparator()) {
            found << action->text();
        }
    }
    EXPECT_EQ(found, fileItems);
    EXPECT_TRUE(w.findChild<QAction*>("Exit1")->isEnabled());
    for (const char* name : {"PNGBtnOpen", "PNGBtnSave", "PNGBtnMitsu", "PNGBtnNouhin",
                             "PNGBtnSeikyu", "PNGBtnBtnSeikyuMeisai", "PNGBtnJuryo", "PNGBtnRyoshu",
                             "PNGBtnGoukei", "PNGBtnTanka", "pngBtnSoushin"}) {
        EXPECT_TRUE(w.findChild<QWidget*>(name)) << name;
    }
    EXPECT_EQ(w.findChild<QWidget*>("PNGBtnBtnSeikyuMeisai")->geometry(), QRect(312, 6, 107, 65));
}

TEST_F(MainWindowTest, ExitAsksWhenExitAlertIsOn) {
    TFormMain& w = start();
    answerYes = false;
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(
        asked[0],
        "Rokuvel Dorvani4を終了してもよろしいですか？\r\n（未保存の編集中のデータは失われます。）");
    answerYes = true;
    EXPECT_TRUE(w.close());
}

TEST_F(MainWindowTest, ExitAsksNothingWhenExitAlertIsOff) {
    writeRootFile("conf.ini", "[SETTING]\r\nEXITALERT=0\r\n");
    TFormMain& w = start();
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(MainWindowTest, AboutBoxShowsTheProductAndCloses) {
    TFormMain& w = start();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        TFormVersion* box = AppWindows::FormVersion;
        seen = box->isVisible() && box->windowTitle() == "バージョン情報";
        EXPECT_EQ(box->size(), QSize(431, 186));
        box->findChild<QAbstractButton*>("PNGBtnClose")->click();
    });
    w.findChild<QAction*>("About1")->trigger();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(AppWindows::FormVersion->isVisible());
}

}  // namespace

namespace {

class PostalLookupTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        QDir().mkpath(folders().ZipFolder());
        QFile::remove(folders().ZipFolder() + "zip.dat");
        ASSERT_TRUE(
            QFile::copy(DORVANI4_TEST_DATA "/postal/zip.dat", folders().ZipFolder() + "zip.dat"));
        start();
    }
    QLineEdit zip;
    QLineEdit add1;
};

TEST_F(PostalLookupTest, ChosenRowFillsCodeAndAddress) {
    zip.setText("1000004");
    QString shownKey;
    QTimer::singleShot(0, [&] {
        TFormZipSearch* search = AppWindows::FormZipSearch;
        shownKey = search->findChild<QLabel*>("Label1")->text();
        search->findChild<QAbstractButton*>("PNGBtnOK")->click();
    });
    PostalLookup::ByCode(AppWindows::FormMain, &zip, &add1);
    EXPECT_EQ(shownKey, "検索キー：1000004");
    EXPECT_EQ(zip.text(), "100-0004");
    EXPECT_EQ(add1.text(), "東京都千代田区大手町");
}

TEST_F(PostalLookupTest, CancelChangesNothingAndUnknownKeysGetTheMessage) {
    add1.setText("丸の内");
    QTimer::singleShot(
        0, [&] { AppWindows::FormZipSearch->findChild<QAbstractButton*>("PNGBtnClose")->click(); });
    PostalLookup::ByAddress(AppWindows::FormMain, &zip, &add1);
    EXPECT_EQ(add1.text(), "丸の内");
    EXPECT_TRUE(zip.text().isEmpty());

    zip.setText("10");
    PostalLookup::ByCode(AppWindows::FormMain, &zip, &add1);
    add1.setText("どこにもない町");
    PostalLookup::ByAddress(AppWindows::FormMain, &zip, &add1);
    EXPECT_EQ(asked, QStringList({"郵便番号が不明です。", "住所が不明です。"}));
}

TEST_F(PostalLookupTest, EveryWindowIsCreatedOnceUnderTheMainWindow) {
    const QList<QDialog*> windows{AppWindows::FormCustomer,
                                  AppWindows::FormZipSearch,
                                  AppWindows::FormCustomAdd,
                                  AppWindows::FormCustomEdit,
                                  AppWindows::FormSenderConf,
                                  AppWindows::FormConf,
                                  AppWindows::FormListFileSave,
                                  AppWindows::FormSave,
                                  AppWindows::FormOpen,
                                  AppWindows::FormTotalClaim,
                                  AppWindows::FormPrintMitsu,
                                  AppWindows::FormVersion,
                                  AppWindows::FormSearchFile,
                                  AppWindows::FormPreviewMitsu,
                                  AppWindows::FormImport,
                                  AppWindows::FormItemList,
                                  AppWindows::FormUnitAdd,
                                  AppWindows::FormUnitEdit,
                                  AppWindows::FormItemAdd,
                                  AppWindows::FormItemEdit,
                                  AppWindows::FormZipUpdate,
                                  AppWindows::FormPrintItemList,
                                  AppWindows::FormPrintCustomerList,
                                  AppWindows::FormPreviewList,
                                  AppWindows::FormPrintReceipt,
                                  AppWindows::FormPrintTotalClaim,
                                  AppWindows::FormPrintFaxSender,
                                  AppWindows::FormPreviewEtcSlip};
    for (QDialog* window : windows) {
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->parent(), AppWindows::FormMain) << window->metaObject()->className();
    }
    EXPECT_EQ(AppWindows::FormMain->findChildren<QDialog*>(Qt::FindDirectChildrenOnly).size(),
              windows.size());
}

TEST_F(PostalLookupTest, UpdateMenuOpensTheUpdateWindow) {
    QAction* menu = AppWindows::FormMain->findChild<QAction*>("N17");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isEnabled());
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = AppWindows::FormZipUpdate->isVisible();
        AppWindows::FormZipUpdate->close();
    });
    menu->trigger();
    EXPECT_TRUE(shown);
}

}  // namespace
