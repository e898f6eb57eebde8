#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The Shift-JIS code page of every file the program reads and writes. Nothing is ever
// replaced by "?": text that cp932 cannot hold, and bytes that are not cp932, raise
// ECp932Error naming the character or the byte offset.
namespace Cp932 {

// The first byte of a two-byte character, and the bytes that may follow it.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
constexpr bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

QByteArray encode(const QString& text);
QString decode(QByteArrayView bytes);
// The bytes as an error message shows them: decoded where they are cp932, otherwise every
// byte outside printable ASCII as "\xNN", so a message never shows stray Latin-1 letters.
QString decodeForMessage(QByteArrayView bytes);

}  // namespace Cp932
