#include "TPdfClassRegistry.h"

#include <algorithm>
#include <array>
#include <utility>

#include "TPdfBitmapImage.h"
#include "TPdfGBFont.h"
#include "TPdfJpFont.h"
#include "TPdfType1Font.h"

namespace pdf {

namespace {

template <class Font>
std::unique_ptr<TPdfFont> MakeFont(TPdfXref& xref, std::string fontName) {
    return std::make_unique<Font>(xref, std::move(fontName));
}

template <class Creator>
std::unique_ptr<TPdfImageCreator> MakeCreator() {
    return std::make_unique<Creator>();
}

const std::array<std::pair<std::string_view, TPdfFontClass>, 29> kFontClasses = {{
    {"FixedWidth", MakeFont<TPdfFixedWidth>},
    {"FixedWidth-Bold", MakeFont<TPdfFixedWidthBold>},
    {"FixedWidth-Italic", MakeFont<TPdfFixedWidthItalic>},
    {"FixedWidth-BoldItalic", MakeFont<TPdfFixedWidthBoldItalic>},
    {"Arial", MakeFont<TPdfArial>},
    {"Arial-Bold", MakeFont<TPdfArialBold>},
    {"Arial-Italic", MakeFont<TPdfArialItalic>},
    {"Arial-BoldItalic", MakeFont<TPdfArialBoldItalic>},
    {"Times-Roman", MakeFont<TPdfTimesRoman>},
    {"Times-Bold", MakeFont<TPdfTimesBold>},
    {"Times-Italic", MakeFont<TPdfTimesItalic>},
    {"Times-BoldItalic", MakeFont<TPdfTimesBoldItalic>},
    {"Gothic", MakeFont<TPdfGothic>},
    {"Gothic,Bold", MakeFont<TPdfGothicBold>},
    {"Gothic,Italic", MakeFont<TPdfGothicItalic>},
    {"Gothic,BoldItalic", MakeFont<TPdfGothicBoldItalic>},
    {"Mincyo", MakeFont<TPdfMincyo>},
    {"Mincyo,Bold", MakeFont<TPdfMincyoBold>},
    {"Mincyo,Italic", MakeFont<TPdfMincyoItalic>},
    {"Mincyo,BoldItalic", MakeFont<TPdfMincyoBoldItalic>},
    {"PGothic", MakeFont<TPdfPGothic>},
    {"PGothic,Bold", MakeFont<TPdfPGothicBold>},
    {"PGothic,Italic", MakeFont<TPdfPGothicItalic>},
    {"PGothic,BoldItalic", MakeFont<TPdfPGothicBoldItalic>},
    {"PMincyo", MakeFont<TPdfPMincyo>},
    {"PMincyo,Bold", MakeFont<TPdfPMincyoBold>},
    {"PMincyo,Italic", MakeFont<TPdfPMincyoItalic>},
    {"PMincyo,BoldItalic", MakeFont<TPdfPMincyoBoldItalic>},
    {"Chinese", MakeFont<TPdfChinese>},
}};

const std::array<std::pair<std::string_view, TPdfImageCreatorClass>, 1> kImageCreators = {{
    {"Pdf-Bitmap", MakeCreator<TPdfBitmapImage>},
}};

template <class Table>
typename Table::value_type::second_type Find(const Table& table, std::string_view name) {
    auto found = std::find_if(table.begin(), table.end(),
                              [&](const auto& entry) { return entry.first == name; });
    return found != table.end() ? found->second : nullptr;
}

}  // namespace

TPdfFontClass TPdfClassRegistry::FindFontClass(std::string_view fontName) {
    return Find(kFontClasses, fontName);
}

TPdfImageCreatorClass TPdfClassRegistry::FindImageCreatorClass(std::string_view creatorName) {
    return Find(kImageCreators, creatorName);
}

}  // namespace pdf
