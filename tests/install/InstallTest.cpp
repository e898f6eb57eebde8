#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "TempDir.h"

// The build installed into a temporary prefix, as `cmake --install` lays it out for the
// package, and the installed programs run from there with a fresh data folder. Installing
// means running the build's install rules as a whole, so it is left to root, who builds
// the package.
namespace {

const QString AppId = QStringLiteral(DORVANI4_APP_ID);

struct ProcessRun {
    int status;
    QString out;
    QString err;
};

ProcessRun run(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class InstallTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (geteuid() != 0) {
            return;
        }
        dir_ = new TempDir;
        const ProcessRun install =
            run(QStringLiteral(DORVANI4_CMAKE),
                {"--install", DORVANI4_BINARY_DIR, "--prefix", prefix(), "--strip"});
        installed_ = install.status == 0;
        installLog_ = install.out + install.err;
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "installing the build is left to root";
        }
        ASSERT_TRUE(installed_) << installLog_.toStdString();
    }

    static QString prefix() { return dir_->path("prefix"); }
    static QString installed(const QString& path) { return prefix() + u'/' + path; }

    // A user who never ran the program: the data folder and the settings are new.
    QProcessEnvironment freshUser(const QString& name) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", home_.path(name + "/data"));
        environment.insert("XDG_CONFIG_HOME", home_.path(name + "/config"));
        environment.insert("TMPDIR", home_.root());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        return environment;
    }
    QString dataRoot(const QString& name) const {
        return home_.path(name + "/data/HESTREL/Pelkano4/");
    }

    TempDir home_;
    static inline TempDir* dir_ = nullptr;
    static inline bool installed_ = false;
    static inline QString installLog_;
};

TEST_F(InstallTest, LaysOutTheFilesUnderThePrefix) {
    const QStringList files = {
        "bin/dorvani4",
        "bin/dorvani4-tool",
        "share/dorvani4/postal/zip.dat",
        "share/dorvani4/postal/version.txt",
        "share/dorvani4/postal/LICENSE-japan-postal-code.txt",
        "share/dorvani4/screenshots/main.png",
        "share/applications/" + AppId + ".desktop",
        "share/metainfo/" + AppId + ".metainfo.xml",
        "share/icons/hicolor/scalable/apps/" + AppId + ".svg",
        "share/fontconfig/conf.avail/65-dorvani4-pdf-fonts.conf",
        "share/man/man1/dorvani4-tool.1.gz",
        "share/man/man1/dorvani4.1.gz",
        "share/doc/dorvani4/copyright",
        "share/doc/dorvani4/changelog.gz",
    };
    for (const QString& file : files) {
        EXPECT_TRUE(QFileInfo(installed(file)).isFile()) << file.toStdString();
    }
    for (const char* size : {"16", "24", "32", "48", "64", "128", "256"}) {
        const QString icon =
            QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size, AppId);
        EXPECT_TRUE(QFileInfo(installed(icon)).isFile()) << icon.toStdString();
    }
    EXPECT_TRUE(QFileInfo(installed("bin/dorvani4")).isExecutable());
    EXPECT_TRUE(QFileInfo(installed("bin/dorvani4-tool")).isExecutable());
}

TEST_F(InstallTest, TheToolMakesANewDataRootWithTheInstalledTable) {
    const ProcessRun version = run(installed("bin/dorvani4-tool"), {"--version"}, freshUser("v"));
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "dorvani4-tool " DORVANI4_VERSION "\n");

    const ProcessRun zip =
        run(installed("bin/dorvani4-tool"), {"zip", "100-0001"}, freshUser("tool"));
    ASSERT_EQ(zip.status, 0) << zip.err.toStdString();
    EXPECT_EQ(zip.out, "100-0001\t東京都千代田区千代田\n");
    EXPECT_TRUE(QFileInfo(dataRoot("tool") + "conf.ini").isFile());
    for (const char* name : {"zip.dat", "version.txt"}) {
        EXPECT_EQ(QFileInfo(dataRoot("tool") + "zip/" + name).size(),
                  QFileInfo(installed(QStringLiteral("share/dorvani4/postal/") + name)).size())
            << name;
    }
}

// The program has no quit from outside; it is ended once its first start has laid out the
// data root, the last thing it does before the window shows.
TEST_F(InstallTest, TheProgramStartsAndMakesItsDataRoot) {
    QProcess program;
    program.setProcessEnvironment(freshUser("program"));
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(installed("bin/dorvani4"), {});
    ASSERT_TRUE(program.waitForStarted());
    const QString table = dataRoot("program") + "zip/version.txt";
    for (int wait = 0; wait < 1200 && !QFileInfo::exists(table); ++wait) {
        if (program.waitForFinished(100)) {
            break;
        }
    }
    const bool running = program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished();
    EXPECT_TRUE(running) << "the program ended by itself, status " << program.exitCode();
    EXPECT_TRUE(QFileInfo(dataRoot("program") + "conf.ini").isFile());
    EXPECT_TRUE(QFileInfo(dataRoot("program") + "zip/zip.dat").isFile());
    EXPECT_TRUE(QFileInfo::exists(table));
}

TEST_F(InstallTest, TheDesktopEntryAndTheMetadataAreValid) {
    struct Validator {
        const char* program;
        QStringList arguments;
    };
    for (const Validator& validator :
         {Validator{"desktop-file-validate",
                    {installed("share/applications/" + AppId + ".desktop")}},
          Validator{
              "appstreamcli",
              {"validate", "--no-net", installed("share/metainfo/" + AppId + ".metainfo.xml")}}}) {
        const QString program = QStandardPaths::findExecutable(validator.program);
        ASSERT_FALSE(program.isEmpty())
            << validator.program << " is missing; scripts/setup installs it";
        const ProcessRun check = run(program, validator.arguments);
        EXPECT_EQ(check.status, 0) << validator.program << ":\n"
                                   << (check.out + check.err).toStdString();
    }
    QFile metadata(installed("share/metainfo/" + AppId + ".metainfo.xml"));
    ASSERT_TRUE(metadata.open(QIODevice::ReadOnly));
    EXPECT_TRUE(metadata.readAll().contains("<release version=\"" DORVANI4_VERSION "\""));
}

bool mentions(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(text);
}

// A path of the tree the build came from would work on the build machine only.
TEST_F(InstallTest, NothingInstalledNamesTheBuildTree) {
    const QByteArray source = QByteArray(DORVANI4_SOURCE_DIR) + '/';
    const QByteArray binary = QByteArray(DORVANI4_BINARY_DIR) + '/';
    if (DORVANI4_DEBUG_INFO) {
        // The built binary's debug information names its sources: the search sees paths.
        ASSERT_TRUE(mentions(DORVANI4_BUILT_TOOL, source));
    }
    QDirIterator files(prefix(), QDir::Files, QDirIterator::Subdirectories);
    int checked = 0;
    while (files.hasNext()) {
        const QString file = files.next();
        EXPECT_FALSE(mentions(file, source)) << file.toStdString();
        EXPECT_FALSE(mentions(file, binary)) << file.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
