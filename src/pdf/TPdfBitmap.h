#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pdf {

// Pixel formats of a device-independent bitmap. Rows are packed without padding:
//   pf1bit   palette indices, eight pixels a byte, leftmost pixel in the high bit
//   pf4bit   palette indices, two pixels a byte, leftmost pixel in the high nibble
//   pf8bit   one palette index a byte
//   pf15bit  little-endian 16-bit words 0RRRRRGGGGGBBBBB
//   pf16bit  little-endian 16-bit words RRRRRGGGGGGBBBBB
//   pf24bit  blue, green, red
//   pf32bit  blue, green, red and an unused fourth byte
enum class TPdfPixelFormat : std::uint8_t {
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit
};

struct TPdfPaletteEntry {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    bool operator==(const TPdfPaletteEntry&) const = default;
};

// The picture handed to the image writer; the caller fills rows and palette from whatever
// decoded it. Rows are numbered from the top.
class TPdfBitmap {
  public:
    // All pixels zero. EPdfInvalidImageFormat for an empty picture or one too big for a
    // PDF stream.
    TPdfBitmap(int width, int height, TPdfPixelFormat pixelFormat);

    int Width() const { return width_; }
    int Height() const { return height_; }
    TPdfPixelFormat PixelFormat() const { return pixelFormat_; }
    bool HasPaletteFormat() const;
    std::size_t RowBytes() const { return rowBytes_; }

    // EPdfInvalidValue for a row outside the picture.
    std::span<std::uint8_t> Row(int y);
    std::span<const std::uint8_t> Row(int y) const;

    const std::vector<TPdfPaletteEntry>& Palette() const { return palette_; }
    void SetPalette(std::vector<TPdfPaletteEntry> palette) { palette_ = std::move(palette); }

  private:
    std::size_t RowOffset(int y) const;

    int width_;
    int height_;
    TPdfPixelFormat pixelFormat_;
    std::size_t rowBytes_;
    std::vector<std::uint8_t> pixels_;
    std::vector<TPdfPaletteEntry> palette_;
};

}  // namespace pdf
