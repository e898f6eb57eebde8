#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "TempDir.h"

namespace {

// Real processes of the desktop program in a sandbox of their own (data root, settings,
// lock and socket folder), on the offscreen platform.
class Program {
  public:
    explicit Program(const TempDir& sandbox) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", sandbox.path("data"));
        env.insert("XDG_CONFIG_HOME", sandbox.path("config"));
        env.insert("TMPDIR", sandbox.root());
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
