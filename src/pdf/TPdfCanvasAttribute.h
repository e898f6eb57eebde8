#pragma once

#include <cstdint>

namespace pdf {

class TPdfFont;

// The text state of the current page. Every setter checks its range and raises
// EPdfInvalidValue, changing nothing, for a value outside it.
class TPdfCanvasAttribute {
  public:
    float WordSpace() const { return wordSpace_; }
    float CharSpace() const { return charSpace_; }
    float FontSize() const { return fontSize_; }
    TPdfFont* Font() const { return font_; }
    float Leading() const { return leading_; }
    std::uint16_t HorizontalScaling() const { return horizontalScaling_; }

    void SetWordSpace(float value);  // 0 and above
    void SetCharSpace(float value);  // -30 to 300
    void SetFontSize(float value);   // 0 to 300
    void SetFont(TPdfFont* font) { font_ = font; }
    void SetLeading(float value);          // 0 to 300
    void SetHorizontalScaling(int value);  // 10 to 300 percent

    static void CheckFontSize(float value);

  private:
    float wordSpace_ = 0;
    float charSpace_ = 0;
    float fontSize_ = 0;
    TPdfFont* font_ = nullptr;
    float leading_ = 0;
    std::uint16_t horizontalScaling_ = 0;
};

}  // namespace pdf
