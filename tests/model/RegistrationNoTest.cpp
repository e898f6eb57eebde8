#include <gtest/gtest.h>

#include "QtPrint.h"

#include "RegistrationNo.h"

namespace {

using RegistrationNo::Status;

struct NumberCase {
    const char* typed;
    const char* normalized;
    Status status;
    int expectedDigit;
    friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }
};

class RegistrationNoCase : public ::testing::TestWithParam<NumberCase> {};

const NumberCase NumberCases[] = {
    {"T7123456789012", "T7123456789012", Status::Valid, 7},
    {"t7123456789012", "T7123456789012", Status::Valid, 7},
    {"Ｔ７１２３４５６７８９０１２", "T7123456789012", Status::Valid, 7},
    {"ｔ7123456789012", "T7123456789012", Status::Valid, 7},
    {"T7-1234-5678-9012", "T7123456789012", Status::Valid, 7},
    {"T7－1234ー5678‐9012", "T7123456789012", Status::Valid, 7},
    {" T 7123 45678\u30009012 ", "T7123456789012", Status::Valid, 7},
    {"7123456789012", "T7123456789012", Status::Valid, 7},
    // Sum 0: the digit is 9, never 0.
    {"T9000000000000", "T9000000000000", Status::Valid, 9},
    // The rightmost digit weighs 1, the next 2: a swapped weighting gives 7 and 8.
    {"T8000000000001", "T8000000000001", Status::Valid, 8},
    {"T7000000000010", "T7000000000010", Status::Valid, 7},
    {"T8123456789012", "T8123456789012", Status::WrongCheckDigit, 7},
    {"T0000000000000", "T0000000000000", Status::WrongCheckDigit, 9},
    {"", "", Status::Empty, -1},
    {" - ", "", Status::Empty, -1},
    {"T712345678901", "T712345678901", Status::Malformed, -1},
    {"T71234567890123", "T71234567890123", Status::Malformed, -1},
    {"X7123456789012", "X7123456789012", Status::Malformed, -1},
    {"T712345678901A", "T712345678901A", Status::Malformed, -1},
    {"TT7123456789012", "TT7123456789012", Status::Malformed, -1},
    {"712345678901", "712345678901", Status::Malformed, -1},
};

TEST_P(RegistrationNoCase, IsNormalizedAndChecked) {
    const NumberCase& c = GetParam();
    const QString normalized = RegistrationNo::Normalize(QString::fromUtf8(c.typed));
    EXPECT_EQ(normalized, QString::fromUtf8(c.normalized));
    const RegistrationNo::Check check = RegistrationNo::Verify(normalized);
    EXPECT_EQ(check.status, c.status);
    EXPECT_EQ(check.expectedDigit, c.expectedDigit);
}

INSTANTIATE_TEST_SUITE_P(Rules, RegistrationNoCase, ::testing::ValuesIn(NumberCases));

}  // namespace
