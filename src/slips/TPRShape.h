#pragma once

#include <cstdint>

#include "TPRCustomLabel.h"

enum class TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};

// What rectangles and rules share: the pen and the fill.
class TPRShape : public TPRItem {
  public:
    std::int32_t LineColor = 0;
    TPenStyle LineStyle = TPenStyle::psSolid;
    std::int32_t FillColor = clNone;

    float LineWidth() const { return lineWidth_; }
    void SetLineWidth(float value) {
        if (value >= 0) {
            lineWidth_ = value;
        }
    }

  protected:
    // The dash pattern of the pen; nothing for a clear pen.
    void SetDash(pdf::TPdfCanvas& canvas) const;

  private:
    float lineWidth_ = 0;
};
