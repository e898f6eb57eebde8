#include "TPdfBitmapImage.h"

#include "Exception.h"
#include "PdfText.h"
#include "TPdfArray.h"
#include "TPdfBinary.h"
#include "TPdfNumber.h"

namespace pdf {

namespace {

constexpr int kLookupEntries = 256;

unsigned PaletteIndex(const TPdfBitmap& bitmap, std::span<const std::uint8_t> row, int x) {
    auto column = static_cast<std::size_t>(x);
    switch (bitmap.PixelFormat()) {
        case TPdfPixelFormat::pf1bit:
            return (row[column / 8] >> (7 - column % 8)) & 0x01U;
        case TPdfPixelFormat::pf4bit:
            return (row[column / 2] >> (column % 2 == 0 ? 4 : 0)) & 0x0FU;
        default:
            return row[column];
    }
}

// Five or six bits stretched to eight, so that full intensity stays full.
std::uint8_t Expand(unsigned value, int bits) {
    return static_cast<std::uint8_t>((value << (8 - bits)) | (value >> (2 * bits - 8)));
}

void AppendRgb(std::string& out, const TPdfBitmap& bitmap, std::span<const std::uint8_t> row,
               int x) {
    auto column = static_cast<std::size_t>(x);
    switch (bitmap.PixelFormat()) {
        case TPdfPixelFormat::pf15bit:
        case TPdfPixelFormat::pf16bit: {
            unsigned word = row[2 * column] | (row[2 * column + 1] << 8U);
            bool is565 = bitmap.PixelFormat() == TPdfPixelFormat::pf16bit;
            out += static_cast<char>(Expand((word >> (is565 ? 11 : 10)) & 0x1FU, 5));
            out += static_cast<char>(is565 ? Expand((word >> 5) & 0x3FU, 6)
                                           : Expand((word >> 5) & 0x1FU, 5));
            out += static_cast<char>(Expand(word & 0x1FU, 5));
            break;
        }
        default: {
            std::size_t stride = bitmap.PixelFormat() == TPdfPixelFormat::pf32bit ? 4 : 3;
            const std::uint8_t* pixel = &row[stride * column];
            out += static_cast<char>(pixel[2]);
            out += static_cast<char>(pixel[1]);
            out += static_cast<char>(pixel[0]);
            break;
        }
    }
}

// "<", then "RR GG BB " for each of the 256 entries, then ">".
std::unique_ptr<TPdfBinary> Lookup(const TPdfBitmap& bitmap) {
    const auto& palette = bitmap.Palette();
    std::string text = "<";
    for (int i = 0; i < kLookupEntries; ++i) {
        TPdfPaletteEntry entry = static_cast<std::size_t>(i) < palette.size()
                                     ? palette[static_cast<std::size_t>(i)]
                                     : TPdfPaletteEntry{};
        for (std::uint8_t component : {entry.Red, entry.Green, entry.Blue}) {
            AppendBytesToHex(text, std::string_view(reinterpret_cast<const char*>(&component), 1));
            text += ' ';
        }
    }
    text += '>';
    return std::make_unique<TPdfBinary>(std::move(text));
}

void FillIndexed(TPdfImage& image, const TPdfBitmap& bitmap) {
    if (bitmap.Palette().empty()) {
        throw EPdfInvalidImageFormat("failed to get Palette..");
    }
    std::string& samples = image.Stream();
    samples.reserve(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            samples += static_cast<char>(PaletteIndex(bitmap, row, x));
        }
    }
    auto colorSpace = std::make_unique<TPdfArray>();
    colorSpace->Append(std::make_unique<TPdfName>("Indexed"));
    colorSpace->Append(std::make_unique<TPdfName>("DeviceRGB"));
    colorSpace->Append(std::make_unique<TPdfNumber>(kLookupEntries - 1));
    colorSpace->Append(Lookup(bitmap));
    image.Attributes().SetEntry("ColorSpace", std::move(colorSpace));
}

void FillRgb(TPdfImage& image, const TPdfBitmap& bitmap) {
    std::string& samples = image.Stream();
    samples.reserve(3 * static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            AppendRgb(samples, bitmap, row, x);
        }
    }
    image.Attributes().SetNameEntry("ColorSpace", "DeviceRGB");
}

}  // namespace

std::unique_ptr<TPdfImage> TPdfBitmapImage::CreateImage(const TPdfBitmap& graphic) {
    auto image = std::make_unique<TPdfImage>();
    TPdfDictionary& attributes = image->Attributes();
    attributes.SetNameEntry("Type", "XObject");
    attributes.SetNameEntry("Subtype", "Image");
    if (graphic.HasPaletteFormat()) {
        FillIndexed(*image, graphic);
    } else {
        FillRgb(*image, graphic);
    }
    attributes.SetNumberEntry("Width", graphic.Width());
    attributes.SetNumberEntry("Height", graphic.Height());
    attributes.SetNumberEntry("BitsPerComponent", 8);
    return image;
}

}  // namespace pdf
