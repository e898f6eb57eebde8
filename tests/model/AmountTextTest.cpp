#include <gtest/gtest.h>

#include "QtPrint.h"

#include "AmountText.h"
#include "ModelError.h"

namespace {

struct AmountCase {
    const char* value;
    bool forTotals;
    bool printDecimals;
    const char* text;
    friend void PrintTo(const AmountCase& c, std::ostream* os) { *os << c.text; }
};

class FormatAmountCase : public ::testing::TestWithParam<AmountCase> {};

TEST_P(FormatAmountCase, Formats) {
    const AmountCase& c = GetParam();
    EXPECT_EQ(FormatAmount(c.forTotals, Currency::fromText(QString::fromLatin1(c.value)),
                           c.printDecimals),
              QString::fromLatin1(c.text))
        << c.value << " totals=" << c.forTotals << " decimals=" << c.printDecimals;
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, FormatAmountCase,
    ::testing::Values(
        AmountCase{"1234.5", false, false, "1,234.5"},
        AmountCase{"1234.5", false, true, "1,234.50"}, AmountCase{"1234.5", true, false, "1,234.5"},
        AmountCase{"1234.5", true, true, "1,234.5"}, AmountCase{"0", false, false, "0"},
        AmountCase{"0", false, true, "0.00"}, AmountCase{"0", true, true, "0"},
        AmountCase{"999", false, false, "999"}, AmountCase{"1000", false, false, "1,000"},
        AmountCase{"1234567", true, false, "1,234,567"},
        AmountCase{"-1234567.8", true, false, "-1,234,567.8"},
        // two decimals at most, halves away from zero
        AmountCase{"0.125", false, false, "0.13"}, AmountCase{"0.1249", false, false, "0.12"},
        AmountCase{"-0.125", false, false, "-0.13"}, AmountCase{"9.995", false, false, "10"},
        AmountCase{"-0.004", false, false, "0"},
        AmountCase{"922337203685477.5807", true, false, "922,337,203,685,477.58"},
        AmountCase{"-922337203685477.5808", true, false, "-922,337,203,685,477.58"}));

TEST(ParseMoney, DropsThousandsSeparators) {
    EXPECT_EQ(ParseMoney(u"1,234.5"), Currency::fromText(u"1234.5"));
    EXPECT_EQ(ParseMoney(u"-1,000,000"), Currency::fromText(u"-1000000"));
    EXPECT_EQ(ParseMoney(u"0"), Currency());
}

TEST(ParseMoney, ReadsFullWidthDigitsAndSignsAsTheirAsciiForms) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"１２", u"12"},
        {u"０１２３４５６７８９", u"123456789"},
        {u"１，２５０．５", u"1250.5"},
        {u"－３", u"-3"},
        {u"1２.５", u"12.5"},
        {u"　１２　", u"12"},
    };
    for (const auto& [typed, ascii] : cases) {
        EXPECT_EQ(ParseMoney(typed), Currency::fromText(ascii))
            << QString::fromUtf16(typed).toStdString();
    }
}

TEST(ParseMoney, FailsOnTextThatIsNotANumber) {
    for (const char16_t* text : {u"abc", u"", u",", u"1.2.3", u"¥100", u"１２円"}) {
        EXPECT_THROW(ParseMoney(text), EConvertError) << QString::fromUtf16(text).toStdString();
    }
}

}  // namespace
