#include "SettingsFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

#include "TypeText.h"

#include "Cp932.h"
#include "TFormSenderConf.h"
#include "TThCampanyInfoManager.h"

namespace {

// Every field of a profile with its control and its key in the profile's section.
struct FieldCase {
    const char* control;
    const char* key;
};

const FieldCase TextCases[] = {
    {"EdtZip", "ZipNo"},
    {"EdtAdd1", "Address1"},
    {"EdtAdd2", "Address2"},
    {"EdtCompany1", "CampanyName1"},
    {"EdtCompany2", "CampanyName2"},
    {"EdtCompany3", "CampanyName3"},
    {"EdtName", "ChargeName"},
    {"EdtTel", "TelFax"},
    {"EdtBank1", "BankName1"},
    {"EdtAccount1", "BankNo1"},
    {"EdtAccName1", "OwnerName1"},
    {"EdtBank2", "BankName2"},
    {"EdtAccount2", "BankNo2"},
    {"EdtAccName2", "OwnerName2"},
};
const FieldCase FlagCases[] = {{"CBLogoUse", "UseLogoImage"}, {"CBStampUse", "UseCampanyStamp"}};
const FieldCase GeometryCases[] = {
    {"EdtPSizeWidA4", "CampanyStampWidth_A4"},
    {"EdtPSizeHigA4", "CampanyStampHeight_A4"},
    {"EdtPPosDetailLeftA4", "CampanyStampDetailPosX_A4"},
    {"EdtPPosDetailTopA4", "CampanyStampDetailPosY_A4"},
    {"EdtPPosClaimLeftA4", "CampanyStampTotalClaimPosX_A4"},
    {"EdtPPosClaimTopA4", "CampanyStampTotalClaimPosY_A4"},
    {"EdtPPosReceiptLeftA4", "CampanyStampPosReceiptPosX_A4"},
    {"EdtPPosReceiptTopA4", "CampanyStampPosReceiptPosY_A4"},
    {"EdtPPosFaxSenderLeftA4", "CampanyStampPosFaxSenderPosX_A4"},
    {"EdtPPosFaxSenderTopA4", "CampanyStampPosFaxSenderPosY_A4"},
    {"EdtPSizeWidB5", "CampanyStampWidth_B5"},
    {"EdtPSizeHigB5", "CampanyStampHeight_B5"},
    {"EdtPPosDetailLeftB5", "CampanyStampDetailPosX_B5"},
    {"EdtPPosDetailTopB5", "CampanyStampDetailPosY_B5"},
    {"EdtPPosClaimLeftB5", "CampanyStampTotalClaimPosX_B5"},
    {"EdtPPosClaimTopB5", "CampanyStampTotalClaimPosY_B5"},
    {"EdtPPosReceiptLeftB5", "CampanyStampPosReceiptPosX_B5"},
    {"EdtPPosReceiptTopB5", "CampanyStampPosReceiptPosY_B5"},
    {"EdtPPosFaxSenderLeftB5", "CampanyStampPosFaxSenderPosX_B5"},
    {"EdtPPosFaxSenderTopB5", "CampanyStampPosFaxSenderPosY_B5"},
};

QString section(int profile) {
    return QStringLiteral("CAMPANY_INFO%1").arg(profile - 1);
}

class TFormSenderConfTest : public SettingsFixture {
  protected:
    TFormSenderConfTest() {
        form.SetPictureDialog([this](QWidget*, const QString& folder) {
            pictureFolders << folder;
            return pictureAnswer;
        });
    }
    // Every profile with a logo and a company seal.
    void givePictures() {
        for (int p = 0; p < 3; ++p) {
            ASSERT_TRUE(
                plain(Qt::blue, 60, 16).save(img(QStringLiteral("logo%1.bmp").arg(p)), "BMP"));
            ASSERT_TRUE(
                plain(Qt::red, 30, 30).save(img(QStringLiteral("stamp%1.bmp").arg(p)), "BMP"));
        }
    }
    void writeConf(const QString& text) {
        writeFileBytes(confPath(), Cp932::encode(text));
        manager.LoadFromFile(confPath());
    }
    void openForm() {
        form.Bind(manager);
        open(&form);
    }
    template <class T = QWidget>
    T* control(const char* name) {
        return SettingsFixture::control<T>(&form, QLatin1String(name));
    }
    QLineEdit* field(const char* name) { return control<QLineEdit>(name); }
    void click(const char* name) { SettingsFixture::click(&form, QLatin1String(name)); }
    void chooseProfile(int number) {
        click(QStringLiteral("RBCustomerInfo%1").arg(number).toLatin1());
    }
    void type(const char* name, const QString& text) {
        QLineEdit* edit = field(name);
        showTabOf(edit);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        TypeText(edit, text);
    }
    // The profiles as the file would hold them, pictures by identity.
    QStringList values() const {
        IniFile ini = IniFile::Load(QString());
        QStringList out;
        for (int p = 0; p < 3; ++p) {
            const TThCampanyInfo& profile = manager.Items(p);
            WriteKeys(profile, TThCampanyInfo::TextKeys(), ini, section(p + 1));
            WriteKeys(profile, TThCampanyInfo::OptionKeys(), ini, section(p + 1));
            for (int j = 0; j < 2; ++j) {
                out << profile.BankAccount(j).BankName << profile.BankAccount(j).BankNo
                    << profile.BankAccount(j).OwnerName;
            }
            for (const auto& key : TThCampanyInfo::TextKeys()) {
                out << ini.ReadString(section(p + 1), key.key, "-");
            }
            for (const auto& key : TThCampanyInfo::OptionKeys()) {
                out << ini.ReadString(section(p + 1), key.key, "-");
            }
            out << QString::number(profile.LogoImage.cacheKey())
                << QString::number(profile.StampImage.cacheKey());
        }
        return out;
    }
    TPictureFrame* frame(const char* name) { return control<TPictureFrame>(name); }
    bool enabled(const char* name) { return control(name)->isEnabled(); }

    TThCampanyInfoManager manager{img()};
    TFormSenderConf form;
};

TEST_F(TFormSenderConfTest, EveryFieldOfEveryProfileIsShownAndStored) {
    givePictures();
    QString file;
    for (int p = 1; p <= 3; ++p) {
        file += "[" + section(p) + "]\r\n";
        for (const FieldCase& c : TextCases) {
            file += QStringLiteral("%1=旧%1-%2\r\n").arg(QLatin1String(c.key)).arg(p);
        }
        file +=
            QStringLiteral("UseLogoImage=%1\r\nUseCampanyStamp=%2\r\n").arg(p % 2).arg(1 - p % 2);
        int k = 0;
        for (const FieldCase& c : GeometryCases) {
            file += QStringLiteral("%1=%2.%3\r\n").arg(QLatin1String(c.key)).arg(++k).arg(p);
        }
    }
    writeConf(file);
    openForm();
    EXPECT_EQ(form.ProfileOnScreen(), 1);
    for (int p = 1; p <= 3; ++p) {
        if (p > 1) {
            chooseProfile(p);
        }
        ASSERT_EQ(form.ProfileOnScreen(), p);
        EXPECT_EQ(currentTab(&form, "PCCustomerInfo"), "TabSheetBasicInfo");
        for (const FieldCase& c : TextCases) {
            EXPECT_EQ(field(c.control)->text(), QStringLiteral("旧%1-%2").arg(c.key).arg(p))
                << c.control;
            type(c.control, QStringLiteral("新%1-%2").arg(c.key).arg(p));
        }
        EXPECT_EQ(control<QCheckBox>("CBLogoUse")->isChecked(), p % 2 == 1) << p;
        EXPECT_EQ(control<QCheckBox>("CBStampUse")->isChecked(), p % 2 == 0) << p;
        for (const FieldCase& c : FlagCases) {
            click(c.control);
        }
        int k = 0;
        for (const FieldCase& c : GeometryCases) {
            ++k;
            EXPECT_EQ(field(c.control)->text(), QStringLiteral("%1.%2").arg(k).arg(p)) << c.control;
            field(c.control)->setText(QStringLiteral("%1.%25").arg(k).arg(p));
        }
    }
    click("PNGBtnOK");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), TFormSenderConf::ResultOK);
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('\n').toStdString();

    manager.SaveToFile(confPath());
    const IniFile saved = IniFile::Load(confPath());
    for (int p = 1; p <= 3; ++p) {
        for (const FieldCase& c : TextCases) {
            EXPECT_EQ(saved.ReadString(section(p), c.key, "missing"),
                      QStringLiteral("新%1-%2").arg(c.key).arg(p));
        }
        EXPECT_EQ(saved.ReadString(section(p), "UseLogoImage", "missing"), p % 2 == 1 ? "0" : "1");
        EXPECT_EQ(saved.ReadString(section(p), "UseCampanyStamp", "missing"),
                  p % 2 == 0 ? "0" : "1");
        int k = 0;
        for (const FieldCase& c : GeometryCases) {
            EXPECT_EQ(saved.ReadString(section(p), c.key, "missing"),
                      QStringLiteral("%1.%25").arg(++k).arg(p));
        }
    }
}

TEST_F(TFormSenderConfTest, TheDefaultGeometryIsShownInItsShortestForm) {
    openForm();
    const QStringList shown = {"25",    "25",    "140",   "46",    "140",    "32",    "95",
                               "65",    "125",   "90",    "21.75", "21.75",  "121.8", "40",
                               "121.8", "27.84", "82.65", "56.55", "108.75", "78.3"};
    for (size_t i = 0; i < std::size(GeometryCases); ++i) {
        EXPECT_EQ(field(GeometryCases[i].control)->text(), shown[static_cast<qsizetype>(i)])
            << GeometryCases[i].control;
    }
}

TEST_F(TFormSenderConfTest, SwitchingProfilesKeepsWhatWasTyped) {
    openForm();
    type("EdtCompany1", "株式会社ひかり");
    field("EdtPPosDetailLeftA4")->setText("150");  // disabled: the profile's seal is off
    chooseProfile(2);
    EXPECT_EQ(field("EdtCompany1")->text(), "");
    type("EdtCompany1", "有限会社みどり");
    chooseProfile(1);
    EXPECT_EQ(field("EdtCompany1")->text(), "株式会社ひかり");
    EXPECT_EQ(field("EdtPPosDetailLeftA4")->text(), "150");
    chooseProfile(2);
    EXPECT_EQ(field("EdtCompany1")->text(), "有限会社みどり");
    click("PNGBtnOK");
    EXPECT_EQ(manager.Items(0).CampanyName1, "株式会社ひかり");
    EXPECT_EQ(manager.Items(0).CampanyStampDetailPosX_A4, 150);
    EXPECT_EQ(manager.Items(1).CampanyName1, "有限会社みどり");

    form.Bind(manager);
    EXPECT_EQ(form.ProfileOnScreen(), 2) << "the profile on screen stays for the next opening";
    EXPECT_TRUE(control<QRadioButton>("RBCustomerInfo2")->isChecked());
    EXPECT_EQ(field("EdtCompany1")->text(), "有限会社みどり");
}

TEST_F(TFormSenderConfTest, AnInvalidFieldIsNamedFocusedAndNothingIsStored) {
    givePictures();
    manager.LoadFromFile(confPath());
    const struct {
        const char* field;
        QString text;
        QString message;
        const char* tab;
    } cases[] = {
        {"EdtPSizeWidA4", "", "A4用紙の印刷サイズ 横(mm)：数値を入力してください。",
         "TabSheetStamp"},
        {"EdtPPosDetailTopA4", "-", "A4用紙の各種明細 上(mm)：「-」は数値ではありません。",
         "TabSheetStamp"},
        {"EdtPPosReceiptLeftB5", "1.2.3", "B5用紙の領収書 左(mm)：「1.2.3」は数値ではありません。",
         "TabSheetStamp"},
        {"EdtPPosFaxSenderTopB5", ".", "B5用紙の送信状 上(mm)：「.」は数値ではありません。",
         "TabSheetStamp"},
        {"EdtPSizeHigB5", "0", "B5用紙の印刷サイズ 縦(mm)：0より大きい値を入力してください。",
         "TabSheetStamp"},
        {"EdtPSizeWidB5", "-3", "B5用紙の印刷サイズ 横(mm)：0より大きい値を入力してください。",
         "TabSheetStamp"},
        {"EdtPPosClaimLeftA4", "1-2", "A4用紙の合計請求 左(mm)：「1-2」は数値ではありません。",
         "TabSheetStamp"},
        {"EdtAccName2", "ヤマダ😀",
         "振込先情報２の口座名義人：文字「😀」(U+1F600)は Shift-JIS (cp932) で保存できません。",
         "TabSheetBasicInfo"},
    };
    pictureAnswer = pictureFile("logo.png", seal(), "PNG");
    const struct {
        const char* name;
        std::function<void()> act;
    } ways[] = {
        {"OK", [&] { click("PNGBtnOK"); }},
        {"switch", [&] { chooseProfile(3); }},
    };
    for (const auto& way : ways) {
        for (const auto& c : cases) {
            // Every other case with the twenty fields disabled, as the profile has them.
            const bool sealBoxOn = (&c - cases) % 2 == 1;
            const std::string name =
                std::string(way.name) + " " + c.field + (sealBoxOn ? " enabled" : " disabled");
            messages.Texts.clear();
            const QStringList before = values();
            openForm();
            type("EdtCompany1", "途中の会社名");
            click("PNGBtnLogoSelect");
            click("CBLogoUse");
            if (sealBoxOn) {
                click("CBStampUse");
            }
            field(c.field)->setText(c.text);
            showTabOf(control("CBLogoUse"));
            way.act();

            EXPECT_TRUE(form.isVisible()) << name;
            ASSERT_EQ(messages.Texts.size(), 1) << name;
            EXPECT_EQ(messages.Kinds.back(), Messages::Kind::Error) << name;
            EXPECT_EQ(messages.Texts.first(), c.message) << name;
            EXPECT_EQ(currentTab(&form, "PCCustomerInfo"), c.tab) << name;
            EXPECT_EQ(QApplication::focusWidget(), field(c.field))
                << name << " (a field disabled by 会社印を印刷する opens for correcting)";
            EXPECT_EQ(form.ProfileOnScreen(), 1) << name;
            EXPECT_TRUE(control<QRadioButton>("RBCustomerInfo1")->isChecked()) << name;
            EXPECT_EQ(values(), before) << name;
            click("PNGBtnCancel");
        }
    }
}

TEST_F(TFormSenderConfTest, PositionsMayBeNegativeAndNumbersMayLackDigitsAroundThePoint) {
    openForm();
    field("EdtPPosDetailLeftA4")->setText("-3");
    field("EdtPPosDetailTopA4")->setText("12.");
    field("EdtPSizeWidA4")->setText(".5");
    click("PNGBtnOK");
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('\n').toStdString();
    EXPECT_EQ(manager.Items(0).CampanyStampDetailPosX_A4, -3);
    EXPECT_EQ(manager.Items(0).CampanyStampDetailPosY_A4, 12);
    EXPECT_EQ(manager.Items(0).CampanyStampWidth_A4, 0.5);
}

TEST_F(TFormSenderConfTest, GeometryFieldsTakeDigitsMinusAndPointOnly) {
    givePictures();
    manager.LoadFromFile(confPath());
    openForm();
    click("CBStampUse");
    type("EdtPSizeHigA4", QStringLiteral("-1a2.５ 3x"));
    EXPECT_EQ(field("EdtPSizeHigA4")->text(), "-12.3");
}

TEST_F(TFormSenderConfTest, TheSealBoxEnablesTheTwentyFields) {
    givePictures();
    writeConf("[CAMPANY_INFO0]\r\nUseCampanyStamp=1\r\n");
    openForm();
    for (bool checked : {true, false, true}) {
        EXPECT_EQ(control<QCheckBox>("CBStampUse")->isChecked(), checked);
        for (const FieldCase& c : GeometryCases) {
            EXPECT_EQ(enabled(c.control), checked) << c.control;
        }
        click("CBStampUse");
    }
}

TEST_F(TFormSenderConfTest, WithoutPicturesTheBoxesAndDeleteButtonsAreDisabledInTheirStoredState) {
    writeConf("[CAMPANY_INFO0]\r\nUseLogoImage=1\r\nUseCampanyStamp=1\r\n");
    openForm();
    for (const char* box : {"CBLogoUse", "CBStampUse"}) {
        EXPECT_FALSE(enabled(box)) << box;
        EXPECT_TRUE(control<QCheckBox>(box)->isChecked()) << box;
    }
    EXPECT_FALSE(enabled("PNGBtnLogoDelete"));
    EXPECT_FALSE(enabled("PNGBtnStampDelete"));
    EXPECT_TRUE(enabled("EdtPSizeWidA4")) << "the fields follow the box, not the picture";
}

TEST_F(TFormSenderConfTest, LogoAndSealAreChosenAndDeletedIntoTheirFiles) {
    givePictures();
    ASSERT_TRUE(QFile::remove(img("stamp2.bmp")));
    manager.LoadFromFile(confPath());
    openForm();
    chooseProfile(3);
    EXPECT_FALSE(enabled("CBStampUse"));

    pictureAnswer = pictureFile("seal.png", seal(), "PNG");
    click("PNGBtnStampSelect");
    EXPECT_EQ(pictureFolders.size(), 1);
    EXPECT_EQ(frame("ImgStamp")->Picture().size(), QSize(40, 30));
    EXPECT_TRUE(enabled("CBStampUse"));
    EXPECT_TRUE(enabled("PNGBtnStampDelete"));
    EXPECT_FALSE(control<QCheckBox>("CBStampUse")->isChecked()) << "choosing does not switch it on";
    click("CBStampUse");

    click("CBLogoUse");
    messages.Yes = false;
    click("PNGBtnLogoDelete");
    EXPECT_FALSE(frame("ImgLogo")->Picture().isNull());
    messages.Yes = true;
    click("PNGBtnLogoDelete");
    EXPECT_TRUE(frame("ImgLogo")->Picture().isNull());
    EXPECT_FALSE(control<QCheckBox>("CBLogoUse")->isChecked());
    EXPECT_FALSE(enabled("CBLogoUse"));
    EXPECT_FALSE(enabled("PNGBtnLogoDelete"));
    EXPECT_EQ(messages.Texts, QStringList({"社判を削除します、よろしいですか？",
                                           "社判を削除します、よろしいですか？"}));

    chooseProfile(2);
    click("CBStampUse");
    ASSERT_TRUE(enabled("EdtPSizeWidA4"));
    click("PNGBtnStampDelete");
    EXPECT_FALSE(control<QCheckBox>("CBStampUse")->isChecked());
    EXPECT_FALSE(enabled("EdtPSizeWidA4"));
    EXPECT_EQ(messages.Texts.last(), "会社印を削除します、よろしいですか？");

    click("PNGBtnOK");
    EXPECT_TRUE(manager.Items(2).UseCampanyStamp);
    EXPECT_FALSE(manager.Items(2).UseLogoImage);
    manager.SaveToFile(confPath());
    EXPECT_FALSE(QFile::exists(img("logo2.bmp"))) << "the deleted logo's file goes";
    EXPECT_FALSE(QFile::exists(img("stamp1.bmp")));
    ASSERT_TRUE(QFile::exists(img("stamp2.bmp")));
    const QImage stored(img("stamp2.bmp"));
    EXPECT_EQ(stored.pixel(0, 0), qRgb(255, 255, 255)) << "transparency is laid on white";
    for (const char* kept : {"logo0.bmp", "logo1.bmp", "stamp0.bmp"}) {
        EXPECT_TRUE(QFile::exists(img(kept))) << kept;
    }
}

TEST_F(TFormSenderConfTest, APictureThatCannotBeDecodedChangesNothing) {
    givePictures();
    manager.LoadFromFile(confPath());
    openForm();
    const QImage logo = frame("ImgLogo")->Picture();
    for (const char* name : {"broken.png", "broken.jpg", "broken.bmp"}) {
        messages.Texts.clear();
        pictureAnswer = temp.path(name);
        writeFileBytes(pictureAnswer, "not a picture");
        click("PNGBtnLogoSelect");
        ASSERT_EQ(messages.Texts.size(), 1) << name;
        EXPECT_EQ(messages.Kinds.back(), Messages::Kind::Error);
        EXPECT_TRUE(messages.Texts.first().contains(pictureAnswer))
            << messages.Texts.first().toStdString();
        EXPECT_EQ(frame("ImgLogo")->Picture(), logo) << name;
        EXPECT_TRUE(enabled("PNGBtnLogoDelete")) << name;
    }
    click("PNGBtnOK");
    EXPECT_EQ(manager.Items(0).LogoImage, logo);
}

TEST_F(TFormSenderConfTest, CancelClosesWithCancel) {
    for (const auto& close : std::vector<std::function<void()>>{
             [&] { click("PNGBtnCancel"); }, [&] { QTest::keyClick(&form, Qt::Key_Escape); },
             [&] { form.close(); }}) {
        openForm();
        close();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), TFormSenderConf::ResultCancel);
    }
}

}  // namespace

namespace {

TEST_F(TFormSenderConfTest, RegistrationNumberOnlyWhileQualifiedInvoicesAreOn) {
    openForm();
    EXPECT_TRUE(field("EdtRegistrationNo")->isHidden());
    EXPECT_TRUE(control("LblRegistrationNo")->isHidden());
    click("PNGBtnOK");
    EXPECT_EQ(manager.Items(0).RegistrationNo, QString());
}

TEST_F(TFormSenderConfTest, RegistrationNumberIsNormalizedCheckedAndStored) {
    struct Case {
        const char* typed;
        const char* stored;  // nullptr: refused
        const char* message;
    };
    for (const Case& c : {
             Case{"Ｔ７１２３-４５６７-８９０１２", "T7123456789012", nullptr},
             Case{"T8123456789012", "T8123456789012", "は 7 のはず"},
             Case{"T712345678901", nullptr, "13桁"},
             Case{"", "", nullptr},
         }) {
        manager.Items(0).RegistrationNo.clear();
        messages.Texts.clear();
        form.SetQualifiedInvoice(true);
        openForm();
        EXPECT_FALSE(field("EdtRegistrationNo")->isHidden());
        type("EdtRegistrationNo", QString::fromUtf8(c.typed));
        click("PNGBtnOK");
        if (c.stored == nullptr) {
            EXPECT_TRUE(form.isVisible()) << c.typed;
            EXPECT_EQ(manager.Items(0).RegistrationNo, QString()) << c.typed;
            form.reject();
        } else {
            EXPECT_EQ(form.result(), TFormSenderConf::ResultOK) << c.typed;
            EXPECT_EQ(manager.Items(0).RegistrationNo, QString::fromUtf8(c.stored)) << c.typed;
        }
        if (c.message == nullptr) {
            EXPECT_TRUE(messages.Texts.isEmpty()) << c.typed;
        } else {
            ASSERT_EQ(messages.Texts.size(), 1) << c.typed;
            EXPECT_TRUE(messages.Texts.first().contains(QString::fromUtf8(c.message)))
                << messages.Texts.first().toStdString();
        }
    }
}

// The warning is given when the number is typed, not each time the window checks it.
TEST_F(TFormSenderConfTest, StoredMismatchIsNotWarnedAgain) {
    manager.Items(0).RegistrationNo = "T8123456789012";
    form.SetQualifiedInvoice(true);
    openForm();
    chooseProfile(2);
    chooseProfile(1);
    click("PNGBtnOK");
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('\n').toStdString();
    EXPECT_EQ(manager.Items(0).RegistrationNo, "T8123456789012");
}

}  // namespace
