#pragma once

#include "TPRControl.h"

// A container of items and nested panels, painted child by child.
class TPRPanel : public TPRControl {
  public:
    TPRPanel() : TPRControl(100, 100) {}
    QString ClassName() const override { return QStringLiteral("TPRPanel"); }
    virtual void Render(TPRCanvas& canvas, const TPRBounds& rect);

  protected:
    void CheckChild(const TPRControl& child) const override;
};
