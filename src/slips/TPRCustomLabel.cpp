#include "TPRCustomLabel.h"

#include "Exception.h"

void TPRCustomLabel::SetFontColor(std::int32_t colour) {
    if (colour > 0x0FFFFFFF) {
        throw pdf::EPdfInvalidValue("the color you selected is not allowed.");
    }
    fontColor_ = colour;
}

std::string TPRCustomLabel::PdfFontName() const {
    // The Latin fonts take a hyphenated style, the Japanese ones a comma.
    struct Family {
        const char* base;
        bool japanese;
    };
    static constexpr Family families[] = {
        {"FixedWidth", false}, {"Arial", false},  {"Times", false}, {"Gothic", true},
        {"Mincyo", true},      {"PGothic", true}, {"PMincyo", true}};
    const Family& family = families[static_cast<int>(FontName)];
    std::string name = family.base;
    const char* style = FontBold && FontItalic ? "BoldItalic"
                        : FontBold             ? "Bold"
                        : FontItalic           ? "Italic"
                                               : nullptr;
    if (style == nullptr) {
        return FontName == TPRFontName::fnTimesRoman ? "Times-Roman" : name;
    }
    return name + (family.japanese ? "," : "-") + style;
}
