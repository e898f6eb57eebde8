#include "CsvLine.h"

namespace {

// Blanks and control characters, which separate fields; NUL ends the line.
bool isBlank(QChar c) {
    return c.unicode() >= 0x01 && c.unicode() <= 0x20;
}
bool endsField(QChar c) {
    return c == u',' || c.unicode() <= 0x20;
}

QString quoted(const QString& field) {
    QString text = field;
    text.replace(u'"', QStringLiteral("\"\""));
    if (text.contains(u',') || text.contains(u'"') || text.contains(u' ')) {
        return u'"' + text + u'"';
    }
    return text;
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
    const qsizetype nul = line.indexOf(QChar(0));
    const QStringView text = QStringView(line).left(nul < 0 ? line.size() : nul);
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
            while (i < text.size() && !endsField(text[i])) {
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

}  // namespace CsvLine
