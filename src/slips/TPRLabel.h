#pragma once

#include <QString>

#include "TPRCustomLabel.h"
#include "TPdfCanvas.h"

// One line of text, never wrapped; condensed to the label's width when wider, and cut
// there when even that fails.
class TPRLabel : public TPRCustomLabel {
  public:
    bool Clipping = false;
    pdf::TAlignment Alignment = pdf::TAlignment::taLeftJustify;
    // Spreads the caption over the label's width.
    bool AlignJustified = false;

    QString ClassName() const override { return QStringLiteral("TPRLabel"); }
    const QString& Caption() const { return caption_; }
    // ECp932Error when the text has a character Shift-JIS cannot hold.
    void SetCaption(const QString& caption);

    // Width of the caption in the label's font, measured on its page.
    float GetTextWidth();
    void Render(TPRCanvas& canvas, const TPRBounds& rect) override;

  private:
    void ApplyFont(pdf::TPdfCanvas& canvas) const;

    QString caption_;
    std::string bytes_;
};
