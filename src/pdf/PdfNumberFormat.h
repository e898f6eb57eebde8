#pragma once

#include <cstdint>
#include <string>

// Numbers in the file never follow the locale: the decimal point is always ".".
namespace pdf {

void AppendInteger(std::string& out, std::int64_t value);
std::string FormatInteger(std::int64_t value);
// At least `width` digits, leading zeros; used by the cross-reference table and dates.
std::string FormatZeroPadded(std::int64_t value, int width);

// General form: up to 15 significant digits, no trailing zeros, no decimal point for whole
// values, never an exponent (a PDF reader does not accept one).
std::string FormatReal(double value);

// Page-content numbers: two decimals, rounded by Trunc(value * 100 + 0.5).
void AppendCoordinate(std::string& out, double value);
std::string FormatCoordinate(double value);

}  // namespace pdf
