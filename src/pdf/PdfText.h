#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Byte-level helpers for the Shift-JIS (cp932) text the writer is handed.
namespace pdf {

enum class TPdfByteType { Single, Lead, Trail };

// Zero-based. A lead byte at the very end of the text still counts as a lead byte.
TPdfByteType ByteTypeAt(std::string_view text, std::size_t index);
// The type of a byte from the type of the one before it, for walks from the start of a
// text; `ByteTypeAt` looks back and costs as much as the lead-range bytes before it.
TPdfByteType NextByteType(TPdfByteType previous, char byte);
bool HasDoubleByteChar(std::string_view text);
// A double-byte character counts once.
int CountChars(std::string_view text);

std::string EscapeLiteral(std::string_view text);
void AppendEscapedLiteral(std::string& out, std::string_view text);
// Upper-case, two digits a byte, no separators.
std::string BytesToHex(std::string_view text);
void AppendBytesToHex(std::string& out, std::string_view text);
// Shift-JIS to UTF-16BE code units, four upper-case digits each; EPdfInvalidValue when the
// text is not valid cp932.
std::string ToUtf16BeHex(std::string_view text);

// Byte-order mark and the language escape for "en": "FEFF001B%s001B" with BytesToHex("en").
inline constexpr std::string_view UnicodeTextPrefix = "FEFF001B656E001B";

}  // namespace pdf
