#include "SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include "ModelError.h"

namespace {

constexpr char Request[] = "activate\n";
constexpr char Reply[] = "activated\n";
constexpr int WaitMs = 2000;

// A folder of ours that nobody else may enter or plant a file in.
bool IsPrivate(const QString& folder) {
    struct stat info {};
    return !folder.isEmpty() && QDir::isAbsolutePath(folder) &&
           ::lstat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

// The same data folder gives the same key, however it was written.
QString DataRootKey(const QString& dataRoot) {
    const QByteArray path = QFile::encodeName(QDir::cleanPath(QDir(dataRoot).absolutePath()));
    return QString::fromLatin1(
        QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(16));
}

}  // namespace

QString SingleInstance::PrivateFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (IsPrivate(runtime)) {
        return runtime;
    }
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                        QStringLiteral("/dorvani4");
    QDir().mkpath(own);
    ::chmod(QFile::encodeName(own).constData(), 0700);
    if (!IsPrivate(own)) {
        throw EModelError(
            QStringLiteral("起動の確認に使うフォルダ「%1」を自分専用にできません。").arg(own));
    }
    return own;
}

SingleInstance::SingleInstance(const QString& name, const QString& dataRoot)
    : name_(name), dataRoot_(dataRoot) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

bool SingleInstance::Claim() {
    const QString base = QDir(PrivateFolder()).filePath(name_ + u'-' + DataRootKey(dataRoot_));
    socketPath_ = base + QStringLiteral(".socket");
    lock_ = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    // Only a lock whose process is gone is stale; a long run never loses it.
    lock_->setStaleLockTime(0);
    // The first instance may hold the lock a moment before it listens: ask a few times.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (lock_->tryLock(0)) {
            QLocalServer::removeServer(socketPath_);
            if (!server_.listen(socketPath_)) {
                throw EModelError(
                    QStringLiteral("起動の確認に失敗しました: %1").arg(server_.errorString()));
            }
            return true;
        }
        if (askRunningInstance()) {
            return false;
        }
        QThread::msleep(100);
    }
    throw EModelError(QStringLiteral("起動中のプログラムが応答しません。"));
}

bool SingleInstance::askRunningInstance() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(WaitMs)) {
        return false;
    }
    socket.write(Request);
    socket.flush();
    while (socket.bytesAvailable() < static_cast<qint64>(sizeof Reply - 1)) {
        if (!socket.waitForReadyRead(WaitMs)) {
            return false;
        }
    }
    return socket.readAll() == Reply;
}

void SingleInstance::answer() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                return;
            }
            if (socket->readLine() == Request) {
                emit activateRequested();
                socket->write(Reply);
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}
