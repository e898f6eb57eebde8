#include "ZipTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <array>
#include <functional>

#include "Cp932.h"
#include "ModelError.h"
#include "SaveFile.h"
#include "TextFile.h"

namespace ZipTable {

namespace {

const QString UnknownCode = QStringLiteral("郵便番号が不明です。");
const QString UnknownAddress = QStringLiteral("住所が不明です。");

constexpr qsizetype MinCodeBytes = 3;
constexpr qsizetype MaxCodeBytes = 8;
constexpr qsizetype MaxAddressBytes = 512;
constexpr qsizetype MaxDisplayTail = 128;

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Length of the character at pos: 2 for a lead byte with its trail byte before end.
qsizetype charLength(const char* bytes, qsizetype pos, qsizetype end) {
    return Cp932::IsLeadByte(static_cast<unsigned char>(bytes[pos])) && pos + 1 < end &&
                   Cp932::IsTrailByte(static_cast<unsigned char>(bytes[pos + 1]))
               ? 2
               : 1;
}

// Upper case of every double-byte character whose upper case is another double-byte
// character (full-width Latin, Greek, Cyrillic, Roman numerals), indexed by lead * 256 +
// trail; 0 where the character stays. Built once from the codec, so it follows cp932.
const std::array<quint16, 65536>& doubleByteUpper() {
    static const std::array<quint16, 65536> table = [] {
        std::array<quint16, 65536> upper{};
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!Cp932::IsLeadByte(static_cast<unsigned char>(lead))) {
                continue;
            }
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!Cp932::IsTrailByte(static_cast<unsigned char>(trail))) {
                    continue;
                }
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                try {
                    const QString ch = Cp932::decode(QByteArrayView(pair, 2));
                    const QString up = ch.toUpper();
                    if (up == ch || up.size() != 1) {
                        continue;
                    }
                    const QByteArray upBytes = Cp932::encode(up);
                    if (upBytes.size() == 2) {
                        upper[lead * 256 + trail] =
                            static_cast<quint16>(static_cast<unsigned char>(upBytes[0]) * 256 +
                                                 static_cast<unsigned char>(upBytes[1]));
                    }
                } catch (const ECp932Error&) {
                    // unassigned code: nothing to map
                }
            }
        }
        return upper;
    }();
    return table;
}

// Upper-cases Shift-JIS text in place, one character at a time, so a trail byte that
// looks like a Latin letter is never changed. Line ends restart the character walk.
void toUpperCp932(QByteArray& bytes) {
    const auto& upper = doubleByteUpper();
    char* data = bytes.data();
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        if (b < 0x80) {
            if (b >= 'a' && b <= 'z') {
                data[i] = static_cast<char>(b - 'a' + 'A');
            }
            ++i;
        } else if (charLength(data, i, size) == 2) {
            const quint16 mapped = upper[b * 256 + static_cast<unsigned char>(data[i + 1])];
            if (mapped != 0) {
                data[i] = static_cast<char>(mapped >> 8);
                data[i + 1] = static_cast<char>(mapped & 0xFF);
            }
            i += 2;
        } else {
            ++i;
        }
    }
}

struct Line {
    qsizetype start;
    qsizetype end;  // the line break or the end of the file
};

// The lines that matches accepts, in file order. Each line is looked at once, so a table
// with one huge line costs no more than one with many short ones.
QList<Line> matchingLines(const QByteArray& data,
                          const std::function<bool(QByteArrayView text)>& matches) {
    QList<Line> lines;
    const char* bytes = data.constData();
    const qsizetype size = data.size();
    for (qsizetype start = 0; start < size;) {
        qsizetype end = start;
        while (end < size && !isLineEnd(bytes[end])) {
            ++end;
        }
        if (end > start && matches(QByteArrayView(bytes + start, end - start))) {
            lines << Line{start, end};
        }
        start = end + 1;
    }
    return lines;
}

qsizetype lineNumber(const QByteArray& data, qsizetype pos) {
    qsizetype number = 1;
    for (qsizetype i = 0; i < pos; ++i) {
        if (data[i] == '\n' || (data[i] == '\r' && (i + 1 == data.size() || data[i + 1] != '\n'))) {
            ++number;
        }
    }
    return number;
}

QList<Entry> entriesOf(const QString& zipFile, const QByteArray& data, const QList<Line>& lines) {
    QList<Entry> entries;
    entries.reserve(lines.size());
    const char* bytes = data.constData();
    for (const Line& line : lines) {
        const QByteArrayView text(bytes + line.start, line.end - line.start);
        const qsizetype comma = text.indexOf(',');
        const QByteArrayView code = comma < 0 ? QByteArrayView() : text.first(comma);
        QByteArrayView address = comma < 0 ? text : text.sliced(comma + 1);
        if (address.size() > MaxAddressBytes) {
            // Cut before a character that would straddle the limit.
            qsizetype cut = 0;
            while (cut < address.size()) {
                const qsizetype next = cut + charLength(address.data(), cut, address.size());
                if (next > MaxAddressBytes) {
                    break;
                }
                cut = next;
            }
            address = address.first(cut);
        }
        try {
            entries << Entry{DisplayCode(Cp932::decode(code)), Cp932::decode(address)};
        } catch (const ECp932Error& error) {
            throw EFileFormatError(QStringLiteral("「%1」を読めません: %2行目: %3")
                                       .arg(zipFile)
                                       .arg(lineNumber(data, line.start))
                                       .arg(error.message()));
        }
    }
    return entries;
}

Result found(const QString& zipFile, const QByteArray& data, const QList<Line>& lines,
             const QString& unknown) {
    if (lines.isEmpty()) {
        return {unknown, {}};
    }
    return {{}, entriesOf(zipFile, data, lines)};
}

// Text the table can hold, or nothing: a key with a character cp932 lacks matches no line.
bool encodeKey(const QString& text, QByteArray& key) {
    try {
        key = Cp932::encode(text);
        return true;
    } catch (const ECp932Error&) {
        return false;
    }
}

}  // namespace

Result FindByCode(const QString& zipFile, const QString& text) {
    QByteArray key;
    if (!encodeKey(text, key) || key.size() < MinCodeBytes || key.size() > MaxCodeBytes) {
        return {UnknownCode, {}};
    }
    key.replace("-", "");
    // A key of hyphens alone would list the whole table as if it were a code.
    if (key.isEmpty()) {
        return {UnknownCode, {}};
    }
    const QByteArray data = ReadWholeFile(zipFile, TextFile::MaxSize);
    const QList<Line> lines =
        matchingLines(data, [&key](QByteArrayView line) { return line.startsWith(key); });
    return found(zipFile, data, lines, UnknownCode);
}

Result FindByAddress(const QString& zipFile, const QString& text) {
    if (text.isEmpty()) {
        return {UnknownAddress, {}};
    }
    const QByteArray data = ReadWholeFile(zipFile, TextFile::MaxSize);
    QByteArray key;
    if (!encodeKey(text, key) || key.contains('\r') || key.contains('\n')) {
        return {UnknownAddress, {}};
    }
    toUpperCp932(key);
    QByteArray upper = data;
    toUpperCp932(upper);
    const QList<Line> lines = matchingLines(upper, [&key](QByteArrayView line) {
        // A hit counts only where a character starts; the walk over the characters only
        // goes forward, so many rejected hits in one line cost one pass over it.
        qsizetype boundary = 0;
        for (qsizetype hit = line.indexOf(key); hit >= 0; hit = line.indexOf(key, hit + 1)) {
            while (boundary < hit) {
                boundary += charLength(line.data(), boundary, line.size());
            }
            if (boundary == hit) {
                return true;
            }
        }
        return false;
    });
    return found(zipFile, data, lines, UnknownAddress);
}

QString DisplayCode(const QString& code) {
    return code.left(3) + u'-' + code.mid(3, MaxDisplayTail);
}

QString InstalledFolder() {
    return InstalledFolder(QCoreApplication::applicationDirPath());
}

QString InstalledFolder(const QString& programFolder) {
    QStringList candidates = {programFolder + QStringLiteral("/" DORVANI4_POSTAL_RELATIVE_DIR)};
    for (QDir up(programFolder); up.cdUp();) {
        candidates += up.path() + QStringLiteral("/" DORVANI4_POSTAL_DATA_DIR);
    }
    for (const QString& folder : candidates) {
        if (QFileInfo::exists(folder + QStringLiteral("/") + QLatin1String(FileName))) {
            return QFileInfo(folder).canonicalFilePath() + u'/';
        }
    }
    return {};
}

}  // namespace ZipTable
