#pragma once

#include <QStringList>

#include "TPRCustomLabel.h"

// A block of lines; lines that do not fit its height are dropped, each is cut at the right.
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
