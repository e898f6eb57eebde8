#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QDir>

#include "DataFolders.h"
#include "TThConfigInfo.h"
#include "TempDir.h"

namespace {

TEST(DataFolders, RootFollowsXdgDataHome) {
    TempDir dir;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.root().toUtf8());
    EXPECT_EQ(DataFolders::DefaultRoot(), dir.root() + "/HESTREL/Pelkano4/");
    qputenv("XDG_DATA_HOME", saved);
}

TEST(DataFolders, PathsEndInOneSeparator) {
    for (const char* root :
         {"/x/HESTREL/Pelkano4", "/x/HESTREL/Pelkano4/", "/x/HESTREL/Pelkano4//"}) {
        const DataFolders folders(root);
        EXPECT_EQ(folders.RootFolder(), "/x/HESTREL/Pelkano4/");
        EXPECT_EQ(folders.DataFolder(), "/x/HESTREL/Pelkano4/data/");
        EXPECT_EQ(folders.ImgFolder(), "/x/HESTREL/Pelkano4/img/");
        EXPECT_EQ(folders.ZipFolder(), "/x/HESTREL/Pelkano4/zip/");
        EXPECT_EQ(folders.ConfPath(), "/x/HESTREL/Pelkano4/conf.ini");
    }
}

TEST(DataFolders, FirstStartCreatesTheFoldersAndTodaysTaxRate) {
    TempDir dir;
    const DataFolders folders(dir.path("HESTREL/Pelkano4"));
    folders.Prepare();
    for (const QString& folder : {folders.ImgFolder(), folders.DataFolder(), folders.ZipFolder()}) {
        EXPECT_TRUE(DataFolders::FolderExists(folder)) << folder.toStdString();
    }
    TThConfigInfo config(folders.ImgFolder());
    config.LoadFromFile(folders.ConfPath());
    EXPECT_EQ(config.TAX, Currency::fromUnits(10));
}

TEST(DataFolders, ExistingRootKeepsItsSettings) {
    TempDir dir;
    const DataFolders folders(dir.path("root"));
    QDir().mkpath(folders.RootFolder());
    folders.Prepare();
    EXPECT_TRUE(DataFolders::FolderExists(folders.DataFolder()));
    EXPECT_FALSE(QFile::exists(folders.ConfPath()));
    // A conf.ini without TAX reads as 5, as files of older installations expect.
    TThConfigInfo config(folders.ImgFolder());
    config.LoadFromFile(folders.ConfPath());
    EXPECT_EQ(config.TAX, Currency::fromUnits(5));
}

}  // namespace
