#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace pdf {

// The TrueType faces the Japanese fonts embed.
enum class TPdfEmbeddedFace : std::uint8_t { IPAGothic, IPAPGothic, IPAMincho, IPAPMincho };

// Font metrics in thousandths of the em, as a font descriptor states them.
struct TPdfFaceMetrics {
    std::int32_t Ascent = 0;
    std::int32_t Descent = 0;
    std::int32_t CapHeight = 0;
    std::int32_t BBox[4] = {0, 0, 0, 0};
};

// A font program holding only some glyphs of a face, and where each CID went in it.
struct TPdfFontSubset {
    std::string Program;
    std::map<std::uint16_t, std::uint16_t> GlyphOfCID;
    TPdfFaceMetrics Metrics;
};

// The installed file of the face; Exception naming the font and its package when missing.
std::string EmbeddedFaceFile(TPdfEmbeddedFace face);
// The family name the face calls itself, such as "IPAGothic".
const char* EmbeddedFaceName(TPdfEmbeddedFace face);

// The glyphs of the Adobe-Japan1 CIDs (reached through their Unicode) cut out of the face,
// glyph 0 for a CID the face has no glyph for. The parsed face is kept for the next call.
TPdfFontSubset SubsetFace(TPdfEmbeddedFace face, const std::set<std::uint16_t>& cids);

}  // namespace pdf
