#pragma once

#include "TPdfFontSubset.h"
#include "TPdfType0Font.h"

namespace pdf {

// Japanese CID-keyed fonts of the Adobe-Japan1 collection.
class TPdfJpFont : public TPdfType0Font {
  protected:
    using TPdfType0Font::TPdfType0Font;
};

// 90ms-RKSJ-H: half-width characters (CIDs 231 to 631) are 500 wide, the rest 1000.
class TPdfJpFixedFont : public TPdfJpFont {
  protected:
    TPdfJpFixedFont(TPdfXref& xref, std::string name, const TPdfCIDFontStyle& style,
                    TPdfEmbeddedFace face);
};

// 90msp-RKSJ-H with the proportional widths of the Gothic and Mincho families.
class TPdfJpProportionalFont : public TPdfJpFont {
  protected:
    TPdfJpProportionalFont(TPdfXref& xref, std::string name, const TPdfCIDFontStyle& style,
                           TPdfEmbeddedFace face);
};

class TPdfGothic : public TPdfJpFixedFont {
  public:
    TPdfGothic(TPdfXref& xref, std::string name);
};

class TPdfGothicBold : public TPdfJpFixedFont {
  public:
    TPdfGothicBold(TPdfXref& xref, std::string name);
};

class TPdfGothicItalic : public TPdfJpFixedFont {
  public:
    TPdfGothicItalic(TPdfXref& xref, std::string name);
};

class TPdfGothicBoldItalic : public TPdfJpFixedFont {
  public:
    TPdfGothicBoldItalic(TPdfXref& xref, std::string name);
};

class TPdfMincyo : public TPdfJpFixedFont {
  public:
    TPdfMincyo(TPdfXref& xref, std::string name);
};

class TPdfMincyoBold : public TPdfJpFixedFont {
  public:
    TPdfMincyoBold(TPdfXref& xref, std::string name);
};

class TPdfMincyoItalic : public TPdfJpFixedFont {
  public:
    TPdfMincyoItalic(TPdfXref& xref, std::string name);
};

class TPdfMincyoBoldItalic : public TPdfJpFixedFont {
  public:
    TPdfMincyoBoldItalic(TPdfXref& xref, std::string name);
};

class TPdfPGothic : public TPdfJpProportionalFont {
  public:
    TPdfPGothic(TPdfXref& xref, std::string name);

  protected:
    TPdfPGothic(TPdfXref& xref, std::string name, const TPdfCIDFontStyle& style);
};

class TPdfPGothicBold : public TPdfPGothic {
  public:
    TPdfPGothicBold(TPdfXref& xref, std::string name);
};

class TPdfPGothicItalic : public TPdfPGothic {
  public:
    TPdfPGothicItalic(TPdfXref& xref, std::string name);
};

class TPdfPGothicBoldItalic : public TPdfPGothic {
  public:
    TPdfPGothicBoldItalic(TPdfXref& xref, std::string name);
};

class TPdfPMincyo : public TPdfJpProportionalFont {
  public:
    TPdfPMincyo(TPdfXref& xref, std::string name);

  protected:
    TPdfPMincyo(TPdfXref& xref, std::string name, const TPdfCIDFontStyle& style);
};

class TPdfPMincyoBold : public TPdfPMincyo {
  public:
    TPdfPMincyoBold(TPdfXref& xref, std::string name);
};

class TPdfPMincyoItalic : public TPdfPMincyo {
  public:
    TPdfPMincyoItalic(TPdfXref& xref, std::string name);
};

class TPdfPMincyoBoldItalic : public TPdfPMincyo {
  public:
    TPdfPMincyoBoldItalic(TPdfXref& xref, std::string name);
};

// The CID of a Shift-JIS character through the fixed-pitch or the proportional CMap;
// -1 at a trail byte, 0 for a code no range holds.
std::int32_t FixedPitchCharToCID(std::string_view text, std::size_t index, TPdfByteType type);
std::int32_t ProportionalCharToCID(std::string_view text, std::size_t index, TPdfByteType type);

}  // namespace pdf
