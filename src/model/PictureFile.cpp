#include "PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "BrokenFile.h"
#include "ModelError.h"
#include "SaveFile.h"

namespace PictureFile {

QImage Load(const QString& path) {
    if (!QFile::exists(path)) {
        return {};
    }
    QByteArray bytes = ReadWholeFile(path, MaxSize);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage picture = reader.read();
    if (picture.isNull()) {
        throw EFileError(
            QStringLiteral("画像「%1」を読み込めません: %2").arg(path, reader.errorString()));
    }
    return picture;
}

QByteArray Encode(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "BMP")) {
        throw EFileError(QStringLiteral("画像を BMP に変換できません。"));
    }
    return bytes;
}

void Store(const QString& path, const QImage& picture) {
    GuardBeforeReplacing(path, [](const QString& existing) { Load(existing); });
    if (picture.isNull()) {
        if (QFile::exists(path) && !RemoveFile(QFile::encodeName(path))) {
            throw EFileError(QStringLiteral("画像「%1」を削除できません。").arg(path));
        }
        return;
    }
    QByteArray bytes;
    try {
        bytes = Encode(picture);
    } catch (const EFileError&) {
        throw EFileError(QStringLiteral("画像「%1」を BMP に変換できません。").arg(path));
    }
    SaveFileAtomically(path, bytes);
}

}  // namespace PictureFile
