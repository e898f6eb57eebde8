#include <gtest/gtest.h>

#include "QtPrint.h"

#include "Cp932.h"
#include "ModelError.h"

namespace {

struct RoundTrip {
    const char* text;  // UTF-8
    QByteArray cp932;
    friend void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.text; }
};

class Cp932RoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(Cp932RoundTrip, EncodesAndDecodesByteExact) {
    const QString text = QString::fromUtf8(GetParam().text);
    EXPECT_EQ(Cp932::encode(text).toHex(' '), GetParam().cp932.toHex(' '));
    EXPECT_EQ(Cp932::decode(GetParam().cp932), text);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Cp932RoundTrip,
    ::testing::Values(
        RoundTrip{"abc 123", "abc 123"}, RoundTrip{"①", QByteArray::fromHex("8740")},
        RoundTrip{"㈱", QByteArray::fromHex("878a")}, RoundTrip{"～", QByteArray::fromHex("8160")},
        RoundTrip{"－", QByteArray::fromHex("817c")}, RoundTrip{"髙", QByteArray::fromHex("fbfc")},
        RoundTrip{"ｱｲｳ", QByteArray::fromHex("b1b2b3")},
        RoundTrip{"■ 小計 ■", QByteArray::fromHex("81a1208fac8c762081a1")}, RoundTrip{"", ""}));

TEST(Cp932, UnencodableCharacterIsNamedNeverReplaced) {
    for (const char* ch : {"😀", "𠮷"}) {
        const QString text =
            QStringLiteral("株式会社") + QString::fromUtf8(ch) + QStringLiteral("様");
        try {
            Cp932::encode(text);
            FAIL() << "encoded " << ch;
        } catch (const ECp932Error& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(ch))) << error.what();
        }
    }
    try {
        Cp932::encode(QString::fromUtf8("😀"));
    } catch (const ECp932Error& error) {
        EXPECT_TRUE(error.message().contains("U+1F600")) << error.what();
    }
}

TEST(Cp932, BrokenBytesAreReportedWithTheirOffset) {
    // A lead byte without its trail byte, after three good bytes.
    try {
        Cp932::decode(QByteArray::fromHex("41424381"));
        FAIL() << "decoded a cut character";
    } catch (const ECp932Error& error) {
        EXPECT_TRUE(error.message().contains("0x81")) << error.what();
        EXPECT_TRUE(error.message().contains("3")) << error.what();
    }
}

}  // namespace
