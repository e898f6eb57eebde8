#include "TPdfJpFont.h"

#include <algorithm>
#include <span>
#include <vector>

#include "FontTables.h"
#include "PdfText.h"
#include "TPdfArray.h"
#include "TPdfNumber.h"

namespace pdf {

namespace {

constexpr std::int32_t kGothicFlags = kFixedPitchFlag | kSymbolicFlag;
constexpr std::int32_t kMincyoFlags = kFixedPitchFlag | kSerifFlag | kSymbolicFlag;
constexpr std::int32_t kPGothicFlags = kSymbolicFlag;
constexpr std::int32_t kPMincyoFlags = kSerifFlag | kSymbolicFlag;

// The CMap ranges never overlap, so the first range in CMap order that holds a code is the
// only one, and a binary search over a sorted copy finds it.
class TCodeRangeIndex {
  public:
    explicit TCodeRangeIndex(std::span<const TPdfCodeRange> ranges)
        : ranges_(ranges.begin(), ranges.end()) {
        std::sort(ranges_.begin(), ranges_.end(),
                  [](const auto& a, const auto& b) { return a.First < b.First; });
    }

    std::int32_t Find(unsigned code) const {
        auto after =
            std::upper_bound(ranges_.begin(), ranges_.end(), code,
                             [](unsigned c, const auto& range) { return c < range.First; });
        if (after == ranges_.begin() || code > (after - 1)->Last) {
            return 0;
        }
        const TPdfCodeRange& range = *(after - 1);
        return static_cast<std::int32_t>(code - range.First + range.FirstCID);
    }

  private:
    std::vector<TPdfCodeRange> ranges_;
};

std::int32_t CharToCIDThrough(const TCodeRangeIndex& index, std::string_view text,
                              std::size_t position, TPdfByteType type) {
    auto byte = static_cast<unsigned char>(text[position]);
    switch (type) {
        case TPdfByteType::Trail:
            return -1;
        case TPdfByteType::Lead: {
            // A lead byte cut off at the end of the text pairs with nothing and has no CID.
            unsigned trail =
                position + 1 < text.size() ? static_cast<unsigned char>(text[position + 1]) : 0;
            return index.Find(byte * 256U + trail);
        }
        case TPdfByteType::Single:
            break;
    }
    return index.Find(byte);
}

void FillProportionalWidths(TPdfArray& w) {
    for (const TPdfWidthGroup& group : kProportionalWidthGroups) {
        w.Append(std::make_unique<TPdfNumber>(group.FirstCID));
        auto widths = std::make_unique<TPdfArray>(w.ObjectMgr());
        for (std::uint16_t width : group.Widths) {
            widths->Append(std::make_unique<TPdfNumber>(width));
        }
        w.Append(std::move(widths));
    }
}

constexpr TPdfCIDFontKind kFixedPitchKind = {"Japan1", "90ms-RKSJ-H", FillFixedPitchWidths,
                                             FixedPitchCharToCID};
constexpr TPdfCIDFontKind kProportionalKind = {"Japan1", "90msp-RKSJ-H", FillProportionalWidths,
                                               ProportionalCharToCID};

}  // namespace

std::int32_t FixedPitchCharToCID(std::string_view text, std::size_t index, TPdfByteType type) {
    static const TCodeRangeIndex ranges(k90msRksjH);
    return CharToCIDThrough(ranges, text, index, type);
}

std::int32_t ProportionalCharToCID(std::string_view text, std::size_t index, TPdfByteType type) {
    static const TCodeRangeIndex ranges(k90mspRksjH);
    return CharToCIDThrough(ranges, text, index, type);
}

TPdfJpFixedFont::TPdfJpFixedFont(TPdfXref& xref, std::string name, const TPdfCIDFontStyle& style,
                                 TPdfEmbeddedFace face)
    : TPdfJpFont(xref, std::move(name), kFixedPitchKind, style) {
    SetEmbeddedFace(face);
}

TPdfJpProportionalFont::TPdfJpProportionalFont(TPdfXref& xref, std::string name,
                                               const TPdfCIDFontStyle& style, TPdfEmbeddedFace face)
    : TPdfJpFont(xref, std::move(name), kProportionalKind, style) {
    SetEmbeddedFace(face);
}

TPdfGothic::TPdfGothic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), RegularStyle(kGothicFlags),
                      TPdfEmbeddedFace::IPAGothic) {}

TPdfGothicBold::TPdfGothicBold(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), BoldStyle(kGothicFlags), TPdfEmbeddedFace::IPAGothic) {
}

TPdfGothicItalic::TPdfGothicItalic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), ItalicStyle(kGothicFlags),
                      TPdfEmbeddedFace::IPAGothic) {}

TPdfGothicBoldItalic::TPdfGothicBoldItalic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), BoldItalicStyle(kGothicFlags),
                      TPdfEmbeddedFace::IPAGothic) {}

TPdfMincyo::TPdfMincyo(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), RegularStyle(kMincyoFlags),
                      TPdfEmbeddedFace::IPAMincho) {}

TPdfMincyoBold::TPdfMincyoBold(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), BoldStyle(kMincyoFlags), TPdfEmbeddedFace::IPAMincho) {
}

TPdfMincyoItalic::TPdfMincyoItalic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), ItalicStyle(kMincyoFlags),
                      TPdfEmbeddedFace::IPAMincho) {}

TPdfMincyoBoldItalic::TPdfMincyoBoldItalic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), BoldItalicStyle(kMincyoFlags),
                      TPdfEmbeddedFace::IPAMincho) {}

TPdfPGothic::TPdfPGothic(TPdfXref& xref, std::string name)
    : TPdfPGothic(xref, std::move(name), RegularStyle(kPGothicFlags)) {}

TPdfPGothic::TPdfPGothic(TPdfXref& xref, std::string name, const TPdfCIDFontStyle& style)
    : TPdfJpProportionalFont(xref, std::move(name), style, TPdfEmbeddedFace::IPAPGothic) {}

TPdfPGothicBold::TPdfPGothicBold(TPdfXref& xref, std::string name)
    : TPdfPGothic(xref, std::move(name), BoldStyle(kPGothicFlags)) {}

TPdfPGothicItalic::TPdfPGothicItalic(TPdfXref& xref, std::string name)
    : TPdfPGothic(xref, std::move(name), ItalicStyle(kPGothicFlags)) {}

TPdfPGothicBoldItalic::TPdfPGothicBoldItalic(TPdfXref& xref, std::string name)
    : TPdfPGothic(xref, std::move(name), BoldItalicStyle(kPGothicFlags)) {}

TPdfPMincyo::TPdfPMincyo(TPdfXref& xref, std::string name)
    : TPdfPMincyo(xref, std::move(name), RegularStyle(kPMincyoFlags)) {}

TPdfPMincyo::TPdfPMincyo(TPdfXref& xref, std::string name, const TPdfCIDFontStyle& style)
    : TPdfJpProportionalFont(xref, std::move(name), style, TPdfEmbeddedFace::IPAPMincho) {}

TPdfPMincyoBold::TPdfPMincyoBold(TPdfXref& xref, std::string name)
    : TPdfPMincyo(xref, std::move(name), BoldStyle(kPMincyoFlags)) {}

TPdfPMincyoItalic::TPdfPMincyoItalic(TPdfXref& xref, std::string name)
    : TPdfPMincyo(xref, std::move(name), ItalicStyle(kPMincyoFlags)) {}

TPdfPMincyoBoldItalic::TPdfPMincyoBoldItalic(TPdfXref& xref, std::string name)
    : TPdfPMincyo(xref, std::move(name), BoldItalicStyle(kPMincyoFlags)) {}

}  // namespace pdf
