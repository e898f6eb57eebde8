#include "TPdfText.h"

#include "PdfText.h"

namespace pdf {

void TPdfText::WriteValue(TPdfWriteStream& stream) {
    std::string out;
    if (HasDoubleByteChar(value_)) {
        out += '<';
        out += UnicodeTextPrefix;
        out += ToUtf16BeHex(value_);
        out += '>';
    } else {
        out += '(';
        AppendEscapedLiteral(out, value_);
        out += ')';
    }
    stream.Write(out);
}

}  // namespace pdf
