#include "JsonText.h"

#include "IniFile.h"

namespace JsonText {

QString quote(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'"':
                out += QLatin1String("\\\"");
                break;
            case u'\\':
                out += QLatin1String("\\\\");
                break;
            case u'\n':
                out += QLatin1String("\\n");
                break;
            case u'\r':
                out += QLatin1String("\\r");
                break;
            case u'\t':
                out += QLatin1String("\\t");
                break;
            default:
                if (c.unicode() < 0x20) {
                    out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                } else {
                    out += c;
                }
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString value(double number) {
    return IniFile::FloatText(number);
}

QString inlineObject(const QStringList& members) {
    return QStringLiteral("{") + members.join(QStringLiteral(", ")) + QStringLiteral("}");
}

QString block(const QStringList& members, int indent, bool array) {
    const QString open = array ? QStringLiteral("[") : QStringLiteral("{");
    const QString close = array ? QStringLiteral("]") : QStringLiteral("}");
    if (members.isEmpty()) {
        return open + close;
    }
    const QString inner(indent + 2, u' ');
    return open + u'\n' + inner + members.join(QStringLiteral(",\n") + inner) + u'\n' +
           QString(indent, u' ') + close;
}

}  // namespace JsonText
