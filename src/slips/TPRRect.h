#pragma once

#include "TPRShape.h"

// A filled or framed rectangle; one unit high or wide it is a rule.
class TPRRect : public TPRShape {
  public:
    QString ClassName() const override { return QStringLiteral("TPRRect"); }
    void Render(TPRCanvas& canvas, const TPRBounds& rect) override;
};
