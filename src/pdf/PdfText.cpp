#include "PdfText.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "Exception.h"

namespace pdf {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool InLeadRange(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void AppendHexByte(std::string& out, unsigned char byte) {
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

struct IconvCloser {
    void operator()(void* handle) const { iconv_close(static_cast<iconv_t>(handle)); }
};

}  // namespace

TPdfByteType ByteTypeAt(std::string_view text, std::size_t index) {
    // A byte outside the lead range always ends a character, so counting the lead-range
    // bytes just before the index tells whether it is a trail byte without walking the
    // whole text from its start.
    std::size_t leads = 0;
    while (leads < index && InLeadRange(static_cast<unsigned char>(text[index - leads - 1]))) {
        ++leads;
    }
    if (leads % 2 == 1) {
        return TPdfByteType::Trail;
    }
    return InLeadRange(static_cast<unsigned char>(text[index])) ? TPdfByteType::Lead
                                                                : TPdfByteType::Single;
}

TPdfByteType NextByteType(TPdfByteType previous, char byte) {
    if (previous == TPdfByteType::Lead) {
        return TPdfByteType::Trail;
    }
    return InLeadRange(static_cast<unsigned char>(byte)) ? TPdfByteType::Lead
                                                         : TPdfByteType::Single;
}

bool HasDoubleByteChar(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (InLeadRange(static_cast<unsigned char>(text[i]))) {
            return true;  // the first lead-range byte always starts a character
        }
    }
    return false;
}

int CountChars(std::string_view text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        ++count;
        if (InLeadRange(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
    }
    return count;
}

void AppendEscapedLiteral(std::string& out, std::string_view text) {
    for (char c : text) {
        char escaped = 0;
        switch (c) {
            case '(':
                escaped = '(';
                break;
            case ')':
                escaped = ')';
                break;
            case '\\':
                escaped = '\\';
                break;
            case '\r':
                escaped = 'r';
                break;
            case '\n':
                escaped = 'n';
                break;
            case '\t':
                escaped = 't';
                break;
            case '\b':
                escaped = 'b';
                break;
            case '\f':
                escaped = 'f';
                break;
            default:
                break;
        }
        if (escaped != 0) {
            out += '\\';
            out += escaped;
        } else {
            out += c;
        }
    }
}

std::string EscapeLiteral(std::string_view text) {
    std::string out;
    AppendEscapedLiteral(out, text);
    return out;
}

void AppendBytesToHex(std::string& out, std::string_view text) {
    for (char c : text) {
        AppendHexByte(out, static_cast<unsigned char>(c));
    }
}

std::string BytesToHex(std::string_view text) {
    std::string out;
    AppendBytesToHex(out, text);
    return out;
}

std::string ToUtf16BeHex(std::string_view text) {
    iconv_t handle = iconv_open("UTF-16BE", "CP932");
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        throw EPdfInvalidValue("ToUtf16BeHex --CP932 conversion is not available");
    }
    std::unique_ptr<void, IconvCloser> closer(handle);
    std::string input(text);
    std::string output(text.size() * 2, '\0');  // never more than one code unit a byte
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        throw EPdfInvalidValue("ToUtf16BeHex --invalid Shift-JIS text");
    }
    output.resize(output.size() - outLeft);
    return BytesToHex(output);
}

}  // namespace pdf
