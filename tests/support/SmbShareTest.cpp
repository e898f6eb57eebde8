// What the data folder's lock files and merges rely on when two PCs share it over SMB,
// checked on a real Samba share mounted twice, each case from PC 0 to PC 1 and back.

#include "SmbShare.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <optional>

namespace {

// Bytes that differ in every position of a block, so a shifted or stale page shows.
QByteArray Pattern(qsizetype size, int seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 131 + seed * 7 + i / 251) & 0xff);
    }
    return bytes;
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

std::optional<QByteArray> Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

std::string ErrnoText() {
    return strerror(errno);
}

QByteArray Name(const QString& path) {
    return QFile::encodeName(path);
}

// "mine" is the share as the acting PC sees it, "other" as the other PC does; "stem" is a
// file name of this case and direction alone.
struct Case {
    const char* what;
    void (*check)(const QString& mine, const QString& other, const QString& stem);
};

void ReadsBackByteIdentical(const QString& mine, const QString& other, const QString& stem) {
    const QString name = QStringLiteral("/見積書-%1.dat").arg(stem);
    // Sizes around FUSE's pages and SMB's blocks, then a shorter rewrite that a stale size
    // or page of the reader would pad with old bytes.
    for (qsizetype size : {qsizetype{1}, qsizetype{4096}, qsizetype{65537},
                           qsizetype{(1 << 20) + 3}, qsizetype{7}}) {
        SCOPED_TRACE(size);
        const QByteArray bytes = Pattern(size, static_cast<int>(size));
        ASSERT_TRUE(Write(mine + name, bytes));
        EXPECT_EQ(QFileInfo(other + name).size(), size);
        EXPECT_EQ(Read(other + name), bytes);
        EXPECT_EQ(QFileInfo(other + name).size(), size);  // what the next rewrite must replace
    }
}

void ExclusiveCreateFailsOnTheOtherPc(const QString& mine, const QString& other,
                                      const QString& stem) {
    const QString name = QStringLiteral("/%1.lock").arg(stem);
    const int fd = open(Name(mine + name), O_CREAT | O_EXCL | O_WRONLY, 0644);
    ASSERT_GE(fd, 0) << ErrnoText();
    ASSERT_EQ(write(fd, "mine", 4), 4);
    close(fd);

    errno = 0;
    const int second = open(Name(other + name), O_CREAT | O_EXCL | O_WRONLY, 0644);
    EXPECT_EQ(second, -1);
    EXPECT_EQ(errno, EEXIST) << ErrnoText();
    if (second >= 0) {
        close(second);
    }
    EXPECT_EQ(Read(mine + name), QByteArray("mine"));

    // Once the lock is gone the other PC takes it: the refusal came from the file.
    ASSERT_EQ(unlink(Name(mine + name)), 0) << ErrnoText();
    const int third = open(Name(other + name), O_CREAT | O_EXCL | O_WRONLY, 0644);
    EXPECT_GE(third, 0) << ErrnoText();
    if (third >= 0) {
        close(third);
    }
}

void RenameReplacesForTheOtherPc(const QString& mine, const QString& other, const QString& stem) {
    const QString target = QStringLiteral("/%1.dat").arg(stem);
    const QString fresh = QStringLiteral("/%1.new").arg(stem);
    const QByteArray old = Pattern(5000, 1);
    const QByteArray replacement = Pattern(3000, 2);
    ASSERT_TRUE(Write(mine + target, old));
    ASSERT_EQ(Read(other + target), old);  // the other PC has looked at the old one

    ASSERT_TRUE(Write(mine + fresh, replacement));
    ASSERT_EQ(rename(Name(mine + fresh), Name(mine + target)), 0) << ErrnoText();
    EXPECT_EQ(Read(other + target), replacement);
    EXPECT_FALSE(QFileInfo::exists(other + fresh));
}

void RenameOverAFileOpenOnTheOtherPcFails(const QString& mine, const QString& other,
                                          const QString& stem) {
    const QString target = QStringLiteral("/%1.dat").arg(stem);
    const QString fresh = QStringLiteral("/%1.new").arg(stem);
    ASSERT_TRUE(Write(mine + target, "old"));
    ASSERT_TRUE(Write(mine + fresh, "new"));
    const int held = open(Name(other + target), O_RDONLY);
    ASSERT_GE(held, 0) << ErrnoText();

    // Windows' sharing rules: a file open elsewhere cannot be replaced, and both stay.
    errno = 0;
    EXPECT_EQ(rename(Name(mine + fresh), Name(mine + target)), -1);
    EXPECT_EQ(errno, EEXIST) << ErrnoText();
    EXPECT_EQ(Read(other + target), QByteArray("old"));
    EXPECT_EQ(Read(other + fresh), QByteArray("new"));

    close(held);
    EXPECT_EQ(rename(Name(mine + fresh), Name(mine + target)), 0) << ErrnoText();
    EXPECT_EQ(Read(other + target), QByteArray("new"));
}

void LinkFails(const QString& mine, const QString& other, const QString& stem) {
    const QString target = QStringLiteral("/%1.dat").arg(stem);
    const QString second = QStringLiteral("/%1.link").arg(stem);
    ASSERT_TRUE(Write(mine + target, "lock owner"));
    errno = 0;
    EXPECT_EQ(link(Name(mine + target), Name(mine + second)), -1);
    EXPECT_EQ(errno, EPERM) << ErrnoText();
    EXPECT_FALSE(QFileInfo::exists(mine + second));
    EXPECT_FALSE(QFileInfo::exists(other + second));
}

void RemovalShowsAtOnce(const QString& mine, const QString& other, const QString& stem) {
    const QString name = QStringLiteral("/%1.lock").arg(stem);
    ASSERT_TRUE(Write(mine + name, "held"));
    ASSERT_TRUE(QFileInfo::exists(other + name));  // the other PC has looked it up
    ASSERT_TRUE(QFile::remove(mine + name));
    EXPECT_FALSE(QFileInfo::exists(other + name));
    errno = 0;
    EXPECT_EQ(open(Name(other + name), O_RDONLY), -1);
    EXPECT_EQ(errno, ENOENT) << ErrnoText();
}

void OpenFileReadsLaterWrites(const QString& mine, const QString& other, const QString& stem) {
    const QString name = QStringLiteral("/%1.dat").arg(stem);
    const QByteArray before(8192, 'a');
    const QByteArray after(8192, 'b');
    ASSERT_TRUE(Write(mine + name, before));
    const int held = open(Name(other + name), O_RDONLY);
    ASSERT_GE(held, 0) << ErrnoText();
    QByteArray seen(before.size(), '\0');
    ASSERT_EQ(pread(held, seen.data(), seen.size(), 0), seen.size());
    ASSERT_EQ(seen, before);

    QFile writer(mine + name);  // in place, as a record is rewritten
    ASSERT_TRUE(writer.open(QIODevice::ReadWrite));
    ASSERT_EQ(writer.write(after), after.size());
    writer.close();

    ASSERT_EQ(pread(held, seen.data(), seen.size(), 0), seen.size());
    EXPECT_EQ(seen, after);
    close(held);
}

const Case kCases[] = {
    {"a file reads back byte-identical on the other PC", ReadsBackByteIdentical},
    {"O_CREAT|O_EXCL of a name the other PC created fails with EEXIST",
     ExclusiveCreateFailsOnTheOtherPc},
    {"rename over an existing file gives the other PC the new bytes", RenameReplacesForTheOtherPc},
    {"rename over a file the other PC holds open fails", RenameOverAFileOpenOnTheOtherPcFails},
    {"link() fails and leaves no second name", LinkFails},
    {"a removal shows on the other PC at once", RemovalShowsAtOnce},
    {"a file open on the other PC reads what was written after", OpenFileReadsLaterWrites},
};

TEST(SmbShare, TwoPcsSeeEachOthersChangesAtOnce) {
    SmbShare share;
    const QString reason = share.Start();
    if (!reason.isEmpty()) {
        GTEST_SKIP() << reason.toStdString();
    }
    for (const Case& c : kCases) {
        for (int pc : {0, 1}) {
            SCOPED_TRACE(QStringLiteral("%1, from PC %2").arg(c.what).arg(pc).toStdString());
            const QString stem = QStringLiteral("case%1-pc%2").arg(&c - kCases).arg(pc);
            c.check(share.Mount(pc), share.Mount(1 - pc), stem);
        }
    }
    // Everything written through the mounts is in the folder the server serves.
    EXPECT_TRUE(QFileInfo::exists(share.ServedFolder() + "/見積書-case0-pc1.dat"));
}

QString MountInfo() {
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A test that fails with a file still open on the share must not leave the mount behind.
TEST(SmbShare, LeavesNoMountServerOrFolderBehind) {
    QString root;
    int port = 0;
    int held = -1;
    {
        SmbShare share;
        const QString reason = share.Start();
        if (!reason.isEmpty()) {
            GTEST_SKIP() << reason.toStdString();
        }
        root = QFileInfo(share.ServedFolder()).absolutePath();
        port = QRegularExpression(QStringLiteral(":(\\d+)/"))
                   .match(share.Mount(0))
                   .captured(1)
                   .toInt();
        ASSERT_GT(port, 0);
        ASSERT_TRUE(SmbShare::AcceptsOnLoopback(port));
        ASSERT_TRUE(MountInfo().contains(root));
        held = open(Name(share.Mount(0) + "/busy"), O_CREAT | O_RDWR, 0644);
        ASSERT_GE(held, 0) << ErrnoText();
    }
    EXPECT_FALSE(MountInfo().contains(root));
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_FALSE(SmbShare::AcceptsOnLoopback(port));
    close(held);
}

}  // namespace
