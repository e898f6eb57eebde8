#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>

#include "SheetSlipFixture.h"
#include "TFormPrintTotalClaim.h"
#include "TSsEdit.h"

namespace {

class TFormPrintTotalClaimTest : public SheetSlipTest<TFormPrintTotalClaim> {
  protected:
    TFormPrintTotalClaimTest() {
        slip.document.TotalClaimMode = true;
        slip.document.SubTotal = Currency::fromUnits(28636);
        slip.document.Tax = Currency::fromUnits(2864);
        slip.document.Total = Currency::fromUnits(31500);
    }
    QString text(const char* field) { return control<TSsEdit>(field)->text(); }
};

TEST_F(TFormPrintTotalClaimTest, RefusesOutsideTotalClaimModeWithoutOpening) {
    slip.document.TotalClaimMode = false;
    pdfAnswer = temp.path("goukei.pdf");
    press("pngBtnSavePDF");
    EXPECT_FALSE(shown);
    EXPECT_EQ(messages.Texts, QStringList("この機能は合計請求モード以外では使用できません。"));
    EXPECT_FALSE(QFile::exists(pdfAnswer));
    EXPECT_FALSE(QFile::exists(printIniPath));
}

TEST_F(TFormPrintTotalClaimTest, TypedAmountsAreReformattedAndReachThePdf) {
    pdfAnswer = temp.path("goukei.pdf");
    QStringList fields;
    press("pngBtnSavePDF", [&] {
        EXPECT_EQ(form.windowTitle(), "合計請求書印刷");
        EXPECT_EQ(text("EdtPreClaim"), "0");
        type(control<TSsEdit>("EdtPreClaim"), "12000");
        type(control<TSsEdit>("EdtPrePaid"), "2000.5");
        fields << text("EdtPreClaim") << text("EdtPrePaid") << text("EdtResult");
        control<QCheckBox>("ChBPrintBank")->setChecked(true);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(fields, QStringList({"12,000", "2,000.5", "9,999.5"}));
    const QString out = Run("pdftotext", {"-layout", pdfAnswer, "-"});
    EXPECT_EQ(out.count("￥41,499.5"), 2) << out.toStdString();
    EXPECT_EQ(out.count("9,999.5"), 2);
    const IniFile ini = IniFile::Load(printIniPath);
    EXPECT_TRUE(ini.ReadBool("GOUKEI_SEIKYU", "PRINT_BANK", false));

    // The next opening starts the amounts at 0 again and keeps the saved choices.
    QString preClaim;
    bool bank = false;
    press("pngBtnCancel", [&] {
        preClaim = text("EdtPreClaim");
        bank = control<QCheckBox>("ChBPrintBank")->isChecked();
    });
    EXPECT_EQ(preClaim, "0");
    EXPECT_TRUE(bank);
}

TEST_F(TFormPrintTotalClaimTest, AProfileWithALogoPrintsNoPersonInCharge) {
    slip.profiles.Items(1).UseLogoImage = true;
    for (const char* profile : {"会社情報2", "会社情報1"}) {
        setOption("GOUKEI_SEIKYU", "CUSTOMER_INFO", profile);
        bool enabled = false;
        press("pngBtnCancel", [&] { enabled = control<QCheckBox>("ChBPrintName")->isEnabled(); });
        EXPECT_EQ(enabled, QString(profile) == "会社情報1") << profile;
    }
}

TEST_F(TFormPrintTotalClaimTest, B5PrintShrinksTheSheetAndLandsTheSealAtItsB5Place) {
    TThCampanyInfo& profile = slip.profiles.Items(0);
    profile.UseCampanyStamp = true;
    profile.StampImage = SolidPicture(Qt::red);
    profile.CampanyStampTotalClaimPosX_B5 = 169.65;  // 195 mm on the A4 drawing
    profile.CampanyStampTotalClaimPosY_B5 = 31.32;   // 36 mm
    profile.CampanyStampWidth_B5 = 8.7;              // 10 mm
    profile.CampanyStampHeight_B5 = 8.7;
    setOption("GOUKEI_SEIKYU", "PAPER_SIZE", "B5");
    const QString path = temp.path("printed.pdf");
    form.Printer().setOutputFileName(path);
    press("pngBtnOK");
    const QString info = Run("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Rokuvel Dorvani4\\n")));
    const QImage page = Rendered(path);
    ASSERT_FALSE(page.isNull());
    // The drawing starts at the printable area: the seal spans 165.3 .. 174 mm across
    // and 31.32 .. 40.02 mm down from there, in both halves.
    const QPointF origin = form.Printer().pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
    for (double o : {0.0, 115 * 0.87}) {
        const double y = origin.y() + 35 + o;
        EXPECT_TRUE(IsRed(page.pixelColor(AtMm(origin.x() + 165.5, y)))) << o;
        EXPECT_TRUE(IsRed(page.pixelColor(AtMm(origin.x() + 172.5, y)))) << o;
        EXPECT_FALSE(IsRed(page.pixelColor(AtMm(origin.x() + 175, y)))) << o;
        EXPECT_FALSE(IsRed(page.pixelColor(AtMm(origin.x() + 163, y)))) << o;
    }
}

}  // namespace
