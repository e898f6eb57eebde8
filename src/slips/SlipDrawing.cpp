#include "SlipDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "TextFit.h"

int MmToPx(double dpi, double mm) {
    return static_cast<int>(std::nearbyint(mm * dpi / 25.4));
}

namespace {

// The Gothic font has no bold face. Bold is struck twice, a little apart, so it stays bold
// on every device: synthetic bold is lost where large glyphs are drawn as outlines.
int BoldShift(const QFont& font) {
    return std::max(1, font.pixelSize() / 32);
}

}  // namespace

QFont SlipFont(double dpi, int points, bool underline) {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(static_cast<int>(std::nearbyint(points * dpi / 72.0)));
    font.setUnderline(underline);
    // Widths must not depend on the screen: the picture is measured at printer pixels.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void DrawSlipText(QPainter& painter, double dpi, int points, const QString& text, int y, int x,
                  bool bold, bool underline) {
    if (text.isEmpty()) {
        return;
    }
    const QFont font = SlipFont(dpi, points, underline);
    painter.setFont(font);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    painter.drawText(QRect(x, y, 0, 0), flags, text);
    if (bold) {
        painter.drawText(QRect(x + BoldShift(font), y, 0, 0), flags, text);
    }
}

void DrawSlipTextInCell(QPainter& painter, double dpi, int points, const QString& text, int y,
                        int x, int cellWidth, bool alignRight, bool bold, bool underline) {
    if (text.isEmpty()) {
        return;
    }
    const int width = SlipTextWidth(text, dpi, points, bold);
    const pdf::TTextFit fit = pdf::FitTextToCell(width, cellWidth);
    if (fit.Percent == 100) {
        DrawSlipText(painter, dpi, points, text, y, alignRight ? x + cellWidth - width : x, bold,
                     underline);
        return;
    }
    const double scale = fit.Percent / 100.0;
    const double left = alignRight ? x + cellWidth - width * scale : x;
    painter.save();
    if (fit.Clip) {
        const int height = SlipFont(dpi, points).pixelSize();
        painter.setClipRect(QRect(x, y - height, cellWidth, 3 * height), Qt::IntersectClip);
    }
    painter.translate(left, y);
    painter.scale(scale, 1);
    DrawSlipText(painter, dpi, points, text, 0, 0, bold, underline);
    painter.restore();
}

int SlipTextWidth(const QString& text, double dpi, int points, bool bold) {
    const QFont font = SlipFont(dpi, points);
    return QFontMetrics(font).horizontalAdvance(text) + (bold ? BoldShift(font) : 0);
}
