#include <gtest/gtest.h>

#include <QDir>

#include "QtPrint.h"
#include "TempDir.h"

#include "StartFolders.h"

namespace {

TEST(StartFolders, ExportStartsOnTheDesktopWhenThereIsOneElseAtHome) {
    // Each test runs in a process of its own, so the environment need not be restored.
    for (const bool hasDesktop : {true, false}) {
        TempDir temp;
        qputenv("HOME", temp.root().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", temp.path(".config").toLocal8Bit());
        if (hasDesktop) {
            ASSERT_TRUE(QDir(temp.root()).mkdir("Desktop"));
        }
        EXPECT_EQ(StartFolders::Export(), hasDesktop ? temp.path("Desktop") : temp.root());
    }
}

}  // namespace
