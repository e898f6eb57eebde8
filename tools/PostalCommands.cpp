// The postal-code lookups of the header window, on the data root's table, and its update.

#include <QDir>

#include "Commands.h"
#include "ModelError.h"
#include "ZipTable.h"
#include "ZipUpdate.h"

namespace {

void printMatches(const ZipTable::Result& result, QTextStream& out) {
    if (!result.Refusal.isEmpty()) {
        // No match is bad input for a batch: the program's own message, status 1.
        throw EModelError(result.Refusal);
    }
    for (const ZipTable::Entry& entry : result.Entries) {
        out << entry.Code << '\t' << entry.Address << '\n';
    }
}

QString tablePath(const ToolContext& context) {
    return context.folders.ZipFolder() + QLatin1String(ZipTable::FileName);
}

}  // namespace

void RunZip(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const QString code =
        arguments.positional(1, QStringLiteral("dorvani4-tool [--data-root DIR] zip CODE")).at(0);
    printMatches(ZipTable::FindByCode(tablePath(context), code), out);
}

void RunAddress(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const QString text =
        arguments.positional(1, QStringLiteral("dorvani4-tool [--data-root DIR] address TEXT"))
            .at(0);
    printMatches(ZipTable::FindByAddress(tablePath(context), text), out);
}

namespace {

const QString UpdateUsage = QStringLiteral(
    "dorvani4-tool [--data-root DIR] postal-update [--check] [--source japanpost|server|FILE] "
    "[--url URL] [--proxy HOST:PORT]");

// The window's messages break lines with CR LF; a terminal wants LF.
QString terminalText(const QString& message) {
    return QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void report(const QString& progress) {
    QTextStream(stderr) << progress << '\n';
}

ZipUpdate::Settings updateSettings(CommandLine& arguments, const ToolContext& context,
                                   std::optional<QString>& file) {
    ZipUpdate::Settings settings = ZipUpdate::Settings::Load(context.folders.ConfPath());
    if (const std::optional<QString> source = arguments.takeValue(QStringLiteral("--source"))) {
        if (*source == ZipUpdate::Settings::SourceName(ZipUpdate::Source::JapanPost)) {
            settings.Which = ZipUpdate::Source::JapanPost;
        } else if (*source == ZipUpdate::Settings::SourceName(ZipUpdate::Source::Server)) {
            settings.Which = ZipUpdate::Source::Server;
        } else {
            file = source;
        }
    }
    if (const std::optional<QString> url = arguments.takeValue(QStringLiteral("--url"))) {
        (settings.Which == ZipUpdate::Source::Server ? settings.ServerUrl : settings.JapanPostUrl) =
            *url;
    }
    return settings;
}

ZipUpdate::ProxyFields proxyFields(CommandLine& arguments, const ToolContext& context) {
    const std::optional<QString> proxy = arguments.takeValue(QStringLiteral("--proxy"));
    if (!proxy) {
        return ZipUpdate::ReadProxyFile(context.folders.RootFolder());
    }
    const qsizetype colon = proxy->lastIndexOf(u':');
    if (colon <= 0) {
        throw EUsageError(QStringLiteral("--proxy takes HOST:PORT\n%1").arg(UpdateUsage));
    }
    return {proxy->left(colon), proxy->mid(colon + 1)};
}

// The installed key; a data root without one takes any data.
QByteArray localKey(const QString& zipFolder) {
    try {
        return ZipUpdate::LocalKey(zipFolder);
    } catch (const EFileError&) {
        return {};
    }
}

}  // namespace

void RunPostalUpdate(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const bool checkOnly = arguments.takeFlag(QStringLiteral("--check"));
    std::optional<QString> file;
    const ZipUpdate::Settings settings = updateSettings(arguments, context, file);
    const ZipUpdate::ProxyFields proxy = proxyFields(arguments, context);
    arguments.positional(0, UpdateUsage);
    const QString zipFolder = context.folders.ZipFolder();

    if (file) {
        report(QStringLiteral("「%1」を変換しています").arg(*file));
        const ZipUpdate::Payload payload = ZipUpdate::FromFile(*file);
        if (checkOnly) {
            out << terminalText(ZipUpdate::Compare(localKey(zipFolder),
                                                   ZipUpdate::FirstLine(payload.Version)) ==
                                        ZipUpdate::UpdateAvailable
                                    ? ZipUpdate::UpdateQuestion.section(u'\r', 0, 0)
                                    : ZipUpdate::NoUpdateMessage)
                << '\n';
            return;
        }
        ZipUpdate::Install(zipFolder, payload);
        out << ZipUpdate::SucceededMessage << '\n';
        return;
    }

    report(settings.Description());
    const HttpClient checkClient(proxy.Host.trimmed(), ZipUpdate::ProxyPort(proxy.Port),
                                 ZipUpdate::CheckLimits);
    QByteArray remoteKey;
    try {
        remoteKey = ZipUpdate::Updater(settings, checkClient).RemoteKey();
    } catch (const EModelError& error) {
        report(error.message());
        throw EModelError(terminalText(ZipUpdate::CheckFailedMessage));
    }
    const QByteArray installed = localKey(zipFolder);
    report(QStringLiteral("使用中: %1、提供: %2")
               .arg(QString::fromLatin1(installed), QString::fromLatin1(remoteKey)));
    if (ZipUpdate::Compare(installed, remoteKey) == ZipUpdate::NoUpdate) {
        out << ZipUpdate::NoUpdateMessage << '\n';
        return;
    }
    if (checkOnly) {
        out << ZipUpdate::UpdateQuestion.section(u'\r', 0, 0) << '\n';
        return;
    }
    report(QStringLiteral("ダウンロードしています"));
    const HttpClient downloadClient(proxy.Host.trimmed(), ZipUpdate::ProxyPort(proxy.Port),
                                    ZipUpdate::DownloadLimits);
    try {
        ZipUpdate::Install(zipFolder, ZipUpdate::Updater(settings, downloadClient).Download());
    } catch (const EModelError& error) {
        report(error.message());
        throw EModelError(terminalText(ZipUpdate::DownloadFailedMessage));
    }
    out << ZipUpdate::SucceededMessage << '\n';
}

void RunPostalBuild(CommandLine& arguments, const ToolContext&, QTextStream& out) {
    const QStringList paths = arguments.positional(
        2, QStringLiteral("dorvani4-tool postal-build KEN_ALL.CSV|ken_all.zip OUTDIR"));
    const ZipUpdate::Payload payload = ZipUpdate::FromFile(paths.at(0));
    if (!QDir().mkpath(paths.at(1))) {
        throw EFileError(QStringLiteral("フォルダ「%1」を作成できません。").arg(paths.at(1)));
    }
    ZipUpdate::Install(paths.at(1) + u'/', payload);
    out << QStringLiteral("%1 行の zip.dat と version.txt を「%2」に書きました。")
               .arg(payload.Table.count('\n'))
               .arg(paths.at(1))
        << '\n';
}
