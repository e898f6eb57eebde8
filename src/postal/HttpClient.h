#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <atomic>

#include "ModelError.h"

// A transfer that did not bring a whole answer: no connection, an answer other than 200, a
// body over the limit, a stall or time-out, or a cancel. The message is for the tool's
// progress output; windows show their own message instead.
class EHttpError : public EModelError {
    using EModelError::EModelError;
};

// The few GET and HEAD requests of the postal-code update, by libcurl, with the proxy of
// the update window. Blocking; one client per thread.
class HttpClient {
  public:
    struct Limits {
        long ConnectSeconds = 20;
        // A transfer that moves no byte for this long is given up.
        long StallSeconds = 30;
        // The whole request, 0 for none: the check blocks its window at most this long.
        long TotalSeconds = 0;
        qint64 MaxBytes = 64LL * 1024 * 1024;
    };

    struct Response {
        QByteArray Body;
        QDateTime LastModified;  // invalid when the server sent none
    };

    // An empty host means a direct connection, whatever the environment says.
    HttpClient(const QString& proxyHost, int proxyPort, const Limits& limits);

    Response Get(const QString& url) const;
    // Only the headers; LastModified is invalid when the server does not tell it.
    QDateTime LastModified(const QString& url) const;

    // Set from another thread to abort a running transfer with EHttpError.
    void SetCancelFlag(const std::atomic_bool* cancel) { cancel_ = cancel; }

  private:
    Response request(const QString& url, bool headOnly) const;

    QString proxyHost_;
    int proxyPort_;
    Limits limits_;
    const std::atomic_bool* cancel_ = nullptr;
};
