#include "MainWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "IniFile.h"
#include "TFormConf.h"
#include "TFormSenderConf.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TSlipPdfTemplates.h"

namespace {

// The 設定 menu on a data root with settings, a sender profile and pictures of each kind.
class SettingsCommandsTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        writeRootFile("conf.ini",
                      "[SETTING]\r\nTAX=10\r\nEXITALERT=0\r\nFAX_TITLE=手書き\r\n"
                      "[CAMPANY_INFO0]\r\nCampanyName1=株式会社ひかり\r\n"
                      "[CAMPANY_INFO2]\r\nChargeName=山田\r\n");
        QDir().mkpath(folders().ImgFolder());
        for (const char* name :
             {"pstamp0.bmp", "pstamp1.bmp", "logo0.bmp", "logo2.bmp", "stamp0.bmp"}) {
            QImage picture(16, 16, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            ASSERT_TRUE(picture.save(img(name), "BMP"));
        }
        start();
        pictureFile = dir.path("chosen.png");
        QImage chosen(24, 24, QImage::Format_ARGB32);
        chosen.fill(Qt::red);
        ASSERT_TRUE(chosen.save(pictureFile, "PNG"));
        AppWindows::FormConf->SetPictureDialog(
            [this](QWidget*, const QString&) { return pictureFile; });
        AppWindows::FormConf->SetColorDialog(
            [](QWidget*, const QColor&) { return std::optional(QColor(0x12, 0x34, 0x56)); });
        AppWindows::FormSenderConf->SetPictureDialog(
            [this](QWidget*, const QString&) { return pictureFile; });
    }
    QString img(const char* name) const { return folders().ImgFolder() + QLatin1String(name); }
    // The bytes of conf.ini and of every picture, to compare before and after.
    QMap<QString, QByteArray> files() const {
        QMap<QString, QByteArray> out;
        out["conf.ini"] = readFileBytes(folders().ConfPath());
        for (const QString& name : QDir(folders().ImgFolder()).entryList(QDir::Files)) {
            out[name] = readFileBytes(folders().ImgFolder() + name);
        }
        return out;
    }
    // Runs the menu item; work runs in the window it opens, which the test then closes.
    void runMenu(const char* action, QDialog* window, std::function<void()> work) {
        bool shown = false;
        QTimer::singleShot(0, window, [&] {
            shown = window->isVisible();
            work();
        });
        control<QAction>(QLatin1String(action))->trigger();
        EXPECT_TRUE(shown) << action;
        EXPECT_FALSE(window->isVisible()) << action;
    }
    void press(QWidget* window, const char* name) {
        auto* button = window->findChild<QAbstractButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    static void setText(QWidget* window, const char* name, const QString& text) {
        window->findChild<QLineEdit*>(QLatin1String(name))->setText(text);
    }
    QString confValue(const QString& section, const char* key) const {
        return IniFile::Load(folders().ConfPath()).ReadString(section, key, "missing");
    }
    int lineColor(int line) const {
        return AppWindows::FormPDFBase->Template(false, TSlipPageKind::pkFirst)
            .Find<TPRRect>(QStringLiteral("PRRectTateMitsuFirstPageLine%1").arg(line))
            ->FillColor;
    }

    QString pictureFile;
};

TEST_F(SettingsCommandsTest, BothWindowsOpenFromTheSettingsMenu) {
    EXPECT_TRUE(control<QAction>("N3")->isEnabled());
    EXPECT_TRUE(control<QAction>("N4")->isEnabled());
    runMenu("N3", AppWindows::FormSenderConf, [&] {
        EXPECT_EQ(AppWindows::FormSenderConf->windowTitle(), "自社情報の登録");
        EXPECT_EQ(AppWindows::FormSenderConf->findChild<QLineEdit*>("EdtCompany1")->text(),
                  "株式会社ひかり");
        press(AppWindows::FormSenderConf, "PNGBtnCancel");
    });
    runMenu("N4", AppWindows::FormConf, [&] {
        EXPECT_EQ(AppWindows::FormConf->windowTitle(), "動作環境の設定");
        EXPECT_EQ(AppWindows::FormConf->findChild<QLineEdit*>("EdtTax")->text(), "10");
        press(AppWindows::FormConf, "PNGBtnCancel");
    });
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('\n').toStdString();
}

TEST_F(SettingsCommandsTest, SettingsOkSavesTheFileAndRefreshesEverythingThatShowsThem) {
    showTab(1);
    typeInto(cell("EditItemName_", 0), QStringLiteral("塗装工事"));
    typeInto(cell("MemoItemNum_", 0), "3");
    typeInto(cell("MemoItemUnitPrice_", 0), "1000");
    QTest::mouseClick(cell("EditItemEtc_", 0), Qt::LeftButton);
    ASSERT_EQ(control<QLineEdit>("MMTax")->text(), "300");
    const int oddBefore = lineColor(2);

    messages.Yes = true;
    runMenu("N4", AppWindows::FormConf, [&] {
        QDialog* w = AppWindows::FormConf;
        setText(w, "EdtTax", "8");
        w->findChild<QCheckBox*>("CBPrintDecimalPoint")->setChecked(true);
        setText(w, "EdtEstTitle", "御見積書");
        press(w, "PNGBtnLineColorOdd");
        press(w, "PNGBtnPStampEntry3");
        press(w, "PNGBtnPStampDelete2");
        press(w, "PNGBtnOK");
    });
    EXPECT_EQ(confValue("SETTING", "TAX"), "8");
    EXPECT_EQ(confValue("SETTING", "PRINTDECIMAL"), "1");
    EXPECT_EQ(confValue("SETTING", "EST_TITLE"), "御見積書");
    EXPECT_EQ(confValue("SETTING", "LINE_COLOR_ODD"), "5649426");
    EXPECT_EQ(confValue("SETTING", "FAX_TITLE"), "手書き");
    EXPECT_EQ(confValue(TThCampanyInfoManager::SectionName(0), "CampanyName1"), "株式会社ひかり");
    EXPECT_TRUE(QFile::exists(img("pstamp0.bmp")));
    EXPECT_FALSE(QFile::exists(img("pstamp1.bmp"))) << "the deleted seal's file goes";
    EXPECT_TRUE(QFile::exists(img("pstamp2.bmp")));

    EXPECT_EQ(window().FEstimate.TaxRate, Currency::fromUnits(8));
    EXPECT_EQ(control<QLineEdit>("MMTax")->text(), "240") << "the open document is recomputed";
    EXPECT_EQ(control<QLineEdit>("EdGrandTotal")->text(), "3,240");
    EXPECT_EQ(cell("MemoItemUnitPrice_", 0)->text(), "1,000.00") << "PRINTDECIMAL reaches the rows";
    EXPECT_NE(lineColor(2), oddBefore);
    EXPECT_EQ(lineColor(2), 0x563412) << "the slip templates take the new stripe colour";
}

TEST_F(SettingsCommandsTest, SettingsCancelLeavesFilesAndDocumentAsTheyWere) {
    const auto before = files();
    messages.Yes = true;
    runMenu("N4", AppWindows::FormConf, [&] {
        QDialog* w = AppWindows::FormConf;
        setText(w, "EdtTax", "8");
        press(w, "PNGBtnPStampEntry4");
        press(w, "PNGBtnPStampDelete1");
        press(w, "PNGBtnCancel");
    });
    EXPECT_EQ(files(), before);
    EXPECT_EQ(window().FConfig.TAX, Currency::fromUnits(10));
    EXPECT_FALSE(window().FConfig.Stamp(0).isNull());
    EXPECT_TRUE(window().FConfig.Stamp(3).isNull());
    EXPECT_EQ(window().FEstimate.TaxRate, Currency::fromUnits(10));
}

TEST_F(SettingsCommandsTest, SenderOkSavesTheProfilesAndTheirPictures) {
    const QString settingBefore = confValue("SETTING", "FAX_TITLE");
    messages.Yes = true;
    runMenu("N3", AppWindows::FormSenderConf, [&] {
        QDialog* w = AppWindows::FormSenderConf;
        setText(w, "EdtCompany1", "有限会社みやぎ塗装");
        press(w, "PNGBtnStampSelect");
        w->findChild<QRadioButton*>("RBCustomerInfo3")->click();
        setText(w, "EdtName", "担当：高橋");
        press(w, "PNGBtnLogoDelete");
        press(w, "PNGBtnOK");
    });
    EXPECT_EQ(confValue(TThCampanyInfoManager::SectionName(0), "CampanyName1"),
              "有限会社みやぎ塗装");
    EXPECT_EQ(confValue(TThCampanyInfoManager::SectionName(2), "ChargeName"), "担当：高橋");
    EXPECT_EQ(confValue("SETTING", "FAX_TITLE"), settingBefore);
    EXPECT_EQ(confValue("SETTING", "TAX"), "10");
    EXPECT_TRUE(QFile::exists(img("logo0.bmp")));
    EXPECT_FALSE(QFile::exists(img("logo2.bmp"))) << "the logo deleted in profile 3 goes";
    const QImage stamp(img("stamp0.bmp"));
    EXPECT_EQ(stamp.size(), QSize(24, 24)) << "the chosen seal replaces the old one";
    EXPECT_EQ(window().FCampanyManager.Items(2).ChargeName, "担当：高橋");
}

TEST_F(SettingsCommandsTest, SenderCancelReloadsWhatIsOnDisk) {
    const auto before = files();
    messages.Yes = true;
    runMenu("N3", AppWindows::FormSenderConf, [&] {
        QDialog* w = AppWindows::FormSenderConf;
        setText(w, "EdtCompany1", "途中の会社名");
        press(w, "PNGBtnLogoDelete");
        // Switching stores profile 1 into the live profiles.
        w->findChild<QRadioButton*>("RBCustomerInfo2")->click();
        setText(w, "EdtCompany1", "二番目");
        press(w, "PNGBtnCancel");
    });
    ASSERT_EQ(AppWindows::FormSenderConf->ProfileOnScreen(), 2);
    EXPECT_EQ(files(), before);
    const TThCampanyInfoManager& profiles = window().FCampanyManager;
    EXPECT_EQ(profiles.Items(0).CampanyName1, "株式会社ひかり");
    EXPECT_FALSE(profiles.Items(0).LogoImage.isNull());
    EXPECT_EQ(profiles.Items(1).CampanyName1, "");
}

}  // namespace
