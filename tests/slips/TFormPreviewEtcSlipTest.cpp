#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QScrollArea>

#include "SheetSlipFixture.h"
#include "TFormPreviewEtcSlip.h"
#include "TFormPrintTotalClaim.h"

namespace {

// The total invoice's preview, opened from its options window.
class TFormPreviewEtcSlipTest : public SheetSlipTest<TFormPrintTotalClaim> {
  protected:
    TFormPreviewEtcSlipTest() {
        slip.document.TotalClaimMode = true;
        form.SetPreviewWindow(&preview);
        TThCampanyInfo& profile = slip.profiles.Items(0);
        profile.UseCampanyStamp = true;
        profile.StampImage = SolidPicture(Qt::red);
        profile.CampanyStampTotalClaimPosX_A4 = 180;  // 175 .. 185 mm on the drawing
        profile.CampanyStampTotalClaimPosY_A4 = 36;
        profile.CampanyStampWidth_A4 = 10;
        profile.CampanyStampHeight_A4 = 10;
        profile.CampanyStampTotalClaimPosX_B5 = 174;  // 195 .. 205 mm
        profile.CampanyStampTotalClaimPosY_B5 = 31.32;
        profile.CampanyStampWidth_B5 = 8.7;
        profile.CampanyStampHeight_B5 = 8.7;
        preview.SetBmpDialog([this](QWidget*, const QString&) { return bmpAnswer; });
    }
    // Opens the preview from the options window with the paper given; inPreview runs while
    // it shows.
    void openPreview(const char* paper, const std::function<void()>& inPreview) {
        press("pngBtnCancel", [&] {
            control<QComboBox>("CBPaperSize")->setCurrentText(paper);
            QTimer::singleShot(0, &preview, [&] {
                EXPECT_TRUE(preview.isVisible());
                inPreview();
                preview.close();
            });
            QTest::mouseClick(control<TPngButton>("pngBtnPreview"), Qt::LeftButton);
        });
    }
    QSize box() { return preview.findChild<QScrollArea*>("ScrollBox1")->maximumViewportSize(); }
    // Whether the shown sheet is red at x, y mm of the A4 drawing.
    bool redAt(double x, double y) {
        const QImage& sheet = preview.ShownImage();
        return IsRed(sheet.pixelColor(static_cast<int>(x / 210 * sheet.width()),
                                      static_cast<int>(y / 297 * sheet.height())));
    }

    TFormPreviewEtcSlip preview;
    QString bmpAnswer;
};

TEST_F(TFormPreviewEtcSlipTest, TheSealOfThePaperChosenShows) {
    const struct {
        const char* paper;
        double sealX;
        double otherX;
    } cases[] = {{"A4", 180, 200}, {"B5", 200, 180}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paper);
        openPreview(c.paper, [&] {
            for (double o : {0, 115}) {
                EXPECT_TRUE(redAt(c.sealX, 41 + o)) << o;
                EXPECT_FALSE(redAt(c.otherX, 41 + o)) << o;
            }
        });
    }
}

TEST_F(TFormPreviewEtcSlipTest, ZoomFillsTheBoxHeightTimesTheFactorAndExportsWhatIsShown) {
    bmpAnswer = temp.path("sheet.bmp");
    QStringList zoomItems;
    std::vector<QSize> sizes;
    QSize expected200;
    openPreview("A4", [&] {
        auto* bai = preview.findChild<QComboBox*>("CBBai");
        for (int i = 0; i < bai->count(); ++i) {
            zoomItems << bai->itemText(i);
        }
        sizes.push_back(preview.ShownImage().size());
        EXPECT_EQ(preview.ShownImage().height(), box().height());
        bai->setCurrentIndex(10);
        emit bai->activated(10);
        expected200 =
            QSize(qRound(qRound(box().height() * 2.0) / 1.414), qRound(box().height() * 2.0));
        sizes.push_back(preview.ShownImage().size());
        QTest::mouseClick(preview.findChild<TPngButton*>("pngBtnBMP"), Qt::LeftButton);
    });
    EXPECT_EQ(zoomItems.first(), "100%");
    EXPECT_EQ(zoomItems.last(), "200%");
    EXPECT_EQ(zoomItems.size(), 11);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[1], expected200);
    EXPECT_EQ(QImage(bmpAnswer).size(), expected200);
}

}  // namespace
