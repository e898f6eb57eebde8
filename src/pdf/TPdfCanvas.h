#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "PdfText.h"
#include "TPdfCanvasAttribute.h"
#include "TPdfFloatRect.h"

namespace pdf {

class TPdfDictionary;
class TPdfDoc;
class TPdfStream;

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// Paints the most recently added page of its document by appending operators to the page's
// content stream. In measuring mode it keeps its text state and measures, but writes nothing.
class TPdfCanvas {
  public:
    explicit TPdfCanvas(TPdfDoc* pdfDoc) : pdfDoc_(pdfDoc) {}
    TPdfCanvas(const TPdfCanvas&) = delete;
    TPdfCanvas& operator=(const TPdfCanvas&) = delete;

    // Graphics state and paths.
    void SaveState();
    void RestoreState();
    void ConcatMatrix(float a, float b, float c, float d, float e, float f);
    void SetDash(std::span<const std::uint8_t> pattern, std::uint8_t phase);
    void SetLineWidth(float width);
    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    void Rectangle(float x, float y, float width, float height);
    void ClosePath();
    void EndPath();
    void Stroke();
    void CloseAndStroke();
    void Fill();
    void CloseFillAndStroke();
    void Clip();

    // Text state; the three spacing setters write only when the value changes.
    void SetCharSpace(float value);
    void SetWordSpace(float value);
    void SetLeading(float value);
    // Horizontal scale of the glyphs in percent (10 to 300), written only when it changes.
    void SetHorizontalScaling(int percent);
    void SetFontAndSize(std::string_view resourceName, float size);
    // Selects a font of the document (created on first use) and adds it to the page.
    void SetFont(std::string_view fontName, float size);

    // Text objects. Shift-JIS text goes out unchanged, as hex when it has double-byte
    // characters.
    void BeginText();
    void EndText();
    void MoveTextPosition(float x, float y);
    void NextLine();
    void ShowText(std::string_view text);

    void PaintXObject(std::string_view name);
    // Colours are 0x00BBGGRR; a negative (system) colour is black.
    void SetFillRGB(std::int32_t colour);
    void SetStrokeRGB(std::int32_t colour);

    // Width of the text in the current font, size, spacing and scaling.
    float TextWidth(std::string_view text) const;
    // How many leading bytes fit into the width; a double-byte character is never split.
    int MeasureText(std::string_view text, float width) const;
    // One line, never wrapped or cut, its baseline 0.85 * FontSize below the top.
    void TextRect(const TPdfFloatRect& rect, std::string_view text, TAlignment alignment,
                  bool clipping);
    // Words broken at blanks and CR LF; set the leading first. A line wider than the box is
    // cut at its right edge, or with condense first narrowed by FitTextToCell.
    void MultilineTextRect(TPdfFloatRect rect, std::string_view text, bool wordWrap,
                           bool condense = false);

    // Paints a registered image scaled into the box.
    void DrawXObject(float x, float y, float width, float height, std::string_view name);
    // The same, clipped to a second box.
    void DrawXObjectEx(float x, float y, float width, float height, float clipX, float clipY,
                       float clipWidth, float clipHeight, std::string_view name);

    // Makes the page current and resets the text state, selecting Arial 10 unless the
    // document embeds its fonts.
    void SetPage(TPdfDictionary& page);
    TPdfDictionary& GetPage() const;
    TPdfDoc& GetDoc() const;
    int PageHeight() const;
    void SetPageWidth(int width);
    void SetPageHeight(int height);

    TPdfStream* Contents() const { return contents_; }
    TPdfCanvasAttribute& Attr() { return attr_; }
    const TPdfCanvasAttribute& Attr() const { return attr_; }
    bool IsVirtual() const { return isVirtual_; }
    void SetIsVirtual(bool isVirtual) { isVirtual_ = isVirtual; }

    // Forgets the page, for when the document that holds it goes.
    void Detach();

  private:
    bool Writing() const { return !isVirtual_ && contents_ != nullptr; }
    void WriteString(std::string_view text);
    void WriteOperator(std::initializer_list<float> operands, std::string_view name);
    void WriteColour(std::int32_t colour, std::string_view name);
    void SetMediaBoxNumber(int index, int value);
    void UseXObject(std::string_view name, std::string_view notFoundMessage);
    // What one byte adds to the width, spacing included.
    float AdvanceAt(std::string_view text, std::size_t index, TPdfByteType type) const;

    TPdfStream* contents_ = nullptr;
    TPdfDictionary* page_ = nullptr;
    TPdfDoc* pdfDoc_;
    TPdfCanvasAttribute attr_;
    bool isVirtual_ = false;
};

}  // namespace pdf
