#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>

#include "DrawnPage.h"
#include "IniFile.h"
#include "SlipDrawing.h"
#include "SlipFixture.h"
#include "TPRImage.h"
#include "TPRLabel.h"
#include "TPRPage.h"
#include "TPRText.h"
#include "TSlipPdfTemplates.h"
#include "TempDir.h"
#include "TotalClaimSlip.h"

namespace {

// A total invoice of 31,500 with the amounts of the options window.
struct TotalClaim : SlipFixture {
    TTotalClaimOptions claim;

    TotalClaim() : SlipFixture(1) {
        document.TotalClaimMode = true;
        document.SubTotal = Currency::fromUnits(28636);
        document.Tax = Currency::fromUnits(2864);
        document.Total = Currency::fromUnits(31500);
        claim.PreClaim = Currency::fromUnits(12000);
        claim.PrePaid = Currency::fromText(u"2000.5");
    }
    TTotalClaimSource Source() const {
        return {document, config, profiles.Items(claim.CustomerInfo), claim};
    }
};

TEST(RecalcBalance, FieldsAreReformattedAndTheBalanceFollows) {
    const struct {
        const char* preClaim;
        const char* prePaid;
        const char* preClaimText;
        const char* prePaidText;
        const char* result;
    } cases[] = {
        {"12000", "2000.5", "12,000", "2,000.5", "9,999.5"},
        {"1,000", "1500", "1,000", "1,500", "-500"},
        {"abc", "", "0", "0", "0"},
    };
    for (const auto& c : cases) {
        const TBalance b = RecalcBalance(c.preClaim, c.prePaid);
        EXPECT_EQ(b.PreClaimText, c.preClaimText) << c.preClaim;
        EXPECT_EQ(b.PrePaidText, c.prePaidText) << c.prePaid;
        EXPECT_EQ(b.ResultText, c.result) << c.preClaim << " - " << c.prePaid;
    }
}

TEST(TotalClaimSlip, AmountNowDueIsTheBalancePlusTheTotal) {
    TotalClaim slip;
    EXPECT_EQ(
        TotalClaimAmounts(slip.Source()),
        (std::array<QString, 6>{"12,000", "2,000.5", "9,999.5", "28,636", "2,864", "￥41,499.5"}));
    slip.claim.PrePaid = Currency::fromUnits(12500);  // a payment above the invoice
    EXPECT_EQ(TotalClaimAmounts(slip.Source())[2], "-500");
    EXPECT_EQ(TotalClaimAmounts(slip.Source())[5], "￥31,000");
}

TEST(TotalClaimSlip, OptionsLiveInTheirOwnSection) {
    TempDir dir;
    IniFile ini = IniFile::Load(dir.path("print.ini"));
    TTotalClaimOptions options = LoadTotalClaimOptions(ini);
    EXPECT_FALSE(options.PrintName || options.PrintBank);
    options.CustomerInfo = 2;
    options.PayBank = 1;
    options.PaperSize = 1;
    options.PrintBank = true;
    SaveTotalClaimOptions(ini, options);
    EXPECT_EQ(ini.ReadString("GOUKEI_SEIKYU", "CUSTOMER_INFO", ""), "会社情報3");
    EXPECT_EQ(ini.ReadString("GOUKEI_SEIKYU", "PAPER_SIZE", ""), "B5");
    const TTotalClaimOptions again = LoadTotalClaimOptions(ini);
    EXPECT_EQ(again.CustomerInfo, 2);
    EXPECT_EQ(again.PayBank, 1);
    EXPECT_TRUE(again.PrintBank);
}

TEST(TotalClaimSlip, CopyHalfRepeatsTheSeal115MmLowerAndB5MovesIt) {
    TotalClaim slip;
    TThCampanyInfo& profile = slip.profiles.Items(0);
    profile.UseCampanyStamp = true;
    profile.StampImage = SolidPicture(Qt::red);
    profile.CampanyStampTotalClaimPosX_A4 = 190;  // clear of every text
    profile.CampanyStampTotalClaimPosY_A4 = 36;
    profile.CampanyStampWidth_A4 = 10;
    profile.CampanyStampHeight_A4 = 6;
    profile.CampanyStampTotalClaimPosX_B5 = 169.65;  // 195 mm on the A4 drawing
    profile.CampanyStampTotalClaimPosY_B5 = 31.32;   // 36 mm
    profile.CampanyStampWidth_B5 = 4.35;             // 5 mm
    profile.CampanyStampHeight_B5 = 4.35;
    const double dpi = 100;
    auto at = [&](double x, double y) { return QPoint(MmToPx(dpi, x), MmToPx(dpi, y)); };
    const QImage a4 = DrawnPage(RenderTotalClaim(slip.Source(), true, {dpi, dpi}));
    for (double o : {0.0, 115.0}) {
        EXPECT_EQ(a4.pixelColor(at(190, 39 + o)), QColor(Qt::red)) << o;  // 185 .. 195 mm
        EXPECT_EQ(a4.pixelColor(at(197, 39 + o)), QColor(Qt::white)) << o;
    }
    const QImage b5 = DrawnPage(RenderTotalClaim(slip.Source(), false, {dpi, dpi}));
    EXPECT_EQ(b5.pixelColor(at(192, 38)), QColor(Qt::red));  // 190 .. 195 mm
    EXPECT_EQ(b5.pixelColor(at(187, 38)), QColor(Qt::white));
}

TEST(TotalClaimPdf, CopyHalfIs326UnitsLowerWithTheCopyMark) {
    TotalClaim slip;
    slip.document.Customer.Name3 = QStringLiteral("経理部");  // Name2 blank: three lines
    TThCampanyInfo& profile = slip.profiles.Items(0);
    profile.UseLogoImage = true;
    profile.LogoImage = SolidPicture(Qt::blue, 400, 100);
    profile.BankAccount(0).BankName = QStringLiteral("テスト銀行");
    slip.claim.PrintBank = true;
    TSlipPdfTemplates templates(slip.config);
    const TPRPage& page = BuildTotalClaimPdfPage(templates, slip.Source());
    auto label = [&](const char* name) { return page.Find<TPRLabel>(QLatin1String(name)); };
    EXPECT_EQ(label("PRLabelTotalClaimTitle_2")->Caption(),
              label("PRLabelTotalClaimTitle_1")->Caption() + "(控)");
    EXPECT_EQ(label("PRLabelTotalClaimTitle_2")->Top - label("PRLabelTotalClaimTitle_1")->Top, 326);
    for (const char* half : {"_1", "_2"}) {
        const QString h = QLatin1String(half);
        EXPECT_EQ(page.Find<TPRLabel>("PRLabelTotalClaimCustomerName1" + h)->Caption(),
                  "株式会社テスト");
        EXPECT_EQ(page.Find<TPRLabel>("PRLabelTotalClaimCustomerName2" + h)->Caption(), "");
        EXPECT_EQ(page.Find<TPRLabel>("PRLabelTotalClaimCustomerName3" + h)->Caption(),
                  "経理部 御中");
        EXPECT_EQ(page.Find<TPRLabel>("PRLabelTotalClaimValue6" + h)->Caption(), "￥41,499.5");
        // The logo replaces the sender texts; the bank lines still print.
        EXPECT_EQ(page.Find<TPRLabel>("PRLabelTotalClaimMyName1" + h)->Caption(), "");
        EXPECT_TRUE(page.Find<TPRText>("PRTextTotalClaimMyDetail" + h)
                        ->Lines.contains(QStringLiteral("テスト銀行　")));
        EXPECT_FALSE(page.Find<TPRImage>("PRImageTotalClaimCampanyLogo" + h)->Picture().isNull());
    }
}

TEST(TotalClaimPdf, WholeFileReadsBack) {
    TotalClaim slip;
    TempDir dir;
    TSlipPdfTemplates templates(slip.config);
    const QString path = dir.path("goukei.pdf");
    SaveTotalClaimPdf(templates, slip.Source(), path);
    QProcess check;
    check.start("qpdf", {"--check", path});
    ASSERT_TRUE(check.waitForFinished(30000));
    EXPECT_EQ(check.exitCode(), 0);
    QProcess info;
    info.start("pdfinfo", {path});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains("595 x 842"));
    QProcess text;
    text.start("pdftotext", {"-layout", path, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_EQ(out.count(QStringLiteral("￥41,499.5")), 2) << out.toStdString();
    EXPECT_EQ(out.count(QStringLiteral("備考：納期は別途")), 2);
    EXPECT_FALSE(out.contains(QStringLiteral("ご相談ください")));  // the first remark line only
}

}  // namespace
