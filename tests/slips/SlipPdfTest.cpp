#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "AmountText.h"

#include "QtPrint.h"
#include "SlipLayout.h"
#include "TPRImage.h"
#include "TPRLabel.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TPRText.h"
#include "TPrintOptions.h"
#include "TSlipPdfTemplates.h"
#include "TThCampanyInfo.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"
#include "TempDir.h"

namespace {

struct Slip {
    TThEstimateObjectList document;
    TThConfigInfo config{QStringLiteral("/nonexistent/")};
    TThCampanyInfo profile;
    TPrintOptions options;
    TSlipKind kind = skMitsu;

    explicit Slip(int used) {
        config.LoadFromFile(QStringLiteral("/nonexistent/conf.ini"));
        document.PadLines(TThEstimateObjectList::DefaultLineCount);
        for (int i = 0; i < used; ++i) {
            document.Items(i).ItemName = QStringLiteral("品目%1").arg(i + 1);
            document.Items(i).Num = Currency::fromUnits(2);
            document.Items(i).UnitPrice = Currency::fromUnits(500);
            document.Items(i).CalcTotalPrice();
        }
        document.Customer.Name1 = QStringLiteral("株式会社テスト");
        document.Customer.NameTitle = QStringLiteral("御中");
        document.Etc = QStringLiteral("納期は別途");
        document.TaxRate = Currency::fromUnits(10);
        document.CalcTotal();
        profile.CampanyName1 = QStringLiteral("自社商事");
        profile.CampanyName2 = QStringLiteral("営業部");
        options.Tax = TTaxChoice::BeforeTax;
    }
    TSlipSource Source() const { return {document, config, profile, options, kind}; }
};

QString Caption(const TPRPage& page, const QString& name) {
    const TPRLabel* label = page.Find<TPRLabel>(name);
    return label != nullptr ? label->Caption() : QStringLiteral("<missing>");
}

bool Shown(const TPRPage& page, const QString& name) {
    const TPRItem* item = page.Find<TPRItem>(name);
    EXPECT_NE(item, nullptr) << name.toStdString();
    return item != nullptr && item->Printable;
}

TEST(SlipPdfPages, PortraitSinglePage) {
    Slip slip(3);
    TSlipPdfTemplates templates(slip.config);
    const TPRPage& page = templates.BuildSlipPdfPage(slip.Source(), TSlipPageKind::pkSingle, 1, 1);
    const QString p = QStringLiteral("PRLabelTateMitsuFirstPage");
    EXPECT_EQ(Caption(page, p + "ItemName3"), "品目3");
    EXPECT_EQ(Caption(page, p + "ItemTotalPrice3"), "1,000");
    EXPECT_EQ(Caption(page, p + "ItemTotalPrice21"), "3,000");
    EXPECT_EQ(Caption(page, p + "ItemTotalPrice22"), "300");
    EXPECT_EQ(Caption(page, p + "ItemTotalPrice23"), "3,300");
    EXPECT_EQ(Caption(page, p + "FindingTax"), "消費税(10%)");
    EXPECT_EQ(Caption(page, p + "CustomerName1"), "株式会社テスト 御中");
    EXPECT_FALSE(Shown(page, "PRRectTateMitsuFirstPageLine24"));
    EXPECT_TRUE(Shown(page, "PRRectTateMitsuFirstPageLine23"));
    EXPECT_TRUE(Shown(page, "PRTextTateMitsuFirstPageEtc"));
    EXPECT_FALSE(Shown(page, p + "PageNo"));
    EXPECT_FALSE(Shown(page, p + "FindingPageTotal"));
    // The title is centred by its width and its underline follows it.
    const auto* title = page.Find<TPRLabel>(p + "Title");
    const auto* underline = page.Find<TPRRect>("PRRectTateMitsuFirstPageTitleUnderLine");
    EXPECT_EQ(title->Left, (595 - title->Width + 1) / 2);
    EXPECT_EQ(underline->Width, title->Width);
    EXPECT_EQ(underline->Left, title->Left);
    EXPECT_EQ(page.Find<TPRText>("PRTextTateMitsuFirstPageEtc")->Lines,
              QStringList({"備　考：納期は別途"}));
}

TEST(SlipPdfPages, NoTaxLeavesTheTaxRowEmpty) {
    Slip slip(2);
    slip.options.Tax = TTaxChoice::NoTax;
    slip.config.NOTAXNOSUB = true;
    TSlipPdfTemplates templates(slip.config);
    const TPRPage& page = templates.BuildSlipPdfPage(slip.Source(), TSlipPageKind::pkSingle, 1, 1);
    const QString p = QStringLiteral("PRLabelTateMitsuFirstPage");
    EXPECT_EQ(Caption(page, p + "FindingTax"), "");
    EXPECT_EQ(Caption(page, p + "ItemTotalPrice21"), "");
    EXPECT_EQ(Caption(page, p + "ItemTotalPrice22"), "");
    EXPECT_EQ(Caption(page, p + "FindingSubTotal"), "小計");
    EXPECT_EQ(Caption(page, p + "FindingTotal"), "合計");
}

TEST(SlipPdfPages, LandscapeWithoutRemarksWidensItemNames) {
    Slip slip(2);
    slip.options.Landscape = true;
    slip.options.PrintNote = false;
    slip.document.Etc.clear();
    TSlipPdfTemplates templates(slip.config);
    const TPRPage& page = templates.BuildSlipPdfPage(slip.Source(), TSlipPageKind::pkSingle, 1, 1);
    const QString p = QStringLiteral("PRLabelYokoMitsuFirstPage");
    EXPECT_EQ(page.Find<TPRLabel>(p + "ItemName1")->Width, 429);
    EXPECT_EQ(page.Find<TPRLabel>(p + "ItemNum1")->Left, 475);
    EXPECT_FALSE(Shown(page, p + "ChartFindingItemEtc"));
    EXPECT_FALSE(Shown(page, p + "ItemEtc1"));
    EXPECT_FALSE(Shown(page, "PRRectYokoMitsuFirstPageVerLine5"));
    EXPECT_EQ(page.Find<TPRRect>("PRRectYokoMitsuFirstPageVerLine1")->Left, 472);
    EXPECT_TRUE(page.Find<TPRText>("PRTextYokoMitsuFirstPageEtc")->Lines.isEmpty());
}

TEST(SlipPdfPages, SwappedAcceptanceSlipAndConditions) {
    Slip slip(1);
    slip.kind = skJuryo;
    slip.options.ChangeSR = true;
    slip.document.Delivery = QStringLiteral("至急");
    slip.document.PrintDelivery = true;
    slip.document.Limit = QStringLiteral("月末");
    slip.document.PrintLimit = true;
    TSlipPdfTemplates templates(slip.config);
    const TPRPage& page = templates.BuildSlipPdfPage(slip.Source(), TSlipPageKind::pkSingle, 1, 1);
    const QString p = QStringLiteral("PRLabelTateMitsuFirstPage");
    EXPECT_EQ(Caption(page, p + "CustomerName1"), "自社商事");
    EXPECT_EQ(Caption(page, p + "CustomerName2"), "営業部 行き");
    EXPECT_EQ(Caption(page, p + "MyName1"), "株式会社テスト");
    EXPECT_EQ(Caption(page, p + "PersonalStamp"), "受領印");
    EXPECT_EQ(page.Find<TPRText>("PRTextTateMitsuFirstPageCondition")->Lines,
              QStringList({"受渡期日  至急", "有効期限  月末"}));
}

TEST(SlipPdfPages, LogoTakesTheSenderBlock) {
    Slip slip(1);
    slip.profile.UseLogoImage = true;
    slip.profile.LogoImage = QImage(400, 100, QImage::Format_RGB32);
    TSlipPdfTemplates templates(slip.config);
    const TPRPage& page = templates.BuildSlipPdfPage(slip.Source(), TSlipPageKind::pkSingle, 1, 1);
    const auto* logo = page.Find<TPRImage>("PRImageTateMitsuFirstPageCampanyLogo");
    EXPECT_EQ(logo->Width, 179);
    EXPECT_EQ(logo->Height, 45);
    EXPECT_EQ(logo->Left, 311);
    EXPECT_EQ(Caption(page, "PRLabelTateMitsuFirstPageMyName1"), "");
}

TEST(SlipPdfPages, FirstMiddleAndLastPages) {
    Slip slip(70);                              // portrait: 25 + 40 + 35
    slip.document.Items(0).SubTotalRow = true;  // the page total leaves it out
    TSlipPdfTemplates templates(slip.config);
    const TSlipSource source = slip.Source();
    ASSERT_EQ(SlipPageCount(source), 3);
    const TPRPage& first = templates.BuildSlipPdfPage(source, TSlipPageKind::pkFirst, 1, 3);
    EXPECT_EQ(Caption(first, "PRLabelTateMitsuFirstPageItemTotalPrice26"), "24,000");
    EXPECT_EQ(Caption(first, "PRLabelTateMitsuFirstPagePageNo"), "( 1 / 3 )");
    EXPECT_TRUE(Shown(first, "PRRectTateMitsuFirstPageLine26"));
    EXPECT_FALSE(Shown(first, "PRTextTateMitsuFirstPageEtc"));
    const TPRPage& middle = templates.BuildSlipPdfPage(source, TSlipPageKind::pkMiddle, 2, 3);
    EXPECT_EQ(Caption(middle, "PRLabelTateMitsuMiddlePageItemName1"), "品目26");
    EXPECT_EQ(Caption(middle, "PRLabelTateMitsuMiddlePageItemTotalPrice41"), "40,000");
    const TPRPage& last = templates.BuildSlipPdfPage(source, TSlipPageKind::pkLast, 3, 3);
    EXPECT_EQ(Caption(last, "PRLabelTateMitsuFinalPageItemName5"), "品目70");
    EXPECT_EQ(Caption(last, "PRLabelTateMitsuFinalPagePageNo"), "( 3 / 3 )");
    EXPECT_EQ(Caption(last, "PRLabelTateMitsuFinalPageItemTotalPrice38"),
              FormatAmount(true, slip.document.Total, false));
}

// What a real reader says about a written file.
QString Reader(const QString& program, const QStringList& arguments, int* status = nullptr) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    if (status != nullptr) {
        *status = process.exitCode();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(SlipPdfFiles, EveryKindAndOrientationReadsBack) {
    struct Case {
        TSlipKind kind;
        bool landscape;
        int used;
        int pages;
    };
    const Case cases[] = {
        {skMitsu, false, 3, 1},  {skTanka, false, 30, 2}, {skNouhin, true, 12, 2},
        {skSeikyu, true, 41, 3}, {skJuryo, false, 61, 3}, {skSeikyuMeisai, true, 5, 1},
    };
    // The whole title of a kind, without the blanks that space its letters.
    const auto titleOf = [](const Slip& slip, TSlipKind kind) {
        QString title;
        QString message;
        GetSlipTitle(slip.config, kind, title, message);
        return title.remove(QRegularExpression(QStringLiteral("\\s")));
    };
    TempDir dir;
    for (const Case& c : cases) {
        Slip slip(c.used);
        slip.kind = c.kind;
        slip.options.Landscape = c.landscape;
        TSlipPdfTemplates templates(slip.config);
        const QString path = dir.path(QStringLiteral("slip%1.pdf").arg(c.kind));
        templates.SaveSlipPdf(slip.Source(), path);
        SCOPED_TRACE(path.toStdString());

        int status = -1;
        Reader("qpdf", {"--check", path}, &status);
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(
            Reader("pdfinfo", {path})
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(c.pages))));
        const QString text = Reader("pdftotext", {"-layout", path, "-"});
        const QString unspaced = QString(text).remove(QRegularExpression(QStringLiteral("\\s")));
        for (const Case& other : cases) {
            EXPECT_EQ(unspaced.contains(titleOf(slip, other.kind)), other.kind == c.kind)
                << titleOf(slip, other.kind).toStdString();
        }
        EXPECT_TRUE(text.contains(QStringLiteral("株式会社テスト 御中")));
        EXPECT_TRUE(text.contains(QStringLiteral("品目%1").arg(c.used)));
        EXPECT_TRUE(text.contains(QStringLiteral("考：納期は別途")));
        if (c.pages > 1) {
            EXPECT_TRUE(text.contains(QStringLiteral("( 2 / %1 )").arg(c.pages)));
            EXPECT_EQ(text.contains(QStringLiteral("(ページ計)")), c.kind != skTanka);
        }
        const QString total = FormatAmount(true, slip.document.Total, false);
        EXPECT_EQ(text.contains(total), c.kind != skTanka) << total.toStdString();
    }
}

}  // namespace
