#include <gtest/gtest.h>

#include "QtPrint.h"
#include "RenderSlipPage.h"
#include "SlipDrawing.h"
#include "SlipPrintRun.h"
#include "TThCampanyInfo.h"

namespace {

using PK = TSlipPageKind;

// Number, page kind, copy and break before, of every sheet.
std::string Describe(const std::vector<TSlipSheet>& sheets) {
    std::string text;
    for (const TSlipSheet& sheet : sheets) {
        const char* kinds = "?SFML";
        text += (sheet.NewPageBefore ? "|" : "") + std::to_string(sheet.Number) +
                kinds[static_cast<int>(sheet.PageKind)] + (sheet.Copy ? "c " : " ");
    }
    return text;
}

TEST(SlipPrintRun, SheetsWithCopiesAndPageBreaks) {
    const struct {
        int pages;
        bool copies;
        const char* sheets;
    } cases[] = {
        {1, false, "1S "},
        {1, true, "1S |1Sc "},
        {2, false, "1F |2L "},
        {3, true, "1F |2M |3L |1Fc |2Mc |3Lc "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(SlipSheets(c.pages, c.copies)), c.sheets)
            << c.pages << " pages, copies " << c.copies;
    }
}

TEST(SlipPrintRun, MillimetresToPixelsRoundHalvesToEven) {
    EXPECT_EQ(MmToPx(600, 25.4), 600);
    EXPECT_EQ(MmToPx(600, 210), 4961);  // 4960.63
    EXPECT_EQ(MmToPx(127, 0.5), 2);     // 2.5 rounds to 2
    EXPECT_EQ(MmToPx(127, 1.5), 8);     // 7.5 rounds to 8
}

TEST(SlipPrintRun, CompanyStampRectangles) {
    TThCampanyInfo profile;
    profile.CampanyStampDetailPosX_A4 = 140;
    profile.CampanyStampDetailPosY_A4 = 40;
    profile.CampanyStampWidth_A4 = 20;
    profile.CampanyStampHeight_A4 = 22;
    profile.CampanyStampDetailPosX_B5 = 121.8;
    profile.CampanyStampDetailPosY_B5 = 34.8;
    profile.CampanyStampWidth_B5 = 17.4;
    profile.CampanyStampHeight_B5 = 8.7;
    const QRectF a4 = CompanyStampRect(profile, true);
    EXPECT_EQ(a4, QRectF(135, 40, 20, 22));
    // Drawn at the stored B5 millimetres divided by 0.87, so the shrink puts it back there.
    const QRectF b5 = CompanyStampRect(profile, false);
    EXPECT_NEAR(b5.left(), 135, 1e-9);
    EXPECT_NEAR(b5.top(), 40, 1e-9);
    EXPECT_NEAR(b5.width(), 20, 1e-9);
    EXPECT_NEAR(b5.height(), 10, 1e-9);
}

}  // namespace
