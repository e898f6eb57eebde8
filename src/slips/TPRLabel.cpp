#include "TPRLabel.h"

#include "Cp932.h"
#include "PdfText.h"
#include "TPRCanvas.h"
#include "TPRPage.h"

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
    ApplyFont(*canvas.PdfCanvas);
    canvas.TextRect(rect, bytes_, Clipping, Alignment);
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
