#include "TPdfGBFont.h"

#include "PdfText.h"

namespace pdf {

namespace {

constexpr TPdfCIDFontKind kGBFixedKind = {"GB1", "GB-EUC-H", FillFixedPitchWidths, GBCharToCID};

}  // namespace

std::int32_t GBCharToCID(std::string_view, std::size_t, TPdfByteType type) {
    return type == TPdfByteType::Trail ? -1 : 0;
}

TPdfGBFixedFont::TPdfGBFixedFont(TPdfXref& xref, std::string name, const TPdfCIDFontStyle& style)
    : TPdfGBFont(xref, std::move(name), kGBFixedKind, style) {}

TPdfChinese::TPdfChinese(TPdfXref& xref, std::string name)
    : TPdfGBFixedFont(xref, std::move(name), RegularStyle(kFixedPitchFlag | kSymbolicFlag)) {}

}  // namespace pdf
