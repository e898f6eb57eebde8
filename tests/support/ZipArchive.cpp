#include "ZipArchive.h"

#include <zip.h>

#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

QByteArray ZipArchiveOf(const QString& memberName, const QByteArray& content,
                        const QDateTime& modified) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("archive.zip")));
    int error = 0;
    zip_t* zip = zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_source_t* source =
        zip ? zip_source_buffer(zip, content.constData(), content.size(), 0) : nullptr;
    const QByteArray name = memberName.toUtf8();
    const zip_int64_t index =
        source ? zip_file_add(zip, name.constData(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0 ||
        zip_file_set_mtime(zip, index, static_cast<time_t>(modified.toSecsSinceEpoch()), 0) != 0 ||
        zip_close(zip) != 0) {
        throw std::runtime_error("cannot make a zip archive");
    }
    QFile archive(dir.filePath(QStringLiteral("archive.zip")));
    if (!archive.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read the zip archive");
    }
    return archive.readAll();
}
