#pragma once

namespace pdf {

// A rectangle in PDF user space (points, y growing upwards).
struct TPdfFloatRect {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;

    bool operator==(const TPdfFloatRect&) const = default;
};

inline TPdfFloatRect MakeFloatRect(float left, float top, float right, float bottom) {
    return {left, top, right, bottom};
}

}  // namespace pdf
