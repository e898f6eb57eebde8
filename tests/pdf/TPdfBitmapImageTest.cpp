#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Exception.h"
#include "PdfTestSupport.h"
#include "PdfText.h"
#include "TPdfArray.h"
#include "TPdfBinary.h"
#include "TPdfBitmapImage.h"
#include "TPdfDoc.h"
#include "TPdfImageCreator.h"
#include "TPdfNumber.h"

using namespace pdf;

namespace {

TPdfBitmap Bitmap(int width, TPdfPixelFormat format, const std::vector<std::vector<int>>& rows,
                  std::vector<TPdfPaletteEntry> palette = {}) {
    TPdfBitmap bitmap(width, static_cast<int>(rows.size()), format);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        auto row = bitmap.Row(static_cast<int>(y));
        EXPECT_EQ(row.size(), rows[y].size());
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            row[x] = static_cast<std::uint8_t>(rows[y][x]);
        }
    }
    bitmap.SetPalette(std::move(palette));
    return bitmap;
}

std::string Bytes(const std::vector<int>& values) {
    std::string bytes;
    for (int value : values) {
        bytes += static_cast<char>(value);
    }
    return bytes;
}

// "<", "RR GG BB " for 256 entries, ">"; entries past the palette are black.
std::string Lookup(const std::vector<std::string>& entries) {
    std::string text = "<";
    for (int i = 0; i < 256; ++i) {
        text += static_cast<std::size_t>(i) < entries.size() ? entries[static_cast<std::size_t>(i)]
                                                             : "00 00 00 ";
    }
    return text + ">";
}

const std::vector<TPdfPaletteEntry> kBlackAndWhite = {{0, 0, 0}, {255, 255, 255}};

TEST(TPdfBitmapImage, OneBitBitmapBecomesOneIndexPerPixel) {
    TPdfBitmap bitmap = Bitmap(8, TPdfPixelFormat::pf1bit, {{0xAA}, {0x0F}}, kBlackAndWhite);
    auto image = TPdfBitmapImage().CreateImage(bitmap);
    EXPECT_EQ(image->ObjectType(), TPdfObjectType::Direct);
    EXPECT_EQ(image->Attributes().ObjectMgr(), nullptr);
    EXPECT_EQ(Written(*image),
              "<<\r\n/Length 16\r\n/Filter []\r\n/Type /XObject\r\n/Subtype /Image\r\n"
              "/ColorSpace [/Indexed /DeviceRGB 255 " +
                  Lookup({"00 00 00 ", "FF FF FF "}) +
                  " ]\r\n/Width 8\r\n/Height 2\r\n/BitsPerComponent 8\r\n>>\r\nstream\r\n" +
                  Bytes({1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1}) + "\nendstream");
}

TEST(TPdfBitmapImage, RegisteredRgbImageIsWrittenWithItsName) {
    TPdfDoc doc;
    doc.SetClock(FixedTime);
    doc.StartDocument();
    doc.AddPage();
    // Blue, green and red pixels, stored blue-green-red.
    TPdfBitmap bitmap = Bitmap(3, TPdfPixelFormat::pf24bit, {{0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF}});
    doc.AddImage("Seal", CreateImageFromGraphic(bitmap, "Pdf-Bitmap"));
    EXPECT_EQ(WrittenIndirect(*doc.FindXObject("Seal")),
              "7 0 obj\r\n<<\r\n/Length 9\r\n/Filter []\r\n/Type /XObject\r\n/Subtype /Image\r\n"
              "/ColorSpace /DeviceRGB\r\n/Width 3\r\n/Height 1\r\n/BitsPerComponent 8\r\n"
              "/Name /Seal\r\n>>\r\nstream\r\n" +
                  Bytes({0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0}) + "\nendstream\r\nendobj\r\n");
}

TEST(TPdfBitmapImage, ConvertsEveryPixelFormat) {
    using enum TPdfPixelFormat;
    struct Case {
        std::string description;
        TPdfBitmap bitmap;
        std::string colorSpace;
        std::string samples;
    };
    const std::vector<Case> cases = {
        {"4 bits, high nibble first", Bitmap(3, pf4bit, {{0x12, 0x30}}, kBlackAndWhite), "Indexed",
         Bytes({1, 2, 3})},
        {"8 bits, rows from the top", Bitmap(2, pf8bit, {{5, 250}, {0, 255}}, kBlackAndWhite),
         "Indexed", Bytes({5, 250, 0, 255})},
        {"1 bit, partial byte", Bitmap(3, pf1bit, {{0xA0}}, kBlackAndWhite), "Indexed",
         Bytes({1, 0, 1})},
        {"15 bits", Bitmap(3, pf15bit, {{0x00, 0x7C, 0xE0, 0x03, 0x01, 0x00}}), "DeviceRGB",
         Bytes({0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 8})},
        {"16 bits", Bitmap(3, pf16bit, {{0x00, 0xF8, 0xE0, 0x07, 0x21, 0x00}}), "DeviceRGB",
         Bytes({0xFF, 0, 0, 0, 0xFF, 0, 0, 4, 8})},
        {"24 bits, rows from the top", Bitmap(1, pf24bit, {{1, 2, 3}, {4, 5, 6}}), "DeviceRGB",
         Bytes({3, 2, 1, 6, 5, 4})},
        {"32 bits drop the fourth byte", Bitmap(2, pf32bit, {{0x10, 0x20, 0x30, 0x99, 1, 2, 3, 4}}),
         "DeviceRGB", Bytes({0x30, 0x20, 0x10, 3, 2, 1})},
    };
    for (const auto& c : cases) {
        auto image = TPdfBitmapImage().CreateImage(c.bitmap);
        EXPECT_EQ(image->Stream(), c.samples) << c.description;
        TPdfDictionary& attributes = image->Attributes();
        if (c.colorSpace == "Indexed") {
            TPdfArray* space = attributes.EntryAsArray("ColorSpace");
            ASSERT_NE(space, nullptr) << c.description;
            EXPECT_EQ(Written(*space).substr(0, 26), "[/Indexed /DeviceRGB 255 <") << c.description;
        } else {
            EXPECT_EQ(attributes.EntryAsName("ColorSpace")->Value(), c.colorSpace) << c.description;
        }
        EXPECT_EQ(attributes.EntryAsNumber("Width")->Value(), c.bitmap.Width());
        EXPECT_EQ(attributes.EntryAsNumber("Height")->Value(), c.bitmap.Height());
        EXPECT_EQ(attributes.EntryAsNumber("BitsPerComponent")->Value(), 8);
    }
}

TEST(TPdfBitmapImage, WritesTheFirst256PaletteEntries) {
    std::vector<TPdfPaletteEntry> palette(300, TPdfPaletteEntry{0x12, 0xAB, 0xFF});
    auto image = TPdfBitmapImage().CreateImage(Bitmap(1, TPdfPixelFormat::pf8bit, {{0}}, palette));
    auto& lookup =
        dynamic_cast<TPdfBinary&>(*image->Attributes().EntryAsArray("ColorSpace")->Item(3));
    EXPECT_EQ(lookup.Stream(), Lookup(std::vector<std::string>(256, "12 AB FF ")));
}

TEST(TPdfBitmapImage, RefusesAPaletteFormatWithoutPalette) {
    for (auto format :
         {TPdfPixelFormat::pf1bit, TPdfPixelFormat::pf4bit, TPdfPixelFormat::pf8bit}) {
        TPdfBitmap bitmap(4, 4, format);
        try {
            TPdfBitmapImage().CreateImage(bitmap);
            ADD_FAILURE() << "no error";
        } catch (const EPdfInvalidImageFormat& e) {
            EXPECT_STREQ(e.what(), "failed to get Palette..");
        }
    }
}

TEST(TPdfBitmap, RefusesPicturesAStreamCannotHold) {
    struct Case {
        int width;
        int height;
    };
    for (const Case& c : std::vector<Case>{{0, 1}, {1, 0}, {-1, 5}, {50000, 50000}}) {
        EXPECT_THROW(TPdfBitmap(c.width, c.height, TPdfPixelFormat::pf24bit),
                     EPdfInvalidImageFormat)
            << c.width << "x" << c.height;
    }
}

TEST(TPdfBitmap, PacksRowsWithoutPadding) {
    using enum TPdfPixelFormat;
    struct Case {
        TPdfPixelFormat format;
        std::size_t rowBytes;
        bool palette;
    };
    const std::vector<Case> cases = {
        {pf1bit, 2, true},    {pf4bit, 5, true},    {pf8bit, 9, true},   {pf15bit, 18, false},
        {pf16bit, 18, false}, {pf24bit, 27, false}, {pf32bit, 36, false}};
    for (const auto& c : cases) {
        TPdfBitmap bitmap(9, 2, c.format);
        EXPECT_EQ(bitmap.RowBytes(), c.rowBytes);
        EXPECT_EQ(bitmap.Row(1).size(), c.rowBytes);
        EXPECT_EQ(bitmap.HasPaletteFormat(), c.palette);
    }
    TPdfBitmap bitmap(2, 2, pf8bit);
    EXPECT_THROW(bitmap.Row(-1), EPdfInvalidValue);
    EXPECT_THROW(bitmap.Row(2), EPdfInvalidValue);
}

TEST(CreateImageFromGraphic, RefusesAnUnknownCreator) {
    TPdfBitmap bitmap(1, 1, TPdfPixelFormat::pf24bit);
    try {
        CreateImageFromGraphic(bitmap, "Pdf-Jpeg");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "AddImage --InvalidImageClassName:Pdf-Jpeg");
    }
}

}  // namespace
