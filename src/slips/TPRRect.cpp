#include "TPRRect.h"

#include "TPRCanvas.h"
#include "TPRPage.h"

void TPRRect::Render(TPRCanvas& canvas, const TPRBounds& rect) {
    const bool wide = Width > 1;
    const bool high = Height > 1;
    const bool noLine = LineColor == clNone || LineStyle == TPenStyle::psClear;
    if ((!wide && !high) || (noLine && (!wide || !high))) {
        return;
    }
    pdf::TPdfCanvas& pdfCanvas = *canvas.PdfCanvas;
    const auto pageHeight = static_cast<float>(Page()->Height);
    const auto left = static_cast<float>(rect.Left);
    const float top = pageHeight - static_cast<float>(rect.Top);
    const float bottom = pageHeight - static_cast<float>(rect.Bottom) + (high ? 1.0F : 0.0F);
    const float right = static_cast<float>(rect.Right) - (wide ? 1.0F : 0.0F);

    SetDash(pdfCanvas);
    pdfCanvas.MoveTo(left, top);
    if (wide) {
        pdfCanvas.LineTo(right, top);
        if (high) {
            pdfCanvas.LineTo(right, bottom);
        }
    }
    if (high) {
        pdfCanvas.LineTo(left, bottom);
    }
    const bool filled = FillColor != clNone && wide && high;
    if (filled) {
        pdfCanvas.SetFillRGB(FillColor);
    }
    if (LineColor != clNone) {
        pdfCanvas.SetStrokeRGB(LineColor);
        pdfCanvas.SetLineWidth(LineWidth());
    }
    if (filled) {
        if (!noLine) {
            pdfCanvas.CloseFillAndStroke();
        } else {
            pdfCanvas.ClosePath();
            pdfCanvas.Fill();
        }
    } else if (wide && high) {
        pdfCanvas.CloseAndStroke();
    } else {
        pdfCanvas.Stroke();
        pdfCanvas.EndPath();
    }
}
