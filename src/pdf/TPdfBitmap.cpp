#include "TPdfBitmap.h"

#include <cstdint>
#include <limits>

#include "Exception.h"

namespace pdf {

namespace {

int BitsPerPixel(TPdfPixelFormat format) {
    switch (format) {
        case TPdfPixelFormat::pf1bit:
            return 1;
        case TPdfPixelFormat::pf4bit:
            return 4;
        case TPdfPixelFormat::pf8bit:
            return 8;
        case TPdfPixelFormat::pf15bit:
        case TPdfPixelFormat::pf16bit:
            return 16;
        case TPdfPixelFormat::pf24bit:
            return 24;
        case TPdfPixelFormat::pf32bit:
            return 32;
    }
    throw EPdfInvalidImageFormat("TPdfBitmap --unknown pixel format");
}

}  // namespace

TPdfBitmap::TPdfBitmap(int width, int height, TPdfPixelFormat pixelFormat)
    : width_(width), height_(height), pixelFormat_(pixelFormat), rowBytes_(0) {
    // The image stream holds up to three bytes a pixel and its length is a 32-bit number.
    constexpr auto kMaxSamples =
        static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max());
    if (width <= 0 || height <= 0 || 3 * static_cast<std::int64_t>(width) * height > kMaxSamples) {
        throw EPdfInvalidImageFormat("TPdfBitmap --invalid size");
    }
    rowBytes_ = (static_cast<std::size_t>(width) * BitsPerPixel(pixelFormat) + 7) / 8;
    pixels_.assign(rowBytes_ * static_cast<std::size_t>(height), 0);
}

bool TPdfBitmap::HasPaletteFormat() const {
    return BitsPerPixel(pixelFormat_) <= 8;
}

std::size_t TPdfBitmap::RowOffset(int y) const {
    if (y < 0 || y >= height_) {
        throw EPdfInvalidValue("TPdfBitmap --row out of range");
    }
    return rowBytes_ * static_cast<std::size_t>(y);
}

std::span<std::uint8_t> TPdfBitmap::Row(int y) {
    return {pixels_.data() + RowOffset(y), rowBytes_};
}

std::span<const std::uint8_t> TPdfBitmap::Row(int y) const {
    return {pixels_.data() + RowOffset(y), rowBytes_};
}

}  // namespace pdf
