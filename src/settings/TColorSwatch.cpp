#include "TColorSwatch.h"

#include <QPainter>

TColorSwatch::TColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
}

void TColorSwatch::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent* event) {
    QPainter(this).fillRect(contentsRect(), color_);
    QFrame::paintEvent(event);
}
