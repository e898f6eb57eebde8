#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QDir>
#include <QFile>

#include "Cp932.h"
#include "FileSizeLimit.h"
#include "ModelError.h"
#include "PictureFile.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TempDir.h"

namespace {

QImage picture(int width, int height, QColor color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

void writeConf(const TempDir& dir, const char* utf8) {
    writeFileBytes(dir.path("conf.ini"), Cp932::encode(QString::fromUtf8(utf8)));
}

QString confText(const TempDir& dir) {
    return Cp932::decode(readFileBytes(dir.path("conf.ini")));
}

void expectDefaults(const TThConfigInfo& c) {
    EXPECT_EQ(c.TAX, Currency::fromUnits(5));
    EXPECT_EQ(c.MONETARY, "￥");
    EXPECT_TRUE(c.PRINTCUSCODE);
    EXPECT_TRUE(c.NOTAXNOSUB);
    EXPECT_TRUE(c.EXITALERT);
    EXPECT_TRUE(c.OPENALERT);
    EXPECT_FALSE(c.PRINTDECIMAL);
    EXPECT_EQ(c.EST_TITLE, "御 見 積 書");
    EXPECT_EQ(c.TOTAL_CLAIM_MSG, "毎度ありがとうございます。下記の通り御請求致します。");
    EXPECT_EQ(c.FAX_TITLE, "FAX送信のご案内");
    EXPECT_EQ(c.NOTE, "備考");
    EXPECT_EQ(c.LINE_COLOR_ODD, 15780518);
    EXPECT_EQ(c.LINE_COLOR_EVEN, 16777215);
    EXPECT_EQ(c.NameFontSize, 12);
    for (int i = 0; i < TThConfigInfo::StampCount; ++i) {
        EXPECT_TRUE(c.Stamp(i).isNull());
    }
}

TEST(ConfigInfo, EmptyAndMissingFilesGiveTheDefaults) {
    TempDir dir;
    TThConfigInfo missing(dir.root());
    missing.LoadFromFile(dir.path("conf.ini"));
    expectDefaults(missing);

    writeConf(dir, "");
    TThConfigInfo empty(dir.root());
    empty.LoadFromFile(dir.path("conf.ini"));
    expectDefaults(empty);
}

TEST(ConfigInfo, KeysAreInFileOrder) {
    QStringList keys;
    for (const auto& key : TThConfigInfo::Keys()) {
        keys << key.key;
    }
    EXPECT_EQ(keys.size(), 36);
    EXPECT_EQ(keys.first(), "TAX");
    EXPECT_EQ(keys.indexOf("FAX_TITLE"), keys.indexOf("RECEIPT_MSG") + 1);
    EXPECT_EQ(keys.last(), "LINE_COLOR_EVEN");
}

TEST(ConfigInfo, TypedReadsFallBackOnBadValues) {
    struct Case {
        const char* conf;
        const char* tax;
        bool printCusCode;
    };
    for (const Case c :
         {Case{"TAX=8\r\nPRINTCUSCODE=0", "8", false}, Case{"TAX=abc\r\nPRINTCUSCODE=2", "5", true},
          Case{"TAX=8.5\r\nPRINTCUSCODE=x", "8.5", true}, Case{"TAX=\r\n", "5", true}}) {
        TempDir dir;
        writeConf(dir, (std::string("[SETTING]\r\n") + c.conf + "\r\n").c_str());
        TThConfigInfo config(dir.root());
        config.LoadFromFile(dir.path("conf.ini"));
        EXPECT_EQ(config.TAX.toText(), c.tax) << c.conf;
        EXPECT_EQ(config.PRINTCUSCODE, c.printCusCode) << c.conf;
    }
    TempDir dir;
    writeConf(dir, "[SETTING]\r\nTAX=8\r\n");
    TThConfigInfo config(dir.root());
    config.LoadFromFile(dir.path("conf.ini"));
    EXPECT_EQ(config.TAX.raw(), 80000);
}

TEST(ConfigInfo, SaveWritesEveryKeyButFaxTitleAndKeepsProfiles) {
    TempDir dir;
    writeConf(
        dir, "[CAMPANY_INFO0]\r\nZipNo=100-0001\r\n[SETTING]\r\nFAX_TITLE=手書きの題\r\nTAX=5\r\n");
    TThConfigInfo config(dir.root());
    config.LoadFromFile(dir.path("conf.ini"));
    EXPECT_EQ(config.FAX_TITLE, "手書きの題");
    config.TAX = Currency::fromText(u"10");
    config.FAX_TITLE = "changed";
    config.SaveToFile(dir.path("conf.ini"));

    const QString text = confText(dir);
    EXPECT_TRUE(text.startsWith(
        "[CAMPANY_INFO0]\r\nZipNo=100-0001\r\n[SETTING]\r\nFAX_TITLE=手書きの題\r\nTAX=10\r\n"))
        << text.toStdString();
    EXPECT_EQ(text.count("FAX_TITLE"), 1);
    EXPECT_TRUE(text.contains("\r\nLINE_COLOR_ODD=15780518\r\n"));
    EXPECT_TRUE(text.contains("\r\nPRINTDECIMAL=0\r\n"));

    TThConfigInfo reread(dir.root());
    reread.LoadFromFile(dir.path("conf.ini"));
    EXPECT_EQ(reread.TAX, Currency::fromUnits(10));
    EXPECT_EQ(reread.FAX_TITLE, "手書きの題");
}

TEST(ConfigInfo, FreshFileNeverGetsAFaxTitle) {
    TempDir dir;
    TThConfigInfo config(dir.root());
    config.TAX = Currency::fromText(u"2.5");
    config.SaveToFile(dir.path("conf.ini"));
    EXPECT_FALSE(confText(dir).contains("FAX_TITLE"));
    EXPECT_TRUE(confText(dir).contains("\r\nTAX=2.5\r\n"));
}

TEST(ConfigInfo, SealPicturesAreSavedAndDeleted) {
    TempDir dir;
    TThConfigInfo config(dir.root());
    for (int i = 0; i < TThConfigInfo::StampCount; ++i) {
        config.Stamp(i) = picture(10 + i, 20, Qt::red);
    }
    config.SaveToFile(dir.path("conf.ini"));
    for (int i = 0; i < TThConfigInfo::StampCount; ++i) {
        EXPECT_TRUE(QFile::exists(dir.path(QStringLiteral("pstamp%1.bmp").arg(i))));
    }
    config.Stamp(2) = QImage();
    config.SaveToFile(dir.path("conf.ini"));
    EXPECT_FALSE(QFile::exists(dir.path("pstamp2.bmp")));

    TThConfigInfo reread(dir.root());
    reread.LoadFromFile(dir.path("conf.ini"));
    EXPECT_TRUE(reread.Stamp(2).isNull());
    EXPECT_EQ(reread.Stamp(5).size(), QSize(15, 20));
    EXPECT_EQ(reread.Stamp(0).pixelColor(3, 3), QColor(Qt::red));
}

TEST(ConfigInfo, UnreadableSealPicturesAreAllNamedAndTheOthersLoad) {
    TempDir dir;
    writeConf(dir, "[SETTING]\r\nTAX=8\r\n");
    for (int i = 0; i < TThConfigInfo::StampCount; ++i) {
        ASSERT_TRUE(
            picture(10 + i, 20, Qt::red).save(dir.path(QStringLiteral("pstamp%1.bmp").arg(i))));
    }
    writeFileBytes(dir.path("pstamp1.bmp"), "not a picture");
    writeFileBytes(dir.path("pstamp4.bmp"), "not a picture");
    TThConfigInfo config(dir.root());
    try {
        config.LoadFromFile(dir.path("conf.ini"));
        FAIL();
    } catch (const EFileError& error) {
        EXPECT_TRUE(error.message().contains(dir.path("pstamp1.bmp"))) << error.what();
        EXPECT_TRUE(error.message().contains(dir.path("pstamp4.bmp"))) << error.what();
    }
    EXPECT_EQ(config.TAX, Currency::fromUnits(8));
    for (int i : {0, 2, 3, 5}) {
        EXPECT_EQ(config.Stamp(i).size(), QSize(10 + i, 20)) << i;
    }
}

TEST(ConfigInfo, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    writeConf(dir, "[SETTING]\r\nTAX=8\r\n");
    const QByteArray before = readFileBytes(dir.path("conf.ini"));
    TThConfigInfo config(dir.root());
    {
        FileSizeLimit limit(100);
        EXPECT_THROW(config.SaveToFile(dir.path("conf.ini")), EFileError);
    }
    EXPECT_EQ(readFileBytes(dir.path("conf.ini")), before);
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"conf.ini"});
}

TEST(CampanyInfo, MissingSectionsGiveDefaults) {
    TempDir dir;
    writeConf(dir, "[SETTING]\r\nTAX=8\r\n");
    TThCampanyInfoManager manager(dir.root());
    manager.LoadFromFile(dir.path("conf.ini"));
    for (int p = 0; p < TThCampanyInfoManager::Count; ++p) {
        const TThCampanyInfo& profile = manager.Items(p);
        EXPECT_TRUE(profile.CampanyName1.isEmpty());
        EXPECT_TRUE(profile.BankAccount(1).OwnerName.isEmpty());
        EXPECT_FALSE(profile.UseLogoImage);
        EXPECT_FALSE(profile.UseCampanyStamp);
        EXPECT_TRUE(profile.LogoImage.isNull());
        EXPECT_DOUBLE_EQ(profile.CampanyStampWidth_A4, 25);
        EXPECT_DOUBLE_EQ(profile.CampanyStampDetailPosY_B5, 40);
        EXPECT_DOUBLE_EQ(profile.CampanyStampPosFaxSenderPosX_A4, 125);
        EXPECT_DOUBLE_EQ(profile.CampanyStampPosFaxSenderPosY_B5, 78.3);
    }
}

TEST(CampanyInfo, BadPicturesLeaveTheOtherProfilesLoadedAndAreAllNamed) {
    TempDir dir;
    writeConf(dir,
              "[CAMPANY_INFO0]\r\nChargeName=田中\r\n[CAMPANY_INFO1]\r\nChargeName=佐藤\r\n"
              "[CAMPANY_INFO2]\r\nChargeName=山田\r\n");
    writeFileBytes(dir.path("logo0.bmp"), "not a picture");
    ASSERT_TRUE(picture(8, 8, Qt::red).save(dir.path("stamp0.bmp")));
    ASSERT_TRUE(picture(30, 10, Qt::blue).save(dir.path("logo1.bmp")));
    writeFileBytes(dir.path("stamp2.bmp"), "not a picture");
    TThCampanyInfoManager manager(dir.root());
    try {
        manager.LoadFromFile(dir.path("conf.ini"));
        FAIL();
    } catch (const EFileError& error) {
        EXPECT_TRUE(error.message().contains(dir.path("logo0.bmp"))) << error.what();
        EXPECT_TRUE(error.message().contains(dir.path("stamp2.bmp"))) << error.what();
    }
    EXPECT_EQ(manager.Items(0).ChargeName, "田中");
    EXPECT_EQ(manager.Items(1).ChargeName, "佐藤");
    EXPECT_EQ(manager.Items(2).ChargeName, "山田");
    EXPECT_EQ(manager.Items(0).StampImage.size(), QSize(8, 8));
    EXPECT_EQ(manager.Items(1).LogoImage.size(), QSize(30, 10));
}

// A picture the program could not read is not its to delete or replace: it is kept aside.
TEST(CampanyInfo, PictureThatCannotBeReadIsCopiedBeforeItIsReplaced) {
    TempDir dir;
    writeFileBytes(dir.path("logo0.bmp"), "not a picture");
    TThCampanyInfoManager manager(dir.root());
    EXPECT_THROW(manager.LoadFromFile(dir.path("conf.ini")), EFileError);
    // A save that does not change the picture leaves the file as it is.
    manager.SaveToFile(dir.path("conf.ini"));
    EXPECT_EQ(readFileBytes(dir.path("logo0.bmp")), "not a picture");
    EXPECT_TRUE(QDir(dir.root()).entryList({QStringLiteral("logo0.bmp.broken-*")}).isEmpty());
    QImage logo(4, 4, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    manager.Items(0).LogoImage = logo;
    manager.SaveToFile(dir.path("conf.ini"));
    EXPECT_FALSE(PictureFile::Load(dir.path("logo0.bmp")).isNull());
    const QStringList copies =
        QDir(dir.root()).entryList({QStringLiteral("logo0.bmp.broken-*")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(readFileBytes(dir.path(copies.first())), "not a picture");
}

TEST(CampanyInfo, GeometryKeysAreAllA4ThenAllB5) {
    QStringList keys;
    for (const auto& key : TThCampanyInfo::OptionKeys()) {
        keys << key.key;
    }
    ASSERT_EQ(keys.size(), 22);
    EXPECT_EQ(keys.mid(0, 2), QStringList({"UseLogoImage", "UseCampanyStamp"}));
    for (int i = 2; i < 12; ++i) {
        EXPECT_TRUE(keys[i].endsWith("_A4")) << keys[i].toStdString();
        EXPECT_EQ(keys[i + 10], QString(keys[i]).replace("_A4", "_B5"));
    }
}

TEST(CampanyInfo, SavedProfilesReadBackAndKeepTheSettings) {
    TempDir dir;
    writeConf(dir, "[SETTING]\r\nTAX=8\r\nEST_TITLE=見積\r\n");
    TThCampanyInfoManager manager(dir.root());
    TThCampanyInfo& second = manager.Items(1);
    second.CampanyName1 = "株式会社ＨＥＳＴＲＥＬ";
    second.TelFax = "TEL 03-0000-0000 / FAX 03-0000-0001";
    second.BankAccount(1).BankName = "みずほ銀行 本店";
    second.BankAccount(1).BankNo = "普通 1234567";
    second.UseLogoImage = true;
    second.CampanyStampHeight_B5 = 20.5;
    second.LogoImage = picture(30, 10, Qt::blue);
    second.StampImage = picture(8, 8, Qt::red);
    manager.SaveToFile(dir.path("conf.ini"));

    const QString text = confText(dir);
    EXPECT_TRUE(
        text.startsWith("[SETTING]\r\nTAX=8\r\nEST_TITLE=見積\r\n[CAMPANY_INFO0]\r\nZipNo=\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\r\nBankName2=みずほ銀行 本店\r\n"));
    EXPECT_TRUE(text.contains("\r\nCampanyStampWidth_B5=21.75\r\n"));
    EXPECT_TRUE(text.contains("\r\nCampanyStampHeight_B5=20.5\r\n"));
    EXPECT_TRUE(QFile::exists(dir.path("logo1.bmp")));
    EXPECT_TRUE(QFile::exists(dir.path("stamp1.bmp")));
    EXPECT_FALSE(QFile::exists(dir.path("logo0.bmp")));

    TThCampanyInfoManager reread(dir.root());
    reread.LoadFromFile(dir.path("conf.ini"));
    EXPECT_EQ(reread.Items(1).CampanyName1, "株式会社ＨＥＳＴＲＥＬ");
    EXPECT_EQ(reread.Items(1).BankAccount(1).BankNo, "普通 1234567");
    EXPECT_TRUE(reread.Items(1).UseLogoImage);
    EXPECT_DOUBLE_EQ(reread.Items(1).CampanyStampHeight_B5, 20.5);
    EXPECT_EQ(reread.Items(1).LogoImage.size(), QSize(30, 10));

    // Clearing the logo of the second profile deletes logo1.bmp; the settings stay.
    reread.Items(1).LogoImage = QImage();
    reread.SaveToFile(dir.path("conf.ini"));
    EXPECT_FALSE(QFile::exists(dir.path("logo1.bmp")));
    EXPECT_TRUE(QFile::exists(dir.path("stamp1.bmp")));
    TThConfigInfo config(dir.root());
    config.LoadFromFile(dir.path("conf.ini"));
    EXPECT_EQ(config.TAX, Currency::fromUnits(8));
    EXPECT_EQ(config.EST_TITLE, "見積");
}

TEST(CampanyInfo, SettingsSavedBesideProfilesLeaveThemUnchanged) {
    TempDir dir;
    TThCampanyInfoManager manager(dir.root());
    manager.Items(2).ChargeName = "山田";
    manager.SaveToFile(dir.path("conf.ini"));
    const QString profiles = confText(dir);

    TThConfigInfo config(dir.root());
    config.SaveToFile(dir.path("conf.ini"));
    EXPECT_TRUE(confText(dir).startsWith(profiles));
    TThCampanyInfoManager reread(dir.root());
    reread.LoadFromFile(dir.path("conf.ini"));
    EXPECT_EQ(reread.Items(2).ChargeName, "山田");
}

}  // namespace

namespace {

// The keys of optional features never show up in a file while they are at their defaults, so
// the file of a user who never turns them on stays byte for byte as it was.
TEST(ExtensionKeys, AreWrittenOnlyOnceTheyLeaveTheirDefaults) {
    TempDir dir;
    const char* before = "[SETTING]\r\nTAX=10\r\n[CAMPANY_INFO0]\r\nZipNo=100-0001\r\n";
    writeConf(dir, before);
    TThConfigInfo config(dir.root());
    config.LoadFromFile(dir.path("conf.ini"));
    EXPECT_FALSE(config.QUALIFIED_INVOICE);
    EXPECT_EQ(config.REDUCED_TAX, Currency::fromUnits(8));
    config.SaveToFile(dir.path("conf.ini"));
    TThCampanyInfoManager profiles(dir.root());
    profiles.LoadFromFile(dir.path("conf.ini"));
    profiles.SaveToFile(dir.path("conf.ini"));
    QString text = confText(dir);
    EXPECT_FALSE(text.contains("QUALIFIED_INVOICE")) << text.toStdString();
    EXPECT_FALSE(text.contains("REDUCED_TAX"));
    EXPECT_FALSE(text.contains("RegistrationNo"));
    EXPECT_FALSE(text.contains("PDF_EMBED_FONTS"));

    config.QUALIFIED_INVOICE = true;
    config.SaveToFile(dir.path("conf.ini"));
    profiles.Items(2).RegistrationNo = "T7123456789012";
    profiles.SaveToFile(dir.path("conf.ini"));
    text = confText(dir);
    EXPECT_TRUE(text.contains("\r\nQUALIFIED_INVOICE=1\r\n")) << text.toStdString();
    EXPECT_FALSE(text.contains("REDUCED_TAX"));
    EXPECT_EQ(text.count("RegistrationNo"), 1);
    EXPECT_TRUE(text.contains("[CAMPANY_INFO2]"));

    TThConfigInfo reread(dir.root());
    reread.LoadFromFile(dir.path("conf.ini"));
    EXPECT_TRUE(reread.QUALIFIED_INVOICE);
    TThCampanyInfoManager rereadProfiles(dir.root());
    rereadProfiles.LoadFromFile(dir.path("conf.ini"));
    EXPECT_EQ(rereadProfiles.Items(2).RegistrationNo, "T7123456789012");

    // Turned off again, the key that is there now says so.
    reread.QUALIFIED_INVOICE = false;
    reread.REDUCED_TAX = Currency::fromText(u"7.5");
    reread.SaveToFile(dir.path("conf.ini"));
    text = confText(dir);
    EXPECT_TRUE(text.contains("\r\nQUALIFIED_INVOICE=0\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\r\nREDUCED_TAX=7.5\r\n"));
    TThConfigInfo third(dir.root());
    third.LoadFromFile(dir.path("conf.ini"));
    EXPECT_FALSE(third.QUALIFIED_INVOICE);
    EXPECT_EQ(third.REDUCED_TAX, Currency::fromText(u"7.5"));
}

TEST(ExtensionKeys, BadReducedRateFallsBackToEight) {
    TempDir dir;
    writeConf(dir, "[SETTING]\r\nQUALIFIED_INVOICE=1\r\nREDUCED_TAX=abc\r\n");
    TThConfigInfo config(dir.root());
    config.LoadFromFile(dir.path("conf.ini"));
    EXPECT_TRUE(config.QUALIFIED_INVOICE);
    EXPECT_EQ(config.REDUCED_TAX, Currency::fromUnits(8));
}

}  // namespace
