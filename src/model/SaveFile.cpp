#include "SaveFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "CopyOwner.h"
#include "ModelError.h"

namespace {

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

[[noreturn]] void cannotSave(const QString& path, const QString& reason) {
    throw EFileError(QStringLiteral("「%1」に保存できません: %2").arg(path, reason));
}

constexpr char temporaryPrefix[] = ".saving-";
constexpr int temporaryRandomSize = 6;  // the "XXXXXX" of mkstemp

// On a shared data folder a lock taken on another PC cannot be seen, so the name says which
// PC saves through the file: only that PC may ever clear it away.
QByteArray hostPrefix() {
    return temporaryPrefix + CopyOwner::FileNameHost(CopyOwner::Current().Host).toLatin1() + '-';
}

// The temporary file is a short name in the target's folder: the rename stays within one
// file system, and a target name near the file system's limit still has room.
QByteArray temporaryPattern(const QByteArray& target) {
    return target.left(target.lastIndexOf('/') + 1) + hostPrefix() +
           QByteArray(temporaryRandomSize, 'X');
}

// A name StagedFile of this host made: the prefix, then exactly mkstemp's letters and digits.
// A host that only begins like ours has more before its own "-", so the length tells it.
bool ourTemporaryName(const QString& name, const QString& prefix) {
    if (name.size() != prefix.size() + temporaryRandomSize || !name.startsWith(prefix)) {
        return false;
    }
    return std::all_of(name.begin() + prefix.size(), name.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    });
}

// Past the file size limit a write raises SIGXFSZ, whose default ends the program and
// leaves the temporary file behind; ignored, the write fails with EFBIG like a full disk.
void treatFileSizeLimitAsWriteError() {
    // Looked at every time: whoever set a handler of their own keeps it.
    struct sigaction action {};
    if (::sigaction(SIGXFSZ, nullptr, &action) == 0 && action.sa_handler == SIG_DFL) {
        action.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &action, nullptr);
    }
}

// A write in place would be refused for a file the user may not write, so the rename must
// not replace it either. Root may write anything, so for root a file that nobody may
// write counts as protected.
bool writeProtected(const QByteArray& target, const struct stat& existing) {
    return (existing.st_mode & 0222) == 0 ||
           (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0 && errno == EACCES);
}

// The new file takes the old one's permissions, or those of a newly created file, and
// where the user may set them its owner and group, as a write in place would keep them.
bool takeOver(int fd, const struct stat* existing) {
    if (existing == nullptr) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0;
    }
    if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
        // Only root may give a file away; anyone else saves it as their own, as before.
    }
    return ::fchmod(fd, existing->st_mode & 07777) == 0;
}

struct ClosedOnExit {
    int fd;
    ~ClosedOnExit() { ::close(fd); }
};

QString notRegular(const QString& path) {
    return QStringLiteral("「%1」は通常のファイルではないため読み込めません。").arg(path);
}

}  // namespace

// QSaveFile is not used: it reports success after a short write and renames a cut file
// over the good one.
void SaveFileAtomically(const QString& path, const QByteArray& bytes) {
    StagedFile(path, bytes).Commit();
}

StagedFile::StagedFile(const QString& path, const QByteArray& bytes) : path_(path) {
    treatFileSizeLimitAsWriteError();
    const QByteArray target = QFile::encodeName(path);
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (exists && writeProtected(target, existing)) {
        cannotSave(path, QStringLiteral("書き込みが禁止されたファイルです。"));
    }
    QByteArray temporary = temporaryPattern(target);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        cannotSave(path, systemError());
    }
    // The lock tells RemoveStaleTemporaryFiles that the file is in use; it is held until
    // the rename, so a clean-up running beside us never takes a file being written.
    const bool written = ::flock(fd, LOCK_EX) == 0 && takeOver(fd, exists ? &existing : nullptr) &&
                         WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (!written) {
        const QString reason = systemError();
        ::close(fd);
        RemoveFile(temporary);
        cannotSave(path, reason);
    }
    temporary_ = temporary;
    fd_ = fd;
}

StagedFile::~StagedFile() {
    if (fd_ >= 0) {
        // Closed before it is removed, which a share refuses for an open file.
        ::close(fd_);
        RemoveFile(temporary_);
    }
}

namespace {

// smbnetfs refuses a rename over a file another PC has open (EEXIST), and a rename or an
// unlink of a file open anywhere (EBUSY), then answers EIO to every call for a moment: such
// refusals pass, so they are waited out before a call counts as failed.
bool mayPass(int error) {
    return error == EEXIST || error == EBUSY || error == EIO || error == EAGAIN || error == EINTR;
}

template <class Call>
bool retriedOnShare(Call call) {
    constexpr int GiveUpMs = 10000;
    for (int waited = 0, pause = 5;; waited += pause, pause = std::min(pause * 2, 500)) {
        if (call() == 0) {
            return true;
        }
        const int error = errno;
        if (!mayPass(error) || waited >= GiveUpMs) {
            errno = error;
            return false;
        }
        ::usleep(static_cast<useconds_t>(pause) * 1000);
    }
}

}  // namespace

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool RenameOver(const QByteArray& from, const QByteArray& to) {
    return retriedOnShare([&] { return ::rename(from.constData(), to.constData()); });
}

bool RemoveFile(const QByteArray& path) {
    return retriedOnShare([&] { return ::unlink(path.constData()); });
}

void StagedFile::Commit() {
    const QByteArray target = QFile::encodeName(path_);
    // Renamed while still locked, so no clean-up of this host takes it meanwhile; a share
    // refuses to rename a file that is open, and there it is closed and the rename retried.
    bool renamed = ::rename(temporary_.constData(), target.constData()) == 0;
    const bool refused = !renamed && mayPass(errno);
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (refused && closed) {
        renamed = RenameOver(temporary_, target);
    }
    if (!renamed || !closed) {
        const QString reason = systemError();
        RemoveFile(temporary_);
        cannotSave(path_, reason);
    }
}

// Names of earlier versions, ".saving-XXXXXX", carry no host and are left alone: on a share
// one of them may be another PC's save in progress, whose lock we cannot see. They are small
// and hidden, and a user can delete them once no PC runs an earlier version.
int RemoveStaleTemporaryFiles(const QString& folder) {
    int removed = 0;
    const QDir dir(folder);
    const QString prefix = QString::fromLatin1(hostPrefix());
    const QStringList names =
        dir.entryList({prefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        struct stat info {};
        if (!ourTemporaryName(name, prefix) || ::lstat(path.constData(), &info) != 0 ||
            !S_ISREG(info.st_mode)) {
            continue;  // not a name of ours, or not a file we would have made
        }
        const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        // On one host the lock still tells a save of another process that runs.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.constData()) == 0) {
            ++removed;
        }
        ::close(fd);
    }
    return removed;
}

bool IsRegularFile(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

int OpenRegularFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        throw EFileError(QStringLiteral("「%1」を開けません: %2").arg(path, systemError()));
    }
    if (!S_ISREG(info.st_mode)) {
        throw EFileError(notRegular(path));
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        throw EFileError(QStringLiteral("「%1」を開けません: %2").arg(path, systemError()));
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw EFileError(notRegular(path));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

QByteArray ReadWholeFile(const QString& path, qint64 maxSize) {
    const ClosedOnExit file{OpenRegularFile(path)};
    const int fd = file.fd;
    QByteArray bytes;
    constexpr qsizetype chunk = 64 * 1024;
    for (;;) {
        // One byte beyond the limit tells a file that is too large from one that just fits.
        const qsizetype room =
            static_cast<qsizetype>(std::min<qint64>(chunk, maxSize + 1 - bytes.size()));
        if (room <= 0) {
            throw EFileFormatError(QStringLiteral("「%1」は大きすぎて読み込めません。").arg(path));
        }
        const qsizetype filled = bytes.size();
        if (bytes.capacity() < filled + room) {
            bytes.reserve(std::max(2 * bytes.capacity(), filled + room));
        }
        bytes.resize(filled + room);
        const ssize_t got = ::read(fd, bytes.data() + filled, static_cast<size_t>(room));
        if (got < 0 && errno == EINTR) {
            bytes.resize(filled);
            continue;
        }
        if (got < 0) {
            throw EFileError(QStringLiteral("「%1」を読めません: %2").arg(path, systemError()));
        }
        bytes.resize(filled + got);
        if (got == 0) {
            break;
        }
    }
    return bytes;
}
