#pragma once

#include "TPRControl.h"

// A leaf of a page: only panels take it; hidden items are skipped when painting.
class TPRItem : public TPRControl {
  public:
    TPRItem() : TPRControl(100, 30) {}
    bool Printable = true;
    virtual void Render(TPRCanvas& canvas, const TPRBounds& rect) = 0;
};
