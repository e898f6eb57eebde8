#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "DataLock.h"
#include "HttpClient.h"
#include "ZipTableInstall.h"

// Where new postal-code data comes from and how it becomes the local table: Japan Post's
// national file (the default; nobody runs an update server for this program), an update
// server of the program's own protocol that a shop or a company mirrors, or a file the user
// downloaded elsewhere. Used by the update window and the command-line tool alike.
namespace ZipUpdate {

enum class Source { JapanPost, Server };

// The section of "conf.ini" that chooses the source; the window only reads it.
struct Settings {
    Source Which = Source::JapanPost;
    QString JapanPostUrl;  // ken_all.zip, the towns
    QString JigyosyoUrl;   // jigyosyo.zip, the businesses' own codes
    QString ServerUrl;     // the base; the protocol's paths are appended

    static const QString Section;
    static const QString DefaultJapanPostUrl;
    static const QString DefaultJigyosyoUrl;
    // Missing keys, and a source name that is neither "japanpost" nor "server", read as
    // the defaults. Throws EFileError when the file cannot be read.
    static Settings Load(const QString& confPath);
    // The source's name as the tool's --source takes it.
    static QString SourceName(Source source);

    // What the update window shows: which data it will ask and where.
    QString Description() const;
};

// The check blocks the update window, so it has a deadline of half a minute: Japan Post's
// check asks two files, each within 15 seconds. The download runs in the background and ends
// only when the server stops sending.
inline const HttpClient::Limits CheckLimits{10, 15, 15, ZipTable::MaxTableBytes};
inline const HttpClient::Limits DownloadLimits{10, 30, 0, ZipTable::MaxTableBytes};

// A new table and its version file, checked and ready to install.
struct Payload {
    QByteArray Table;
    QByteArray Version;
};

// The messages of the update, shown by the window and printed by the tool.
extern const QString CheckFailedMessage;
extern const QString NoUpdateMessage;
extern const QString UpdateQuestion;
extern const QString SucceededMessage;
extern const QString DownloadFailedMessage;

// "pro.dat" in the data root: the proxy host and port as the user typed them.
inline constexpr char ProxyFileName[] = "pro.dat";
struct ProxyFields {
    QString Host;
    QString Port;
};
// Both empty when the file cannot be read.
ProxyFields ReadProxyFile(const QString& rootFolder);
// Throws EFileError.
void WriteProxyFile(const QString& rootFolder, const ProxyFields& fields);
// The port as a number, 0 when the text is not one.
int ProxyPort(const QString& text);

enum CheckResult { CheckFailed = -1, NoUpdate = 0, UpdateAvailable = 1 };

// The key of the installed data: the first line of zipFolder's "version.txt", as bytes.
// Throws EFileError when the file cannot be read.
QByteArray LocalKey(const QString& zipFolder);
// Keys compare byte by byte: only a remote key after the local one is an update.
CheckResult Compare(const QByteArray& localKey, const QByteArray& remoteKey);

// A version.txt from a server: every byte below 0x20 becomes one CR LF; the result as lines.
QByteArray NormaliseVersion(const QByteArray& received);
// The first line of text with CR, LF or CR LF ends.
QByteArray FirstLine(const QByteArray& text);

class Updater {
  public:
    // minLines is the smallest table that may replace the installed one.
    Updater(const Settings& settings, const HttpClient& client,
            qsizetype minLines = ZipTable::MinPlausibleLines);

    // The version key the source offers. Throws EHttpError when it cannot be asked,
    // EFileFormatError when its answer is no postal data.
    QByteArray RemoteKey() const;
    // Both files from the source, validated. Throws as RemoteKey.
    Payload Download() const;

  private:
    QString townsUrl() const;
    QString businessesUrl() const;
    // The day in Japan the file at url was made, by a HEAD request if the server tells it.
    QDate japanPostDate(const QString& url) const;
    QString serverUrl(const char* file) const;

    Settings settings_;
    const HttpClient& client_;
    qsizetype minLines_;
};

// Japan Post's two files the user has, converted and validated: each path an archive or a
// CSV, told apart by their content, or a folder holding both under Japan Post's names
// (ken_all.zip or KEN_ALL.CSV or utf_ken_all.*, and jigyosyo.zip or JIGYOSYO.CSV). The
// version is the date of the newer file. Throws EFileFormatError when one of the two is
// missing, EFileError when a file cannot be read.
Payload FromFiles(const QStringList& paths, qsizetype minLines = ZipTable::MinPlausibleLines);

void Install(const QString& zipFolder, const Payload& payload);

// The data root's postal lock, held by one update from its download to its install, so two
// copies never swap the pair at once nor settle each other's swap. Throws ELockBusy with
// BusyMessage at once when a live copy holds it; a check that installs nothing needs none.
std::unique_ptr<DataLock> LockForUpdate(const QString& rootFolder);
// "郵便番号データは、PC「host」のユーザー「user」（ツール）が更新中です。…"
QString BusyMessage(const std::optional<CopyOwner>& holder);

}  // namespace ZipUpdate
