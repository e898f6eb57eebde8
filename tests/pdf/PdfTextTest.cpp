#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "Exception.h"
#include "PdfNumberFormat.h"
#include "PdfTestSupport.h"
#include "PdfText.h"
#include "TPdfDateTime.h"

using namespace pdf;

namespace {

struct TextCase {
    std::string input;
    std::string expected;
};

TEST(EscapeLiteral, ReplacesDelimitersAndControlBytes) {
    const std::vector<TextCase> cases = {
        {"", ""},
        {"plain", "plain"},
        {"a(b)\\c", "a\\(b\\)\\\\c"},
        {"\r\n\t\b\f", "\\r\\n\\t\\b\\f"},
        {"\x80\xB1\xFF", "\x80\xB1\xFF"},
        {"x\x01y", "x\x01y"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeLiteral(c.input), c.expected) << c.input;
    }
}

TEST(BytesToHex, WritesTwoUpperCaseDigitsPerByte) {
    EXPECT_EQ(BytesToHex(""), "");
    EXPECT_EQ(BytesToHex("en"), "656E");
    EXPECT_EQ(BytesToHex(std::string("\x00\x9F\xFF", 3)), "009FFF");
}

TEST(ToUtf16BeHex, ConvertsShiftJisToCodeUnits) {
    const std::vector<TextCase> cases = {
        {Sjis("あ"), "3042"},
        {Sjis("A請求"),
         "0041"
         "8ACB"
         "6C42"},
        {"\xB1", "FF71"},  // half-width katakana
        {"\\~", "005C007E"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf16BeHex(c.input), c.expected) << BytesToHex(c.input);
    }
}

TEST(ToUtf16BeHex, RefusesBytesThatAreNotShiftJis) {
    for (std::string bad : {"\x82", "A\x81"}) {
        EXPECT_THROW(ToUtf16BeHex(bad), EPdfInvalidValue) << BytesToHex(bad);
    }
}

TEST(UnicodeTextPrefix, IsTheByteOrderMarkAndTheEnglishLanguageEscape) {
    EXPECT_EQ(UnicodeTextPrefix, "FEFF001B" + BytesToHex("en") + "001B");
}

TEST(ShiftJisStructure, ClassifiesEveryByte) {
    using enum TPdfByteType;
    struct Case {
        std::string text;
        std::vector<TPdfByteType> types;
    };
    const std::vector<Case> cases = {
        {"AB", {Single, Single}},
        {Sjis("Aあ"), {Single, Lead, Trail}},
        // Every byte of 求書 lies in the lead range; only the pairing tells them apart.
        {Sjis("求書"), {Lead, Trail, Lead, Trail}},
        {Sjis("ｱ漢"), {Single, Lead, Trail}},
        {"A\x82", {Single, Lead}},  // a lead byte cut off at the end
        {"\x81\x40\x40", {Lead, Trail, Single}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.text.size(), c.types.size());
        for (std::size_t i = 0; i < c.text.size(); ++i) {
            EXPECT_EQ(ByteTypeAt(c.text, i), c.types[i]) << BytesToHex(c.text) << " at " << i;
        }
    }
}

TEST(ShiftJisStructure, CountsCharactersAndFindsDoubleByteOnes) {
    struct Case {
        std::string text;
        int chars;
        bool hasDoubleByte;
    };
    const std::vector<Case> cases = {
        {"", 0, false},          {"ABC", 3, false},
        {Sjis("ｱｲｳ"), 3, false}, {Sjis("請求書"), 3, true},
        {Sjis("A請B"), 3, true}, {Sjis("求書"), 2, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountChars(c.text), c.chars) << BytesToHex(c.text);
        EXPECT_EQ(HasDoubleByteChar(c.text), c.hasDoubleByte) << BytesToHex(c.text);
    }
}

TEST(FormatCoordinate, RoundsToHundredthsByAddingOneHalfAndTruncating) {
    struct Case {
        double value;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {12.345, "12.35"}, {10, "10"},          {0.5, "0.5"},          {-3.456, "-3.45"},
        {0.004, "0"},      {841.996, "842"},    {-0.004, "0"},         {-0.006, "0"},
        {-0.5, "-0.49"},   {0.1, "0.1"},        {595.28, "595.28"},    {1e12, "1000000000000"},
        {0.65098, "0.65"}, {100.05F, "100.05"}, {-841.996, "-841.99"}, {0, "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCoordinate(c.value), c.expected) << c.value;
    }
}

TEST(FormatCoordinate, RefusesNumbersNoPageCanHold) {
    for (double value : {std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity(), -1e15, 1e300}) {
        EXPECT_THROW(FormatCoordinate(value), EPdfInvalidValue) << value;
    }
}

TEST(FormatReal, WritesFifteenSignificantDigitsWithoutExponent) {
    struct Case {
        double value;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {0.5, "0.5"},
        {-2.25, "-2.25"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456.789, "123456.789"},
        {0.0000001, "0.0000001"},
        {1e20, "100000000000000000000"},
        {3.14159265358979, "3.14159265358979"},
        {0.1 + 0.2, "0.3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatReal(c.value), c.expected) << c.value;
    }
    EXPECT_THROW(FormatReal(std::numeric_limits<double>::quiet_NaN()), EPdfInvalidValue);
}

TEST(NumberFormat, IgnoresTheLocaleDecimalComma) {
    std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "scripts/setup makes it";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    EXPECT_EQ(FormatCoordinate(0.5), "0.5");
    EXPECT_EQ(FormatReal(-2.25), "-2.25");
    EXPECT_EQ(FormatInteger(-1234567), "-1234567");
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(FormatZeroPadded, PadsToTheWidth) {
    EXPECT_EQ(FormatZeroPadded(0, 10), "0000000000");
    EXPECT_EQ(FormatZeroPadded(65535, 5), "65535");
    EXPECT_EQ(FormatZeroPadded(7, 2), "07");
    EXPECT_EQ(FormatZeroPadded(123, 2), "123");
}

TEST(PdfDateString, WritesTheLocalDateWithoutTimeZone) {
    EXPECT_EQ(PdfDateString({2010, 7, 8, 10, 21, 41}), "D:20100708102141");
    EXPECT_EQ(PdfDateString({999, 1, 2, 3, 4, 5}), "D:09990102030405");
    EXPECT_EQ(PdfDateString(TPdfDateTime{}), "D:18991230000000");
}

TEST(PdfDateString, CurrentLocalTimeIsAValidDate) {
    TPdfDateTime now = CurrentLocalTime();
    EXPECT_GE(now.Year, 2024);
    EXPECT_GE(now.Month, 1);
    EXPECT_LE(now.Month, 12);
    EXPECT_EQ(PdfDateString(now).size(), 16U);
}

}  // namespace
