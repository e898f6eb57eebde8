#include "TPRText.h"

#include "Cp932.h"
#include "TPRCanvas.h"
#include "TPRPage.h"

void TPRText::Render(TPRCanvas& canvas, const TPRBounds& rect) {
    pdf::TPdfCanvas& pdfCanvas = *canvas.PdfCanvas;
    pdfCanvas.SetFont(PdfFontName(), FontSize());
    pdfCanvas.SetFillRGB(FontColor());
    pdfCanvas.SetCharSpace(CharSpace);
    pdfCanvas.SetWordSpace(WordSpace());
    pdfCanvas.SetLeading(Leading());
    const std::string joined = Cp932::encode(Lines.join(QStringLiteral("\r\n"))).toStdString();
    std::string_view text = joined;
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) {
        text.remove_suffix(1);
    }
    const auto height = static_cast<float>(Page()->Height);
    pdfCanvas.MultilineTextRect(
        {static_cast<float>(rect.Left), height - static_cast<float>(rect.Top),
         static_cast<float>(rect.Right), height - static_cast<float>(rect.Bottom)},
        text, WordWrap, true);
}
