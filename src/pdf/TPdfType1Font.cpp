#include "TPdfType1Font.h"

#include "FontTables.h"
#include "TPdfArray.h"
#include "TPdfNumber.h"
#include "TPdfXref.h"

namespace pdf {

namespace {

constexpr int kFirstChar = 32;
constexpr int kLastChar = 255;

// Courier is fixed-pitch: 600 at every code.
constexpr std::array<std::uint16_t, 224> kCourierWidths = [] {
    std::array<std::uint16_t, 224> widths{};
    widths.fill(600);
    return widths;
}();

}  // namespace

TPdfType1Font::TPdfType1Font(TPdfXref& xref, std::string name, std::string_view baseFont,
                             const std::array<std::uint16_t, 224>& widths)
    : TPdfFont(std::move(name)) {
    auto* font = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    font->SetNameEntry("Type", "Font");
    font->SetNameEntry("Subtype", "Type1");
    font->SetNameEntry("Encoding", "WinAnsiEncoding");
    font->SetNumberEntry("FirstChar", kFirstChar);
    font->SetNumberEntry("LastChar", kLastChar);
    font->SetNameEntry("BaseFont", std::string(baseFont));
    auto array = std::make_unique<TPdfArray>(&xref);
    for (std::uint16_t width : widths) {
        array->Append(std::make_unique<TPdfNumber>(width));
    }
    font->SetHiddenEntry("Widths", std::move(array));
    SetData(font);
}

void TPdfType1Font::SetData(TPdfDictionary* dictionary) {
    TPdfFont::SetData(dictionary);
    const TPdfNumber* missing = dictionary->EntryAsNumber("MissingWidth");
    widths_.fill(static_cast<std::uint16_t>(missing != nullptr ? missing->Value() : 0));
    const TPdfNumber* first = dictionary->EntryAsNumber("FirstChar");
    const TPdfNumber* last = dictionary->EntryAsNumber("LastChar");
    firstChar_ = static_cast<std::uint8_t>(first != nullptr ? first->Value() : 0);
    lastChar_ = static_cast<std::uint8_t>(last != nullptr ? last->Value() : 0);
    if (const TPdfArray* array = dictionary->EntryAsArray("Widths")) {
        for (int i = 0; i < array->Count() && firstChar_ + i < 256; ++i) {
            if (const auto* width = dynamic_cast<const TPdfNumber*>(array->Item(i))) {
                widths_[static_cast<std::size_t>(firstChar_ + i)] =
                    static_cast<std::uint16_t>(width->Value());
            }
        }
    }
}

int TPdfType1Font::CharWidth(std::string_view text, std::size_t index, TPdfByteType) const {
    return widths_[static_cast<unsigned char>(text[index])];
}

TPdfFixedWidth::TPdfFixedWidth(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Courier", kCourierWidths) {}

TPdfFixedWidthBold::TPdfFixedWidthBold(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Courier-Bold", kCourierWidths) {}

TPdfFixedWidthItalic::TPdfFixedWidthItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Courier-Oblique", kCourierWidths) {}

TPdfFixedWidthBoldItalic::TPdfFixedWidthBoldItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Courier-BoldOblique", kCourierWidths) {}

// The oblique Helvetica faces have the widths of the upright ones.
TPdfArial::TPdfArial(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Helvetica", kHelveticaWidths) {}

TPdfArialBold::TPdfArialBold(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Helvetica-Bold", kHelveticaBoldWidths) {}

TPdfArialItalic::TPdfArialItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Helvetica-Oblique", kHelveticaWidths) {}

TPdfArialBoldItalic::TPdfArialBoldItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Helvetica-BoldOblique", kHelveticaBoldWidths) {}

TPdfTimesRoman::TPdfTimesRoman(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Times-Roman", kTimesRomanWidths) {}

TPdfTimesBold::TPdfTimesBold(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Times-Bold", kTimesBoldWidths) {}

TPdfTimesItalic::TPdfTimesItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Times-Italic", kTimesItalicWidths) {}

TPdfTimesBoldItalic::TPdfTimesBoldItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Times-BoldItalic", kTimesBoldItalicWidths) {}

}  // namespace pdf
