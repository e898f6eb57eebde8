#pragma once

#include <cstdint>
#include <string>

#include "TPRItem.h"

namespace pdf {
class TPdfCanvas;
}

enum class TPRFontName : std::uint8_t {
    fnFixedWidth,
    fnArial,
    fnTimesRoman,
    fnGothic,
    fnMincyo,
    fnPGothic,
    fnPMincyo
};

// Colours are 0x00BBGGRR; this value means none.
inline constexpr std::int32_t clNone = 0x1FFFFFFF;

// What labels and text blocks share: the font, its colour and the spacing.
class TPRCustomLabel : public TPRItem {
  public:
    TPRFontName FontName = TPRFontName::fnGothic;
    bool FontBold = false;
    bool FontItalic = false;
    float CharSpace = 0;

    std::int32_t FontColor() const { return fontColor_; }
    // EPdfInvalidValue above 0x0FFFFFFF.
    void SetFontColor(std::int32_t colour);
    float FontSize() const { return fontSize_; }
    // Sizes of 0 and less are ignored.
    void SetFontSize(float size) {
        if (size > 0) {
            fontSize_ = size;
        }
    }
    float WordSpace() const { return wordSpace_; }
    void SetWordSpace(float value) {
        if (value >= 0) {
            wordSpace_ = value;
        }
    }

    // The writer's registered name of the font with its style: "Gothic,Bold", "Arial-Italic".
    std::string PdfFontName() const;

  private:
    std::int32_t fontColor_ = 0;
    float fontSize_ = 12;
    float wordSpace_ = 0;
};
