#pragma once

#include <QColor>

// The colours of "conf.ini" keep the Windows layout 0x00BBGGRR: red in the low byte.
namespace WindowsColor {

inline QColor ToColor(int value) {
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

inline int FromColor(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

}  // namespace WindowsColor
