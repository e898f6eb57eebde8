#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {

sockaddr_in loopback(quint16 port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

int listenOnLoopback(quint16& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return fd;
}

void sendAll(int fd, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return;
        }
        sent += n;
    }
}

const char* reason(int status) {
    return status == 200 ? "OK" : status == 404 ? "Not Found" : "Error";
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() : listener_(listenOnLoopback(port_)) {
    acceptor_ = std::thread([this] { acceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stop_ = true;
    acceptor_.join();
    for (std::thread& connection : connections_) {
        connection.join();
    }
    ::close(listener_);
}

void LoopbackHttpServer::Serve(const QByteArray& path, const Reply& reply) {
    const std::lock_guard lock(mutex_);
    replies_[path] = reply;
}

QString LoopbackHttpServer::Url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

QStringList LoopbackHttpServer::Requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

void LoopbackHttpServer::acceptLoop() {
    while (!stop_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) {
            continue;
        }
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client >= 0) {
            connections_.emplace_back([this, client] {
                answer(client);
                ::close(client);
            });
        }
    }
}

void LoopbackHttpServer::answer(int client) {
    QByteArray request;
    while (!request.contains("\r\n\r\n") && request.size() < 65536 && !stop_) {
        pollfd waiting{client, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) {
            return;
        }
        request.append(buffer, n);
    }
    const QByteArray line = request.left(request.indexOf("\r\n"));
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() < 3) {
        return;
    }
    QByteArray path = parts[1];
    if (path.startsWith("http://")) {
        const qsizetype slash = path.indexOf('/', 7);
        path = slash < 0 ? QByteArray("/") : path.mid(slash);
    }
    Reply reply{"not found", {}, Delivery::Whole, 404};
    {
        const std::lock_guard lock(mutex_);
        requests_ << QString::fromLatin1(line);
        reply = replies_.value(path, reply);
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.Status) + ' ' + reason(reply.Status) +
                      "\r\nContent-Length: " + QByteArray::number(reply.Body.size()) +
                      "\r\nConnection: close\r\n";
    if (!reply.LastModified.isEmpty()) {
        head += "Last-Modified: " + reply.LastModified + "\r\n";
    }
    sendAll(client, head + "\r\n");
    if (parts[0] == "HEAD") {
        return;
    }
    switch (reply.How) {
        case Delivery::Whole:
            sendAll(client, reply.Body);
            break;
        case Delivery::Truncated:
            sendAll(client, reply.Body.left(reply.Body.size() / 2));
            break;
        case Delivery::Stall:
            sendAll(client, reply.Body.left(reply.Body.size() / 4));
            // Hold the connection open without a byte until the client gives up.
            while (!stop_) {
                pollfd waiting{client, POLLIN, 0};
                char byte;
                if (::poll(&waiting, 1, 20) > 0 && ::recv(client, &byte, 1, 0) <= 0) {
                    break;
                }
            }
            break;
    }
}

quint16 ClosedLoopbackPort() {
    quint16 port = 0;
    ::close(listenOnLoopback(port));
    return port;
}
