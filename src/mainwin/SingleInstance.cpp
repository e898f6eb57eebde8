#include "SingleInstance.h"

#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
#include <QThread>

#include "ModelError.h"

namespace {

constexpr char Request[] = "activate\n";
constexpr char Reply[] = "activated\n";
constexpr int WaitMs = 2000;

}  // namespace

SingleInstance::SingleInstance(const QString& name)
    : name_(name + QStringLiteral("-%1").arg(::getuid())),
      lock_(std::make_unique<QLockFile>(QDir::temp().filePath(name_ + QStringLiteral(".lock")))) {
    // Only a lock whose process is gone is stale; a long run never loses it.
    lock_->setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

bool SingleInstance::Claim() {
    // The first instance may hold the lock a moment before it listens: ask a few times.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (lock_->tryLock(0)) {
            QLocalServer::removeServer(name_);
            if (!server_.listen(name_)) {
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
    socket.connectToServer(name_);
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
