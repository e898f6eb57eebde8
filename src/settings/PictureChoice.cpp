#include "PictureChoice.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QStandardPaths>

#include "ModelError.h"

namespace {

const QStringList Extensions = {QStringLiteral("BMP"), QStringLiteral("JPG"),
                                QStringLiteral("JPEG"), QStringLiteral("PNG")};

QImage OnWhite(const QImage& picture) {
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.setDotsPerMeterX(picture.dotsPerMeterX());
    flat.setDotsPerMeterY(picture.dotsPerMeterY());
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, picture);
    return flat;
}

}  // namespace

namespace PictureChoice {

QString StartFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

std::unique_ptr<QFileDialog> OpenDialog(QWidget* parent, const QString& folder) {
    auto dialog = std::make_unique<QFileDialog>(parent, QStringLiteral("画像を開く"), folder);
    dialog->setNameFilters({QStringLiteral("画像ファイル (*.bmp *.jpg *.jpeg *.png)"),
                            QStringLiteral("ビットマップ (*.bmp)"),
                            QStringLiteral("JPEG イメージファイル (*.jpg *.jpeg)"),
                            QStringLiteral("PNG イメージファイル (*.png)")});
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

QString Ask(QWidget* parent, const QString& folder) {
    const std::unique_ptr<QFileDialog> dialog = OpenDialog(parent, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return {};
    }
    return dialog->selectedFiles().first();
}

QImage Decode(const QString& path) {
    if (!Extensions.contains(QFileInfo(path).suffix().toUpper())) {
        throw EFileError(QStringLiteral("対応している画像形式はBMP、JPEG又はPNGです。"));
    }
    // The content decides the format, so a JPEG saved as .bmp still opens.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        throw EFileError(
            QStringLiteral(
                "画像「%1」を読み込めません。壊れているか、BMP・JPEG・PNGの画像ではありません。")
                .arg(QDir::toNativeSeparators(path)));
    }
    return picture.hasAlphaChannel() ? OnWhite(picture) : picture;
}

}  // namespace PictureChoice
