#include "DataLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "SaveFile.h"

namespace {

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The bytes of a lock file; empty when it is gone or cannot be read.
QByteArray readLock(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        return {};
    }
    QByteArray bytes;
    char buffer[1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || bytes.size() > 64 * 1024) {
            break;
        }
        bytes.append(buffer, got);
    }
    ::close(fd);
    return bytes;
}

std::optional<qint64> mtimeMs(const QByteArray& path) {
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        return std::nullopt;
    }
    return qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
}

// Now on the clock of whatever server holds folder: the time of a file written there.
std::optional<qint64> serverNowMs(const QString& folder) {
    const QByteArray probe =
        QFile::encodeName(folder + QStringLiteral(".clock-%1-%2")
                                       .arg(CopyOwner::FileNameHost(CopyOwner::Current().Host))
                                       .arg(CopyOwner::Current().Pid));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return std::nullopt;
    }
    const bool written = WriteAll(fd, "t");
    ::close(fd);
    const std::optional<qint64> now = written ? mtimeMs(probe) : std::nullopt;
    RemoveFile(probe);
    return now;
}

// Whether the lock file at path, holding bytes, was left behind.
bool isStale(const QString& folder, const QByteArray& path, const QByteArray& bytes, int staleMs) {
    const std::optional<CopyOwner> holder = CopyOwner::Parse(bytes);
    if (holder && holder->Host == CopyOwner::Current().Host) {
        return !holder->ProcessAlive();
    }
    // Another host, or a record still being written: only its age tells.
    const std::optional<qint64> written = mtimeMs(path);
    if (!written) {
        return false;  // gone: the next try creates it
    }
    const std::optional<qint64> now = serverNowMs(folder);
    return now && *now - *written > staleMs;
}

QByteArray makeContent(quint64 token, quint64 beat) {
    return CopyOwner::Current().Serialize() + "token=" + QByteArray::number(token) +
           "\nbeat=" + QByteArray::number(beat) + '\n';
}

QByteArray tokenLine(const QByteArray& content) {
    const qsizetype at = content.indexOf("token=");
    return at < 0 ? QByteArray() : content.mid(at, content.indexOf('\n', at) - at);
}

enum class Created { Yes, Exists };

// O_EXCL creation with the content; read back, since a share that ignored O_EXCL would let
// two copies both "create" it, and only the last writer's bytes stay.
Created create(const QByteArray& path, const QByteArray& content, const QString& shownPath) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST) {
            return Created::Exists;
        }
        throw EFileError(QStringLiteral("ロックファイル「%1」を作成できません: %2")
                             .arg(shownPath, systemError()));
    }
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    ::close(fd);
    if (!written) {
        const QString reason = systemError();
        RemoveFile(path);
        throw EFileError(
            QStringLiteral("ロックファイル「%1」に書き込めません: %2").arg(shownPath, reason));
    }
    return readLock(path) == content ? Created::Yes : Created::Exists;
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Removes the stale lock at path that held observed, through the lock "<path>.break".
// Returns the owner of what was removed, or nothing when another copy got there first.
std::optional<std::optional<CopyOwner>> breakStale(const QString& folder, const QByteArray& path,
                                                   const QByteArray& observed, int staleMs) {
    const QByteArray guard = path + ".break";
    const QByteArray mine = makeContent(QRandomGenerator::system()->generate64(), 0);
    if (create(guard, mine, QFile::decodeName(guard)) != Created::Yes) {
        // A breaker that died inside these few steps left its guard; nothing else removes it.
        const QByteArray other = readLock(guard);
        if (isStale(folder, guard, other, staleMs) && readLock(guard) == other) {
            RemoveFile(guard);
        }
        return std::nullopt;
    }
    std::optional<std::optional<CopyOwner>> removed;
    if (readLock(path) == observed && RemoveFile(path)) {
        removed = CopyOwner::Parse(observed);
    }
    if (tokenLine(readLock(guard)) == tokenLine(mine)) {
        RemoveFile(guard);
    }
    return removed;
}

DataLock::TakeOverNotice& takeOverNotice() {
    static DataLock::TakeOverNotice notice;
    return notice;
}

QString busyMessage(const std::optional<CopyOwner>& holder) {
    const QString who = holder ? holder->Describe() : QStringLiteral("別のコピー");
    return QStringLiteral(
               "データフォルダを%1が使用中です。しばらくしてからもう一度お試しください。")
        .arg(who);
}

}  // namespace

// Rewrites the lock file while it is held, so other hosts see a live holder.
class DataLock::Refresher {
  public:
    Refresher(QByteArray path, quint64 token, int intervalMs)
        : path_(std::move(path)), token_(token), thread_([this, intervalMs] { run(intervalMs); }) {}
    ~Refresher() {
        {
            const std::lock_guard<std::mutex> guard(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    Refresher(const Refresher&) = delete;
    Refresher& operator=(const Refresher&) = delete;

  private:
    void run(int intervalMs) {
        quint64 beat = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::milliseconds(intervalMs),
                               [this] { return stop_; })) {
            const QByteArray content = makeContent(token_, ++beat);
            // Only a file that is still ours: a lock taken over while this copy was
            // suspended belongs to its new holder.
            if (tokenLine(readLock(path_)) != tokenLine(content)) {
                continue;
            }
            const int fd = ::open(path_.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd >= 0) {
                WriteAll(fd, content);
                ::close(fd);
            }
        }
    }

    QByteArray path_;
    quint64 token_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};

QString DataLock::Folder(const QString& root) {
    return QDir::cleanPath(root) + QStringLiteral("/.locks/");
}

DataLock::DataLock(const QString& root, const QString& name, Timing timing) {
    const QString folder = Folder(root);
    // Only inside a data root that exists: a missing one (a share not mounted) is no place
    // to start a new one in.
    if (!QDir().mkdir(folder) && !QDir(folder).exists()) {
        throw EFileError(QStringLiteral("フォルダ「%1」を作成できません。").arg(folder));
    }
    path_ = folder + name + QStringLiteral(".lock");
    const QByteArray path = QFile::encodeName(path_);
    const quint64 token = QRandomGenerator::system()->generate64();
    content_ = makeContent(token, 0);
    QElapsedTimer waited;
    waited.start();
    bool tookOver = false;
    int pause = 5;
    for (;;) {
        if (create(path, content_, path_) == Created::Yes) {
            break;
        }
        const QByteArray held = readLock(path);
        if (isStale(folder, path, held, timing.StaleMs)) {
            if (const auto removed = breakStale(folder, path, held, timing.StaleMs)) {
                takenOver_ = *removed;
                tookOver = true;
                continue;
            }
        }
        if (waited.elapsed() >= timing.WaitMs) {
            const std::optional<CopyOwner> holder = CopyOwner::Parse(held);
            throw ELockBusy(busyMessage(holder), holder);
        }
        // Short holds are the rule; a random pause keeps waiting copies out of step.
        sleepMs(pause + int(QRandomGenerator::global()->bounded(pause + 1)));
        pause = std::min(pause * 2, 100);
    }
    refresher_ = std::make_unique<Refresher>(path, token, timing.RefreshMs);
    if (tookOver && takeOverNotice()) {
        takeOverNotice()(takenOver_);
    }
}

void DataLock::SetTakeOverNotice(TakeOverNotice notice) {
    takeOverNotice() = std::move(notice);
}

QString DataLock::TakeOverText(const std::optional<CopyOwner>& previous) {
    const QString who =
        previous ? QStringLiteral("%1（%2 に開始）")
                       .arg(previous->Describe(),
                            previous->Started.toString(QStringLiteral("yyyy/MM/dd HH:mm")))
                 : QStringLiteral("別のコピー");
    return QStringLiteral("%1が残したロックは使われていないため、引き継ぎました。").arg(who);
}

DataLock::~DataLock() {
    refresher_.reset();
    const QByteArray path = QFile::encodeName(path_);
    if (tokenLine(readLock(path)) == tokenLine(content_)) {
        RemoveFile(path);
    }
}

std::unique_ptr<DataLock> DataLock::TryTake(const QString& root, const QString& name,
                                            std::optional<CopyOwner>* holder, Timing timing) {
    timing.WaitMs = 0;
    try {
        return std::make_unique<DataLock>(root, name, timing);
    } catch (const ELockBusy& busy) {
        if (holder != nullptr) {
            *holder = busy.holder();
        }
        return nullptr;
    }
}

std::optional<CopyOwner> DataLock::Holder(const QString& root, const QString& name, Timing timing) {
    const QString folder = Folder(root);
    const QByteArray path = QFile::encodeName(folder + name + QStringLiteral(".lock"));
    const QByteArray held = readLock(path);
    if (held.isEmpty() || isStale(folder, path, held, timing.StaleMs)) {
        return std::nullopt;
    }
    return CopyOwner::Parse(held);
}
