#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "CopyOwner.h"
#include "DataFolders.h"
#include "DocumentFile.h"
#include "FileList.h"
#include "ModelError.h"
#include "PictureFile.h"
#include "SaveFile.h"
#include "TThEstimateObjectList.h"
#include "TempDir.h"
#include "TextFile.h"

namespace {

// Files that are not regular files: before the readers checked, a FIFO blocked the open
// for ever and a device was read until the memory ran out.
struct SpecialFile {
    const char* name;
    std::function<void(const QString& path)> make;
    friend void PrintTo(const SpecialFile& c, std::ostream* os) { *os << c.name; }
};

const std::vector<SpecialFile> specialFiles = {
    {"fifo", [](const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path), 0600), 0); }},
    {"device", [](const QString& path) { ASSERT_TRUE(QFile::link("/dev/zero", path)); }},
    {"folder", [](const QString& path) { ASSERT_EQ(::mkdir(QFile::encodeName(path), 0700), 0); }},
};

struct Reader {
    const char* name;
    std::function<void(const QString& path)> read;
};

const std::vector<Reader> readers = {
    {"whole file", [](const QString& path) { ReadWholeFile(path, 1024); }},
    {"text lines", [](const QString& path) { TextFile::ReadLines(path); }},
    {"document header", [](const QString& path) { DocumentFile::ReadHeader(path); }},
    {"picture", [](const QString& path) { PictureFile::Load(path); }},
};

class SpecialFiles : public ::testing::TestWithParam<SpecialFile> {};

TEST_P(SpecialFiles, AreRefusedByEveryReaderWithoutBlocking) {
    TempDir dir;
    const QString path = dir.path("x.MT4");
    GetParam().make(path);
    for (const Reader& reader : readers) {
        try {
            reader.read(path);
            ADD_FAILURE() << reader.name << ": no error";
        } catch (const EFileError& error) {
            EXPECT_EQ(
                error.message(),
                QStringLiteral("「%1」は通常のファイルではないため読み込めません。").arg(path))
                << reader.name;
        }
    }
}

TEST_P(SpecialFiles, AreNeverListed) {
    TempDir dir;
    writeFileBytes(dir.path("a.MT4"), "");
    GetParam().make(dir.path("b.MT4"));
    EXPECT_EQ(FileList::FilesWithExtensions(dir.root(), {FileList::Extension}),
              QStringList{dir.path("a.MT4")});
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpecialFiles, ::testing::ValuesIn(specialFiles));

// A regular file may report a size of 0 and still hold bytes, as the files of /proc do;
// the limit must count what was read.
TEST(ReadWholeFile, LimitCountsTheBytesReadNotTheReportedSize) {
    const QString maps = QStringLiteral("/proc/self/maps");
    struct stat info {};
    ASSERT_EQ(::stat("/proc/self/maps", &info), 0);
    ASSERT_EQ(info.st_size, 0);
    EXPECT_THROW(ReadWholeFile(maps, 16), EFileFormatError);
    EXPECT_FALSE(ReadWholeFile(maps, TextFile::MaxSize).isEmpty());
}

TEST(ReadWholeFile, AFileOfExactlyTheLimitIsRead) {
    TempDir dir;
    const QByteArray bytes(200000, 'x');
    writeFileBytes(dir.path("f"), bytes);
    EXPECT_EQ(ReadWholeFile(dir.path("f"), bytes.size()), bytes);
    EXPECT_THROW(ReadWholeFile(dir.path("f"), bytes.size() - 1), EFileFormatError);
}

QStringList namesIn(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The temporary name a save of this host gives, with the six characters of mkstemp.
QString ownTemporary(const char* random) {
    return QStringLiteral(".saving-%1-%2")
        .arg(CopyOwner::FileNameHost(CopyOwner::Current().Host), QLatin1String(random));
}

// A save killed part-way leaves its temporary file; only those of this host's name that no
// save holds go, never a file that merely looks alike, nor one of another PC on a share,
// whose lock this host cannot see.
TEST(StaleTemporaryFiles, OnlyThisHostsThatNoSaveHoldsAreRemoved) {
    const QString host = CopyOwner::FileNameHost(CopyOwner::Current().Host);
    struct Case {
        QString name;
        bool held;
        bool removed;
    };
    const std::vector<Case> cases = {
        {ownTemporary("Ab12Cd"), false, true},
        {ownTemporary("Held01"), true, false},
        {".saving-otherpc-Ab12Cd", false, false},
        // A host whose name begins like ours.
        {".saving-" + host + "-2-Ab12Cd", false, false},
        // Earlier versions named no host: the file may be another PC's save in progress.
        {".saving-Ab12Cd", false, false},
        {ownTemporary("Ab12Cd") + "x", false, false},
        {ownTemporary("Ab-2Cd"), false, false},
        {".saving-longer-name", false, false},
        {"見積.MT4", false, false},
    };
    TempDir dir;
    std::vector<int> locks;
    for (const Case& c : cases) {
        writeFileBytes(dir.path(c.name), "bytes");
        if (c.held) {
            const int fd = ::open(QFile::encodeName(dir.path(c.name)), O_RDONLY);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(::flock(fd, LOCK_EX), 0);
            locks.push_back(fd);
        }
    }
    const QString folderName = ownTemporary("Dir001");
    ASSERT_EQ(::mkdir(QFile::encodeName(dir.path(folderName)), 0700), 0);

    EXPECT_EQ(RemoveStaleTemporaryFiles(dir.root()), 1);
    for (const int fd : locks) {
        ::close(fd);
    }
    for (const Case& c : cases) {
        EXPECT_EQ(QFile::exists(dir.path(c.name)), !c.removed) << c.name.toStdString();
    }
    EXPECT_TRUE(QFileInfo(dir.path(folderName)).isDir());
}

// What a save leaves behind when it is cut is exactly what the clean-up takes.
TEST(StaleTemporaryFiles, ASavesOwnTemporaryNameIsOneToRemove) {
    TempDir dir;
    const QString path = dir.path("ItemList.dat");
    {
        StagedFile staged(path, "new");
        const QStringList names = namesIn(dir.root());
        ASSERT_EQ(names.size(), 1);
        EXPECT_TRUE(names[0].startsWith(ownTemporary(""))) << names[0].toStdString();
        EXPECT_EQ(names[0].size(), ownTemporary("XXXXXX").size());
        // Held by the save, so a clean-up beside it leaves it.
        EXPECT_EQ(RemoveStaleTemporaryFiles(dir.root()), 0);
        // A copy stands for the file of a save that was killed.
        ASSERT_TRUE(QFile::copy(dir.path(names[0]), dir.path(ownTemporary("Killed"))));
    }
    EXPECT_EQ(RemoveStaleTemporaryFiles(dir.root()), 1);
    EXPECT_TRUE(namesIn(dir.root()).isEmpty());
}

TEST(StaleTemporaryFiles, AreRemovedFromTheDataFoldersAtStart) {
    TempDir dir;
    const DataFolders folders(dir.root() + u'/');
    folders.Prepare();
    for (const QString& folder :
         {folders.RootFolder(), folders.DataFolder(), folders.ImgFolder()}) {
        writeFileBytes(folder + ownTemporary("Ab12Cd"), "left by a killed save");
    }
    folders.Prepare();
    EXPECT_EQ(namesIn(folders.RootFolder()), (QStringList{"data", "img", "zip"}));
    EXPECT_TRUE(namesIn(folders.DataFolder()).isEmpty());
    EXPECT_TRUE(namesIn(folders.ImgFolder()).isEmpty());
}

// Past the file size limit the system sends SIGXFSZ, which used to end the program with
// the temporary file left behind.
TEST(SaveFileAtomically, FileSizeLimitIsAFailedWriteThatKeepsTheOldFile) {
    TempDir dir;
    const QString path = dir.path("ItemList.dat");
    writeFileBytes(path, "old");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    try {
        SaveFileAtomically(path, QByteArray(100000, 'x'));
    } catch (const EFileError&) {
        failed = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_TRUE(failed);
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_EQ(namesIn(dir.root()), QStringList{"ItemList.dat"});
}

// One byte over the limit is refused before anything is decoded; the old limits let files
// through that took gigabytes to read.
TEST(ReadLimits, AreSetToWhatTheProgramCanHold) {
    struct Case {
        const char* name;
        qint64 limit;
        qint64 atMost;
        std::function<void(const QString& path)> read;
    };
    const std::vector<Case> cases = {
        {"document", DocumentFile::MaxFileSize, 16LL << 20,
         [](const QString& path) {
             TThEstimateObjectList document;
             DocumentFile::Load(document, path);
         }},
        {"text file", TextFile::MaxSize, 128LL << 20,
         [](const QString& path) { TextFile::ReadLines(path); }},
    };
    for (const Case& c : cases) {
        EXPECT_LE(c.limit, c.atMost) << c.name;
        TempDir dir;
        const QString path = dir.path("big");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(c.limit + 1));  // sparse: no disk is spent
        file.close();
        try {
            c.read(path);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EFileFormatError& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("「%1」は大きすぎて読み込めません。").arg(path))
                << c.name;
        }
    }
}

}  // namespace
