#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>

#include "TestEnvironment.h"

// As TestMain, with a QApplication for window tests on the offscreen platform with one
// 1024 × 768 screen.
int main(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || std::strcmp(platform, "offscreen") == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen:configfile=" DORVANI4_TEST_SCREEN, 1);
    }
    SetTestEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
