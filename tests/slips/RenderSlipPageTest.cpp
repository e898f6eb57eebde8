#include <gtest/gtest.h>

#include <QPainter>

#include "DrawnPage.h"
#include "QtPrint.h"
#include "RenderSlipPage.h"
#include "SlipDrawing.h"
#include "SlipFixture.h"
#include "SlipPrintRun.h"

namespace {

using PK = TSlipPageKind;

QPoint AtMm(double x, double y, double dpi) {
    return {MmToPx(dpi, x), MmToPx(dpi, y)};
}

TEST(RenderSlipPage, SheetSizeInPrinterPixels) {
    SlipFixture slip(3);
    for (bool landscape : {false, true}) {
        slip.options.Landscape = landscape;
        const TSlipPagePicture page =
            RenderSlipPage(slip.Source(), PK::pkSingle, true, false, 1, 1, {600, 300});
        EXPECT_EQ(page.Size, landscape ? QSize(7016, 2480) : QSize(4961, 3508)) << landscape;
    }
}

TEST(RenderSlipPage, CompanyStampLandsInItsRectangleForA4AndB5) {
    SlipFixture slip(3);
    TThCampanyInfo& profile = slip.profiles.Items(0);
    profile.UseCampanyStamp = true;
    profile.StampImage = SolidPicture(Qt::red);
    profile.CampanyStampDetailPosX_A4 = 60;  // clear of every text
    profile.CampanyStampDetailPosY_A4 = 84;
    profile.CampanyStampWidth_A4 = 10;
    profile.CampanyStampHeight_A4 = 10;
    profile.CampanyStampDetailPosX_B5 = 130.5;
    profile.CampanyStampDetailPosY_B5 = 8.7;
    profile.CampanyStampWidth_B5 = 8.7;
    profile.CampanyStampHeight_B5 = 8.7;
    const double dpi = 100;
    const QImage a4 =
        DrawnPage(RenderSlipPage(slip.Source(), PK::pkSingle, true, false, 1, 1, {dpi, dpi}));
    EXPECT_EQ(a4.pixelColor(AtMm(60, 89, dpi)), QColor(Qt::red));  // 55 .. 65 mm across
    EXPECT_EQ(a4.pixelColor(AtMm(56, 85, dpi)), QColor(Qt::red));
    EXPECT_EQ(a4.pixelColor(AtMm(67, 89, dpi)), QColor(Qt::white));
    const QImage b5 =
        DrawnPage(RenderSlipPage(slip.Source(), PK::pkSingle, false, false, 1, 1, {dpi, dpi}));
    EXPECT_EQ(b5.pixelColor(AtMm(150, 15, dpi)), QColor(Qt::red));  // 145 .. 155, 10 .. 20
    EXPECT_EQ(b5.pixelColor(AtMm(60, 89, dpi)), QColor(Qt::white));
}

TEST(RenderSlipPage, StampPicturesFillTheStampBoxes) {
    SlipFixture slip(3);
    slip.config.Stamp(2) = SolidPicture(Qt::blue);
    slip.options.PersonalStamp = 3;  // 捺印3 is pstamp2.bmp
    const double dpi = 100;
    const QImage page =
        DrawnPage(RenderSlipPage(slip.Source(), PK::pkSingle, true, false, 1, 1, {dpi, dpi}));
    // Right stamp area: 165 .. 180 mm across, 79 .. 94 mm down, inset by 0.5 mm.
    EXPECT_EQ(page.pixelColor(AtMm(172, 86, dpi)), QColor(Qt::blue));
    EXPECT_NE(page.pixelColor(AtMm(157, 86, dpi)), QColor(Qt::blue));
}

// Dark (text) pixels in a box of millimetres; the navy rules and the stripes are not dark.
int DarkPixels(const QImage& image, QRectF mm, double dpi) {
    int count = 0;
    for (int y = MmToPx(dpi, mm.top()); y < MmToPx(dpi, mm.bottom()); ++y) {
        for (int x = MmToPx(dpi, mm.left()); x < MmToPx(dpi, mm.right()); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() < 100 && c.green() < 100 && c.blue() < 100 ? 1 : 0;
        }
    }
    return count;
}

// Item names in the portrait table, whose item cell runs from 10.5 to 79.5 mm (remarks on):
// a name that fits ends where it ends, a longer one is condensed to end at the cell's edge,
// and one more than twice too long is cut there. Nothing runs into the quantity column.
TEST(RenderSlipPage, LongItemNamesStayInTheirCell) {
    struct Case {
        int characters;  // full-width, 3.53 mm each at 10 points
        bool reachesTheEdge;
    };
    const Case cases[] = {{10, false}, {25, true}, {60, true}};
    const double dpi = 200;
    for (const Case& c : cases) {
        SlipFixture slip(1);
        slip.options.PrintNote = true;
        slip.document.Items(0).ItemName = QString(c.characters, QChar(u'品'));
        const QImage page =
            DrawnPage(RenderSlipPage(slip.Source(), PK::pkSingle, true, false, 1, 1, {dpi, dpi}));
        // The first row's text band: 116.5 mm down, 10 points high.
        const double top = 116.8;
        const double bottom = 119.8;
        EXPECT_GT(DarkPixels(page, QRectF(QPointF(11, top), QPointF(20, bottom)), dpi), 0)
            << c.characters;
        EXPECT_EQ(DarkPixels(page, QRectF(QPointF(80.6, top), QPointF(88, bottom)), dpi), 0)
            << c.characters << " characters run into the quantity column";
        EXPECT_EQ(DarkPixels(page, QRectF(QPointF(75, top), QPointF(79.5, bottom)), dpi) > 0,
                  c.reachesTheEdge)
            << c.characters;
    }
}

// The drawing's extent: the right- and bottom-most pixel that is not white.
QPoint DrawnExtent(const QImage& image) {
    QPoint extent(-1, -1);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] != qRgb(255, 255, 255)) {
                extent.setX(std::max(extent.x(), x));
                extent.setY(std::max(extent.y(), y));
            }
        }
    }
    return extent;
}

TEST(PrintSlipSheets, B5ShrinksTheA4DrawingFromTheTopLeftCorner) {
    SlipFixture slip(3);
    const TSlipResolution dpi{100, 100};
    QPoint extents[2];
    for (bool isA4 : {true, false}) {
        // A sheet at the printer's resolution: the picture must not grow by it.
        QImage sheet(MmToPx(100, 210), MmToPx(100, 297), QImage::Format_RGB32);
        sheet.setDotsPerMeterX(static_cast<int>(100 / 0.0254));
        sheet.setDotsPerMeterY(static_cast<int>(100 / 0.0254));
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        int breaks = 0;
        PrintSlipSheets(painter, slip.Source(), isA4, dpi, [&] { ++breaks; });
        painter.end();
        EXPECT_EQ(breaks, 0);
        extents[isA4 ? 0 : 1] = DrawnExtent(sheet);
    }
    // The table frame's bottom-right corner, 190 × 264 mm, moves to 0.87 of its place.
    EXPECT_NEAR(extents[1].x(), extents[0].x() * 0.87, 2.0);
    EXPECT_NEAR(extents[1].y(), extents[0].y() * 0.87, 2.0);
}

TEST(PrintSlipSheets, CopiesStartANewSheet) {
    SlipFixture slip(61);  // three pages
    slip.options.PrintCopy = true;
    QImage sheet(100, 100, QImage::Format_RGB32);
    QPainter painter(&sheet);
    int breaks = 0;
    PrintSlipSheets(painter, slip.Source(), true, {20, 20}, [&] { ++breaks; });
    EXPECT_EQ(breaks, 5);
}

}  // namespace
