#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>

// Products of two raw amounts need 128 bits; GCC and Clang provide them.
__extension__ typedef __int128 Int128;

// Amounts, quantities and the tax rate: a signed 64-bit count of 1/10000 units, so every
// value with up to four decimals is exact and nothing passes through floating point.
class Currency {
  public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    // A raw value computed in a wider type; throws EConvertError when it does not fit.
    static Currency fromWideRaw(Int128 raw);
    static Currency fromUnits(std::int64_t units) { return fromWideRaw(Int128{units} * Scale); }

    constexpr std::int64_t raw() const { return raw_; }
    constexpr bool isZero() const { return raw_ == 0; }
    constexpr bool isNegative() const { return raw_ < 0; }

    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr auto operator<=>(Currency, Currency) = default;

    // Decimal text with "." as the point, an optional sign and an optional exponent;
    // more than four decimals round to the nearest 1/10000, ties to even. Throws
    // EConvertError on anything else and on values out of range.
    static Currency fromText(QStringView text);

    // Shortest exact form: up to four decimals, no trailing zeros, no exponent ("1234.5").
    QString toText() const;
    // General float form with at most 15 significant digits ("2480", "99").
    QString toFloatText() const;

  private:
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};
