#include <gtest/gtest.h>

#include <QCoreApplication>

#include "TestEnvironment.h"

// The application object switches the C library to the environment's locale, exactly as
// the real programs do; tests then see any number that is formatted by the locale.
int main(int argc, char** argv) {
    SetTestEnvironment();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
