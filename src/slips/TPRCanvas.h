#pragma once

#include <string_view>

#include "TPRControl.h"
#include "TPdfCanvas.h"

// The canvas handed down a page while it renders: the PDF canvas of the page being written.
class TPRCanvas {
  public:
    pdf::TPdfCanvas* PdfCanvas = nullptr;

    // One line of text in a template rectangle, mapped into PDF space by the page height.
    void TextRect(const TPRBounds& rect, std::string_view text, bool clipping,
                  pdf::TAlignment alignment) {
        const auto height = static_cast<float>(PdfCanvas->PageHeight());
        PdfCanvas->TextRect(
            {static_cast<float>(rect.Left), height - static_cast<float>(rect.Top),
             static_cast<float>(rect.Right), height - static_cast<float>(rect.Bottom)},
            text, alignment, clipping);
    }
};
