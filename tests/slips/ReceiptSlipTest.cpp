#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>

#include "DrawnPage.h"
#include "IniFile.h"
#include "QtPrint.h"
#include "ReceiptSlip.h"
#include "SlipDrawing.h"
#include "SlipFixture.h"
#include "TPRImage.h"
#include "TPRLabel.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TPRText.h"
#include "TSlipPdfTemplates.h"
#include "TempDir.h"

namespace {

// A receipt of 30,450 with the options the window starts with.
struct Receipt : SlipFixture {
    TReceiptOptions receipt;

    Receipt() : SlipFixture(1) {
        config.MONETARY = QStringLiteral("￥");
        document.Tax = Currency::fromUnits(2768);
        document.Total = Currency::fromUnits(30450);
        TempDir dir;
        receipt = LoadReceiptOptions(IniFile::Load(dir.path("print.ini")), config, document);
    }
    TReceiptSource Source() const {
        return {document, config, profiles.Items(receipt.CustomerInfo), receipt};
    }
};

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(ReceiptSlip, AmountFieldsDropCommasAndBracketsAndForgetWhatIsNoNumber) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"(1,200)", "1,200"}, {"1200.5", "1,200.5"}, {"abc", ""}, {"", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReceiptAmountField(c.typed), c.shown) << c.typed;
    }
}

TEST(ReceiptSlip, TheAmountShowsTheGrandTotalOrTenBlanks) {
    Receipt slip;
    EXPECT_EQ(ReceiptAmount(slip.Source()), "￥30,450※");
    slip.receipt.PrintGrandTotal = false;
    EXPECT_EQ(ReceiptAmount(slip.Source()), "　　　　　　　　　　");
}

TEST(ReceiptSlip, TheBreakdownStartsWithTheTaxAndPrintsOnlyFilledAmounts) {
    Receipt slip;
    EXPECT_EQ(slip.receipt.BreakdownNames[0], "消費税");
    EXPECT_EQ(slip.receipt.BreakdownAmounts[0], "2,768");
    slip.receipt.BreakdownAmounts[1] = ReceiptAmountField("(1,200)");
    EXPECT_EQ(ReceiptBreakdownAmount(slip.Source(), 0), "￥2,768-");
    EXPECT_EQ(ReceiptBreakdownAmount(slip.Source(), 1), "￥1,200-");
    EXPECT_EQ(ReceiptBreakdownAmount(slip.Source(), 2), "");
}

TEST(ReceiptSlip, OptionsLiveInTheirOwnSectionWithTheProviso) {
    TempDir dir;
    IniFile ini = IniFile::Load(dir.path("print.ini"));
    Receipt slip;
    TReceiptOptions options = LoadReceiptOptions(ini, slip.config, slip.document);
    EXPECT_TRUE(options.PrintStampArea && options.PrintRevenueStamp && options.PrintGrandTotal);
    EXPECT_FALSE(options.PrintName);
    options.Proviso = QStringLiteral("お品代として");
    options.PrintRevenueStamp = false;
    options.CustomerInfo = 1;
    options.PersonalStamp = 4;  // no seal picture in the folder
    SaveReceiptOptions(ini, options);
    EXPECT_EQ(ini.ReadString("RYOSYU", "PROVISO_TEXT", ""), "お品代として");
    EXPECT_EQ(ini.ReadString("RYOSYU", "PERSONAL_STAMP", ""), "捺印4");
    const TReceiptOptions again = LoadReceiptOptions(ini, slip.config, slip.document);
    EXPECT_EQ(again.Proviso, "お品代として");
    EXPECT_FALSE(again.PrintRevenueStamp);
    EXPECT_EQ(again.CustomerInfo, 1);
    EXPECT_EQ(again.PersonalStamp, 0) << "a seal whose file is gone selects 印刷なし";
}

TEST(ReceiptSlip, CopyHalfRepeatsTheSeal110MmLowerAndB5MovesIt) {
    Receipt slip;
    TThCampanyInfo& profile = slip.profiles.Items(0);
    profile.UseCampanyStamp = true;
    profile.StampImage = SolidPicture(Qt::red);
    profile.CampanyStampPosReceiptPosX_A4 = 195;  // 190 .. 200 mm, clear of every text
    profile.CampanyStampPosReceiptPosY_A4 = 36;
    profile.CampanyStampWidth_A4 = 10;
    profile.CampanyStampHeight_A4 = 6;
    profile.CampanyStampPosReceiptPosX_B5 = 174;  // 200 mm on the A4 drawing
    profile.CampanyStampPosReceiptPosY_B5 = 31.32;
    profile.CampanyStampWidth_B5 = 4.35;
    profile.CampanyStampHeight_B5 = 4.35;
    const double dpi = 100;
    auto at = [&](double x, double y) { return QPoint(MmToPx(dpi, x), MmToPx(dpi, y)); };
    const QImage a4 = DrawnPage(RenderReceipt(slip.Source(), true, {dpi, dpi}));
    for (double o : {0.0, 110.0}) {
        EXPECT_EQ(a4.pixelColor(at(192, 39 + o)), QColor(Qt::red)) << o;
        EXPECT_EQ(a4.pixelColor(at(202, 39 + o)), QColor(Qt::white)) << o;
    }
    const QImage b5 = DrawnPage(RenderReceipt(slip.Source(), false, {dpi, dpi}));
    EXPECT_EQ(b5.pixelColor(at(197, 38)), QColor(Qt::red));  // 195 .. 200 mm
    EXPECT_EQ(b5.pixelColor(at(192, 38)), QColor(Qt::white));
}

TEST(ReceiptSlip, ThePersonInChargeSealPrintsInItsBoxOnlyWhenTheBoxDoes) {
    Receipt slip;
    slip.config.Stamp(3) = SolidPicture(Qt::blue);
    slip.receipt.PersonalStamp = 4;
    const double dpi = 100;
    const QPoint inBox(MmToPx(dpi, 162), MmToPx(dpi, 62));
    for (bool box : {true, false}) {
        slip.receipt.PrintStampArea = box;
        const QImage sheet = DrawnPage(RenderReceipt(slip.Source(), true, {dpi, dpi}));
        EXPECT_EQ(sheet.pixelColor(inBox) == QColor(Qt::blue), box) << box;
        EXPECT_EQ(sheet.pixelColor(inBox + QPoint(0, MmToPx(dpi, 110))) == QColor(Qt::blue), box);
    }
}

TEST(ReceiptPdf, CopyHalfIs312UnitsLowerAndALongAddresseeShrinksToTheRule) {
    Receipt slip;
    slip.config.PRINTCUSCODE = true;
    slip.document.Customer.CusCode = QStringLiteral("C-7");
    slip.document.Customer.Name2 = QStringLiteral("東日本営業本部第一営業部第二課御中担当");
    slip.document.Customer.Name3 = QStringLiteral("経理部門支払担当窓口");
    slip.receipt.PrintRevenueStamp = false;
    TSlipPdfTemplates templates(slip.config);
    const TPRPage& page = BuildReceiptPdfPage(templates, slip.Source());
    auto label = [&](const QString& name) { return page.Find<TPRLabel>(name); };
    EXPECT_EQ(label("PRLabelReceiptTitle_2")->Caption(),
              label("PRLabelReceiptTitle_1")->Caption() + "(控)");
    EXPECT_EQ(label("PRLabelReceiptTitle_2")->Top - label("PRLabelReceiptTitle_1")->Top, 312);
    TPRLabel* name = label("PRLabelReceiptCustomerName_1");
    ASSERT_LT(name->FontSize(), 24);
    EXPECT_LE(name->GetTextWidth(), 508);
    name->SetFontSize(name->FontSize() + 1);
    EXPECT_GT(name->GetTextWidth(), 508) << "the largest size that fits";
    for (const char* half : {"_1", "_2"}) {
        const QString h = QLatin1String(half);
        EXPECT_EQ(label("PRLabelReceiptCustomerCode" + h)->Caption(), "お客様コード: C-7");
        EXPECT_EQ(label("PRLabelReceiptAmount" + h)->Caption(), "￥30,450※");
        EXPECT_EQ(label("PRLabelReceiptBreakdownAmount1" + h)->Caption(), "￥2,768-");
        EXPECT_FALSE(page.Find<TPRRect>("PRRectReceiptRevenueStamp" + h)->Printable);
        EXPECT_TRUE(page.Find<TPRRect>("PRRectReceiptStampArea" + h)->Printable);
        const TPRRect* back = page.Find<TPRRect>("PRRectReceiptAmountBack" + h);
        EXPECT_EQ(back->Left, label("PRLabelReceiptAmount" + h)->Left - 8);
        EXPECT_EQ(back->Width, label("PRLabelReceiptAmount" + h)->Width + 16);
    }
    // The copy's sender lines stand without the blanks that pad the upper ones.
    EXPECT_EQ(page.Find<TPRText>("PRTextReceiptMyDetail_1")->Lines,
              QStringList({"　", "TEL 03-0000-0000　"}));
    EXPECT_EQ(page.Find<TPRText>("PRTextReceiptMyDetail_2")->Lines,
              QStringList({"TEL 03-0000-0000"}));
}

TEST(ReceiptPdf, WholeFileReadsBack) {
    Receipt slip;
    slip.receipt.Proviso = QStringLiteral("お品代として");
    TempDir dir;
    TSlipPdfTemplates templates(slip.config);
    const QString path = dir.path("ryoshu.pdf");
    SaveReceiptPdf(templates, slip.Source(), path);
    Output("qpdf", {"--check", path});
    EXPECT_TRUE(Output("pdfinfo", {path}).contains("595 x 842"));
    const QString out = Output("pdftotext", {"-layout", path, "-"});
    EXPECT_EQ(out.count(QStringLiteral("￥30,450※")), 2) << out.toStdString();
    EXPECT_EQ(out.count(QStringLiteral("お品代として")), 2);
    EXPECT_EQ(out.count(QStringLiteral("収入印紙")), 2);
    EXPECT_EQ(out.count(QStringLiteral("株式会社テスト 御中")), 2);
}

}  // namespace
