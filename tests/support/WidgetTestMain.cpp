#include <gtest/gtest.h>

#include <QApplication>

#include "TestEnvironment.h"

// As TestMain, with a QApplication for window tests (QT_QPA_PLATFORM=offscreen).
int main(int argc, char** argv) {
    SetTestEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
