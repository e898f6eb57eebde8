#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <functional>

#include "DocumentFile.h"
#include "FileList.h"
#include "ModelError.h"
#include "PictureFile.h"
#include "SaveFile.h"
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

}  // namespace
