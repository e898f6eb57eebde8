#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

#include "QtPrint.h"

#include "FontSubstitutions.h"

namespace {

TEST(FontSubstitutions, TheWindowsFontsAreDrawnWithTheIpaFonts) {
    InstallFontSubstitutions();
    // Qt keeps substitutes lower-cased; fontconfig names the fonts in the user's language.
    EXPECT_EQ(QFont::substitute("ＭＳ ゴシック"), "ipagothic");
    EXPECT_EQ(QFont::substitute("ＭＳ Ｐゴシック"), "ipapgothic");
    const QString gothic = QFontInfo(QFont("IPAGothic")).family();
    const QString proportional = QFontInfo(QFont("IPAPGothic")).family();
    ASSERT_NE(gothic, proportional);
    EXPECT_EQ(QFontInfo(QFont("ＭＳ ゴシック")).family(), gothic);
    EXPECT_EQ(QFontInfo(QFont("ＭＳ Ｐゴシック")).family(), proportional);
}

}  // namespace
