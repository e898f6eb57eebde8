#pragma once

#include <QStringList>

#include "TPRCustomLabel.h"

// A block of lines; lines that do not fit its height are dropped, a line wider than the
// block is condensed to fit and cut at the right where even that fails.
class TPRText : public TPRCustomLabel {
  public:
    QStringList Lines;
    bool WordWrap = false;

    QString ClassName() const override { return QStringLiteral("TPRText"); }
    float Leading() const { return leading_; }
    void SetLeading(float value) {
        if (value >= 0) {
            leading_ = value;
        }
    }
    // ECp932Error for a character Shift-JIS cannot hold.
    void Render(TPRCanvas& canvas, const TPRBounds& rect) override;

  private:
    float leading_ = 14;
};
