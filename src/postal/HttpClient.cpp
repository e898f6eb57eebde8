#include "HttpClient.h"

#include <curl/curl.h>

#include <memory>

namespace {

struct Transfer {
    QByteArray body;
    qint64 maxBytes;
    bool tooLarge = false;
    const std::atomic_bool* cancel;
};

size_t receive(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const qint64 bytes = static_cast<qint64>(size * count);
    if (transfer->body.size() + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0;  // aborts the transfer
    }
    transfer->body.append(data, static_cast<qsizetype>(bytes));
    return size * count;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* transfer = static_cast<const Transfer*>(user);
    return transfer->cancel != nullptr && transfer->cancel->load() ? 1 : 0;
}

// libcurl's own texts are English; the user reads these.
QString failureReason(CURLcode result, long code, bool tooLarge) {
    if (tooLarge || result == CURLE_FILESIZE_EXCEEDED) {
        return QStringLiteral("応答が大きすぎます");
    }
    switch (result) {
        case CURLE_OK:
        case CURLE_HTTP_RETURNED_ERROR:
            return QStringLiteral("応答コード %1").arg(code);
        case CURLE_COULDNT_RESOLVE_HOST:
            return QStringLiteral("サーバが見つかりません");
        case CURLE_COULDNT_RESOLVE_PROXY:
            return QStringLiteral("プロキシサーバが見つかりません");
        case CURLE_COULDNT_CONNECT:
            return QStringLiteral("接続できません");
        case CURLE_OPERATION_TIMEDOUT:
            return QStringLiteral("応答が止まったため打ち切りました");
        case CURLE_ABORTED_BY_CALLBACK:
            return QStringLiteral("中止しました");
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING:
            return QStringLiteral("応答が途中で切れました");
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CACERT_BADFILE:
            return QStringLiteral("安全な接続を確立できません");
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT:
            return QStringLiteral("http または https の URL ではありません");
        default:
            return QStringLiteral("通信に失敗しました（libcurl %1）").arg(static_cast<int>(result));
    }
}

// libcurl's global set-up is not thread-safe; the first client does it once.
void initialiseCurl() {
    static const bool done = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!done) {
        throw EHttpError(QStringLiteral("通信ライブラリを初期化できません。"));
    }
}

}  // namespace

HttpClient::HttpClient(const QString& proxyHost, int proxyPort, const Limits& limits)
    : proxyHost_(proxyHost), proxyPort_(proxyPort), limits_(limits) {
    initialiseCurl();
}

HttpClient::Response HttpClient::Get(const QString& url) const {
    return request(url, false);
}

QDateTime HttpClient::LastModified(const QString& url) const {
    return request(url, true).LastModified;
}

HttpClient::Response HttpClient::request(const QString& url, bool headOnly) const {
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(),
                                                                   curl_easy_cleanup);
    if (!curl) {
        throw EHttpError(QStringLiteral("通信を開始できません。"));
    }
    CURL* handle = curl.get();
    Transfer transfer{{}, limits_.MaxBytes, false, cancel_};
    const QByteArray address = url.toUtf8();
    const QByteArray proxy = proxyHost_.toUtf8();
    curl_easy_setopt(handle, CURLOPT_URL, address.constData());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_PROXY, proxy.constData());
    curl_easy_setopt(handle, CURLOPT_NOPROXY, "");
    if (!proxyHost_.isEmpty()) {
        curl_easy_setopt(handle, CURLOPT_PROXYPORT, static_cast<long>(proxyPort_));
    }
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, limits_.ConnectSeconds);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, limits_.StallSeconds);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, limits_.TotalSeconds);
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits_.MaxBytes));
    curl_easy_setopt(handle, CURLOPT_NOBODY, headOnly ? 1L : 0L);
    curl_easy_setopt(handle, CURLOPT_FILETIME, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, receive);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);

    const CURLcode result = curl_easy_perform(handle);
    long code = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &code);
    if (result != CURLE_OK || code != 200) {
        throw EHttpError(
            QStringLiteral("%1: %2").arg(url, failureReason(result, code, transfer.tooLarge)));
    }
    Response response{std::move(transfer.body), {}};
    curl_off_t fileTime = -1;
    if (curl_easy_getinfo(handle, CURLINFO_FILETIME_T, &fileTime) == CURLE_OK && fileTime >= 0) {
        response.LastModified = QDateTime::fromSecsSinceEpoch(fileTime, Qt::UTC);
    }
    return response;
}
