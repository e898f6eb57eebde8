#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <utility>

#include "QtPrint.h"
#include "TempDir.h"

#include "DataFolders.h"
#include "SingleInstance.h"

namespace {

// A folder of the sandbox with the given mode.
QString folder(const TempDir& sandbox, const QString& name, mode_t mode) {
    const QString path = sandbox.path(name);
    EXPECT_TRUE(QDir().mkpath(path));
    EXPECT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
    return path;
}

// Real processes of the desktop program in a sandbox of their own (data root, settings,
// lock and socket folder), on the offscreen platform.
class Program {
  public:
    explicit Program(const TempDir& sandbox, const QString& tmp = QStringLiteral("tmp"),
                     const QString& data = QStringLiteral("data"),
                     const QString& config = QStringLiteral("config")) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", sandbox.path(data));
        env.insert("XDG_CONFIG_HOME", sandbox.path(config));
        env.insert("XDG_RUNTIME_DIR", folder(sandbox, "runtime", 0700));
        env.insert("TMPDIR", folder(sandbox, tmp, 0700));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process_.setProcessEnvironment(env);
        process_.start(QStringLiteral(DORVANI4_PROGRAM), {});
        process_.waitForStarted();
    }
    ~Program() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    // True when the program ended by itself within ms.
    bool endsWithin(int ms) { return process_.waitForFinished(ms); }
    int exitCode() const { return process_.exitCode(); }
    void crash() {
        process_.kill();
        process_.waitForFinished();
    }

  private:
    QProcess process_;
};

TEST(SingleInstance, SecondStartHandsOverToTheRunningProgramAndEnds) {
    TempDir sandbox;
    Program first(sandbox);
    EXPECT_FALSE(first.endsWithin(1500));  // the first one runs

    Program second(sandbox);
    ASSERT_TRUE(second.endsWithin(10000));
    // Status 0 only after the running program answered that it came forward.
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(first.endsWithin(100));
}

TEST(SingleInstance, AnotherTempFolderDoesNotStartASecondCopyOnTheSameData) {
    TempDir sandbox;
    Program first(sandbox, "tmp1");
    EXPECT_FALSE(first.endsWithin(1500));
    Program second(sandbox, "tmp2");
    ASSERT_TRUE(second.endsWithin(10000));
    EXPECT_EQ(second.exitCode(), 0);
}

TEST(SingleInstance, AnotherDataFolderRunsBesideTheFirst) {
    TempDir sandbox;
    Program first(sandbox, "tmp", "data1");
    EXPECT_FALSE(first.endsWithin(1500));
    Program second(sandbox, "tmp", "data2");
    EXPECT_FALSE(second.endsWithin(3000));
}

// The data folder chosen in the window, not the default one, decides: two chosen folders
// on one PC each get a window, one chosen folder only one.
TEST(SingleInstance, FollowsTheChosenDataFolder) {
    struct Case {
        const char* name;
        const char* firstRoot;
        const char* secondRoot;
        bool secondRuns;
    };
    const Case cases[] = {
        {"same folder", "share", "share", false},
        {"other folders", "share1", "share2", true},
    };
    for (const Case& c : cases) {
        TempDir sandbox;
        const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        for (const auto& [config, root] :
             {std::pair{"config1", c.firstRoot}, std::pair{"config2", c.secondRoot}}) {
            QDir().mkpath(sandbox.path(QStringLiteral("%1/data").arg(root)));
            qputenv("XDG_CONFIG_HOME", sandbox.path(config).toUtf8());
            DataFolders::RememberRoot(sandbox.path(root));
        }
        qputenv("XDG_CONFIG_HOME", savedConfig);
        Program first(sandbox, "tmp", "data", "config1");
        EXPECT_FALSE(first.endsWithin(1500)) << c.name;
        Program second(sandbox, "tmp", "data", "config2");
        if (c.secondRuns) {
            EXPECT_FALSE(second.endsWithin(3000)) << c.name;
        } else {
            ASSERT_TRUE(second.endsWithin(10000)) << c.name;
            EXPECT_EQ(second.exitCode(), 0) << c.name;
        }
    }
}

// Only a folder that is the user's own and closed to everybody else holds the lock and the
// socket; otherwise a folder of the user's cache is made private for them.
TEST(SingleInstance, LockAndSocketLiveInAFolderOnlyTheUserMayEnter) {
    struct Case {
        const char* runtime;  // nullptr: XDG_RUNTIME_DIR unset
        mode_t mode;
        bool usesRuntime;
    };
    const Case cases[] = {
        {"runtime", 0700, true},
        {"runtime", 0755, false},
        {"runtime", 0777, false},
        {nullptr, 0, false},
    };
    for (const Case& c : cases) {
        TempDir sandbox;
        qputenv("XDG_CACHE_HOME", sandbox.path("cache").toLocal8Bit());
        if (c.runtime != nullptr) {
            qputenv("XDG_RUNTIME_DIR", folder(sandbox, c.runtime, c.mode).toLocal8Bit());
        } else {
            qunsetenv("XDG_RUNTIME_DIR");
        }
        const QString chosen = SingleInstance::PrivateFolder();
        EXPECT_EQ(chosen, c.usesRuntime ? sandbox.path(c.runtime) : sandbox.path("cache/dorvani4"))
            << c.mode;
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(chosen).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
}

TEST(SingleInstance, LockOfACrashedRunDoesNotBlockTheNextStart) {
    TempDir sandbox;
    {
        Program crashed(sandbox);
        EXPECT_FALSE(crashed.endsWithin(1500));
        crashed.crash();
    }
    Program next(sandbox);
    EXPECT_FALSE(next.endsWithin(3000));  // it runs instead of handing over to nobody
}

}  // namespace
