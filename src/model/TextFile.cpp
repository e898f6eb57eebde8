#include "TextFile.h"

#include "Cp932.h"
#include "ModelError.h"
#include "SaveFile.h"

namespace {

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines << text.mid(start);
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

QStringList ReadLines(const QString& path) {
    const QByteArray bytes = ReadWholeFile(path, MaxSize);
    try {
        return SplitLines(Cp932::decode(bytes));
    } catch (const ECp932Error& error) {
        throw EFileFormatError(QStringLiteral("「%1」を読めません: %2").arg(path, error.message()));
    }
}

void WriteLines(const QString& path, const QStringList& lines) {
    SaveFileAtomically(path, EncodeLines(path, lines));
}

}  // namespace TextFile
