#pragma once

#include "TPdfType0Font.h"

namespace pdf {

// Simplified Chinese CID-keyed fonts of the Adobe-GB1 collection. No code path of the
// writer's callers selects one; it is measured by the default widths alone.
class TPdfGBFont : public TPdfType0Font {
  protected:
    using TPdfType0Font::TPdfType0Font;
};

class TPdfGBFixedFont : public TPdfGBFont {
  protected:
    TPdfGBFixedFont(TPdfXref& xref, std::string name, const TPdfCIDFontStyle& style);
};

class TPdfChinese : public TPdfGBFixedFont {
  public:
    TPdfChinese(TPdfXref& xref, std::string name);
};

// -1 at a trail byte, CID 0 for anything else.
std::int32_t GBCharToCID(std::string_view text, std::size_t index, TPdfByteType type);

}  // namespace pdf
