#include "TPRLabel.h"

#include "Cp932.h"
#include "PdfText.h"
#include "TPRCanvas.h"
#include "TPRPage.h"
#include "TextFit.h"

void TPRLabel::SetCaption(const QString& caption) {
    bytes_ = caption.isEmpty() ? std::string() : Cp932::encode(caption).toStdString();
    caption_ = caption;
}

float TPRLabel::GetTextWidth() {
    pdf::TPdfCanvas& canvas = Page()->MeasuringCanvas();
    ApplyFont(canvas);
    return canvas.TextWidth(bytes_);
}

void TPRLabel::Render(TPRCanvas& canvas, const TPRBounds& rect) {
    if (bytes_.empty()) {
        return;
    }
    pdf::TPdfCanvas& pdfCanvas = *canvas.PdfCanvas;
    ApplyFont(pdfCanvas);
    // A caption wider than the label is condensed to fit it, and cut where even that fails.
    const pdf::TTextFit fit =
        pdf::FitTextToCell(pdfCanvas.TextWidth(bytes_), static_cast<double>(Width));
    if (fit.Percent == 100) {
        canvas.TextRect(rect, bytes_, Clipping, Alignment);
        return;
    }
    pdfCanvas.SetHorizontalScaling(fit.Percent);
    canvas.TextRect(rect, bytes_, Clipping || fit.Clip, Alignment);
    pdfCanvas.SetHorizontalScaling(100);
}

void TPRLabel::ApplyFont(pdf::TPdfCanvas& canvas) const {
    canvas.SetFont(PdfFontName(), FontSize());
    canvas.SetFillRGB(FontColor());
    canvas.SetWordSpace(WordSpace());
    if (!AlignJustified) {
        canvas.SetCharSpace(CharSpace);
        return;
    }
    canvas.SetCharSpace(0);
    const float width = canvas.TextWidth(bytes_);
    const int count = pdf::CountChars(bytes_);
    if (count >= 2 && (static_cast<float>(Width) - width) / static_cast<float>(count - 1) > 0) {
        canvas.SetCharSpace((static_cast<float>(Width) - width) / static_cast<float>(count - 1));
    }
}
