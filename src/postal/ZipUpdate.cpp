#include "ZipUpdate.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "IniFile.h"
#include "KenAll.h"
#include "SaveFile.h"
#include "TextFile.h"
#include "ZipTable.h"

namespace ZipUpdate {

const QString Settings::Section = QStringLiteral("ZIPUPDATE");
const QString Settings::DefaultJapanPostUrl =
    QStringLiteral("https://www.post.japanpost.jp/zipcode/dl/kogaki/zip/ken_all.zip");
const QString Settings::DefaultJigyosyoUrl =
    QStringLiteral("https://www.post.japanpost.jp/zipcode/dl/jigyosyo/zip/jigyosyo.zip");

const QString CheckFailedMessage = QStringLiteral(
    "更新データを確認できませんでした。\r\nインターネット接続がされているか確認して下さい。\r\n"
    "セキュリティソフトを使っている場合はそちらも確認してください。");
const QString NoUpdateMessage = QStringLiteral("データの更新はありませんでした。");
const QString UpdateQuestion = QStringLiteral(
    "新しい更新データがありました\r\n更新を行いますか？\r\n"
    "データサイズが大きいため、接続速度によっては時間がかかります。");
const QString SucceededMessage = QStringLiteral("更新に成功しました。");
const QString DownloadFailedMessage = QStringLiteral(
    "更新データの取得に失敗しました。\r\nインターネット接続がされているか確認してください。\r\n"
    "セキュリティソフトを使っている場合はそちらも確認してください。");

namespace {

const QString SourceKey = QStringLiteral("SOURCE");
const QString JapanPostUrlKey = QStringLiteral("JAPANPOST_URL");
const QString JigyosyoUrlKey = QStringLiteral("JIGYOSYO_URL");
const QString ServerUrlKey = QStringLiteral("SERVER_URL");

// Japan Post dates its files in Japan; an HTTP date is in UTC.
QDate japanDate(const QDateTime& time) {
    return time.toOffsetFromUtc(9 * 3600).date();
}

// The lines of text split at CR, LF or CR LF, each written back with CR LF.
QByteArray withCrLf(const QByteArray& text) {
    QByteArray lines;
    lines.reserve(text.size() + text.size() / 16);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        lines.append(text.constData() + start, end - start).append("\r\n");
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

QDate knownDate(const QDate& date, const QString& origin) {
    if (!date.isValid()) {
        throw EFileFormatError(
            QStringLiteral("「%1」の日付がわからないため、版を決められません。").arg(origin));
    }
    return date;
}

// One of Japan Post's two files, unpacked, with the day it was made.
struct DatedCsv {
    KenAll::Csv Csv;
    QString Origin;

    KenAll::Named Named() const { return {Csv.Bytes, Origin}; }
    QDate Date() const { return knownDate(Csv.Date, Origin); }
};

// The data is as new as the newer of the two files: a month may change only one.
Payload fromCsvs(const DatedCsv& towns, const DatedCsv& businesses, qsizetype minLines) {
    Payload payload{KenAll::ToZipTable(towns.Named(), businesses.Named()),
                    KenAll::VersionFile(std::max(towns.Date(), businesses.Date()))};
    ZipTable::ValidateTable(payload.Table, minLines,
                            towns.Origin + QStringLiteral("、") + businesses.Origin);
    return payload;
}

// A file from Japan Post's server, dated by the header or else by its archive member.
DatedCsv downloaded(const HttpClient& client, const QString& url) {
    const HttpClient::Response response = client.Get(url);
    DatedCsv csv{KenAll::FromArchive(response.Body, url), url};
    if (response.LastModified.isValid()) {
        csv.Csv.Date = japanDate(response.LastModified);
    }
    return csv;
}

// Japan Post's names of its files, for the files in a folder, in order of preference.
const QStringList TownsFileNames{QStringLiteral("ken_all.zip"), QStringLiteral("utf_ken_all.zip"),
                                 QStringLiteral("ken_all.csv"), QStringLiteral("utf_ken_all.csv")};
const QStringList BusinessesFileNames{QStringLiteral("jigyosyo.zip"),
                                      QStringLiteral("jigyosyo.csv")};

// The paths with each folder replaced by the files of both kinds it holds.
QStringList withFolderFiles(const QStringList& paths) {
    QStringList files;
    for (const QString& path : paths) {
        if (!QFileInfo(path).isDir()) {
            files << path;
            continue;
        }
        const QDir folder(path);
        const QStringList present = folder.entryList(QDir::Files);
        for (const QStringList& names : {TownsFileNames, BusinessesFileNames}) {
            for (const QString& name : names) {
                const auto found =
                    std::find_if(present.begin(), present.end(), [&](const QString& file) {
                        return file.compare(name, Qt::CaseInsensitive) == 0;
                    });
                if (found != present.end()) {
                    files << folder.filePath(*found);
                    break;
                }
            }
        }
    }
    return files;
}

}  // namespace

Settings Settings::Load(const QString& confPath) {
    const IniFile ini = IniFile::Load(confPath);
    Settings settings;
    settings.Which = ini.ReadString(Section, SourceKey, SourceName(Source::JapanPost)) ==
                             SourceName(Source::Server)
                         ? Source::Server
                         : Source::JapanPost;
    settings.JapanPostUrl = ini.ReadString(Section, JapanPostUrlKey, DefaultJapanPostUrl).trimmed();
    settings.JigyosyoUrl = ini.ReadString(Section, JigyosyoUrlKey, DefaultJigyosyoUrl).trimmed();
    settings.ServerUrl = ini.ReadString(Section, ServerUrlKey, QString()).trimmed();
    return settings;
}

QString Settings::SourceName(Source source) {
    return source == Source::Server ? QStringLiteral("server") : QStringLiteral("japanpost");
}

QString Settings::Description() const {
    if (Which == Source::JapanPost) {
        return QStringLiteral("確認先：日本郵便の公開データ（%1、%2）")
            .arg(JapanPostUrl, JigyosyoUrl);
    }
    return QStringLiteral("確認先：更新サーバ（%1）")
        .arg(ServerUrl.isEmpty() ? QStringLiteral("URL が設定されていません") : ServerUrl);
}

ProxyFields ReadProxyFile(const QString& rootFolder) {
    try {
        const QStringList lines =
            TextFile::ReadLines(rootFolder + QLatin1String(ProxyFileName)).Readable;
        return {lines.value(0), lines.value(1)};
    } catch (const EFileError&) {
        return {};
    }
}

void WriteProxyFile(const QString& rootFolder, const ProxyFields& fields) {
    TextFile::WriteLines(rootFolder + QLatin1String(ProxyFileName), {fields.Host, fields.Port});
}

int ProxyPort(const QString& text) {
    bool number = false;
    const int port = text.trimmed().toInt(&number);
    return number && port >= 0 ? port : 0;
}

QByteArray LocalKey(const QString& zipFolder) {
    return FirstLine(ReadWholeFile(zipFolder + QLatin1String(ZipTable::VersionFileName),
                                   ZipTable::MaxVersionBytes));
}

CheckResult Compare(const QByteArray& localKey, const QByteArray& remoteKey) {
    return localKey < remoteKey ? UpdateAvailable : NoUpdate;
}

QByteArray NormaliseVersion(const QByteArray& received) {
    QByteArray text;
    text.reserve(received.size() * 2);
    for (char c : received) {
        if (static_cast<unsigned char>(c) < 0x20) {
            text.append("\r\n");
        } else {
            text.append(c);
        }
    }
    if (!text.isEmpty() && !text.endsWith("\r\n")) {
        text.append("\r\n");
    }
    return text;
}

QByteArray FirstLine(const QByteArray& text) {
    qsizetype end = 0;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
        ++end;
    }
    return text.left(end);
}

Updater::Updater(const Settings& settings, const HttpClient& client, qsizetype minLines)
    : settings_(settings), client_(client), minLines_(minLines) {}

QString Updater::townsUrl() const {
    return settings_.JapanPostUrl.isEmpty() ? Settings::DefaultJapanPostUrl
                                            : settings_.JapanPostUrl;
}

QString Updater::businessesUrl() const {
    return settings_.JigyosyoUrl.isEmpty() ? Settings::DefaultJigyosyoUrl : settings_.JigyosyoUrl;
}

QDate Updater::japanPostDate(const QString& url) const {
    const QDateTime modified = client_.LastModified(url);
    if (modified.isValid()) {
        return japanDate(modified);
    }
    // A server that does not date the file by its headers: the archive dates its member.
    return downloaded(client_, url).Date();
}

QString Updater::serverUrl(const char* file) const {
    if (settings_.ServerUrl.isEmpty()) {
        throw EHttpError(QStringLiteral("更新サーバの URL が conf.ini の [%1] %2 にありません。")
                             .arg(Settings::Section, ServerUrlKey));
    }
    QString base = settings_.ServerUrl;
    while (base.endsWith(u'/')) {
        base.chop(1);
    }
    return base + QStringLiteral("/liveupdate/zipcode/") + QLatin1String(file);
}

QByteArray Updater::RemoteKey() const {
    if (settings_.Which == Source::Server) {
        const QString url = serverUrl(ZipTable::VersionFileName);
        const QByteArray version = NormaliseVersion(client_.Get(url).Body);
        ZipTable::ValidateVersion(version, url);
        return FirstLine(version);
    }
    return KenAll::VersionKey(std::max(japanPostDate(townsUrl()), japanPostDate(businessesUrl())));
}

Payload Updater::Download() const {
    if (settings_.Which == Source::Server) {
        const QString versionUrl = serverUrl(ZipTable::VersionFileName);
        const QByteArray version = NormaliseVersion(client_.Get(versionUrl).Body);
        ZipTable::ValidateVersion(version, versionUrl);
        const QString tableUrl = serverUrl(ZipTable::FileName);
        Payload payload{withCrLf(client_.Get(tableUrl).Body), version};
        ZipTable::ValidateTable(payload.Table, minLines_, tableUrl);
        return payload;
    }
    return fromCsvs(downloaded(client_, townsUrl()), downloaded(client_, businessesUrl()),
                    minLines_);
}

Payload FromFiles(const QStringList& paths, qsizetype minLines) {
    std::optional<DatedCsv> towns;
    std::optional<DatedCsv> businesses;
    for (const QString& path : withFolderFiles(paths)) {
        DatedCsv csv{KenAll::FromFile(path), path};
        std::optional<DatedCsv>& kind =
            KenAll::KindOf(csv.Named()) == KenAll::Kind::Towns ? towns : businesses;
        if (kind) {
            throw EFileFormatError(QStringLiteral("「%1」と「%2」は同じ種類の郵便番号データです。")
                                       .arg(kind->Origin, path));
        }
        kind = std::move(csv);
    }
    if (!towns) {
        throw EFileFormatError(QStringLiteral(
            "住所の郵便番号データ（ken_all.zip または KEN_ALL.CSV）が指定されていません。"));
    }
    if (!businesses) {
        throw EFileFormatError(
            QStringLiteral("事業所の個別郵便番号データ（jigyosyo.zip または "
                           "JIGYOSYO.CSV）が指定されていません。"));
    }
    return fromCsvs(*towns, *businesses, minLines);
}

void Install(const QString& zipFolder, const Payload& payload) {
    ZipTable::InstallTable(zipFolder, payload.Table, payload.Version);
}

std::unique_ptr<DataLock> LockForUpdate(const QString& rootFolder) {
    std::optional<CopyOwner> holder;
    std::unique_ptr<DataLock> lock =
        DataLock::TryTake(rootFolder, DataLock::PostalName, &holder, DataLock::Timing{});
    if (!lock) {
        throw ELockBusy(BusyMessage(holder), holder);
    }
    return lock;
}

QString BusyMessage(const std::optional<CopyOwner>& holder) {
    return QStringLiteral("郵便番号データは、%1が更新中です。終わってからもう一度お試しください。")
        .arg(holder ? holder->Describe() : QStringLiteral("別のコピー"));
}

}  // namespace ZipUpdate
