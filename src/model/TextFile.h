#pragma once

#include <QString>
#include <QStringList>

// Shift-JIS text files of lines. Reading accepts CR LF, CR and LF; a final line break adds
// no empty line. Writing ends every line with CR LF and replaces the file atomically.
namespace TextFile {

constexpr qint64 MaxSize = 512LL * 1024 * 1024;

QStringList ReadLines(const QString& path);
// Throws EFileError naming the file and the line when a line cannot be written in cp932.
void WriteLines(const QString& path, const QStringList& lines);

}  // namespace TextFile
