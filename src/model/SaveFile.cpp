#include "SaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "ModelError.h"

namespace {

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

[[noreturn]] void cannotSave(const QString& path, const QString& reason) {
    throw EFileError(QStringLiteral("「%1」に保存できません: %2").arg(path, reason));
}

// Every byte, or false: a short write (a full disk, a file size limit) is a failure.
bool writeAll(int fd, const QByteArray& bytes) {
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

// The new file gets the old one's permissions, or those of a newly created file.
mode_t modeFor(const QByteArray& target) {
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

// QSaveFile is not used: it reports success after a short write and renames a cut file
// over the good one.
void SaveFileAtomically(const QString& path, const QByteArray& bytes) {
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary = target + ".saving-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        cannotSave(path, systemError());
    }
    const bool written =
        ::fchmod(fd, modeFor(target)) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const QString writeError = written ? QString() : systemError();
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.constData(), target.constData()) != 0) {
        const QString reason = !written ? writeError : systemError();
        ::unlink(temporary.constData());
        cannotSave(path, reason);
    }
}

QByteArray ReadWholeFile(const QString& path, qint64 maxSize) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EFileError(QStringLiteral("「%1」を開けません: %2").arg(path, file.errorString()));
    }
    if (file.size() > maxSize) {
        throw EFileFormatError(QStringLiteral("「%1」は大きすぎて読み込めません。").arg(path));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw EFileError(QStringLiteral("「%1」を読めません: %2").arg(path, file.errorString()));
    }
    return bytes;
}
