#include <gtest/gtest.h>

#include <QApplication>

// As TestMain, with a QApplication for window tests (QT_QPA_PLATFORM=offscreen).
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
