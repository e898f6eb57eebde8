#include "TPRImage.h"

#include <QPainter>
#include <QRandomGenerator>
#include <cstring>

#include "Exception.h"
#include "TPRCanvas.h"
#include "TPRPage.h"
#include "TPdfDoc.h"
#include "TPdfImageCreator.h"

namespace {

// A palette picture stays one byte a pixel; translucent colours are laid on white.
pdf::TPdfBitmap ToIndexedBitmap(const QImage& picture) {
    const QImage indexed = picture.convertToFormat(QImage::Format_Indexed8);
    std::vector<pdf::TPdfPaletteEntry> palette;
    for (QRgb colour : indexed.colorTable()) {
        const int alpha = qAlpha(colour);
        auto onWhite = [&](int component) {
            return static_cast<std::uint8_t>((component * alpha + 255 * (255 - alpha) + 127) / 255);
        };
        palette.push_back({onWhite(qRed(colour)), onWhite(qGreen(colour)), onWhite(qBlue(colour))});
    }
    pdf::TPdfBitmap bitmap(indexed.width(), indexed.height(), pdf::TPdfPixelFormat::pf8bit);
    bitmap.SetPalette(std::move(palette));
    for (int y = 0; y < indexed.height(); ++y) {
        std::span<std::uint8_t> row = bitmap.Row(y);
        std::memcpy(row.data(), indexed.constScanLine(y), row.size());
    }
    return bitmap;
}

}  // namespace

pdf::TPdfBitmap TPRImage::ToPdfBitmap(const QImage& picture) {
    switch (picture.format()) {
        case QImage::Format_Indexed8:
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
            if (!picture.colorTable().isEmpty()) {
                return ToIndexedBitmap(picture);
            }
            break;
        default:
            break;
    }
    QImage rgb(picture.size(), QImage::Format_RGB32);
    if (picture.hasAlphaChannel()) {
        rgb.fill(Qt::white);
        QPainter painter(&rgb);
        painter.drawImage(0, 0, picture);
    } else {
        rgb = picture.convertToFormat(QImage::Format_RGB32);
    }
    // Format_RGB32 holds blue, green, red and a spare byte in memory, as pf32bit does.
    pdf::TPdfBitmap bitmap(rgb.width(), rgb.height(), pdf::TPdfPixelFormat::pf32bit);
    for (int y = 0; y < rgb.height(); ++y) {
        std::span<std::uint8_t> row = bitmap.Row(y);
        std::memcpy(row.data(), rgb.constScanLine(y), row.size());
    }
    return bitmap;
}

std::string TPRImage::ImageName(const pdf::TPdfDoc& doc) const {
    const std::string base = Name.toStdString();
    if (SharedImage) {
        return base;
    }
    auto number = static_cast<std::uint16_t>(QRandomGenerator::global()->bounded(65534));
    for (int tried = 0; tried < 65536; ++tried, ++number) {
        std::string name = base + std::to_string(number);
        if (doc.FindXObject(name) == nullptr) {
            return name;
        }
    }
    throw pdf::Exception("image count over max value..");
}

void TPRImage::Render(TPRCanvas& canvas, const TPRBounds& rect) {
    if (picture_.isNull()) {
        return;
    }
    pdf::TPdfCanvas& pdfCanvas = *canvas.PdfCanvas;
    pdf::TPdfDoc& doc = pdfCanvas.GetDoc();
    const std::string name = ImageName(doc);
    if (doc.FindXObject(name) == nullptr) {
        doc.AddImage(name, pdf::CreateImageFromGraphic(ToPdfBitmap(picture_), "Pdf-Bitmap"));
    }
    const auto height = static_cast<float>(Page()->Height);
    const auto left = static_cast<float>(rect.Left);
    if (Stretch) {
        pdfCanvas.DrawXObject(left, height - static_cast<float>(rect.Bottom),
                              static_cast<float>(Width), static_cast<float>(Height), name);
        return;
    }
    const auto pictureWidth = static_cast<float>(picture_.width());
    const auto pictureHeight = static_cast<float>(picture_.height());
    const float top = height - static_cast<float>(rect.Top);
    pdfCanvas.DrawXObjectEx(left, top - pictureHeight, pictureWidth, pictureHeight, left,
                            top - static_cast<float>(Height), static_cast<float>(Width),
                            static_cast<float>(Height), name);
}
