#pragma once

#include <array>
#include <cstdint>

#include "TPdfFont.h"

namespace pdf {

// A standard Type 1 font under WinAnsiEncoding; its widths ride along in the dictionary as a
// hidden "Widths" array, so the file carries none.
class TPdfType1Font : public TPdfFont {
  public:
    void SetData(TPdfDictionary* dictionary) override;
    // Shift-JIS structure plays no part: every byte is a character.
    int CharWidth(std::string_view text, std::size_t index, TPdfByteType type) const override;

    std::uint8_t FirstChar() const { return firstChar_; }
    std::uint8_t LastChar() const { return lastChar_; }

  protected:
    // `widths` holds the codes 32 to 255.
    TPdfType1Font(TPdfXref& xref, std::string name, std::string_view baseFont,
                  const std::array<std::uint16_t, 224>& widths);

  private:
    std::uint8_t firstChar_ = 0;
    std::uint8_t lastChar_ = 0;
    std::array<std::uint16_t, 256> widths_{};
};

class TPdfFixedWidth : public TPdfType1Font {
  public:
    TPdfFixedWidth(TPdfXref& xref, std::string name);
};

class TPdfFixedWidthBold : public TPdfType1Font {
  public:
    TPdfFixedWidthBold(TPdfXref& xref, std::string name);
};

class TPdfFixedWidthItalic : public TPdfType1Font {
  public:
    TPdfFixedWidthItalic(TPdfXref& xref, std::string name);
};

class TPdfFixedWidthBoldItalic : public TPdfType1Font {
  public:
    TPdfFixedWidthBoldItalic(TPdfXref& xref, std::string name);
};

class TPdfArial : public TPdfType1Font {
  public:
    TPdfArial(TPdfXref& xref, std::string name);
};

class TPdfArialBold : public TPdfType1Font {
  public:
    TPdfArialBold(TPdfXref& xref, std::string name);
};

class TPdfArialItalic : public TPdfType1Font {
  public:
    TPdfArialItalic(TPdfXref& xref, std::string name);
};

class TPdfArialBoldItalic : public TPdfType1Font {
  public:
    TPdfArialBoldItalic(TPdfXref& xref, std::string name);
};

class TPdfTimesRoman : public TPdfType1Font {
  public:
    TPdfTimesRoman(TPdfXref& xref, std::string name);
};

class TPdfTimesBold : public TPdfType1Font {
  public:
    TPdfTimesBold(TPdfXref& xref, std::string name);
};

class TPdfTimesItalic : public TPdfType1Font {
  public:
    TPdfTimesItalic(TPdfXref& xref, std::string name);
};

class TPdfTimesBoldItalic : public TPdfType1Font {
  public:
    TPdfTimesBoldItalic(TPdfXref& xref, std::string name);
};

}  // namespace pdf
