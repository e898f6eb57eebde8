#include "SlipDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

int MmToPx(double dpi, double mm) {
    return static_cast<int>(std::nearbyint(mm * dpi / 25.4));
}

QFont SlipFont(double dpi, int points, bool bold, bool underline) {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(static_cast<int>(std::nearbyint(points * dpi / 72.0)));
    font.setBold(bold);
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
    painter.setFont(SlipFont(dpi, points, bold, underline));
    painter.drawText(QRect(x, y, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

int SlipTextWidth(const QString& text, double dpi, int points, bool bold) {
    return QFontMetrics(SlipFont(dpi, points, bold)).horizontalAdvance(text);
}
