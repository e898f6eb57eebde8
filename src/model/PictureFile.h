#pragma once

#include <QImage>
#include <QString>

// The seal, logo and company-stamp pictures: BMP files in the image folder.
namespace PictureFile {

// A seal or logo is far smaller; anything larger is not one of ours.
constexpr qint64 MaxSize = 64LL * 1024 * 1024;

// An empty picture when the file does not exist; EFileError when it exists but cannot be
// read as a picture.
QImage Load(const QString& path);
// The picture as the BMP file Store writes; EFileError when it cannot be converted.
QByteArray Encode(const QImage& picture);
// A picture is written as BMP, atomically; an empty picture removes the file. A file there
// that cannot be read as a picture is copied aside first (BrokenFile.h).
void Store(const QString& path, const QImage& picture);

}  // namespace PictureFile
