#include "PreviewPicture.h"

#include <QBuffer>
#include <QComboBox>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "Messages.h"
#include "ModelError.h"
#include "SaveFile.h"

namespace {

int Round(double v) {
    return static_cast<int>(std::lround(v));
}

}  // namespace

QRect PreviewImageRect(QSize box, double zoom, bool landscape) {
    const int w = box.width();
    const int h = box.height();
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    if (landscape) {
        width = Round(w * zoom);
        height = Round(width / 1.414);
        top = Round(h / 2.0) - Round(height / 2.0);
    } else {
        height = Round(h * zoom);
        width = Round(height / 1.414);
        left = Round(w / 2.0) - Round(width / 2.0);
    }
    return {std::max(0, left), std::max(0, top), width, height};
}

void PreparePreviewBox(QScrollArea& box, QWidget& content) {
    QPalette black = box.palette();
    black.setColor(QPalette::Window, Qt::black);
    box.setPalette(black);
    box.setBackgroundRole(QPalette::Window);
    content.setAutoFillBackground(false);
}

void PlacePreviewImage(QScrollArea& box, QWidget& image, const QRect& at) {
    // The scroll area's content holds the page; scrolling moves the content, not the page.
    const QSize client = box.maximumViewportSize();
    box.widget()->resize(std::max(client.width(), at.right() + 1),
                         std::max(client.height(), at.bottom() + 1));
    image.setGeometry(at);
}

QImage PreviewImage(const TSlipPagePicture& page, QSize size) {
    QImage image(std::max(1, size.width()), std::max(1, size.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    DrawSlipPage(painter, page, image.size());
    painter.end();
    return image;
}

void FillZoomList(QComboBox& list) {
    for (int percent = 100; percent <= 200; percent += 10) {
        list.addItem(QStringLiteral("%1%").arg(percent));
    }
}

bool ScrollPreviewByWheel(QScrollArea& box, QEvent* event) {
    if (event->type() != QEvent::Wheel) {
        return false;
    }
    const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
    QScrollBar* bar = box.verticalScrollBar();
    bar->setValue(bar->value() - 5 * notches);
    return true;
}

void SavePreviewPicture(QWidget* parent, const QImage& image, const QString& path,
                        const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    try {
        if (!image.save(&buffer, format)) {
            throw EFileError(QStringLiteral("画像を「%1」に書き出せませんでした。").arg(path));
        }
        SaveFileAtomically(path, bytes);
    } catch (const EModelError& error) {
        Messages::Error(parent, error.message());
    }
}
