#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "TPngButton.h"

namespace {

TEST(PngButton, PerformsItsHiddenStandardButton) {
    QWidget window;
    auto* standard = new QPushButton("閉じる", &window);
    standard->hide();
    auto* button = new TPngButton(&window);
    button->SetPicture("close");
    button->resize(84, 28);
    button->SetStandardButton(standard);
    window.show();

    QSignalSpy clicks(standard, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->text(), "閉じる");

    standard->setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(PngButton, EveryListedPictureHasItsThreeStates) {
    for (const char* name : {"open", "save", "mitsu", "nouhin", "seikyu", "seikyu-meisai", "juryo",
                             "ryoshu", "goukei", "tanka", "soushin", "ok", "close"}) {
        TPngButton button;
        EXPECT_NO_THROW(button.SetPicture(name)) << name;
    }
    TPngButton button;
    EXPECT_THROW(button.SetPicture("no-such-button"), std::invalid_argument);
}

}  // namespace
