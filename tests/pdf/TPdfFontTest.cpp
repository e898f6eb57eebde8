#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "Exception.h"
#include "FontTables.h"
#include "PdfTestSupport.h"
#include "PdfText.h"
#include "TPdfArray.h"
#include "TPdfClassRegistry.h"
#include "TPdfDoc.h"
#include "TPdfGBFont.h"
#include "TPdfJpFont.h"
#include "TPdfNumber.h"
#include "TPdfText.h"
#include "TPdfType1Font.h"

using namespace pdf;

namespace {

class TPdfFontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc_.SetClock(FixedTime);
        doc_.StartDocument();
        doc_.AddPage();  // creates Arial as F0, objects 1 to 6
    }
    TPdfFont& Font(const std::string& name) { return *doc_.GetFont(name); }
    template <class T>
    T& FontAs(const std::string& name) {
        return dynamic_cast<T&>(Font(name));
    }
    std::string ValueOf(int number) {
        TPdfMemoryStream stream;
        doc_.Xref()->GetObject(number)->WriteValue(stream);
        return stream.Data();
    }

    TPdfDoc doc_;
};

struct RegistryCase {
    std::string name;
    std::type_index type;
    std::string baseFont;
};

TEST_F(TPdfFontTest, RegistryHoldsTheTwentyNineFonts) {
    const std::vector<RegistryCase> cases = {
        {"FixedWidth", typeid(TPdfFixedWidth), "Courier"},
        {"FixedWidth-Bold", typeid(TPdfFixedWidthBold), "Courier-Bold"},
        {"FixedWidth-Italic", typeid(TPdfFixedWidthItalic), "Courier-Oblique"},
        {"FixedWidth-BoldItalic", typeid(TPdfFixedWidthBoldItalic), "Courier-BoldOblique"},
        {"Arial", typeid(TPdfArial), "Helvetica"},
        {"Arial-Bold", typeid(TPdfArialBold), "Helvetica-Bold"},
        {"Arial-Italic", typeid(TPdfArialItalic), "Helvetica-Oblique"},
        {"Arial-BoldItalic", typeid(TPdfArialBoldItalic), "Helvetica-BoldOblique"},
        {"Times-Roman", typeid(TPdfTimesRoman), "Times-Roman"},
        {"Times-Bold", typeid(TPdfTimesBold), "Times-Bold"},
        {"Times-Italic", typeid(TPdfTimesItalic), "Times-Italic"},
        {"Times-BoldItalic", typeid(TPdfTimesBoldItalic), "Times-BoldItalic"},
        {"Gothic", typeid(TPdfGothic), "Gothic"},
        {"Gothic,Bold", typeid(TPdfGothicBold), "Gothic,Bold"},
        {"Gothic,Italic", typeid(TPdfGothicItalic), "Gothic,Italic"},
        {"Gothic,BoldItalic", typeid(TPdfGothicBoldItalic), "Gothic,BoldItalic"},
        {"Mincyo", typeid(TPdfMincyo), "Mincyo"},
        {"Mincyo,Bold", typeid(TPdfMincyoBold), "Mincyo,Bold"},
        {"Mincyo,Italic", typeid(TPdfMincyoItalic), "Mincyo,Italic"},
        {"Mincyo,BoldItalic", typeid(TPdfMincyoBoldItalic), "Mincyo,BoldItalic"},
        {"PGothic", typeid(TPdfPGothic), "PGothic"},
        {"PGothic,Bold", typeid(TPdfPGothicBold), "PGothic,Bold"},
        {"PGothic,Italic", typeid(TPdfPGothicItalic), "PGothic,Italic"},
        {"PGothic,BoldItalic", typeid(TPdfPGothicBoldItalic), "PGothic,BoldItalic"},
        {"PMincyo", typeid(TPdfPMincyo), "PMincyo"},
        {"PMincyo,Bold", typeid(TPdfPMincyoBold), "PMincyo,Bold"},
        {"PMincyo,Italic", typeid(TPdfPMincyoItalic), "PMincyo,Italic"},
        {"PMincyo,BoldItalic", typeid(TPdfPMincyoBoldItalic), "PMincyo,BoldItalic"},
        {"Chinese", typeid(TPdfChinese), "Chinese"},
    };
    ASSERT_EQ(cases.size(), 29U);
    for (const auto& c : cases) {
        TPdfFont& font = Font(c.name);
        EXPECT_EQ(std::type_index(typeid(font)), c.type) << c.name;
        EXPECT_EQ(font.Name(), c.name);
        EXPECT_EQ(font.Data()->EntryAsName("BaseFont")->Value(), c.baseFont) << c.name;
    }
    // Every name was created once, in order, after Arial.
    EXPECT_EQ(Font("Chinese").Data()->EntryAsName("Name")->Value(), "F28");
    EXPECT_EQ(TPdfClassRegistry::FindFontClass("gothic"), nullptr);
    EXPECT_EQ(TPdfClassRegistry::FindFontClass("Helvetica"), nullptr);
}

TEST_F(TPdfFontTest, FamiliesShareTheirBehaviour) {
    for (std::string name : {"Gothic", "Gothic,Bold", "Mincyo", "Mincyo,BoldItalic"}) {
        EXPECT_NE(dynamic_cast<TPdfJpFixedFont*>(&Font(name)), nullptr) << name;
    }
    for (std::string name : {"PGothic,Bold", "PGothic,Italic", "PGothic,BoldItalic"}) {
        EXPECT_NE(dynamic_cast<TPdfPGothic*>(&Font(name)), nullptr) << name;
    }
    for (std::string name : {"PMincyo,Bold", "PMincyo,Italic", "PMincyo,BoldItalic"}) {
        EXPECT_NE(dynamic_cast<TPdfPMincyo*>(&Font(name)), nullptr) << name;
    }
    EXPECT_NE(dynamic_cast<TPdfGBFixedFont*>(&Font("Chinese")), nullptr);
}

TEST_F(TPdfFontTest, Type1FontCarriesNoWidthsInTheFile) {
    auto& times = FontAs<TPdfType1Font>("Times-Bold");
    EXPECT_EQ(ValueOf(times.Data()->ObjectNumber()),
              "<<\r\n/Type /Font\r\n/Subtype /Type1\r\n/Encoding /WinAnsiEncoding\r\n"
              "/FirstChar 32\r\n/LastChar 255\r\n/BaseFont /Times-Bold\r\n/Name /F1\r\n>>");
    EXPECT_EQ(times.Data()->EntryAsArray("Widths")->Count(), 224);
    EXPECT_EQ(times.FirstChar(), 32);
    EXPECT_EQ(times.LastChar(), 255);
}

struct Type1WidthCase {
    std::string font;
    int code;
    int width;
};

TEST_F(TPdfFontTest, Type1WidthsAreTheStandardMetrics) {
    std::vector<Type1WidthCase> cases;
    const std::vector<std::pair<std::string, std::vector<int>>> tellingRows = {
        // blank, "0", "A", "W", "a", bullet
        {"Arial", {278, 556, 667, 944, 556, 350}},
        {"Arial-Bold", {278, 556, 722, 944, 556, 350}},
        {"Times-Roman", {250, 500, 722, 944, 444, 350}},
        {"Times-Bold", {250, 500, 722, 1000, 500, 350}},
        {"Times-Italic", {250, 500, 611, 833, 500, 350}},
    };
    const int codes[] = {32, 48, 65, 87, 97, 149};
    for (const auto& [font, widths] : tellingRows) {
        for (std::size_t i = 0; i < widths.size(); ++i) {
            cases.push_back({font, codes[i], widths[i]});
        }
    }
    for (std::string font :
         {"Arial", "Arial-Bold", "Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"}) {
        for (int code : {127, 129, 141, 143, 144, 157, 160, 173, 0, 31}) {
            cases.push_back({font, code, 0});
        }
    }
    cases.push_back({"Arial", 128, 556});  // the euro takes a digit's width
    cases.push_back({"Times-Roman", 128, 500});
    cases.push_back({"Arial", 45, 333});  // a hyphen, not a minus
    cases.push_back({"Arial", 255, 500});
    for (const auto& c : cases) {
        std::string text(1, static_cast<char>(c.code));
        EXPECT_EQ(Font(c.font).GetCharWidth(text, 0), c.width) << c.font << " code " << c.code;
    }
}

TEST_F(TPdfFontTest, CourierIsFixedPitchAndObliqueFacesMatchTheUprightOnes) {
    for (int code = 0; code < 256; ++code) {
        std::string text(1, static_cast<char>(code));
        for (std::string courier :
             {"FixedWidth", "FixedWidth-Bold", "FixedWidth-Italic", "FixedWidth-BoldItalic"}) {
            EXPECT_EQ(Font(courier).GetCharWidth(text, 0), code < 32 ? 0 : 600) << code;
        }
        EXPECT_EQ(Font("Arial-Italic").GetCharWidth(text, 0), Font("Arial").GetCharWidth(text, 0));
        EXPECT_EQ(Font("Arial-BoldItalic").GetCharWidth(text, 0),
                  Font("Arial-Bold").GetCharWidth(text, 0));
    }
}

TEST_F(TPdfFontTest, Type1IgnoresShiftJisStructure) {
    const std::string kanji = Sjis("請");  // 0x90 0xBF
    EXPECT_EQ(Font("Arial").GetCharWidth(kanji, 0), 0);
    EXPECT_EQ(Font("Arial").GetCharWidth(kanji, 1), Font("Arial").GetCharWidth("\xBF", 0));
}

TEST_F(TPdfFontTest, GothicIsThreeObjects) {
    Font("Gothic");
    EXPECT_EQ(ValueOf(7),
              "<<\r\n/BaseFont /Gothic\r\n/DescendantFonts [8 0 R ]\r\n/Type /Font\r\n"
              "/Subtype /Type0\r\n/Encoding /90ms-RKSJ-H\r\n/Name /F1\r\n>>");
    EXPECT_EQ(ValueOf(8),
              "<<\r\n/Type /Font\r\n/Subtype /CIDFontType2\r\n/WinCharSet /128\r\n"
              "/BaseFont /Gothic\r\n/CIDSystemInfo <<\r\n/Registry (Adobe)\r\n"
              "/Ordering (Japan1)\r\n/Supplement 2\r\n>>\r\n/DW 1000\r\n/W [231 631 500 ]\r\n"
              "/FontDescriptor 9 0 R\r\n>>");
    EXPECT_EQ(ValueOf(9),
              "<<\r\n/Type /FontDescriptor\r\n/BaseFont /Gothic\r\n/Ascent 859\r\n"
              "/CapHeight 859\r\n/Descent -141\r\n/MissingWidth 500\r\n/Flags 5\r\n"
              "/ItalicAngle 0\r\n/StemV 78\r\n/FontBBox [0 -141 1000 859 ]\r\n>>");
    EXPECT_EQ(doc_.Xref()->EntryCount(), 10);
}

TEST_F(TPdfFontTest, EveryCIDFontHasItsFlagsAngleAndCMap) {
    struct Case {
        std::string name;
        int flags;
        int italicAngle;
        int stemV;
        std::string encoding;
        std::string ordering;
    };
    const std::vector<Case> cases = {
        {"Gothic", 5, 0, 78, "90ms-RKSJ-H", "Japan1"},
        {"Gothic,Bold", 262149, 0, 156, "90ms-RKSJ-H", "Japan1"},
        {"Gothic,Italic", 5, -11, 78, "90ms-RKSJ-H", "Japan1"},
        {"Gothic,BoldItalic", 262149, -11, 156, "90ms-RKSJ-H", "Japan1"},
        {"Mincyo", 7, 0, 78, "90ms-RKSJ-H", "Japan1"},
        {"Mincyo,Bold", 262151, 0, 156, "90ms-RKSJ-H", "Japan1"},
        {"Mincyo,Italic", 7, -11, 78, "90ms-RKSJ-H", "Japan1"},
        {"Mincyo,BoldItalic", 262151, -11, 156, "90ms-RKSJ-H", "Japan1"},
        {"PGothic", 4, 0, 78, "90msp-RKSJ-H", "Japan1"},
        {"PGothic,Bold", 262148, 0, 156, "90msp-RKSJ-H", "Japan1"},
        {"PGothic,Italic", 4, -11, 78, "90msp-RKSJ-H", "Japan1"},
        {"PGothic,BoldItalic", 262148, -11, 156, "90msp-RKSJ-H", "Japan1"},
        {"PMincyo", 6, 0, 78, "90msp-RKSJ-H", "Japan1"},
        {"PMincyo,Bold", 262150, 0, 156, "90msp-RKSJ-H", "Japan1"},
        {"PMincyo,Italic", 6, -11, 78, "90msp-RKSJ-H", "Japan1"},
        {"PMincyo,BoldItalic", 262150, -11, 156, "90msp-RKSJ-H", "Japan1"},
        {"Chinese", 5, 0, 78, "GB-EUC-H", "GB1"},
    };
    for (const auto& c : cases) {
        TPdfDictionary& font = *Font(c.name).Data();
        EXPECT_EQ(font.EntryAsName("Encoding")->Value(), c.encoding) << c.name;
        TPdfDictionary* cidFont =
            dynamic_cast<TPdfDictionary*>(font.EntryAsArray("DescendantFonts")->Item(0));
        ASSERT_NE(cidFont, nullptr) << c.name;
        EXPECT_EQ(cidFont->EntryAsDictionary("CIDSystemInfo")->EntryAsText("Ordering")->Value(),
                  c.ordering);
        EXPECT_EQ(cidFont->EntryAsName("BaseFont")->Value(), c.name);
        TPdfDictionary* descriptor = cidFont->EntryAsDictionary("FontDescriptor");
        EXPECT_EQ(descriptor->EntryAsNumber("Flags")->Value(), c.flags) << c.name;
        EXPECT_EQ(descriptor->EntryAsNumber("ItalicAngle")->Value(), c.italicAngle) << c.name;
        EXPECT_EQ(descriptor->EntryAsNumber("StemV")->Value(), c.stemV) << c.name;
        EXPECT_EQ(descriptor->EntryAsName("BaseFont")->Value(), c.name);
    }
}

TEST_F(TPdfFontTest, ProportionalWidthsHaveTenGroupsWithTheTellingValues) {
    auto& font = FontAs<TPdfType0Font>("PMincyo");
    const TPdfArray& w =
        *dynamic_cast<TPdfDictionary&>(*font.Data()->EntryAsArray("DescendantFonts")->Item(0))
             .EntryAsArray("W");
    const std::vector<std::pair<int, int>> groups = {{1, 95},   {326, 64}, {633, 63}, {771, 8},
                                                     {780, 10}, {790, 26}, {816, 26}, {842, 83},
                                                     {925, 63}, {988, 23}};
    ASSERT_EQ(w.Count(), 20);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        int index = static_cast<int>(2 * g);
        EXPECT_EQ(dynamic_cast<TPdfNumber&>(*w.Item(index)).Value(), groups[g].first);
        EXPECT_EQ(dynamic_cast<TPdfArray&>(*w.Item(index + 1)).Count(), groups[g].second);
    }

    const std::vector<TPdfCIDWidthItem>& items = font.CIDWidths();
    EXPECT_EQ(items.size(), 461U);
    auto widthOf = [&](int cid) {
        auto found = std::find_if(items.begin(), items.end(),
                                  [&](const auto& item) { return item.FirstCID == cid; });
        return found != items.end() ? found->Width : -1;
    };
    for (const auto& [cid, width] : std::vector<std::pair<int, int>>{{1, 305},
                                                                     {2, 219},
                                                                     {17, 500},
                                                                     {34, 633},
                                                                     {56, 742},
                                                                     {66, 477},
                                                                     {326, 500},
                                                                     {327, 441},
                                                                     {633, 664}}) {
        EXPECT_EQ(widthOf(cid), width) << "CID " << cid;
    }
    for (const auto& item : items) {
        EXPECT_GE(item.Width, 203);
        EXPECT_LE(item.Width, 1000);
    }
    EXPECT_EQ(font.DW(), 1000);
    EXPECT_EQ(font.MissingWidth(), 500);
}

TEST(FontTables, CMapsHaveTheRevisionTheWriterNeeds) {
    EXPECT_EQ(k90msRksjH.size(), 170U);
    EXPECT_EQ(k90mspRksjH.size(), 171U);
    auto same = [](const TPdfCodeRange& a, const TPdfCodeRange& b) {
        return a.First == b.First && a.Last == b.Last && a.FirstCID == b.FirstCID;
    };
    EXPECT_TRUE(same(k90msRksjH.front(), {0x20, 0x7D, 231}));
    EXPECT_TRUE(same(k90mspRksjH.front(), {0x20, 0x7D, 1}));
    EXPECT_TRUE(same(k90msRksjH.back(), {0xFB80, 0xFBFC, 8581}));
    EXPECT_TRUE(same(k90mspRksjH.back(), {0xFC40, 0xFC4B, 8706}));
    // Between those ends the two maps agree range for range.
    for (std::size_t i = 1; i < k90msRksjH.size(); ++i) {
        EXPECT_TRUE(same(k90msRksjH[i], k90mspRksjH[i])) << i;
    }
    // A code falls into at most one range, so the first match in CMap order is the only one.
    for (auto table : {std::span<const TPdfCodeRange>(k90msRksjH),
                       std::span<const TPdfCodeRange>(k90mspRksjH)}) {
        std::vector<TPdfCodeRange> sorted(table.begin(), table.end());
        std::sort(sorted.begin(), sorted.end(),
                  [](const auto& a, const auto& b) { return a.First < b.First; });
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            EXPECT_LE(sorted[i].First, sorted[i].Last);
            if (i > 0) {
                EXPECT_GT(sorted[i].First, sorted[i - 1].Last) << std::hex << sorted[i].First;
            }
        }
    }
}

TEST(FontTables, CharToCIDFollowsTheCMaps) {
    struct Case {
        std::string text;
        std::size_t index;
        int fixed;
        int proportional;
    };
    const std::vector<Case> cases = {
        {" ", 0, 231, 1},
        {"A", 0, 264, 34},
        {"}", 0, 324, 94},
        {"~", 0, 631, 631},
        {"\xA0", 0, 326, 326},
        {"\xB1", 0, 343, 343},
        {"\xDF", 0, 389, 389},
        {"\x81\x40", 0, 633, 633},
        {"\x81\x7E", 0, 695, 695},
        {"\x81\x80", 0, 696, 696},
        {"\x82\x4F", 0, 780, 780},
        {"\x82\x60", 0, 790, 790},
        {"\x82\x81", 0, 816, 816},
        {"\x82\x9F", 0, 842, 842},
        {"\xFB\xFC", 0, 8705, 8705},
        {"\xFC\x40", 0, 0, 8706},
        {"\xFC\x4B", 0, 0, 8717},
        {"\x82\xA0", 1, -1, -1},  // trail byte
        {"\x0D", 0, 0, 0},        // control bytes have no range
        {"\x80", 0, 0, 0},
        {"A\x82", 1, 0, 0},  // a lead byte without its trail byte
    };
    for (const auto& c : cases) {
        const TPdfByteType type = ByteTypeAt(c.text, c.index);
        EXPECT_EQ(FixedPitchCharToCID(c.text, c.index, type), c.fixed) << BytesToHex(c.text);
        EXPECT_EQ(ProportionalCharToCID(c.text, c.index, type), c.proportional)
            << BytesToHex(c.text);
    }
}

TEST_F(TPdfFontTest, CIDFontsMeasureByCharacter) {
    const int halfWidthA = kProportionalWidthGroups[1].Widths[0x11];
    const int hiraganaA = kProportionalWidthGroups[7].Widths[1];
    struct Case {
        std::string font;
        std::string text;
        std::size_t index;
        int width;
    };
    const std::vector<Case> cases = {
        {"Gothic", Sjis("請"), 0, 1000},
        {"Gothic", Sjis("請"), 1, 0},
        {"Gothic", "A", 0, 500},
        {"Gothic", "\xB1", 0, 500},
        {"Gothic", "\x0D", 0, 500},
        {"Gothic", "A\x82", 1, 1000},
        {"Mincyo,Italic", Sjis("Ａ"), 0, 1000},
        {"PGothic", "\xB1", 0, halfWidthA},
        {"PGothic", "A", 0, 633},
        {"PGothic", "\x0D", 0, 500},
        {"PGothic", Sjis("あ"), 0, hiraganaA},
        {"PGothic", Sjis("請"), 0, 1000},  // no width listed: the default
        {"PMincyo,Bold", " ", 0, 305},
        {"Chinese", Sjis("請"), 0, 1000},
        {"Chinese", Sjis("請"), 1, 0},
        {"Chinese", "A", 0, 500},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Font(c.font).GetCharWidth(c.text, c.index), c.width)
            << c.font << " " << BytesToHex(c.text) << " at " << c.index;
    }
}

TEST_F(TPdfFontTest, ChineseMapsEveryCharacterToCIDZero) {
    auto& chinese = FontAs<TPdfType0Font>("Chinese");
    EXPECT_EQ(chinese.CharToCID(Sjis("請"), 0), 0);
    EXPECT_EQ(chinese.CharToCID(Sjis("請"), 1), -1);
    EXPECT_EQ(chinese.CharToCID("A", 0), 0);
    EXPECT_EQ(chinese.CIDWidths(), (std::vector<TPdfCIDWidthItem>{{231, 631, 500}}));
}

TEST(TPdfType0Font, ReadsBothFormsOfTheWArray) {
    TPdfArray w;
    w.Append(std::make_unique<TPdfNumber>(1));
    auto group = TPdfArray::MakeNumberArray(nullptr, {500, 600});
    w.Append(std::move(group));
    for (int value : {10, 20, 700}) {
        w.Append(std::make_unique<TPdfNumber>(value));
    }
    EXPECT_EQ(TPdfType0Font::ReadCIDWidths(w),
              (std::vector<TPdfCIDWidthItem>{{1, 1, 500}, {2, 2, 600}, {10, 20, 700}}));
    EXPECT_TRUE(TPdfType0Font::ReadCIDWidths(TPdfArray()).empty());
}

TEST(TPdfType0Font, RefusesMalformedWArrays) {
    using Maker = std::function<void(TPdfArray&)>;
    auto number = [](int value) { return std::make_unique<TPdfNumber>(value); };
    auto name = [] { return std::make_unique<TPdfName>("X"); };
    struct Case {
        std::string description;
        Maker fill;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"name at the start", [&](TPdfArray& w) { w.Append(name()); },
         "invalid W array start pos.."},
        {"range without width",
         [&](TPdfArray& w) {
             w.Append(number(1));
             w.Append(number(2));
         },
         "invalid W array end pos.."},
        {"range with a name as width",
         [&](TPdfArray& w) {
             w.Append(number(1));
             w.Append(number(2));
             w.Append(name());
         },
         "invalid W array end pos.."},
        {"name after the first CID",
         [&](TPdfArray& w) {
             w.Append(number(1));
             w.Append(name());
         },
         "invalid W array value.."},
        {"first CID alone", [&](TPdfArray& w) { w.Append(number(1)); }, "invalid W array value.."},
        {"name among the widths",
         [&](TPdfArray& w) {
             w.Append(number(1));
             auto widths = std::make_unique<TPdfArray>();
             widths->Append(name());
             w.Append(std::move(widths));
         },
         "invalid W array value.."},
        {"second group broken",
         [&](TPdfArray& w) {
             w.Append(number(1));
             w.Append(TPdfArray::MakeNumberArray(nullptr, {500}));
             w.Append(TPdfArray::MakeNumberArray(nullptr, {500}));
         },
         "invalid W array start pos.."},
    };
    for (const auto& c : cases) {
        TPdfArray w;
        c.fill(w);
        try {
            TPdfType0Font::ReadCIDWidths(w);
            ADD_FAILURE() << "no error: " << c.description;
        } catch (const EPdfInvalidValue& e) {
            EXPECT_EQ(e.what(), c.message) << c.description;
        }
    }
}

TEST_F(TPdfFontTest, LoadingAFontFromADictionaryWithoutCIDFontFails) {
    auto& gothic = FontAs<TPdfType0Font>("Gothic");
    TPdfDictionary empty;
    EXPECT_THROW(gothic.SetData(&empty), EPdfInvalidValue);
}

}  // namespace
