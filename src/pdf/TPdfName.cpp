#include "TPdfName.h"

#include "PdfText.h"

namespace pdf {

namespace {

bool NeedsEscape(unsigned char byte) {
    constexpr std::string_view kDelimiters = "#%()/<>[]{}";
    return byte < 0x21 || byte > 0x7E ||
           kDelimiters.find(static_cast<char>(byte)) != std::string_view::npos;
}

}  // namespace

void AppendEscapedName(std::string& out, std::string_view value) {
    out += '/';
    for (char c : value) {
        if (NeedsEscape(static_cast<unsigned char>(c))) {
            out += '#';
            AppendBytesToHex(out, std::string_view(&c, 1));
        } else {
            out += c;
        }
    }
}

void TPdfName::WriteValue(TPdfWriteStream& stream) {
    std::string out;
    AppendEscapedName(out, value_);
    stream.Write(out);
}

}  // namespace pdf
