#include <gtest/gtest.h>

#include <QImage>

#include "Exception.h"
#include "TPRImage.h"
#include "TPRLabel.h"
#include "TPRLayoutPanel.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TPRText.h"
#include "TPReport.h"
#include "TPdfStream.h"

namespace {

// A page of the given size with one layout panel covering it.
struct Fixture {
    TPRPage page;
    TPRLayoutPanel* panel;

    explicit Fixture(int width = 595, int height = 842) {
        page.Width = width;
        page.Height = height;
        auto layout = std::make_unique<TPRLayoutPanel>();
        layout->Width = width;
        layout->Height = height;
        panel = page.Add(std::move(layout));
    }

    template <class T>
    T* Add(int left, int top, int width, int height) {
        auto item = std::make_unique<T>();
        item->Left = left;
        item->Top = top;
        item->Width = width;
        item->Height = height;
        return panel->Add(std::move(item));
    }

    // The content stream of the page as the report writes it.
    std::string Content() {
        report.BeginDocument();
        report.PrintPage(page);
        return report.PdfDoc()->GetCanvas().Contents()->Stream();
    }

    TPReport report;
};

TEST(ReportComponents, EmptyPageHoldsOnlyTheStartFont) {
    Fixture f(842, 595);
    f.Add<TPRLabel>(10, 10, 100, 20);  // no caption: nothing at all
    EXPECT_EQ(f.Content(), "/F0 10 Tf\n");
    const std::string saved = f.report.EndDocumentToBytes();
    EXPECT_NE(saved.find("/MediaBox [0 0 842 595 ]"), std::string::npos);
}

TEST(ReportComponents, LabelWritesItsTextAtTheBaseline) {
    Fixture f;
    TPRLabel* label = f.Add<TPRLabel>(40, 100, 100, 20);
    label->SetFontSize(10);
    label->SetCaption(QStringLiteral("AB"));
    EXPECT_EQ(f.Content(), "/F0 10 Tf\n/F1 10 Tf\n0 0 0 rg\nBT\n40 733.5 Td\n(AB) Tj\nET\n");
}

// Ten half-width letters at 10 points are 50 wide in the fixed-pitch Gothic.
TEST(ReportComponents, CaptionsWiderThanTheirLabelAreCondensedAndCutBelowHalf) {
    struct Case {
        int width;
        const char* content;
    };
    const Case cases[] = {
        {100, "/F0 10 Tf\n/F1 10 Tf\n0 0 0 rg\nBT\n40 733.5 Td\n(ABCDEFGHIJ) Tj\nET\n"},
        {50, "/F0 10 Tf\n/F1 10 Tf\n0 0 0 rg\nBT\n40 733.5 Td\n(ABCDEFGHIJ) Tj\nET\n"},
        {45,
         "/F0 10 Tf\n/F1 10 Tf\n0 0 0 rg\n90 Tz\nBT\n40 733.5 Td\n(ABCDEFGHIJ) Tj\nET\n"
         "100 Tz\n"},
        {20,
         "/F0 10 Tf\n/F1 10 Tf\n0 0 0 rg\n50 Tz\nq\n40 742 m\n40 722 l\n60 722 l\n"
         "60 742 l\nh\nW\nn\nBT\n40 733.5 Td\n(ABCDEFGHIJ) Tj\nET\nQ\n100 Tz\n"},
    };
    for (const Case& c : cases) {
        Fixture f;
        TPRLabel* label = f.Add<TPRLabel>(40, 100, c.width, 20);
        label->SetFontSize(10);
        label->SetCaption(QStringLiteral("ABCDEFGHIJ"));
        EXPECT_EQ(f.Content(), c.content) << c.width;
    }
}

TEST(ReportComponents, TextLinesWiderThanTheirBlockAreCondensed) {
    struct Case {
        int width;
        const char* line;
    };
    const Case cases[] = {
        {100, "(ABCDEFGHIJ) Tj\n"},
        {40, "80 Tz\n(ABCDEFGHIJ) Tj\n100 Tz\n"},
        {20, "50 Tz\n(ABCDEFGH) Tj\n100 Tz\n"},
    };
    for (const Case& c : cases) {
        Fixture f;
        TPRText* text = f.Add<TPRText>(40, 100, c.width, 40);
        text->SetFontSize(10);
        text->Lines = {QStringLiteral("ABCDEFGHIJ"), QStringLiteral("AB")};
        const std::string content = f.Content();
        EXPECT_NE(content.find(std::string("Td\n") + c.line + "T*\n(AB) Tj\n"), std::string::npos)
            << c.width << "\n"
            << content;
    }
}

TEST(ReportComponents, SameFontIsSelectedOnceButColourEveryTime) {
    Fixture f;
    for (int top : {100, 120}) {
        TPRLabel* label = f.Add<TPRLabel>(40, top, 100, 20);
        label->SetCaption(QStringLiteral("日本"));
    }
    const std::string content = f.Content();
    size_t tf = 0;
    size_t rg = 0;
    for (size_t at = 0; (at = content.find(" Tf\n", at)) != std::string::npos; ++at) {
        ++tf;
    }
    for (size_t at = 0; (at = content.find(" rg\n", at)) != std::string::npos; ++at) {
        ++rg;
    }
    EXPECT_EQ(tf, 2U);  // the start font and Gothic 12
    EXPECT_EQ(rg, 2U);
    EXPECT_NE(content.find("<93FA967B> Tj"), std::string::npos);
}

TEST(ReportComponents, AlignmentShiftsByTheRemainingWidth) {
    struct Case {
        pdf::TAlignment alignment;
        const char* position;
    };
    // "日本語" in Gothic 10 measures 30 in a 100 wide label.
    const Case cases[] = {{pdf::TAlignment::taLeftJustify, "40 733.5 Td"},
                          {pdf::TAlignment::taRightJustify, "110 733.5 Td"},
                          {pdf::TAlignment::taCenter, "75 733.5 Td"}};
    for (const Case& c : cases) {
        Fixture f;
        TPRLabel* label = f.Add<TPRLabel>(40, 100, 100, 20);
        label->SetFontSize(10);
        label->Alignment = c.alignment;
        label->SetCaption(QStringLiteral("日本語"));
        EXPECT_FLOAT_EQ(label->GetTextWidth(), 30);
        EXPECT_NE(f.Content().find(c.position), std::string::npos) << c.position;
    }
}

TEST(ReportComponents, TextDropsLinesBelowItsBox) {
    Fixture f;
    TPRText* text = f.Add<TPRText>(10, 100, 200, 40);
    text->SetFontSize(10);
    text->Lines = {"a", "b", "c", "d"};
    const std::string content = f.Content();
    EXPECT_NE(content.find("(c) Tj"), std::string::npos);
    EXPECT_EQ(content.find("(d) Tj"), std::string::npos);
}

TEST(ReportComponents, RectanglesAndRules) {
    struct Case {
        int width;
        int height;
        std::int32_t fill;
        const char* expected;
    };
    const Case cases[] = {
        {511, 17, 0xF0CAA6,
         "[] 0 d\n42 147 m\n552 147 l\n552 131 l\n42 131 l\n0.65 0.79 0.94 rg\n0 0 0 RG\n0 w\nb\n"},
        {511, 1, clNone, "[] 0 d\n42 147 m\n552 147 l\n0 0 0 RG\n0 w\nS\nn\n"},
        {1, 1, clNone, ""},
    };
    for (const Case& c : cases) {
        Fixture f;
        TPRRect* rect = f.Add<TPRRect>(42, 695, c.width, c.height);
        rect->FillColor = c.fill;
        EXPECT_EQ(f.Content(), std::string("/F0 10 Tf\n") + c.expected)
            << c.width << "x" << c.height;
    }
}

TEST(ReportComponents, HiddenItemsAreSkipped) {
    Fixture f;
    TPRLabel* label = f.Add<TPRLabel>(40, 100, 100, 20);
    label->SetCaption(QStringLiteral("x"));
    label->Printable = false;
    EXPECT_EQ(f.Content(), "/F0 10 Tf\n");
}

TEST(ReportComponents, SharedImageIsStoredOncePerDocument) {
    Fixture f;
    TPRImage* image = f.Add<TPRImage>(10, 10, 40, 40);
    image->Name = QStringLiteral("PRImageSeal");
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    image->SetPicture(picture);
    f.report.BeginDocument();
    for (int i = 0; i < 3; ++i) {
        f.report.PrintPage(f.page);
    }
    const std::string saved = f.report.EndDocumentToBytes();
    size_t images = 0;
    for (size_t at = 0; (at = saved.find("/Subtype /Image", at)) != std::string::npos; ++at) {
        ++images;
    }
    EXPECT_EQ(images, 1U);
    size_t uses = 0;
    for (size_t at = 0; (at = saved.find("/PRImageSeal Do", at)) != std::string::npos; ++at) {
        ++uses;
    }
    EXPECT_EQ(uses, 3U);
}

TEST(ReportComponents, BitmapKeepsColoursAndLaysTransparencyOnWhite) {
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(10, 20, 30, 255));
    picture.setPixel(1, 0, qRgba(0, 0, 0, 0));
    const pdf::TPdfBitmap bitmap = TPRImage::ToPdfBitmap(picture);
    const auto row = bitmap.Row(0);
    EXPECT_EQ(row[0], 30);
    EXPECT_EQ(row[1], 20);
    EXPECT_EQ(row[2], 10);
    EXPECT_EQ(row[4], 255);
    EXPECT_EQ(row[6], 255);
}

// A seal picture as the file holds it: a palette of reds on white, or true colour.
QImage SealPicture(QImage::Format format) {
    QImage picture(60, 60, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 10; y < 50; ++y) {
        for (int x = 10; x < 50; ++x) {
            picture.setPixel(x, y, qRgb(200 + (x % 5), 0, 0));
        }
    }
    return format == QImage::Format_Indexed8 ? picture.convertToFormat(format, Qt::ThresholdDither)
                                             : picture.convertToFormat(format);
}

TEST(ReportComponents, PalettePicturesGoToTheFileIndexed) {
    struct Case {
        QImage picture;
        const char* colourSpace;
        std::size_t bytes;
    };
    QImage translucent(2, 1, QImage::Format_Indexed8);
    translucent.setColorTable({qRgba(10, 20, 30, 255), qRgba(0, 0, 0, 0)});
    translucent.setPixel(0, 0, 0);
    translucent.setPixel(1, 0, 1);
    const Case cases[] = {
        {SealPicture(QImage::Format_Indexed8), "/ColorSpace [/Indexed /DeviceRGB 255 <", 3600},
        {SealPicture(QImage::Format_RGB32), "/ColorSpace /DeviceRGB", 10800},
        {translucent, "/ColorSpace [/Indexed /DeviceRGB 255 <0A 14 1E FF FF FF ", 2},
    };
    for (const Case& c : cases) {
        Fixture f;
        TPRImage* image = f.Add<TPRImage>(10, 10, 60, 60);
        image->Name = QStringLiteral("PRImageSeal");
        image->SetPicture(c.picture);
        f.report.BeginDocument();
        f.report.PrintPage(f.page);
        const pdf::TPdfStream* stream = f.report.PdfDoc()->FindXObject("PRImageSeal");
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(stream->Stream().size(), c.bytes) << c.colourSpace;
        const std::string saved = f.report.EndDocumentToBytes();
        EXPECT_NE(saved.find(c.colourSpace), std::string::npos) << c.colourSpace;
    }
}

TEST(ReportComponents, IndexedPicturesKeepTheirColours) {
    const QImage picture = SealPicture(QImage::Format_Indexed8);
    const pdf::TPdfBitmap bitmap = TPRImage::ToPdfBitmap(picture);
    ASSERT_TRUE(bitmap.HasPaletteFormat());
    for (const QPoint at : {QPoint(0, 0), QPoint(12, 20), QPoint(49, 49)}) {
        const auto index = bitmap.Row(at.y())[static_cast<std::size_t>(at.x())];
        const pdf::TPdfPaletteEntry entry = bitmap.Palette().at(index);
        const QColor expected = picture.pixelColor(at);
        EXPECT_EQ(entry, (pdf::TPdfPaletteEntry{static_cast<std::uint8_t>(expected.red()),
                                                static_cast<std::uint8_t>(expected.green()),
                                                static_cast<std::uint8_t>(expected.blue())}))
            << at.x() << "," << at.y();
    }
}

TEST(ReportComponents, ReportRefusesWhatItCannotDo) {
    TPReport report;
    EXPECT_THROW(report.EndDocument(), pdf::EPdfInvalidOperation);
    report.BeginDocument();
    try {
        report.SetTitle(QStringLiteral("x"));
        FAIL();
    } catch (const pdf::EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "SetTitle --invalid operation.");
    }
    Fixture f;
    auto item = std::make_unique<TPRLabel>();
    try {
        f.page.Add(std::move(item));
        FAIL();
    } catch (const pdf::Exception& error) {
        EXPECT_STREQ(error.what(), "this component must set on TPRPanel");
    }
    TPRLabel* label = f.Add<TPRLabel>(0, 0, 10, 10);
    EXPECT_THROW(label->SetFontColor(0x10000000), pdf::EPdfInvalidValue);
}

}  // namespace
