#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include "MasterListFixture.h"
#include "QtPrint.h"
#include "SlipDrawing.h"
#include "TPRLabel.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TSlipPdfTemplates.h"
#include "TThEstimateObjectList.h"
#include "TempDir.h"

namespace {

// The text of one page of a PDF file.
QString PageText(const QString& path, int page) {
    QProcess process;
    const QString n = QString::number(page);
    process.start(QStringLiteral("pdftotext"), {"-layout", "-f", n, "-l", n, path, "-"});
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfInfo(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The printed page as pixels, 100 dpi.
QImage Pixels(const TSlipPagePicture& page) {
    QImage image(page.Size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawSlipPage(painter, page, page.Size);
    return image;
}

constexpr TSlipResolution Dpi{100, 100};

TEST(MasterList, PageCountsFollowTheRowsOfEachList) {
    const struct {
        TSlipKind kind;
        int entries;
        int pages;
    } cases[] = {
        {skItemList, 0, 1},      {skItemList, 1, 1},      {skItemList, 47, 1},
        {skItemList, 48, 2},     {skItemList, 94, 2},     {skItemList, 95, 3},
        {skCustomerList, 0, 1},  {skCustomerList, 15, 1}, {skCustomerList, 16, 2},
        {skCustomerList, 30, 2}, {skCustomerList, 31, 3},
    };
    for (const auto& c : cases) {
        const MasterListFixture lists(c.kind == skItemList ? c.entries : 0,
                                      c.kind == skCustomerList ? c.entries : 0);
        EXPECT_EQ(SlipPageCount(lists.Source(c.kind)), c.pages)
            << PrintSectionName(c.kind).toStdString() << " of " << c.entries;
    }
}

TEST(MasterList, DateIsTheDocumentHeaderDateWithoutSpaces) {
    TThEstimateObjectList document;
    document.Year = QStringLiteral("令和08");
    document.Month = QStringLiteral("4");
    document.Day = QStringLiteral("01");
    EXPECT_EQ(ListDateText(document), "令和08年4月01日");
}

// Every page of both lists through the PDF: the rows of each page, the page numbers and the
// date on every page, and the rows of a later page do not keep the earlier page's entries.
TEST(MasterListPdf, PagesHoldTheirRowsNumbersAndDate) {
    const struct {
        TSlipKind kind;
        int entries;
        QString firstOfPage2;
        QString lastOfPage1;
        QString lastEntry;
    } cases[] = {
        {skItemList, 48, "品目48", "品目47", "品目48"},
        {skItemList, 94, "品目48", "品目47", "品目94"},
        {skCustomerList, 16, "得意先16", "得意先15", "得意先16"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1 of %2").arg(PrintSectionName(c.kind)).arg(c.entries).toStdString());
        const MasterListFixture lists(c.kind == skItemList ? c.entries : 0,
                                      c.kind == skCustomerList ? c.entries : 0);
        TempDir dir;
        const QString path = dir.path("list.pdf");
        TSlipPdfTemplates templates(lists.config);
        SaveListPdf(templates, lists.Source(c.kind), path);
        EXPECT_TRUE(PdfInfo(path).contains(QRegularExpression("Pages:\\s+2\\n")));
        const QString title = c.kind == skItemList ? "品名リスト" : "お客様一覧";
        const QString one = PageText(path, 1);
        const QString two = PageText(path, 2);
        for (const QString& page : {one, two}) {
            EXPECT_TRUE(page.contains(title));
            EXPECT_TRUE(page.contains("令和08年12月10日")) << page.toStdString();
        }
        EXPECT_TRUE(one.contains("( 1 / 2 )"));
        EXPECT_TRUE(two.contains("( 2 / 2 )"));
        EXPECT_TRUE(one.contains(c.lastOfPage1));
        EXPECT_FALSE(one.contains(c.firstOfPage2));
        EXPECT_TRUE(two.contains(c.firstOfPage2));
        EXPECT_FALSE(two.contains(c.lastOfPage1)) << "a row kept from page 1";
        EXPECT_TRUE(two.contains(c.lastEntry));
        // Entry 1 is only on page 1 ("品目1" is also the start of "品目10").
        EXPECT_FALSE(
            two.contains(QRegularExpression(c.kind == skItemList ? "品目1\\s" : "得意先1\\s")))
            << two.toStdString();
    }
}

TEST(MasterListPdf, ItemRowsShowNameUnitAndPriceButNoPlaceholderUnit) {
    MasterListFixture lists(0, 0);
    lists.AddItem("ボルト", "本", 1234);
    lists.AddItem("据付工事", TThItemObject::NoUnit, 50000);
    lists.config.PRINTDECIMAL = true;
    TempDir dir;
    TSlipPdfTemplates templates(lists.config);
    SaveListPdf(templates, lists.Source(skItemList), dir.path("items.pdf"));
    const QString text = PageText(dir.path("items.pdf"), 1);
    EXPECT_TRUE(text.contains(QRegularExpression("ボルト\\s+本\\s+1,234\\.00")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("据付工事\\s+50,000\\.00")));
    EXPECT_FALSE(text.contains(TThItemObject::NoUnit));
    EXPECT_TRUE(text.contains("( 1 / 1 )"));
}

TEST(MasterListPdf, CustomerRowsShowTheNineFieldsInTheirBands) {
    const MasterListFixture lists(0, 1);
    TempDir dir;
    TSlipPdfTemplates templates(lists.config);
    SaveListPdf(templates, lists.Source(skCustomerList), dir.path("customers.pdf"));
    const QString text = PageText(dir.path("customers.pdf"), 1);
    EXPECT_TRUE(text.contains(QRegularExpression("C00001\\s+得意先1\\s+営業部\\s+担当者1")))
        << text.toStdString();
    // pdftotext reads the hyphens as non-breaking ones.
    EXPECT_TRUE(
        text.contains(QRegularExpression("100.0001\\s+東京都千代田区千代田1.1\\s+03.0000.0001")));
    EXPECT_TRUE(text.contains(QRegularExpression("千代田ビル1階\\s+03.1111.0001")));
}

TEST(MasterListPdf, EmptyMastersGiveOnePageWithHeadings) {
    const MasterListFixture lists(0, 0);
    TempDir dir;
    TSlipPdfTemplates templates(lists.config);
    for (TSlipKind kind : {skItemList, skCustomerList}) {
        const QString path = dir.path(PrintSectionName(kind) + ".pdf");
        SaveListPdf(templates, lists.Source(kind), path);
        const QString text = PageText(path, 1);
        EXPECT_TRUE(text.contains(kind == skItemList ? "単価" : "お客様コード"));
        EXPECT_TRUE(text.contains("( 1 / 1 )"));
    }
}

TEST(MasterListPdf, StripesTakeTheColoursOfTheSettings) {
    MasterListFixture lists(0, 0);
    lists.config.LINE_COLOR_ODD = 0x0000FF;
    lists.config.LINE_COLOR_EVEN = 0x00FF00;
    TSlipPdfTemplates templates(lists.config);
    auto fill = [&](const char* page, const QString& rect) {
        return templates.Template(page).Find<TPRRect>(rect)->FillColor;
    };
    const struct {
        const char* page;
        QString rect;
        int colour;
    } cases[] = {
        {"ItemList", "PRRectItemListLineHeader", 0x0000FF},
        {"ItemList", "PRRectItemListLine1", 0x00FF00},
        {"ItemList", "PRRectItemListLine2", 0x0000FF},
        {"ItemList", "PRRectItemListLine47", 0x00FF00},
        {"CustomerList", "PRRectCustomerListLineHeader1", 0x0000FF},
        {"CustomerList", "PRRectCustomerListLineHeader3", 0x00FF00},
        {"CustomerList", "PRRectCustomerListLine15_1", 0x0000FF},
        {"CustomerList", "PRRectCustomerListLine15_2", 0x00FF00},
        {"CustomerList", "PRRectCustomerListLine1_3", 0x00FF00},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fill(c.page, c.rect), c.colour) << c.rect.toStdString();
    }
}

TEST(MasterListPdf, TitleIsCentredOnThePanelWithItsUnderline) {
    const MasterListFixture lists(1, 1);
    TSlipPdfTemplates templates(lists.config);
    for (TSlipKind kind : {skItemList, skCustomerList}) {
        TPRPage& page = kind == skItemList
                            ? FillItemListPdfPage(templates, lists.Source(kind), 1, 1)
                            : FillCustomerListPdfPage(templates, lists.Source(kind), 1, 1);
        const QString name = page.Name.mid(6);
        const TPRLabel* title = page.Find<TPRLabel>("PRLabel" + name + "Title");
        const TPRRect* underline = page.Find<TPRRect>("PRRect" + name + "TitleUnderLine");
        ASSERT_NE(title, nullptr);
        ASSERT_NE(underline, nullptr);
        const int panel = page.Width - 2 * 14;
        EXPECT_NEAR(title->Left + title->Width / 2.0, panel / 2.0, 1) << name.toStdString();
        EXPECT_EQ(underline->Left, title->Left);
        EXPECT_EQ(underline->Width, title->Width);
    }
}

// The printed page of the item list: the heading band and every even band in the odd
// colour, the others in the even colour, and no "＜なし＞" on paper.
TEST(MasterListPage, ItemBandsAlternateAndThePlaceholderUnitIsLeftOut) {
    MasterListFixture lists(0, 0);
    lists.config.LINE_COLOR_ODD = 0x0000FF;   // red
    lists.config.LINE_COLOR_EVEN = 0x00FF00;  // green
    lists.AddItem("据付工事", TThItemObject::NoUnit, 100);
    const QImage page = Pixels(DrawItemListPage(lists.Source(skItemList), 1, 1, Dpi));
    ASSERT_EQ(page.size(), QSize(827, 1169));
    // A point inside band b, away from every line and text.
    auto band = [&](int b) { return page.pixelColor(MmToPx(100, 120), MmToPx(100, 26 + 5 * b)); };
    EXPECT_EQ(band(0), QColor(255, 0, 0));
    EXPECT_EQ(band(1), QColor(0, 255, 0));
    EXPECT_EQ(band(2), QColor(255, 0, 0));
    EXPECT_EQ(band(47), QColor(0, 255, 0));
    EXPECT_EQ(page.pixelColor(MmToPx(100, 150), MmToPx(100, 267)), Qt::white);

    MasterListFixture empty(0, 0);
    empty.config.LINE_COLOR_ODD = lists.config.LINE_COLOR_ODD;
    empty.config.LINE_COLOR_EVEN = lists.config.LINE_COLOR_EVEN;
    empty.AddItem("据付工事", QString(), 100);
    EXPECT_EQ(page, Pixels(DrawItemListPage(empty.Source(skItemList), 1, 1, Dpi)));
    empty.items.Items(0).UnitName = QStringLiteral("式");
    EXPECT_NE(page, Pixels(DrawItemListPage(empty.Source(skItemList), 1, 1, Dpi)));
}

TEST(MasterListPage, CustomerBlocksStartWithTheOddBand) {
    MasterListFixture lists(0, 0);
    lists.config.LINE_COLOR_ODD = 0x0000FF;
    lists.config.LINE_COLOR_EVEN = 0x00FF00;
    const QImage page = Pixels(DrawCustomerListPage(lists.Source(skCustomerList), 1, 1, Dpi));
    for (int b : {0, 1, 15}) {
        const double y0 = 25 + 15 * b;
        auto at = [&](double dy) {
            return page.pixelColor(MmToPx(100, 100), MmToPx(100, y0 + dy));
        };
        EXPECT_EQ(at(2.5), QColor(255, 0, 0)) << b;
        EXPECT_EQ(at(7.5), QColor(0, 255, 0)) << b;
        EXPECT_EQ(at(12.5), QColor(0, 255, 0)) << b;
    }
}

// A later page draws the entries after the earlier pages' and nothing of them; its page
// number and the date are its own.
TEST(MasterListPage, EachPageDrawsOnlyItsOwnEntries) {
    const struct {
        TSlipKind kind;
        int entries;
    } cases[] = {{skItemList, 48}, {skCustomerList, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(PrintSectionName(c.kind).toStdString());
        const int items = c.kind == skItemList ? c.entries : 0;
        const int customers = c.kind == skCustomerList ? c.entries : 0;
        // Renames entry i of the list.
        auto rename = [&](MasterListFixture& lists, int i) {
            if (c.kind == skItemList) {
                lists.items.Items(i).ItemName = QStringLiteral("別名");
            } else {
                lists.customers.Items(i).Name1 = QStringLiteral("別名");
            }
        };
        const MasterListFixture lists(items, customers);
        const QImage second = Pixels(DrawListPage(lists.Source(c.kind), 2, 2, Dpi));

        MasterListFixture earlierRenamed(items, customers);
        for (int i = 0; i < c.entries - 1; ++i) {
            rename(earlierRenamed, i);
        }
        EXPECT_EQ(second, Pixels(DrawListPage(earlierRenamed.Source(c.kind), 2, 2, Dpi)));

        MasterListFixture lastRenamed(items, customers);
        rename(lastRenamed, c.entries - 1);
        EXPECT_NE(second, Pixels(DrawListPage(lastRenamed.Source(c.kind), 2, 2, Dpi)));
        EXPECT_NE(second, Pixels(DrawListPage(lists.Source(c.kind), 2, 3, Dpi)));
        MasterListFixture redated(items, customers);
        redated.date = QStringLiteral("令和09年01月05日");
        EXPECT_NE(second, Pixels(DrawListPage(redated.Source(c.kind), 2, 2, Dpi)));
    }
}

}  // namespace
