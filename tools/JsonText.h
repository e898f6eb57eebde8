#pragma once

#include <QString>
#include <QStringList>

#include "Currency.h"

// Pieces of JSON text written in a fixed key order, which QJsonDocument cannot keep.
// Amounts are strings of their exact decimal text; numbers never follow the locale.
namespace JsonText {

QString quote(const QString& text);
inline QString value(const QString& text) {
    return quote(text);
}
inline QString value(bool flag) {
    return flag ? QStringLiteral("true") : QStringLiteral("false");
}
inline QString value(Currency amount) {
    return quote(amount.toText());
}
inline QString value(int number) {
    return QString::number(number);
}
QString value(double number);

inline QString member(const QString& key, const QString& valueText) {
    return quote(key) + QStringLiteral(": ") + valueText;
}
// {"a": 1, "b": 2} on one line.
QString inlineObject(const QStringList& members);
// An object or array with one member per line, indented by indent spaces.
QString block(const QStringList& members, int indent, bool array = false);

}  // namespace JsonText
