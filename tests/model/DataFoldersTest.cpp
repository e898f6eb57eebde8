#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

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

// The user's choice of root lives in the per-user settings; both stores are sandboxed.
class ChosenRoot : public ::testing::Test {
  protected:
    ChosenRoot() : savedConfig_(qgetenv("XDG_CONFIG_HOME")), savedData_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_CONFIG_HOME", dir.path("config").toUtf8());
        qputenv("XDG_DATA_HOME", dir.path("home").toUtf8());
    }
    ~ChosenRoot() override {
        qputenv("XDG_CONFIG_HOME", savedConfig_);
        qputenv("XDG_DATA_HOME", savedData_);
    }
    // A folder that holds a data root.
    QString root(const QString& name) const {
        const QString path = dir.path(name);
        QDir().mkpath(path + "/data");
        return path;
    }

    TempDir dir;

  private:
    QByteArray savedConfig_;
    QByteArray savedData_;
};

TEST_F(ChosenRoot, IsTheRememberedFolderUntilTheChoiceIsForgotten) {
    const QString defaultRoot = dir.path("home") + "/HESTREL/Pelkano4/";
    EXPECT_EQ(DataFolders::ChosenRoot(), defaultRoot);
    EXPECT_EQ(DataFolders::RememberedRoot(), "");

    DataFolders::RememberRoot(root("share") + "//");
    EXPECT_EQ(DataFolders::RememberedRoot(), dir.path("share"));
    EXPECT_EQ(DataFolders::ChosenRoot(), dir.path("share") + "/");
    // Kept in the file the drop-downs' histories use, so it survives the run.
    EXPECT_TRUE(readFileBytes(DataFolders::UserSettingsPath()).contains("DataFolder"));

    DataFolders::RememberRoot({});
    EXPECT_EQ(DataFolders::ChosenRoot(), defaultRoot);
    EXPECT_EQ(DataFolders::RememberedRoot(), "");
}

// Choosing the default folder itself, however written, is the same as keeping the default:
// the choice then follows XDG_DATA_HOME as the default does.
TEST_F(ChosenRoot, ChoosingTheDefaultFolderForgetsTheChoice) {
    for (const QString& written :
         {dir.path("home") + "/HESTREL/Pelkano4", dir.path("home") + "/HESTREL//Pelkano4/"}) {
        DataFolders::RememberRoot(root("share"));
        DataFolders::RememberRoot(written);
        EXPECT_EQ(DataFolders::RememberedRoot(), "") << written.toStdString();
    }
}

TEST_F(ChosenRoot, StateTellsARootFromAMissingOrEmptyFolder) {
    struct Case {
        const char* name;
        std::function<void(const QString& path)> make;
        DataFolders::RootState state;
    };
    const std::vector<Case> cases = {
        {"nothing there", [](const QString&) {}, DataFolders::RootState::Missing},
        {"a file", [](const QString& path) { writeFileBytes(path, "x"); },
         DataFolders::RootState::Missing},
        {"empty folder", [](const QString& path) { QDir().mkpath(path); },
         DataFolders::RootState::Empty},
        {"folder of other things",
         [](const QString& path) {
             QDir().mkpath(path + "/img");
             writeFileBytes(path + "/notes.txt", "x");
         },
         DataFolders::RootState::Empty},
        {"conf.ini only",
         [](const QString& path) {
             QDir().mkpath(path);
             writeFileBytes(path + "/conf.ini", "");
         },
         DataFolders::RootState::Usable},
        {"data folder only", [](const QString& path) { QDir().mkpath(path + "/data"); },
         DataFolders::RootState::Usable},
    };
    for (const Case& c : cases) {
        const QString path = dir.path(QString::fromUtf8(c.name));
        c.make(path);
        EXPECT_EQ(DataFolders::StateOf(path), c.state) << c.name;
    }
}

// A remembered folder that is not a root is refused with a message instead of being
// prepared as a new, empty one; the default root is made on first use as before.
TEST_F(ChosenRoot, OnlyARememberedFolderThatIsNoRootIsAProblem) {
    struct Case {
        const char* name;
        std::function<QString()> remember;  // empty: keep the default
        const char* problem;
    };
    const std::vector<Case> cases = {
        {"default not made yet", [] { return QString(); }, ""},
        {"share", [this] { return root("share"); }, ""},
        {"unmounted share",
         [this] {
             QDir().mkpath(dir.path("mnt"));
             return dir.path("mnt");
         },
         "データフォルダ「DIR/mnt」にデータがありません。ネットワークの共有がつながっているか確か"
         "めてください。"},
        {"gone", [this] { return dir.path("gone"); },
         "データフォルダ「DIR/gone」が見つかりません。ネットワークの共有がつながっているか確かめて"
         "ください。"},
    };
    for (const Case& c : cases) {
        DataFolders::RememberRoot(c.remember());
        EXPECT_EQ(DataFolders::ChosenRootProblem(),
                  QString::fromUtf8(c.problem).replace("DIR", dir.root()))
            << c.name;
    }
    // Nothing was made in their place.
    EXPECT_FALSE(QFileInfo::exists(dir.path("gone")));
    EXPECT_TRUE(QDir(dir.path("mnt")).isEmpty());
}

TEST_F(ChosenRoot, AFolderStartedOnPurposeIsARootWithTodaysTaxRate) {
    QDir().mkpath(dir.path("new"));
    const DataFolders folders(dir.path("new"));
    folders.StartNew();
    EXPECT_EQ(DataFolders::StateOf(dir.path("new")), DataFolders::RootState::Usable);
    TThConfigInfo config(folders.ImgFolder());
    config.LoadFromFile(folders.ConfPath());
    EXPECT_EQ(config.TAX, Currency::fromUnits(10));
}

}  // namespace
