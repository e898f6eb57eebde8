#include <gtest/gtest.h>

#include "QtPrint.h"

#include <limits>

#include "Currency.h"
#include "ModelError.h"

namespace {

constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Min = std::numeric_limits<std::int64_t>::min();

struct ParseCase {
    const char* text;
    std::int64_t raw;
    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class CurrencyParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CurrencyParse, ReadsDecimalText) {
    EXPECT_EQ(Currency::fromText(QString::fromUtf8(GetParam().text)).raw(), GetParam().raw)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CurrencyParse,
    ::testing::Values(ParseCase{"0", 0}, ParseCase{"1234.5", 12345000}, ParseCase{"0.25", 2500},
                      ParseCase{"-300", -3000000}, ParseCase{"+7", 70000},
                      ParseCase{" 12 ", 120000}, ParseCase{".5", 5000}, ParseCase{"5.", 50000},
                      ParseCase{"007.10", 71000}, ParseCase{"2480", 24800000},
                      ParseCase{"1.5E3", 15000000}, ParseCase{"25e-2", 2500},
                      ParseCase{"1.23456", 12346},
                      // more than four decimals: nearest 1/10000, ties to even
                      ParseCase{"0.00005", 0}, ParseCase{"0.00015", 2}, ParseCase{"0.00025", 2},
                      ParseCase{"0.000250001", 3}, ParseCase{"-0.00015", -2},
                      ParseCase{"0.000000000000000000000000000000000000000001", 0},
                      ParseCase{"922337203685477.5807", Max},
                      ParseCase{"-922337203685477.5808", Min}));

class CurrencyParseError : public ::testing::TestWithParam<const char*> {};

TEST_P(CurrencyParseError, RefusesWithConvertError) {
    EXPECT_THROW(Currency::fromText(QString::fromUtf8(GetParam())), EConvertError) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Texts, CurrencyParseError,
                         ::testing::Values("", " ", "abc", "1.2.3", "1e", "--1", "1,5", "１２",
                                           "922337203685477.5808", "-922337203685477.5809", "1e20",
                                           "123456789012345678901234567890123"));

struct FormatCase {
    std::int64_t raw;
    const char* text;
    const char* floatText;
    friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.text; }
};

class CurrencyFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(CurrencyFormat, WritesShortestExactAndFloatForms) {
    const Currency value = Currency::fromRaw(GetParam().raw);
    EXPECT_EQ(value.toText(), QString::fromLatin1(GetParam().text));
    EXPECT_EQ(value.toFloatText(), QString::fromLatin1(GetParam().floatText));
    EXPECT_EQ(Currency::fromText(value.toText()), value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CurrencyFormat,
    ::testing::Values(FormatCase{0, "0", "0"}, FormatCase{12345000, "1234.5", "1234.5"},
                      FormatCase{2500, "0.25", "0.25"}, FormatCase{-3000000, "-300", "-300"},
                      FormatCase{1, "0.0001", "0.0001"}, FormatCase{-1, "-0.0001", "-0.0001"},
                      FormatCase{24800000, "2480", "2480"},
                      FormatCase{1234567890123456, "123456789012.3456", "123456789012.346"},
                      FormatCase{Max, "922337203685477.5807", "922337203685478"},
                      FormatCase{Min, "-922337203685477.5808", "-922337203685478"}));

TEST(Currency, WideRawOutsideTheRangeIsAnError) {
    EXPECT_EQ(Currency::fromWideRaw(Max).raw(), Max);
    EXPECT_THROW(Currency::fromWideRaw(static_cast<Int128>(Max) + 1), EConvertError);
    EXPECT_THROW(Currency::fromWideRaw(static_cast<Int128>(Min) - 1), EConvertError);
    EXPECT_THROW(Currency::fromUnits(Max / 1000), EConvertError);
}

}  // namespace
