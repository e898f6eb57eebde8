#include "TPdfCanvasAttribute.h"

#include "Exception.h"

namespace pdf {

void TPdfCanvasAttribute::SetWordSpace(float value) {
    if (!(value >= 0)) {
        throw EPdfInvalidValue("SetWordSpace --invalid word space");
    }
    wordSpace_ = value;
}

void TPdfCanvasAttribute::SetCharSpace(float value) {
    if (!(value >= -30 && value <= 300)) {
        throw EPdfInvalidValue("SetCharSpace --invalid char space");
    }
    charSpace_ = value;
}

void TPdfCanvasAttribute::CheckFontSize(float value) {
    if (!(value >= 0 && value <= 300)) {
        throw EPdfInvalidValue("SetFontSize --invalid font size");
    }
}

void TPdfCanvasAttribute::SetFontSize(float value) {
    CheckFontSize(value);
    fontSize_ = value;
}

void TPdfCanvasAttribute::SetLeading(float value) {
    if (!(value >= 0 && value <= 300)) {
        throw EPdfInvalidValue("SetLeading --invalid leading");
    }
    leading_ = value;
}

void TPdfCanvasAttribute::SetHorizontalScaling(int value) {
    if (!(value >= 10 && value <= 300)) {
        throw EPdfInvalidValue("SetHorizontalScaling --invalid horizontal scaling");
    }
    horizontalScaling_ = static_cast<std::uint16_t>(value);
}

}  // namespace pdf
