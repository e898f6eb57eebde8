#include "PdfNumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "Exception.h"

namespace pdf {

namespace {

// Far beyond any page coordinate, and small enough that value * 100 fits a 64-bit integer.
constexpr double kCoordinateLimit = 1e15;

}  // namespace

void AppendInteger(std::string& out, std::int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

std::string FormatInteger(std::int64_t value) {
    std::string out;
    AppendInteger(out, value);
    return out;
}

std::string FormatZeroPadded(std::int64_t value, int width) {
    std::string digits = FormatInteger(value < 0 ? -value : value);
    std::string out = value < 0 ? "-" : "";
    if (static_cast<int>(digits.size()) < width) {
        out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return out + digits;
}

std::string FormatReal(double value) {
    if (!std::isfinite(value)) {
        throw EPdfInvalidValue("FormatReal --invalid number");
    }
    if (value == 0) {
        return "0";
    }
    // Fifteen significant digits as "d.ddddddddddddddde<exp>", then laid out without exponent.
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                std::chars_format::scientific, 14);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::size_t e = text.find('e');
    std::string digits;
    digits += text[0];
    digits.append(text.substr(2, e - 2));
    int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string out = value < 0 ? "-" : "";
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits;
            out.append(whole - digits.size(), '0');
        } else {
            out.append(digits, 0, whole);
            out += '.';
            out.append(digits, whole);
        }
    }
    return out;
}

void AppendCoordinate(std::string& out, double value) {
    if (!(std::fabs(value) < kCoordinateLimit)) {
        throw EPdfInvalidValue("FormatCoordinate --invalid number");
    }
    // Truncation toward zero after adding one half, as the file format has always rounded;
    // the hundredths are then exact in integer arithmetic.
    auto hundredths = static_cast<std::int64_t>(std::trunc(value * 100 + 0.5));
    if (hundredths < 0) {
        out += '-';
        hundredths = -hundredths;
    }
    AppendInteger(out, hundredths / 100);
    std::int64_t fraction = hundredths % 100;
    if (fraction != 0) {
        out += '.';
        out += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) {
            out += static_cast<char>('0' + fraction % 10);
        }
    }
}

std::string FormatCoordinate(double value) {
    std::string out;
    AppendCoordinate(out, value);
    return out;
}

}  // namespace pdf
