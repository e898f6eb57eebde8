#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QApplication>
#include <QTest>

#include "TSsEdit.h"

namespace {

TEST(SsEdit, EnteringSelectsEverythingAndLeavingKeepsTheText) {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* edit = new TSsEdit(&window);
    edit->move(0, 30);
    edit->setText("1,200");
    window.show();
    QApplication::setActiveWindow(&window);
    before->setFocus();

    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->selectedText(), "1,200");
    QTest::keyClick(edit, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), "1,200");  // nothing reformatted

    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(edit->selectedText(), "1,200");
    QTest::keyClicks(edit, "3.5");
    EXPECT_EQ(edit->text(), "3.5");
}

TEST(SsEdit, StartsAtTheDefaultSizeAsATabStop) {
    TSsEdit edit;
    EXPECT_EQ(edit.size(), QSize(121, 20));
    EXPECT_EQ(edit.focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

}  // namespace
