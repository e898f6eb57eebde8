#include "CsvLine.h"

namespace {

// Blanks and control characters, which separate fields; NUL ends the line.
bool isBlank(QChar c) {
    return c.unicode() >= 0x01 && c.unicode() <= 0x20;
}
// Control characters alone, for files whose unquoted fields may hold spaces.
bool isControl(QChar c) {
    return c.unicode() >= 0x01 && c.unicode() < 0x20;
}

QString quoted(const QString& field) {
    QString text = field;
    text.replace(u'"', QStringLiteral("\"\""));
    if (text.contains(u',') || text.contains(u'"') || text.contains(u' ')) {
        return u'"' + text + u'"';
    }
    return text;
}

template <class Blank>
QStringList splitFields(QStringView line, Blank isBlank) {
    const qsizetype nul = line.indexOf(QChar(0));
    const QStringView text = line.left(nul < 0 ? line.size() : nul);
    QStringList fields;
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
    };
    skipBlanks();
    while (i < text.size()) {
        QString field;
        if (text[i] == u'"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == u'"') {
                    if (i + 1 < text.size() && text[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < text.size() && text[i] != u',' && !isBlank(text[i])) {
                ++i;
            }
            field = text.mid(start, i - start).toString();
        }
        fields << field;
        skipBlanks();
        if (i < text.size() && text[i] == u',') {
            ++i;
            skipBlanks();
            if (i == text.size()) {
                fields << QString();
            }
        }
    }
    return fields;
}

}  // namespace

namespace CsvLine {

QString Join(const QStringList& fields) {
    QStringList out;
    out.reserve(fields.size());
    for (const QString& field : fields) {
        out << quoted(field);
    }
    return out.join(u',');
}

QStringList Split(const QString& line) {
    return splitFields(QStringView(line), isBlank);
}

QStringList SplitKeepingSpaces(QStringView line) {
    return splitFields(line, isControl);
}

QString Shown(const QString& line) {
    QStringList fields = Split(line);
    fields.removeAll(QString());
    return fields.join(QStringLiteral("／"));
}

}  // namespace CsvLine
