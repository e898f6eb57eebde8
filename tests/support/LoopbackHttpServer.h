#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// An HTTP server on 127.0.0.1 for the update tests, on its own threads, so that a blocking
// client in the test's thread can talk to it. It answers GET and HEAD by path, 404 for
// paths it does not know, and also serves as a proxy: a request for an absolute URL is
// answered from the URL's path and recorded as such.
class LoopbackHttpServer {
  public:
    enum class Delivery {
        Whole,
        Stall,      // the headers and a first part of the body, then silence
        Truncated,  // the whole length announced, half the body sent, then closed
    };
    struct Reply {
        Reply(QByteArray body = {}, QByteArray lastModified = {}, Delivery how = Delivery::Whole,
              int status = 200)
            : Body(std::move(body)),
              LastModified(std::move(lastModified)),
              How(how),
              Status(status) {}
        QByteArray Body;
        QByteArray LastModified;  // the header's value; none when empty
        Delivery How;
        int Status;
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    void Serve(const QByteArray& path, const Reply& reply);
    QString Url(const QString& path = {}) const;
    quint16 Port() const { return port_; }
    // Every request line received so far ("GET /a HTTP/1.1", "GET http://host/a HTTP/1.1").
    QStringList Requests() const;

  private:
    void acceptLoop();
    void answer(int client);

    int listener_ = -1;
    quint16 port_;  // set by the listener's initialiser, which comes first
    std::atomic_bool stop_{false};
    mutable std::mutex mutex_;
    QMap<QByteArray, Reply> replies_;
    QStringList requests_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

// A port on 127.0.0.1 where nothing listens.
quint16 ClosedLoopbackPort();
