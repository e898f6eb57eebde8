// The postal-code lookups of the header window, on the data root's table, and its update.

#include <QDir>

#include "Commands.h"
#include "ModelError.h"
#include "ZipTable.h"
#include "ZipTableInstall.h"
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

// A first lookup on a data root that does not exist yet makes it as the program's first
// start does, with the installed table; an existing root is only read.
QString lookupTablePath(const ToolContext& context) {
    if (!DataFolders::FolderExists(context.folders.RootFolder())) {
        context.folders.Prepare();
        ZipTable::CopyInstalledTable(context.folders.ZipFolder());
    }
    return tablePath(context);
}

}  // namespace

void RunZip(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const QString code =
        arguments.positional(1, QStringLiteral("dorvani4-tool [--data-root DIR] zip CODE")).at(0);
    printMatches(ZipTable::FindByCode(lookupTablePath(context), code), out);
}

void RunAddress(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const QString text =
        arguments.positional(1, QStringLiteral("dorvani4-tool [--data-root DIR] address TEXT"))
            .at(0);
    printMatches(ZipTable::FindByAddress(lookupTablePath(context), text), out);
}

namespace {

const QString UpdateUsage = QStringLiteral(
    "dorvani4-tool [--data-root DIR] postal-update [--check] "
    "[--source japanpost|server|FILE|FOLDER ...] [--url URL] [--jigyosyo-url URL] "
    "[--proxy HOST:PORT]");
const QString BuildUsage = QStringLiteral(
    "dorvani4-tool postal-build ken_all.zip|KEN_ALL.CSV jigyosyo.zip|JIGYOSYO.CSV OUTDIR\n"
    "dorvani4-tool postal-build FOLDER OUTDIR");

// The window's messages break lines with CR LF; a terminal wants LF.
QString terminalText(const QString& message) {
    return QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void report(const QString& progress) {
    QTextStream(stderr) << progress << '\n';
}

// --source names a source of conf.ini, or gives Japan Post's two files (or a folder holding
// both) in any order.
ZipUpdate::Settings updateSettings(CommandLine& arguments, const ToolContext& context,
                                   QStringList& files) {
    ZipUpdate::Settings settings = ZipUpdate::Settings::Load(context.folders.ConfPath());
    const QStringList sources = arguments.takeValues(QStringLiteral("--source"));
    const QString named = sources.size() == 1 ? sources.first() : QString();
    if (named == ZipUpdate::Settings::SourceName(ZipUpdate::Source::JapanPost)) {
        settings.Which = ZipUpdate::Source::JapanPost;
    } else if (named == ZipUpdate::Settings::SourceName(ZipUpdate::Source::Server)) {
        settings.Which = ZipUpdate::Source::Server;
    } else {
        files = sources;
    }
    if (const std::optional<QString> url = arguments.takeValue(QStringLiteral("--url"))) {
        (settings.Which == ZipUpdate::Source::Server ? settings.ServerUrl : settings.JapanPostUrl) =
            *url;
    }
    if (const std::optional<QString> url = arguments.takeValue(QStringLiteral("--jigyosyo-url"))) {
        settings.JigyosyoUrl = *url;
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
    QStringList files;
    const ZipUpdate::Settings settings = updateSettings(arguments, context, files);
    const ZipUpdate::ProxyFields proxy = proxyFields(arguments, context);
    arguments.positional(0, UpdateUsage);
    const QString zipFolder = context.folders.ZipFolder();
    // A check writes nothing; an install takes the data root, made as the first start makes
    // it when new, for the whole update.
    std::unique_ptr<DataLock> lock;
    if (!checkOnly) {
        if (!DataFolders::FolderExists(context.folders.RootFolder())) {
            context.folders.Prepare();
        }
        lock = ZipUpdate::LockForUpdate(context.folders.RootFolder());
    }

    if (!files.isEmpty()) {
        report(QStringLiteral("「%1」を変換しています").arg(files.join(QStringLiteral("」「"))));
        const ZipUpdate::Payload payload = ZipUpdate::FromFiles(files);
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
    // Both files, or one folder holding them, then the output folder.
    const QStringList paths =
        arguments.positional(arguments.rest().size() == 2 ? 2 : 3, BuildUsage);
    const QString outFolder = paths.last();
    const ZipUpdate::Payload payload = ZipUpdate::FromFiles(paths.first(paths.size() - 1));
    if (!QDir().mkpath(outFolder)) {
        throw EFileError(QStringLiteral("フォルダ「%1」を作成できません。").arg(outFolder));
    }
    ZipUpdate::Install(outFolder + u'/', payload);
    out << QStringLiteral("%1 行の zip.dat と version.txt を「%2」に書きました。")
               .arg(payload.Table.count('\n'))
               .arg(outFolder)
        << '\n';
}
