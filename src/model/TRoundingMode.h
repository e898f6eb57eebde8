#pragma once

#include <cstdint>
#include <optional>

#include "Currency.h"

// How an amount below one unit (円未満) is rounded. The values are those of the stored
// settings; the document file stores the editor's list position instead.
enum class TRoundingMode : std::uint8_t {
    rmRoundUp = 0,   // 切り上げ
    rmTruncate = 1,  // 切り捨て
    rmRoundOff = 2,  // 四捨五入
};

// The editor lists the modes as 切り捨て, 切り上げ, 四捨五入, and the document file keeps
// that list position. An index outside the list gives no mode.
std::optional<TRoundingMode> RoundingOfListIndex(int index);
int ListIndexOfRounding(TRoundingMode mode);

// An exact quotient of integers; products and quotients of amounts are kept this way so
// that rounding happens only where the rules say.
struct Fraction {
    Int128 numerator = 0;
    Int128 denominator = 1;  // always positive
};

// Rounds value to a whole number with mode. For rmRoundOff the halves go away from zero on
// the side that roundOffNegative names (the caller decides which amount's sign counts);
// rmRoundUp moves any fraction away from zero, so discounts round symmetrically.
Int128 RoundToWhole(Fraction value, TRoundingMode mode, bool roundOffNegative);

// Rounds to the nearest whole number, ties to even.
Int128 RoundHalfEven(Fraction value);
