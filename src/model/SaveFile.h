#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes beside path and renames them over it only when every byte arrived, so a
// failing write (full disk, read-only folder) raises EFileError and keeps the old file.
void SaveFileAtomically(const QString& path, const QByteArray& bytes);

// The whole content of a file; EFileError with the file system's reason when it cannot be
// read, EFileFormatError when it is larger than maxSize.
QByteArray ReadWholeFile(const QString& path, qint64 maxSize);
