#include "TPdfType0Font.h"

#include "Exception.h"
#include "FontTables.h"
#include "PdfNumberFormat.h"
#include "PdfText.h"
#include "TPdfArray.h"
#include "TPdfNumber.h"
#include "TPdfStream.h"
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

// What a shown Shift-JIS code stands for, for copying and searching: ASCII and the half-width
// katakana as cp932 has them, the rest through the CID.
std::uint16_t UnicodeOfCode(std::uint16_t code, std::uint16_t cid) {
    if (code >= 0x20 && code <= 0x7E) {
        return code;
    }
    if (code >= 0xA1 && code <= 0xDF) {
        return static_cast<std::uint16_t>(0xFF61 + code - 0xA1);
    }
    return cid < kJapan1ToUnicode.size() ? kJapan1ToUnicode[cid] : 0;
}

void AppendHex(std::string& out, unsigned value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kDigits[(value >> static_cast<unsigned>(shift)) & 0xFU];
    }
}

// A ToUnicode CMap over the code space of the RKSJ encodings.
std::string ToUnicodeCMap(const std::map<std::uint16_t, std::uint16_t>& codes) {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> pairs;
    for (const auto& [code, cid] : codes) {
        const std::uint16_t unicode = UnicodeOfCode(code, cid);
        if (unicode != 0) {
            pairs.emplace_back(code, unicode);
        }
    }
    std::string out =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "4 begincodespacerange\n<00> <80>\n<8140> <9FFC>\n<A0> <DF>\n<E040> <FCFC>\n"
        "endcodespacerange\n";
    // At most a hundred entries a block.
    for (std::size_t first = 0; first < pairs.size(); first += 100) {
        const std::size_t count = std::min<std::size_t>(100, pairs.size() - first);
        out += FormatInteger(static_cast<std::int64_t>(count)) + " beginbfchar\n";
        for (std::size_t k = first; k < first + count; ++k) {
            out += '<';
            AppendHex(out, pairs[k].first, pairs[k].first > 0xFF ? 4 : 2);
            out += "> <";
            AppendHex(out, pairs[k].second, 4);
            out += ">\n";
        }
        out += "endbfchar\n";
    }
    out += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return out;
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

namespace pdf {

void TPdfType0Font::NoteShownText(std::string_view text) {
    if (!embeds_) {
        return;
    }
    TPdfByteType type = TPdfByteType::Single;
    for (std::size_t i = 0; i < text.size(); ++i) {
        type = NextByteType(type, text[i]);
        if (type == TPdfByteType::Trail) {
            continue;
        }
        const std::int32_t cid = charToCID_(text, i, type);
        if (cid <= 0) {
            continue;
        }
        auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(text[i]));
        if (type == TPdfByteType::Lead && i + 1 < text.size()) {
            code =
                static_cast<std::uint16_t>(code * 256U + static_cast<unsigned char>(text[i + 1]));
        }
        shownCodes_.emplace(code, static_cast<std::uint16_t>(cid));
    }
}

std::set<std::uint16_t> TPdfType0Font::ShownCIDs() const {
    std::set<std::uint16_t> cids;
    for (const auto& entry : shownCodes_) {
        cids.insert(entry.second);
    }
    return cids;
}

void TPdfType0Font::AttachSubset(TPdfXref& xref, std::string_view tag,
                                 const TPdfFaceMetrics& metrics, TPdfStream& fontFile,
                                 TPdfStream& cidToGIDMap) {
    TPdfDictionary* font = Data();
    auto* cidFont = dynamic_cast<TPdfDictionary*>(font->EntryAsArray("DescendantFonts")->Item(0));
    TPdfDictionary* descriptor = cidFont->EntryAsDictionary("FontDescriptor");
    const std::string name = std::string(tag) + "+" + Name();
    font->SetNameEntry("BaseFont", name);
    cidFont->SetNameEntry("BaseFont", name);
    cidFont->SetEntry("CIDToGIDMap", cidToGIDMap);
    descriptor->SetNameEntry("FontName", name);
    descriptor->DeleteEntry("BaseFont");
    descriptor->SetNumberEntry("Ascent", metrics.Ascent);
    descriptor->SetNumberEntry("Descent", metrics.Descent);
    descriptor->SetNumberEntry("CapHeight", metrics.CapHeight);
    descriptor->SetEntry("FontBBox",
                         TPdfArray::MakeNumberArray(&xref, {metrics.BBox[0], metrics.BBox[1],
                                                            metrics.BBox[2], metrics.BBox[3]}));
    descriptor->SetEntry("FontFile2", fontFile);
    auto* toUnicode = xref.Add(std::make_unique<TPdfStream>(&xref));
    toUnicode->Stream() = ToUnicodeCMap(shownCodes_);
    font->SetEntry("ToUnicode", *toUnicode);
}

}  // namespace pdf
