#include "TRoundingMode.h"

#include "ModelError.h"

namespace {

// Keeps 2 × numerator ± denominator inside Int128; only absurd rates get near it.
void checkHeadroom(Fraction value) {
    constexpr Int128 Limit = static_cast<Int128>(1) << 125;
    if (value.numerator > Limit || value.numerator < -Limit || value.denominator > Limit) {
        throw EConvertError(QStringLiteral("金額が扱える範囲を超えています。"));
    }
}

}  // namespace

Int128 RoundToWhole(Fraction value, TRoundingMode mode, bool roundOffNegative) {
    checkHeadroom(value);
    const Int128 n = value.numerator;
    const Int128 d = value.denominator;
    const Int128 truncated = n / d;
    switch (mode) {
        case TRoundingMode::rmTruncate:
            return truncated;
        case TRoundingMode::rmRoundUp:
            if (n % d == 0) {
                return truncated;
            }
            return n > 0 ? truncated + 1 : truncated - 1;
        case TRoundingMode::rmRoundOff:
            // trunc(v + 0.5) or trunc(v - 0.5), on doubled integers so nothing is lost.
            return roundOffNegative ? (2 * n - d) / (2 * d) : (2 * n + d) / (2 * d);
    }
    return truncated;
}

Int128 RoundHalfEven(Fraction value) {
    checkHeadroom(value);
    const Int128 d = value.denominator;
    const Int128 q = value.numerator / d;
    const Int128 r = value.numerator % d;
    const Int128 twiceRest = (r < 0 ? -r : r) * 2;
    const bool awayFromZero = twiceRest > d || (twiceRest == d && q % 2 != 0);
    if (!awayFromZero) {
        return q;
    }
    return value.numerator < 0 ? q - 1 : q + 1;
}

std::optional<TRoundingMode> RoundingOfListIndex(int index) {
    switch (index) {
        case 0:
            return TRoundingMode::rmTruncate;
        case 1:
            return TRoundingMode::rmRoundUp;
        case 2:
            return TRoundingMode::rmRoundOff;
        default:
            return std::nullopt;
    }
}

int ListIndexOfRounding(TRoundingMode mode) {
    switch (mode) {
        case TRoundingMode::rmTruncate:
            return 0;
        case TRoundingMode::rmRoundUp:
            return 1;
        case TRoundingMode::rmRoundOff:
            return 2;
    }
    return 0;
}
