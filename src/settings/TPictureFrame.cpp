#include "TPictureFrame.h"

#include <QPainter>

TPictureFrame::TPictureFrame(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    QPalette blank = palette();
    blank.setColor(QPalette::Window, Qt::white);
    setPalette(blank);
}

void TPictureFrame::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TPictureFrame::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(contentsRect(), picture_);
}
