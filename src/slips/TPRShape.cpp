#include "TPRShape.h"

#include <array>

#include "TPdfCanvas.h"

void TPRShape::SetDash(pdf::TPdfCanvas& canvas) const {
    static constexpr std::array<std::uint8_t, 2> dash = {16, 8};
    static constexpr std::array<std::uint8_t, 1> dot = {3};
    static constexpr std::array<std::uint8_t, 4> dashDot = {8, 7, 2, 7};
    static constexpr std::array<std::uint8_t, 6> dashDotDot = {8, 4, 2, 4, 2, 4};
    switch (LineStyle) {
        case TPenStyle::psSolid:
        case TPenStyle::psInsideFrame:
            canvas.SetDash({}, 0);
            break;
        case TPenStyle::psDash:
            canvas.SetDash(dash, 0);
            break;
        case TPenStyle::psDot:
            canvas.SetDash(dot, 0);
            break;
        case TPenStyle::psDashDot:
            canvas.SetDash(dashDot, 0);
            break;
        case TPenStyle::psDashDotDot:
            canvas.SetDash(dashDotDot, 0);
            break;
        case TPenStyle::psClear:
            break;
    }
}
