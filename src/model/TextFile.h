#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "ModelError.h"

// Shift-JIS text files of lines. Reading accepts CR LF, CR and LF; a final line break adds
// no empty line. Writing ends every line with CR LF and replaces the file atomically.
namespace TextFile {

// Settings, masters and the postal table. Their lines take about 4 times the file's size
// once read (a 50 MB conf.ini peaks at 220 MB), so this keeps a reader near 300 MB; the
// national postal table is under 5 MB.
constexpr qint64 MaxSize = 64LL * 1024 * 1024;

// The lines of a file as far as they are Shift-JIS.
struct Lines {
    QStringList Readable;                    // every line before the first broken one
    std::optional<EBrokenLineError> Broken;  // that line, when the file has one

    void ThrowIfBroken() const {
        if (Broken) {
            throw *Broken;
        }
    }
};

// The bytes are split at the line ends before they are decoded (CR and LF are never part
// of a two-byte character), so a byte that is not cp932 loses its line and what follows,
// never the lines before. EFileError when the file cannot be read at all.
Lines ReadLines(const QString& path);
// Throws EFileError naming the file and the line when a line cannot be written in cp932.
void WriteLines(const QString& path, const QStringList& lines);

}  // namespace TextFile
