#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "TPdfFont.h"
#include "TPdfFontSubset.h"

namespace pdf {

class TPdfArray;
class TPdfStream;

struct TPdfCIDWidthItem {
    std::int32_t FirstCID;
    std::int32_t LastCID;
    std::uint16_t Width;

    bool operator==(const TPdfCIDWidthItem&) const = default;
};

// CID of the Shift-JIS character at the zero-based index, whose byte type the caller knows;
// -1 at a trail byte.
using TPdfCharToCID = std::int32_t (*)(std::string_view text, std::size_t index, TPdfByteType type);

// What tells the faces of one family apart in the descriptor.
struct TPdfCIDFontStyle {
    std::int32_t Flags;
    std::int32_t ItalicAngle;
    std::int32_t StemV;
};

// PDF font flags.
inline constexpr std::int32_t kFixedPitchFlag = 1;
inline constexpr std::int32_t kSerifFlag = 2;
inline constexpr std::int32_t kSymbolicFlag = 4;
inline constexpr std::int32_t kForceBoldFlag = 262144;

// The four faces of a family: bold forces bold strokes, italic slants by 11 degrees.
constexpr TPdfCIDFontStyle RegularStyle(std::int32_t flags) {
    return {flags, 0, 78};
}
constexpr TPdfCIDFontStyle BoldStyle(std::int32_t flags) {
    return {flags | kForceBoldFlag, 0, 156};
}
constexpr TPdfCIDFontStyle ItalicStyle(std::int32_t flags) {
    return {flags, -11, 78};
}
constexpr TPdfCIDFontStyle BoldItalicStyle(std::int32_t flags) {
    return {flags | kForceBoldFlag, -11, 156};
}

// What tells the CID-keyed families apart: character collection, CMap and widths.
struct TPdfCIDFontKind {
    std::string_view Ordering;
    std::string_view Encoding;
    void (*FillWidths)(TPdfArray& w);
    TPdfCharToCID CharToCID;
};

// "W" of the fixed-pitch fonts: [231 631 500], the half-width CIDs are 500 wide.
void FillFixedPitchWidths(TPdfArray& w);

// A CID-keyed font in three objects: the Type 0 font, its CID font and the descriptor.
// The written BaseFont is the font name itself; bold and italic are flags and an angle.
class TPdfType0Font : public TPdfFont {
  public:
    void SetData(TPdfDictionary* dictionary) override;
    int CharWidth(std::string_view text, std::size_t index, TPdfByteType type) const override;

    void InstallCharToCID(TPdfCharToCID charToCID) { charToCID_ = charToCID; }
    std::int32_t CharToCID(std::string_view text, std::size_t index) const {
        return charToCID_(text, index, ByteTypeAt(text, index));
    }

    const std::vector<TPdfCIDWidthItem>& CIDWidths() const { return cidWidths_; }
    std::uint16_t DW() const { return dw_; }
    std::uint16_t MissingWidth() const { return missingWidth_; }

    // Reads a "W" array: groups of a first CID and an array of widths, or of a first CID,
    // a last CID and one width. EPdfInvalidValue when it is malformed.
    static std::vector<TPdfCIDWidthItem> ReadCIDWidths(const TPdfArray& w);

    // The face whose glyphs the font can embed; none for a font that never embeds.
    const std::optional<TPdfEmbeddedFace>& EmbeddedFace() const { return embeddedFace_; }
    // From now on the font collects the characters it shows, to embed their glyphs.
    void EnableEmbedding() { embeds_ = embeddedFace_.has_value(); }
    bool Embeds() const { return embeds_; }
    void NoteShownText(std::string_view text) override;
    // The CIDs shown so far, and each shown code with its CID.
    std::set<std::uint16_t> ShownCIDs() const;
    const std::map<std::uint16_t, std::uint16_t>& ShownCodes() const { return shownCodes_; }
    // Names the font after its subset and points it at the subset's program and glyph map;
    // adds the ToUnicode CMap of the codes it showed.
    void AttachSubset(TPdfXref& xref, std::string_view tag, const TPdfFaceMetrics& metrics,
                      TPdfStream& fontFile, TPdfStream& cidToGIDMap);

  protected:
    TPdfType0Font(TPdfXref& xref, std::string name, const TPdfCIDFontKind& kind,
                  const TPdfCIDFontStyle& style);
    void SetEmbeddedFace(TPdfEmbeddedFace face) { embeddedFace_ = face; }

  private:
    std::optional<TPdfEmbeddedFace> embeddedFace_;
    bool embeds_ = false;
    std::map<std::uint16_t, std::uint16_t> shownCodes_;
    std::vector<TPdfCIDWidthItem> cidWidths_;
    std::uint16_t dw_ = 0;
    std::uint16_t missingWidth_ = 0;
    TPdfCharToCID charToCID_ = nullptr;
};

}  // namespace pdf
