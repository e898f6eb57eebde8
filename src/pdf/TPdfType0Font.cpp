#include "TPdfType0Font.h"

#include "Exception.h"
#include "PdfText.h"
#include "TPdfArray.h"
#include "TPdfNumber.h"
#include "TPdfText.h"
#include "TPdfXref.h"

namespace pdf {

namespace {

// The metrics every face shares; the viewer substitutes a system font anyway.
constexpr std::int32_t kAscent = 859;
constexpr std::int32_t kDescent = -141;
constexpr std::int32_t kDefaultWidth = 1000;
constexpr std::int32_t kMissingWidth = 500;

std::uint16_t NumberOr(const TPdfNumber* number, std::uint16_t fallback) {
    return number != nullptr ? static_cast<std::uint16_t>(number->Value()) : fallback;
}

}  // namespace

void FillFixedPitchWidths(TPdfArray& w) {
    for (std::int32_t value : {231, 631, 500}) {
        w.Append(std::make_unique<TPdfNumber>(value));
    }
}

TPdfType0Font::TPdfType0Font(TPdfXref& xref, std::string name, const TPdfCIDFontKind& kind,
                             const TPdfCIDFontStyle& style)
    : TPdfFont(std::move(name)) {
    const std::string& baseFont = Name();
    auto* font = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    font->SetNameEntry("BaseFont", baseFont);

    auto* cidFont = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    auto descendants = std::make_unique<TPdfArray>(&xref);
    descendants->Append(*cidFont);
    font->SetEntry("DescendantFonts", std::move(descendants));

    cidFont->SetNameEntry("Type", "Font");
    cidFont->SetNameEntry("Subtype", "CIDFontType2");
    cidFont->SetNameEntry("WinCharSet", "128");
    cidFont->SetNameEntry("BaseFont", baseFont);
    auto systemInfo = std::make_unique<TPdfDictionary>(&xref);
    systemInfo->SetEntry("Registry", std::make_unique<TPdfText>("Adobe"));
    systemInfo->SetEntry("Ordering", std::make_unique<TPdfText>(std::string(kind.Ordering)));
    systemInfo->SetNumberEntry("Supplement", 2);
    cidFont->SetEntry("CIDSystemInfo", std::move(systemInfo));
    cidFont->SetNumberEntry("DW", kDefaultWidth);
    auto widths = std::make_unique<TPdfArray>(&xref);
    kind.FillWidths(*widths);
    cidFont->SetEntry("W", std::move(widths));

    auto* descriptor = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    descriptor->SetNameEntry("Type", "FontDescriptor");
    descriptor->SetNameEntry("BaseFont", baseFont);
    descriptor->SetNumberEntry("Ascent", kAscent);
    descriptor->SetNumberEntry("CapHeight", kAscent);
    descriptor->SetNumberEntry("Descent", kDescent);
    descriptor->SetNumberEntry("MissingWidth", kMissingWidth);
    descriptor->SetNumberEntry("Flags", style.Flags);
    descriptor->SetNumberEntry("ItalicAngle", style.ItalicAngle);
    descriptor->SetNumberEntry("StemV", style.StemV);
    descriptor->SetEntry("FontBBox",
                         TPdfArray::MakeNumberArray(&xref, {0, kDescent, kDefaultWidth, kAscent}));
    cidFont->SetEntry("FontDescriptor", *descriptor);

    font->SetNameEntry("Type", "Font");
    font->SetNameEntry("Subtype", "Type0");
    font->SetNameEntry("Encoding", std::string(kind.Encoding));
    InstallCharToCID(kind.CharToCID);
    SetData(font);
}

void TPdfType0Font::SetData(TPdfDictionary* dictionary) {
    TPdfFont::SetData(dictionary);
    const TPdfArray* descendants = dictionary->EntryAsArray("DescendantFonts");
    const auto* cidFont = descendants != nullptr
                              ? dynamic_cast<const TPdfDictionary*>(descendants->Item(0))
                              : nullptr;
    if (cidFont == nullptr) {
        throw EPdfInvalidValue("SetData --the font has no CID font.");
    }
    dw_ = NumberOr(cidFont->EntryAsNumber("DW"), kDefaultWidth);
    const TPdfDictionary* descriptor = cidFont->EntryAsDictionary("FontDescriptor");
    missingWidth_ =
        NumberOr(descriptor != nullptr ? descriptor->EntryAsNumber("MissingWidth") : nullptr, 0);
    const TPdfArray* w = cidFont->EntryAsArray("W");
    cidWidths_ = w != nullptr ? ReadCIDWidths(*w) : std::vector<TPdfCIDWidthItem>{};
}

std::vector<TPdfCIDWidthItem> TPdfType0Font::ReadCIDWidths(const TPdfArray& w) {
    std::vector<TPdfCIDWidthItem> items;
    int i = 0;
    while (i < w.Count()) {
        const auto* first = dynamic_cast<const TPdfNumber*>(w.Item(i));
        if (first == nullptr) {
            throw EPdfInvalidValue("invalid W array start pos..");
        }
        const TPdfObject* next = w.Item(i + 1);
        if (const auto* group = dynamic_cast<const TPdfArray*>(next)) {
            for (int k = 0; k < group->Count(); ++k) {
                const auto* width = dynamic_cast<const TPdfNumber*>(group->Item(k));
                if (width == nullptr) {
                    throw EPdfInvalidValue("invalid W array value..");
                }
                std::int32_t cid = first->Value() + k;
                items.push_back({cid, cid, static_cast<std::uint16_t>(width->Value())});
            }
            i += 2;
        } else if (const auto* last = dynamic_cast<const TPdfNumber*>(next)) {
            const auto* width = dynamic_cast<const TPdfNumber*>(w.Item(i + 2));
            if (width == nullptr) {
                throw EPdfInvalidValue("invalid W array end pos..");
            }
            items.push_back(
                {first->Value(), last->Value(), static_cast<std::uint16_t>(width->Value())});
            i += 3;
        } else {
            throw EPdfInvalidValue("invalid W array value..");
        }
    }
    return items;
}

int TPdfType0Font::CharWidth(std::string_view text, std::size_t index, TPdfByteType type) const {
    std::int32_t cid = charToCID_(text, index, type);
    if (cid == -1) {
        return 0;  // the trail byte of a double-byte character
    }
    int width = 0;
    for (const TPdfCIDWidthItem& item : cidWidths_) {
        if (item.LastCID >= cid) {
            width = cid >= item.FirstCID ? item.Width : 0;
            break;
        }
    }
    if (width == 0) {
        width = type == TPdfByteType::Lead ? dw_ : missingWidth_;
    }
    return width;
}

}  // namespace pdf
