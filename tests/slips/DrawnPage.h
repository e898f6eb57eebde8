#pragma once

#include <QImage>
#include <QPainter>

#include "RenderSlipPage.h"

// The page played onto an image of its size; grey where nothing is drawn, so that a test sees
// what the page paints white.
inline QImage DrawnPage(const TSlipPagePicture& page) {
    QImage image(page.Size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    DrawSlipPage(painter, page, page.Size);
    return image;
}
