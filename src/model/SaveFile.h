#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes beside path and renames them over it only when every byte arrived, so a
// failing write (full disk, read-only folder) raises EFileError and keeps the old file.
void SaveFileAtomically(const QString& path, const QByteArray& bytes);

// Whether path is a regular file or a link to one. FIFOs, devices and sockets are not: a
// FIFO blocks its reader for ever and a device such as /dev/zero never ends.
bool IsRegularFile(const QString& path);

// A descriptor for reading path, open only when it is a regular file; EFileError naming the
// file otherwise. Opening never blocks, and the type is checked again on the descriptor, so
// a file swapped for a FIFO after the first look is refused too.
int OpenRegularFile(const QString& path);

// The whole content of a regular file; EFileError with the file system's reason when it
// cannot be read, EFileFormatError when it is larger than maxSize. The limit counts the
// bytes actually read, never the size the file system reports.
QByteArray ReadWholeFile(const QString& path, qint64 maxSize);
