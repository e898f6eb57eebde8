#include "Currency.h"

#include <limits>
#include <string>

#include "ModelError.h"

namespace {

constexpr Int128 MaxRaw = std::numeric_limits<std::int64_t>::max();
constexpr Int128 MinRaw = std::numeric_limits<std::int64_t>::min();
// Digits beyond this many can only matter for rounding; 38 digits still fit Int128.
constexpr int MaxSignificantDigits = 30;

[[noreturn]] void notANumber(QStringView text) {
    throw EConvertError(QStringLiteral("「%1」は数値ではありません。").arg(text));
}

[[noreturn]] void outOfRange(QStringView text) {
    throw EConvertError(QStringLiteral("「%1」は扱える数値の範囲を超えています。").arg(text));
}

// The decimal digits of |raw| with the four implied decimals as a fixed point text.
QString fixedText(std::string digits, bool negative) {
    while (digits.size() < 5) {
        digits.insert(digits.begin(), '0');
    }
    std::string whole = digits.substr(0, digits.size() - 4);
    std::string fraction = digits.substr(digits.size() - 4);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    std::string text = negative && (whole != "0" || !fraction.empty()) ? "-" : "";
    text += whole;
    if (!fraction.empty()) {
        text += '.';
        text += fraction;
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string magnitudeDigits(std::int64_t raw) {
    const unsigned long long magnitude = raw < 0 ? 0ULL - static_cast<unsigned long long>(raw)
                                                 : static_cast<unsigned long long>(raw);
    return std::to_string(magnitude);
}

}  // namespace

Currency Currency::fromWideRaw(Int128 raw) {
    if (raw > MaxRaw || raw < MinRaw) {
        throw EConvertError(QStringLiteral("金額が扱える範囲を超えています。"));
    }
    return Currency(static_cast<std::int64_t>(raw));
}

Currency Currency::fromText(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    // All digits of the mantissa without leading zeros, and how many of them follow the point.
    std::string digits;
    long long fractionDigits = 0;
    bool sawDigit = false;
    bool sawPoint = false;
    bool droppedNonZero = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c == u'.' && !sawPoint) {
            sawPoint = true;
        } else if (c >= u'0' && c <= u'9') {
            sawDigit = true;
            if (sawPoint) {
                ++fractionDigits;
            }
            if (digits.size() >= MaxSignificantDigits) {
                if (!sawPoint) {
                    outOfRange(text);
                }
                // Far below 1/10000: only whether it is zero matters for the tie rule.
                droppedNonZero = droppedNonZero || c != u'0';
                --fractionDigits;
            } else if (!digits.empty() || c != u'0') {
                digits += static_cast<char>(c);
            }
        } else {
            break;
        }
    }
    if (!sawDigit) {
        notANumber(text);
    }
    long long exponent = 0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
            negativeExponent = t[i] == u'-';
            ++i;
        }
        const qsizetype exponentStart = i;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
            if (exponent < 100000) {
                exponent = exponent * 10 + (t[i].unicode() - u'0');
            }
        }
        if (i == exponentStart) {
            notANumber(text);
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (i != t.size()) {
        notANumber(text);
    }
    if (digits.empty()) {
        return Currency();
    }

    // value = digits × 10^(shift − 4) in raw units.
    const long long shift = 4 + exponent - fractionDigits;
    Int128 magnitude = 0;
    if (shift >= 0) {
        if (static_cast<long long>(digits.size()) + shift > 20) {
            outOfRange(text);
        }
        for (char d : digits) {
            magnitude = magnitude * 10 + (d - '0');
        }
        for (long long k = 0; k < shift; ++k) {
            magnitude *= 10;
        }
    } else {
        const long long dropped = -shift;
        if (dropped > static_cast<long long>(digits.size())) {
            // Less than half of 1/10000 unless it is at least 0.5 of the last place.
            return Currency();
        }
        const std::string kept = digits.substr(0, digits.size() - static_cast<size_t>(dropped));
        const std::string rest = digits.substr(kept.size());
        for (char d : kept) {
            magnitude = magnitude * 10 + (d - '0');
        }
        const bool restBeyondHalf =
            rest.find_first_not_of('0', 1) != std::string::npos || droppedNonZero;
        if (rest[0] > '5' || (rest[0] == '5' && (restBeyondHalf || magnitude % 2 == 1))) {
            ++magnitude;
        }
    }
    const Int128 raw = negative ? -magnitude : magnitude;
    if (raw > MaxRaw || raw < MinRaw) {
        outOfRange(text);
    }
    return Currency(static_cast<std::int64_t>(raw));
}

QString Currency::toText() const {
    return fixedText(magnitudeDigits(raw_), raw_ < 0);
}

QString Currency::toFloatText() const {
    std::string digits = magnitudeDigits(raw_);
    constexpr size_t Precision = 15;
    if (digits.size() > Precision) {
        // Round half away from zero at the 15th significant digit; Currency's range keeps
        // the carry inside the same number of digits.
        const bool up = digits[Precision] >= '5';
        for (size_t k = Precision; k < digits.size(); ++k) {
            digits[k] = '0';
        }
        for (size_t k = Precision; up && k-- > 0;) {
            if (digits[k] == '9') {
                digits[k] = '0';
            } else {
                ++digits[k];
                break;
            }
        }
    }
    return fixedText(digits, raw_ < 0);
}
