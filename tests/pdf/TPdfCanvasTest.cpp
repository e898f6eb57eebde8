#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "Exception.h"
#include "PdfTestSupport.h"
#include "TPdfArray.h"
#include "TPdfBitmapImage.h"
#include "TPdfCanvas.h"
#include "TPdfDoc.h"
#include "TPdfStream.h"
#include "TextFit.h"

using namespace pdf;

namespace {

constexpr std::string_view kPageStart = "/F0 10 Tf\n";

class TPdfCanvasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc_.SetClock(FixedTime);
        doc_.StartDocument();
        doc_.AddPage();
    }
    TPdfCanvas& Canvas() { return doc_.GetCanvas(); }
    // What was written after the page's opening font operator.
    std::string Drawn() {
        std::string content = PageContent(doc_);
        EXPECT_EQ(content.substr(0, kPageStart.size()), kPageStart);
        return content.substr(kPageStart.size());
    }
    std::string PageValue() {
        TPdfMemoryStream stream;
        Canvas().GetPage().WriteValue(stream);
        return stream.Data();
    }

    TPdfDoc doc_;
};

struct OperatorCase {
    std::string description;
    std::function<void(TPdfCanvas&)> draw;
    std::string expected;
};

TEST_F(TPdfCanvasTest, WritesEveryOperator) {
    const std::array<std::uint8_t, 2> dashes = {16, 8};
    const std::array<std::uint8_t, 2> zeroFirst = {0, 4};
    const std::array<std::uint8_t, 1> one = {3};
    const std::vector<OperatorCase> cases = {
        {"save", [](TPdfCanvas& c) { c.SaveState(); }, "q\n"},
        {"restore", [](TPdfCanvas& c) { c.RestoreState(); }, "Q\n"},
        {"matrix", [](TPdfCanvas& c) { c.ConcatMatrix(1, 0, 0, 1, 12.345F, -3.456F); },
         "1 0 0 1 12.35 -3.45 cm\n"},
        {"solid line", [](TPdfCanvas& c) { c.SetDash({}, 0); }, "[] 0 d\n"},
        {"dashes", [&](TPdfCanvas& c) { c.SetDash(dashes, 0); }, "[16 8 ] 0 d\n"},
        {"dash of zero", [&](TPdfCanvas& c) { c.SetDash(zeroFirst, 2); }, "[] 2 d\n"},
        {"one dash", [&](TPdfCanvas& c) { c.SetDash(one, 1); }, "[3 ] 1 d\n"},
        {"line width", [](TPdfCanvas& c) { c.SetLineWidth(0.5F); }, "0.5 w\n"},
        {"move", [](TPdfCanvas& c) { c.MoveTo(10, 20.5F); }, "10 20.5 m\n"},
        {"line", [](TPdfCanvas& c) { c.LineTo(-3.456F, 841.996F); }, "-3.45 842 l\n"},
        // Adding one half before truncating toward zero takes a hundredth off negative
        // whole numbers; the file format has always written them so.
        {"negative whole number", [](TPdfCanvas& c) { c.MoveTo(-1, 0); }, "-0.99 0 m\n"},
        {"rectangle", [](TPdfCanvas& c) { c.Rectangle(1, 2, 3.333F, 4); }, "1 2 3.33 4 re\n"},
        {"close", [](TPdfCanvas& c) { c.ClosePath(); }, "h\n"},
        {"end path", [](TPdfCanvas& c) { c.EndPath(); }, "n\n"},
        {"stroke", [](TPdfCanvas& c) { c.Stroke(); }, "S\n"},
        {"close and stroke", [](TPdfCanvas& c) { c.CloseAndStroke(); }, "s\n"},
        {"fill", [](TPdfCanvas& c) { c.Fill(); }, "f\n"},
        {"close, fill, stroke", [](TPdfCanvas& c) { c.CloseFillAndStroke(); }, "b\n"},
        {"clip", [](TPdfCanvas& c) { c.Clip(); }, "W\n"},
        {"font and size", [](TPdfCanvas& c) { c.SetFontAndSize("/F1", 10.5F); }, "/F1 10.5 Tf\n"},
        {"begin text", [](TPdfCanvas& c) { c.BeginText(); }, "BT\n"},
        {"end text", [](TPdfCanvas& c) { c.EndText(); }, "ET\n"},
        {"text position", [](TPdfCanvas& c) { c.MoveTextPosition(72, 769.5F); }, "72 769.5 Td\n"},
        {"next line", [](TPdfCanvas& c) { c.NextLine(); }, "T*\n"},
        {"literal text", [](TPdfCanvas& c) { c.ShowText("a(b)"); }, "(a\\(b\\)) Tj\n"},
        {"kanji as hex", [](TPdfCanvas& c) { c.ShowText(Sjis("請求")); }, "<90BF8B81> Tj\n"},
        {"mixed as hex", [](TPdfCanvas& c) { c.ShowText(Sjis("No.1 あ")); },
         "<4E6F2E312082A0> Tj\n"},
        {"half-width raw", [](TPdfCanvas& c) { c.ShowText(Sjis("ｱｲ")); }, "(\xB1\xB2) Tj\n"},
        {"image", [](TPdfCanvas& c) { c.PaintXObject("Seal"); }, "/Seal Do\n"},
        {"white", [](TPdfCanvas& c) { c.SetFillRGB(0xFFFFFF); }, "1 1 1 rg\n"},
        {"light blue", [](TPdfCanvas& c) { c.SetFillRGB(0xF0CAA6); }, "0.65 0.79 0.94 rg\n"},
        {"navy", [](TPdfCanvas& c) { c.SetFillRGB(0x800000); }, "0 0 0.5 rg\n"},
        {"system colour", [](TPdfCanvas& c) { c.SetFillRGB(-16777201); }, "0 0 0 rg\n"},
        {"stroke red", [](TPdfCanvas& c) { c.SetStrokeRGB(0x0000FF); }, "1 0 0 RG\n"},
        {"top byte ignored", [](TPdfCanvas& c) { c.SetStrokeRGB(0x0100FF00); }, "0 1 0 RG\n"},
    };
    for (const auto& c : cases) {
        doc_.AddPage();
        c.draw(Canvas());
        EXPECT_EQ(Drawn(), c.expected) << c.description;
    }
}

TEST_F(TPdfCanvasTest, WritesSpacingOnlyWhenItChanges) {
    Canvas().SetCharSpace(0);
    Canvas().SetWordSpace(0);
    Canvas().SetLeading(0);
    EXPECT_EQ(Drawn(), "");
    Canvas().SetCharSpace(1.5F);
    Canvas().SetCharSpace(1.5F);
    Canvas().SetWordSpace(2);
    Canvas().SetWordSpace(2);
    Canvas().SetLeading(14);
    Canvas().SetLeading(14);
    EXPECT_EQ(Drawn(), "1.5 Tc\n2 Tw\n14 TL\n");
    EXPECT_FLOAT_EQ(Canvas().Attr().CharSpace(), 1.5F);
    EXPECT_FLOAT_EQ(Canvas().Attr().WordSpace(), 2);
    EXPECT_FLOAT_EQ(Canvas().Attr().Leading(), 14);
}

TEST_F(TPdfCanvasTest, ANewPageResetsTheTextState) {
    Canvas().SetFont("Gothic", 12);
    Canvas().SetCharSpace(1);
    Canvas().SetWordSpace(1);
    Canvas().SetLeading(1);
    Canvas().Attr().SetHorizontalScaling(50);
    doc_.AddPage();
    const TPdfCanvasAttribute& attr = Canvas().Attr();
    EXPECT_EQ(attr.Font(), doc_.GetFont("Arial"));
    EXPECT_FLOAT_EQ(attr.FontSize(), 10);
    EXPECT_FLOAT_EQ(attr.CharSpace(), 0);
    EXPECT_FLOAT_EQ(attr.WordSpace(), 0);
    EXPECT_FLOAT_EQ(attr.Leading(), 0);
    EXPECT_EQ(attr.HorizontalScaling(), 100);
    EXPECT_EQ(Drawn(), "");
}

TEST_F(TPdfCanvasTest, SelectsAFontOnceAndAddsItToThePage) {
    Canvas().SetFont("Arial", 10);
    EXPECT_EQ(Drawn(), "");
    Canvas().SetFont("Gothic", 12);
    Canvas().SetFont("Gothic", 12);
    Canvas().SetFont("Gothic", 9);
    Canvas().SetFont("Arial", 9);
    EXPECT_EQ(Drawn(), "/F1 12 Tf\n/F1 9 Tf\n/F0 9 Tf\n");
    EXPECT_NE(PageValue().find("/Font <<\r\n/F0 6 0 R\r\n/F1 7 0 R\r\n>>"), std::string::npos);
}

TEST_F(TPdfCanvasTest, RefusesValuesOutsideTheirRangeAndWritesNothing) {
    struct Case {
        std::string message;
        std::function<void(TPdfCanvas&)> set;
    };
    const std::vector<Case> cases = {
        {"SetCharSpace --invalid char space", [](TPdfCanvas& c) { c.SetCharSpace(-30.5F); }},
        {"SetCharSpace --invalid char space", [](TPdfCanvas& c) { c.SetCharSpace(300.5F); }},
        {"SetWordSpace --invalid word space", [](TPdfCanvas& c) { c.SetWordSpace(-0.5F); }},
        {"SetLeading --invalid leading", [](TPdfCanvas& c) { c.SetLeading(300.5F); }},
        {"SetLeading --invalid leading", [](TPdfCanvas& c) { c.SetLeading(-1); }},
        {"SetFontSize --invalid font size", [](TPdfCanvas& c) { c.SetFont("Gothic", 300.5F); }},
        {"SetFontSize --invalid font size", [](TPdfCanvas& c) { c.SetFont("Arial", -1); }},
        {"SetHorizontalScaling --invalid horizontal scaling",
         [](TPdfCanvas& c) { c.Attr().SetHorizontalScaling(9); }},
        {"SetHorizontalScaling --invalid horizontal scaling",
         [](TPdfCanvas& c) { c.Attr().SetHorizontalScaling(301); }},
    };
    int objects = doc_.Xref()->EntryCount();
    std::string page = PageValue();
    for (const auto& c : cases) {
        try {
            c.set(Canvas());
            ADD_FAILURE() << "no error: " << c.message;
        } catch (const EPdfInvalidValue& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
    EXPECT_EQ(Drawn(), "");
    EXPECT_EQ(doc_.Xref()->EntryCount(), objects);  // no font was created for a bad size
    EXPECT_EQ(PageValue(), page);
    const TPdfCanvasAttribute& attr = Canvas().Attr();
    EXPECT_FLOAT_EQ(attr.CharSpace(), 0);
    EXPECT_FLOAT_EQ(attr.FontSize(), 10);
    EXPECT_EQ(attr.HorizontalScaling(), 100);
}

TEST_F(TPdfCanvasTest, AcceptsTheEdgesOfEveryRange) {
    Canvas().SetCharSpace(-30);
    Canvas().SetCharSpace(300);
    Canvas().SetLeading(300);
    Canvas().SetFont("Arial", 300);
    Canvas().SetFont("Arial", 0);
    Canvas().Attr().SetHorizontalScaling(10);
    Canvas().Attr().SetHorizontalScaling(300);
    EXPECT_EQ(Drawn(), "-29.99 Tc\n300 Tc\n300 TL\n/F0 300 Tf\n/F0 0 Tf\n");
}

struct WidthCase {
    std::string description;
    const char* font;
    float size;
    float charSpace;
    float wordSpace;
    int scaling;
    std::string text;
    float expected;
};

TEST_F(TPdfCanvasTest, MeasuresTextWithSpacingAndScaling) {
    const std::vector<WidthCase> cases = {
        {"one letter", "Arial", 10, 0, 0, 100, "A", 6.67F},
        {"empty", "Arial", 10, 0, 0, 100, "", 0},
        {"empty with spacing", "Arial", 10, 1, 0, 100, "", -1},
        {"word space", "Arial", 10, 0, 2, 100, "A B", 18.12F},
        {"blank last", "Arial", 10, 0, 2, 100, "A ", 9.45F},
        {"char space", "Arial", 10, 1, 0, 100, "AB", 14.34F},
        {"scaled", "Arial", 10, 0, 0, 50, "A", 3.335F},
        {"no-break space", "Arial", 10, 1, 0, 100, "\xA0", -1},
        {"kanji", "Gothic", 10, 0, 0, 100, Sjis("請求書"), 30},
        {"ASCII in Gothic", "Gothic", 10, 0, 0, 100, "ABC", 15},
        {"half-width katakana", "Gothic", 10, 0, 0, 100, Sjis("ｱｲ"), 10},
        {"trail bytes take no spacing", "Gothic", 10, 2, 0, 100, Sjis("請求"), 22},
        {"mixed", "Gothic,Bold", 12, 0, 0, 100, Sjis("A請"), 18},
    };
    for (const auto& c : cases) {
        doc_.AddPage();
        TPdfCanvas& canvas = Canvas();
        canvas.SetFont(c.font, c.size);
        canvas.SetCharSpace(c.charSpace);
        canvas.SetWordSpace(c.wordSpace);
        canvas.Attr().SetHorizontalScaling(c.scaling);
        EXPECT_NEAR(canvas.TextWidth(c.text), c.expected, 1e-4) << c.description;
    }
}

// "￥" is two lead-range bytes; a measure that looks back from each byte for its type takes
// minutes on a text this long instead of a moment.
TEST_F(TPdfCanvasTest, MeasuresLongTextsOfLeadRangeBytesInOnePass) {
    constexpr int kChars = 200000;
    std::string text;
    for (int i = 0; i < kChars; ++i) {
        text += Sjis("￥");
    }
    Canvas().SetFont("Gothic", 10);
    EXPECT_FLOAT_EQ(Canvas().TextWidth(text), kChars * 10.0F);
    EXPECT_EQ(Canvas().MeasureText(text, kChars * 5.0F), kChars);
}

TEST_F(TPdfCanvasTest, MeasuresHowManyBytesFit) {
    Canvas().SetFont("Gothic", 10);
    const std::string text = Sjis("AB請求");
    struct Case {
        float width;
        int fits;
    };
    for (const Case& c : std::vector<Case>{
             {4, 0}, {5, 1}, {15, 2}, {20, 4}, {29.9F, 4}, {30, 6}, {100, 6}, {-1, 0}}) {
        EXPECT_EQ(Canvas().MeasureText(text, c.width), c.fits) << c.width;
    }
}

TEST_F(TPdfCanvasTest, PlacesOneLineOfTextInItsBox) {
    struct Case {
        std::string description;
        float size;
        std::string text;
        TAlignment alignment;
        bool clipping;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"left", 10, "ABC", TAlignment::taLeftJustify, false, "BT\n100 791.5 Td\n(ABC) Tj\nET\n"},
        {"right", 10, "ABC", TAlignment::taRightJustify, false, "BT\n185 791.5 Td\n(ABC) Tj\nET\n"},
        {"centred, half to even", 10, "ABC", TAlignment::taCenter, false,
         "BT\n142 791.5 Td\n(ABC) Tj\nET\n"},
        {"right, width 10.5", 21, "A", TAlignment::taRightJustify, false,
         "BT\n190 782.15 Td\n(A) Tj\nET\n"},
        {"clipped", 10, "ABC", TAlignment::taLeftJustify, true,
         "q\n100 800 m\n100 780 l\n200 780 l\n200 800 l\nh\nW\nn\n"
         "BT\n100 791.5 Td\n(ABC) Tj\nET\nQ\n"},
        {"never cut", 10, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", TAlignment::taLeftJustify, false,
         "BT\n100 791.5 Td\n(ABCDEFGHIJKLMNOPQRSTUVWXYZ) Tj\nET\n"},
    };
    for (const auto& c : cases) {
        doc_.AddPage();
        Canvas().SetFont("Gothic", c.size);
        std::string before = Drawn();
        Canvas().TextRect(MakeFloatRect(100, 800, 200, 780), c.text, c.alignment, c.clipping);
        EXPECT_EQ(Drawn().substr(before.size()), c.expected) << c.description;
    }
}

TEST_F(TPdfCanvasTest, BreaksTextIntoLinesInsideItsBox) {
    struct Case {
        std::string description;
        TPdfFloatRect rect;
        std::string text;
        bool wordWrap;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"wraps at blanks",
         {0, 100, 40, 0},
         "AAA BBB CCC",
         true,
         "BT\n0 91.5 Td\n(AAA BBB ) Tj\nT*\n(CCC) Tj\nET\n"},
        {"one line without wrapping",
         {0, 100, 40, 0},
         "AAA BBB CCC",
         false,
         "BT\n0 91.5 Td\n(AAA BBB ) Tj\nET\n"},
        {"breaks at CR LF",
         {0, 100, 40, 0},
         "AB\r\nCD",
         false,
         "BT\n0 91.5 Td\n(AB) Tj\nT*\n(CD) Tj\nET\n"},
        {"empty line",
         {0, 100, 40, 0},
         "A\r\n\r\nB",
         false,
         "BT\n0 91.5 Td\n(A) Tj\nT*\nT*\n(B) Tj\nET\n"},
        {"drops lines below the box",
         {0, 40, 100, 0},
         "L1\r\nL2\r\nL3\r\nL4",
         false,
         "BT\n0 31.5 Td\n(L1) Tj\nT*\n(L2) Tj\nT*\n(L3) Tj\nT*\nET\n"},
        {"cuts at the right edge",
         {0, 100, 22, 0},
         "ABCDEFGHIJ",
         true,
         "BT\n0 91.5 Td\n(ABCD) Tj\nET\n"},
        {"keeps kanji whole",
         {0, 100, 25, 0},
         Sjis("請求書"),
         true,
         "BT\n0 91.5 Td\n<90BF8B81> Tj\nET\n"},
        {"empty text", {0, 100, 40, 0}, "", true, "BT\n0 91.5 Td\nET\n"},
    };
    for (const auto& c : cases) {
        doc_.AddPage();
        Canvas().SetFont("Gothic", 10);
        Canvas().SetLeading(14);
        Canvas().MultilineTextRect(c.rect, c.text, c.wordWrap);
        EXPECT_EQ(Drawn(), "/F1 10 Tf\n14 TL\n" + c.expected) << c.description;
    }
}

TEST_F(TPdfCanvasTest, CountsWordSpacingWhenWrapping) {
    Canvas().SetFont("Gothic", 10);
    Canvas().SetWordSpace(5);
    Canvas().SetLeading(14);
    // "AAA " is 20 wide plus 5 of word spacing, so "BBB" (15) no longer fits into 39.
    Canvas().MultilineTextRect({0, 100, 39, 0}, "AAA BBB", true);
    EXPECT_EQ(Drawn(), "/F1 10 Tf\n5 Tw\n14 TL\nBT\n0 91.5 Td\n(AAA ) Tj\nT*\n(BBB) Tj\nET\n");
}

TEST_F(TPdfCanvasTest, DrawsRegisteredImages) {
    TPdfBitmap bitmap(1, 1, TPdfPixelFormat::pf24bit);
    doc_.AddImage("Seal", TPdfBitmapImage().CreateImage(bitmap));
    Canvas().DrawXObject(30, 40, 10, 20, "Seal");
    Canvas().DrawXObjectEx(30, 40, 10, 20, 1, 2, 3, 4, "Seal");
    EXPECT_EQ(Drawn(),
              "q\n10 0 0 20 30 40 cm\n/Seal Do\nQ\n"
              "q\n1 2 3 4 re\nW\nn\n10 0 0 20 30 40 cm\n/Seal Do\nQ\n");
    EXPECT_NE(PageValue().find("/XObject <<\r\n/Seal 7 0 R\r\n>>"), std::string::npos);

    for (const auto& [message, draw] : std::vector<std::pair<std::string, std::function<void()>>>{
             {"DrawXObject --XObject not found: Logo",
              [&] { Canvas().DrawXObject(0, 0, 1, 1, "Logo"); }},
             {"DrawXObjectEx --XObject not found: Logo",
              [&] { Canvas().DrawXObjectEx(0, 0, 1, 1, 0, 0, 1, 1, "Logo"); }},
         }) {
        try {
            draw();
            ADD_FAILURE() << "no error: " << message;
        } catch (const EPdfInvalidValue& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
}

TEST_F(TPdfCanvasTest, ChangesThePageSizeInPlace) {
    EXPECT_EQ(Canvas().PageHeight(), 842);
    Canvas().SetPageWidth(842);
    Canvas().SetPageHeight(595);
    EXPECT_EQ(Canvas().PageHeight(), 595);
    EXPECT_NE(PageValue().find("/MediaBox [0 0 842 595 ]"), std::string::npos);

    Canvas().GetPage().DeleteEntry("MediaBox");
    doc_.SetDefaultPageHeight(700);
    EXPECT_EQ(Canvas().PageHeight(), 700);
    Canvas().SetPageWidth(100);  // nothing to change
    EXPECT_EQ(PageValue().find("MediaBox"), std::string::npos);
}

TEST_F(TPdfCanvasTest, KeepsTheContentAsItWasWhenANumberCannotBeWritten) {
    EXPECT_THROW(Canvas().Rectangle(1, 2, std::numeric_limits<float>::infinity(), 4),
                 EPdfInvalidValue);
    EXPECT_EQ(Drawn(), "");
}

TEST(TPdfCanvas, MeasuringCanvasWritesNothing) {
    TPdfDoc doc;
    TPdfCanvas& canvas = doc.StartMeasuringDocument();
    EXPECT_TRUE(canvas.IsVirtual());
    const std::string content = canvas.Contents()->Stream();
    EXPECT_EQ(content, kPageStart);

    canvas.SetFont("Gothic,Bold", 12);
    canvas.SetCharSpace(1);
    canvas.SetWordSpace(2);
    canvas.SetLeading(14);
    canvas.SetFillRGB(0xFF);
    canvas.SetStrokeRGB(0xFF);
    canvas.SetLineWidth(2);
    canvas.SetDash({}, 0);
    canvas.SaveState();
    canvas.MoveTo(1, 2);
    canvas.LineTo(3, 4);
    canvas.Rectangle(1, 2, 3, 4);
    canvas.ClosePath();
    canvas.Stroke();
    canvas.Fill();
    canvas.Clip();
    canvas.EndPath();
    canvas.ConcatMatrix(1, 0, 0, 1, 0, 0);
    canvas.TextRect({0, 100, 100, 80}, "ABC", TAlignment::taCenter, true);
    canvas.MultilineTextRect({0, 100, 100, 0}, "A B\r\nC", true);
    canvas.ShowText(Sjis("請求"));
    canvas.PaintXObject("X");
    canvas.RestoreState();

    EXPECT_EQ(canvas.Contents()->Stream(), content);
    // It still measures with the state it was given.
    EXPECT_FLOAT_EQ(canvas.TextWidth(Sjis("請求")), 12 + 1 + 12);
    EXPECT_FLOAT_EQ(canvas.Attr().Leading(), 14);
}

TEST(TPdfCanvas, WithoutDocumentOrPageRefusesToWork) {
    TPdfCanvas canvas(nullptr);
    canvas.SaveState();  // nothing to write to
    EXPECT_EQ(canvas.Contents(), nullptr);
    for (const auto& [message, call] : std::vector<std::pair<std::string, std::function<void()>>>{
             {"ERROR: GetDoc documant is nil.", [&] { canvas.GetDoc(); }},
             {"GetPage --the Page is nil", [&] { canvas.GetPage(); }},
             {"TextWidth --no font is selected.", [&] { canvas.TextWidth("A"); }},
             {"MeasureText --no font is selected.", [&] { canvas.MeasureText("A", 10); }},
         }) {
        try {
            call();
            ADD_FAILURE() << "no error: " << message;
        } catch (const EPdfInvalidOperation& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
}

}  // namespace

namespace {

TEST(TextFit, CondensesJustEnoughAndCutsBelowHalf) {
    struct Case {
        double text;
        double cell;
        TTextFit fit;
    };
    const Case cases[] = {
        {50, 100, {100, false}},     // fits
        {100.5, 100, {100, false}},  // rounding of a cell sized to its text
        {0, 0, {100, false}},        // no cell
        {120, 0, {100, false}},     {101, 100, {99, false}},  // slightly over
        {125, 100, {80, false}},    {200, 100, {50, false}},  // at the minimum
        {201, 100, {50, true}},                               // far over
        {1000, 100, {50, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitTextToCell(c.text, c.cell), c.fit) << c.text << " in " << c.cell;
    }
}

}  // namespace
