#pragma once

#include <QString>

// Pieces of JSON text written in a fixed key order, which QJsonDocument cannot keep.
namespace JsonText {

QString quote(const QString& text);
inline QString boolean(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

}  // namespace JsonText
