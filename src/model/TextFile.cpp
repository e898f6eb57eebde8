#include "TextFile.h"

#include "Cp932.h"
#include "SaveFile.h"

namespace {

// The lines of bytes, without their CR LF, CR or LF.
QList<QByteArrayView> SplitLines(QByteArrayView bytes) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\r' || c == '\n') {
            lines << bytes.sliced(start, i - start);
            if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < bytes.size()) {
        lines << bytes.sliced(start);
    }
    return lines;
}

QByteArray EncodeLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        try {
            bytes += Cp932::encode(lines.at(i));
        } catch (const ECp932Error& error) {
            throw EFileError(QStringLiteral("「%1」に保存できません: %2行目: %3")
                                 .arg(path)
                                 .arg(i + 1)
                                 .arg(error.message()));
        }
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace

namespace TextFile {

Lines ReadLines(const QString& path) {
    const QByteArray bytes = ReadWholeFile(path, MaxSize);
    const QList<QByteArrayView> raw = SplitLines(bytes);
    Lines lines;
    lines.Readable.reserve(raw.size());
    for (qsizetype n = 0; n < raw.size(); ++n) {
        try {
            lines.Readable << Cp932::decode(raw.at(n));
        } catch (const ECp932Error& error) {
            lines.Broken.emplace(path, n + 1, error.message());
            break;
        }
    }
    return lines;
}

void WriteLines(const QString& path, const QStringList& lines) {
    SaveFileAtomically(path, EncodeLines(path, lines));
}

}  // namespace TextFile
