#include "TPdfCanvas.h"

#include <cmath>

#include "Exception.h"
#include "PdfNumberFormat.h"
#include "PdfText.h"
#include "TPdfArray.h"
#include "TPdfDoc.h"
#include "TPdfFont.h"
#include "TPdfNumber.h"
#include "TPdfStream.h"
#include "TextFit.h"

namespace pdf {

namespace {

// Where the baseline of a line lies below the top of its box, in font sizes.
constexpr float kBaselineDrop = 0.85F;

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// A word runs up to and including the next blank or CR LF, or to the end of the text.
std::string_view NextWord(std::string_view text, std::size_t& position) {
    std::size_t start = position;
    std::size_t end = text.size();
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] == ' ' || (text[i] == '\n' && i > start && text[i - 1] == '\r')) {
            end = i + 1;
            break;
        }
    }
    position = end;
    return text.substr(start, end - start);
}

}  // namespace

void TPdfCanvas::WriteString(std::string_view text) {
    if (Writing()) {
        contents_->Stream().append(text);
    }
}

void TPdfCanvas::WriteOperator(std::initializer_list<float> operands, std::string_view name) {
    if (!Writing()) {
        return;
    }
    // Built whole before it is appended, so a number that cannot be written leaves the
    // content as it was.
    std::string text;
    for (float operand : operands) {
        AppendCoordinate(text, operand);
        text += ' ';
    }
    text += name;
    text += '\n';
    contents_->Stream().append(text);
}

void TPdfCanvas::SaveState() {
    WriteString("q\n");
}
void TPdfCanvas::RestoreState() {
    WriteString("Q\n");
}

void TPdfCanvas::ConcatMatrix(float a, float b, float c, float d, float e, float f) {
    WriteOperator({a, b, c, d, e, f}, "cm");
}

void TPdfCanvas::SetDash(std::span<const std::uint8_t> pattern, std::uint8_t phase) {
    std::string text = "[";
    if (!pattern.empty() && pattern[0] != 0) {
        for (std::uint8_t length : pattern) {
            AppendInteger(text, length);
            text += ' ';
        }
    }
    text += "] ";
    AppendInteger(text, phase);
    text += " d\n";
    WriteString(text);
}

void TPdfCanvas::SetLineWidth(float width) {
    WriteOperator({width}, "w");
}
void TPdfCanvas::MoveTo(float x, float y) {
    WriteOperator({x, y}, "m");
}
void TPdfCanvas::LineTo(float x, float y) {
    WriteOperator({x, y}, "l");
}

void TPdfCanvas::Rectangle(float x, float y, float width, float height) {
    WriteOperator({x, y, width, height}, "re");
}

void TPdfCanvas::ClosePath() {
    WriteString("h\n");
}
void TPdfCanvas::EndPath() {
    WriteString("n\n");
}
void TPdfCanvas::Stroke() {
    WriteString("S\n");
}
void TPdfCanvas::CloseAndStroke() {
    WriteString("s\n");
}
void TPdfCanvas::Fill() {
    WriteString("f\n");
}
void TPdfCanvas::CloseFillAndStroke() {
    WriteString("b\n");
}
void TPdfCanvas::Clip() {
    WriteString("W\n");
}

void TPdfCanvas::SetCharSpace(float value) {
    if (value == attr_.CharSpace()) {
        return;
    }
    attr_.SetCharSpace(value);
    WriteOperator({value}, "Tc");
}

void TPdfCanvas::SetWordSpace(float value) {
    if (value == attr_.WordSpace()) {
        return;
    }
    attr_.SetWordSpace(value);
    WriteOperator({value}, "Tw");
}

void TPdfCanvas::SetLeading(float value) {
    if (value == attr_.Leading()) {
        return;
    }
    attr_.SetLeading(value);
    WriteOperator({value}, "TL");
}

void TPdfCanvas::SetHorizontalScaling(int percent) {
    if (percent == attr_.HorizontalScaling()) {
        return;
    }
    attr_.SetHorizontalScaling(percent);
    WriteOperator({static_cast<float>(percent)}, "Tz");
}

void TPdfCanvas::SetFontAndSize(std::string_view resourceName, float size) {
    if (!Writing()) {
        return;
    }
    std::string text(resourceName);
    text += ' ';
    AppendCoordinate(text, size);
    text += " Tf\n";
    contents_->Stream().append(text);
}

void TPdfCanvas::SetFont(std::string_view fontName, float size) {
    TPdfCanvasAttribute::CheckFontSize(size);  // before anything is added or written
    TPdfFont* font = GetDoc().GetFont(fontName);
    if (font == attr_.Font() && size == attr_.FontSize()) {
        return;
    }
    std::string key = font->Data()->EntryAsName("Name")->Value();
    TPdfDictionary* fonts = GetPage().EntryAsDictionary("Resources")->EntryAsDictionary("Font");
    if (fonts->Entry(key) == nullptr) {
        fonts->SetEntry(key, *font->Data());
    }
    SetFontAndSize("/" + key, size);
    attr_.SetFont(font);
    attr_.SetFontSize(size);
}

void TPdfCanvas::BeginText() {
    WriteString("BT\n");
}
void TPdfCanvas::EndText() {
    WriteString("ET\n");
}
void TPdfCanvas::MoveTextPosition(float x, float y) {
    WriteOperator({x, y}, "Td");
}
void TPdfCanvas::NextLine() {
    WriteString("T*\n");
}

void TPdfCanvas::ShowText(std::string_view text) {
    if (!Writing()) {
        return;
    }
    if (attr_.Font() != nullptr) {
        attr_.Font()->NoteShownText(text);
    }
    std::string out;
    if (HasDoubleByteChar(text)) {
        out += '<';
        AppendBytesToHex(out, text);
        out += '>';
    } else {
        out += '(';
        AppendEscapedLiteral(out, text);
        out += ')';
    }
    out += " Tj\n";
    contents_->Stream().append(out);
}

void TPdfCanvas::PaintXObject(std::string_view name) {
    std::string text = "/";
    text += name;
    text += " Do\n";
    WriteString(text);
}

void TPdfCanvas::WriteColour(std::int32_t colour, std::string_view name) {
    auto bits = static_cast<std::uint32_t>(colour < 0 ? 0 : colour);
    auto component = [&](int shift) { return static_cast<float>((bits >> shift) & 0xFFU) / 255; };
    WriteOperator({component(0), component(8), component(16)}, name);
}

void TPdfCanvas::SetFillRGB(std::int32_t colour) {
    WriteColour(colour, "rg");
}
void TPdfCanvas::SetStrokeRGB(std::int32_t colour) {
    WriteColour(colour, "RG");
}

float TPdfCanvas::AdvanceAt(std::string_view text, std::size_t index, TPdfByteType type) const {
    float width =
        static_cast<float>(attr_.Font()->CharWidth(text, index, type)) * attr_.FontSize() / 1000;
    if (attr_.HorizontalScaling() != 100) {
        width = static_cast<float>(attr_.HorizontalScaling()) * width / 100;
    }
    float advance = width > 0 ? attr_.CharSpace() + width : 0;
    if (text[index] == ' ' && attr_.WordSpace() > 0 && index + 1 != text.size()) {
        advance += attr_.WordSpace();
    }
    return advance;
}

float TPdfCanvas::TextWidth(std::string_view text) const {
    if (attr_.Font() == nullptr) {
        throw EPdfInvalidOperation("TextWidth --no font is selected.");
    }
    float sum = 0;
    TPdfByteType type = TPdfByteType::Single;
    for (std::size_t i = 0; i < text.size(); ++i) {
        type = NextByteType(type, text[i]);
        sum += AdvanceAt(text, i, type);
    }
    return sum - attr_.CharSpace();  // no spacing after the last character
}

int TPdfCanvas::MeasureText(std::string_view text, float width) const {
    if (attr_.Font() == nullptr) {
        throw EPdfInvalidOperation("MeasureText --no font is selected.");
    }
    float sum = 0;
    TPdfByteType type = TPdfByteType::Single;
    for (std::size_t i = 0; i < text.size(); ++i) {
        type = NextByteType(type, text[i]);
        sum += AdvanceAt(text, i, type);
        if (sum > width) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(text.size());
}

void TPdfCanvas::TextRect(const TPdfFloatRect& rect, std::string_view text, TAlignment alignment,
                          bool clipping) {
    float width = TextWidth(text);
    float boxWidth = rect.Right - rect.Left;
    float offset = 0;
    if (alignment == TAlignment::taRightJustify) {
        offset = boxWidth - std::nearbyint(width);
    } else if (alignment == TAlignment::taCenter) {
        offset = std::nearbyint((boxWidth - width) / 2);
    }
    if (clipping) {
        SaveState();
        MoveTo(rect.Left, rect.Top);
        LineTo(rect.Left, rect.Bottom);
        LineTo(rect.Right, rect.Bottom);
        LineTo(rect.Right, rect.Top);
        ClosePath();
        Clip();
        EndPath();
    }
    BeginText();
    MoveTextPosition(rect.Left + offset, rect.Top - attr_.FontSize() * kBaselineDrop);
    ShowText(text);
    EndText();
    if (clipping) {
        RestoreState();
    }
}

void TPdfCanvas::MultilineTextRect(TPdfFloatRect rect, std::string_view text, bool wordWrap,
                                   bool condense) {
    auto spacingAfter = [&](std::string_view word) {
        return EndsWith(word, " ") ? attr_.WordSpace() : 0.0F;
    };
    auto showCut = [&](std::string_view line) {
        const float boxWidth = rect.Right - rect.Left;
        const int scaling = attr_.HorizontalScaling();
        if (condense) {
            SetHorizontalScaling(FitTextToCell(TextWidth(line), boxWidth).Percent);
        }
        auto fits = static_cast<std::size_t>(MeasureText(line, boxWidth));
        ShowText(line.substr(0, fits));
        SetHorizontalScaling(scaling);
    };

    BeginText();
    MoveTextPosition(rect.Left, rect.Top - attr_.FontSize() * kBaselineDrop);
    std::size_t position = 0;
    std::string_view first = NextWord(text, position);
    std::string line(first);
    float x = rect.Left + TextWidth(first) + spacingAfter(first);
    while (position < text.size()) {
        bool forced = EndsWith(line, "\r\n");
        if (forced) {
            line.resize(line.size() - 2);
        }
        std::string_view word = NextWord(text, position);
        float width = TextWidth(word);
        if ((wordWrap && x + width > rect.Right) || forced) {
            if (!line.empty()) {
                showCut(line);
            }
            line.clear();
            NextLine();
            rect.Top -= attr_.Leading();
            if (rect.Bottom + attr_.FontSize() > rect.Top) {
                break;  // the box is full; the pending word goes
            }
            x = rect.Left;
        }
        x += width + spacingAfter(word);
        line += word;
    }
    if (!line.empty()) {
        showCut(line);
    }
    EndText();
}

void TPdfCanvas::UseXObject(std::string_view name, std::string_view notFoundMessage) {
    TPdfStream* image = GetDoc().FindXObject(name);
    if (image == nullptr) {
        throw EPdfInvalidValue(std::string(notFoundMessage) + std::string(name));
    }
    TPdfDictionary* xObjects =
        GetPage().EntryAsDictionary("Resources")->EntryAsDictionary("XObject");
    if (xObjects->Entry(name) == nullptr) {
        xObjects->SetEntry(name, *image);
    }
}

void TPdfCanvas::DrawXObject(float x, float y, float width, float height, std::string_view name) {
    UseXObject(name, "DrawXObject --XObject not found: ");
    SaveState();
    ConcatMatrix(width, 0, 0, height, x, y);
    PaintXObject(name);
    RestoreState();
}

void TPdfCanvas::DrawXObjectEx(float x, float y, float width, float height, float clipX,
                               float clipY, float clipWidth, float clipHeight,
                               std::string_view name) {
    UseXObject(name, "DrawXObjectEx --XObject not found: ");
    SaveState();
    Rectangle(clipX, clipY, clipWidth, clipHeight);
    Clip();
    EndPath();
    ConcatMatrix(width, 0, 0, height, x, y);
    PaintXObject(name);
    RestoreState();
}

void TPdfCanvas::SetPage(TPdfDictionary& page) {
    page_ = &page;
    contents_ = dynamic_cast<TPdfStream*>(page.Entry("Contents"));
    attr_.SetFont(nullptr);
    // A file that embeds its fonts names no font it does not embed; its texts select theirs.
    if (!GetDoc().EmbedFonts()) {
        SetFont("Arial", 10);
    }
    attr_.SetCharSpace(0);
    attr_.SetWordSpace(0);
    attr_.SetHorizontalScaling(100);
    attr_.SetLeading(0);
}

void TPdfCanvas::Detach() {
    page_ = nullptr;
    contents_ = nullptr;
    attr_.SetFont(nullptr);
}

TPdfDictionary& TPdfCanvas::GetPage() const {
    if (page_ == nullptr) {
        throw EPdfInvalidOperation("GetPage --the Page is nil");
    }
    return *page_;
}

TPdfDoc& TPdfCanvas::GetDoc() const {
    if (pdfDoc_ == nullptr) {
        throw EPdfInvalidOperation("ERROR: GetDoc documant is nil.");
    }
    return *pdfDoc_;
}

int TPdfCanvas::PageHeight() const {
    const TPdfArray* mediaBox = GetPage().EntryAsArray("MediaBox");
    const auto* height =
        mediaBox != nullptr ? dynamic_cast<const TPdfNumber*>(mediaBox->Item(3)) : nullptr;
    return height != nullptr ? height->Value() : GetDoc().DefaultPageHeight();
}

void TPdfCanvas::SetMediaBoxNumber(int index, int value) {
    const TPdfArray* mediaBox = GetPage().EntryAsArray("MediaBox");
    if (mediaBox == nullptr) {
        return;
    }
    if (auto* number = dynamic_cast<TPdfNumber*>(mediaBox->Item(index))) {
        number->SetValue(value);
    }
}

void TPdfCanvas::SetPageWidth(int width) {
    SetMediaBoxNumber(2, width);
}
void TPdfCanvas::SetPageHeight(int height) {
    SetMediaBoxNumber(3, height);
}

}  // namespace pdf
