#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The Shift-JIS code page of every file the program reads and writes. Nothing is ever
// replaced by "?": text that cp932 cannot hold, and bytes that are not cp932, raise
// ECp932Error naming the character or the byte offset.
namespace Cp932 {

QByteArray encode(const QString& text);
QString decode(QByteArrayView bytes);

}  // namespace Cp932
