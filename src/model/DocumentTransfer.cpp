#include "DocumentTransfer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "DocumentFile.h"
#include "FileList.h"
#include "ModelError.h"
#include "SaveFile.h"

namespace DocumentTransfer {
namespace {

// A rename inside one file system: the file is either at from or at to, never half copied.
void moveFile(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        throw EFileError(QStringLiteral("「%1」を「%2」に移動できません: %3")
                             .arg(from, to, QString::fromLocal8Bit(std::strerror(errno))));
    }
}

struct Move {
    QString From;
    QString To;
};

// Puts moved files back, newest first; what cannot go back is added to the message.
QString undo(const std::vector<Move>& moves, QString message) {
    for (auto move = moves.rbegin(); move != moves.rend(); ++move) {
        try {
            moveFile(move->To, move->From);
        } catch (const EFileError& error) {
            message += QStringLiteral("\r\n元に戻せませんでした: ") + error.message();
        }
    }
    return message;
}

// Moves every file of paths into folder; when one fails, the ones moved go back.
std::vector<Move> moveAll(const QStringList& paths, const QString& folder) {
    std::vector<Move> moves;
    for (const QString& path : paths) {
        const Move move{path, QDir(folder).filePath(QFileInfo(path).fileName())};
        try {
            moveFile(move.From, move.To);
        } catch (const EFileError& error) {
            throw EFileError(undo(moves, error.message()));
        }
        moves.push_back(move);
    }
    return moves;
}

const QString stagingPrefix = QStringLiteral(".restore-");
// Written into the staging folder when every backup file has arrived, and when every old
// document has moved out: a restore killed before the first is undone, after the second
// finished.
const QString copiedMark = QStringLiteral("copied");
const QString movedOutMark = QStringLiteral("moved-out");

void mark(const QString& staging, const QString& step) {
    SaveFileAtomically(QDir(staging).filePath(step), QByteArray());
}

bool marked(const QString& staging, const QString& step) {
    return QFileInfo::exists(QDir(staging).filePath(step));
}

// Moves the documents of from into to, each under a name free in to.
void moveDocuments(const QString& from, const QString& to) {
    for (const QString& path : FileList::FilesWithExtensions(from, {FileList::Extension})) {
        moveFile(path, QDir(to).filePath(UniqueTargetName(to, QFileInfo(path).fileName())));
    }
}

QString makeFolder(const QString& path) {
    if (!QDir().mkdir(path)) {
        throw EFileError(QStringLiteral("フォルダ「%1」を作成できません。").arg(path));
    }
    return path;
}

}  // namespace

QString FreeBackupFolderName(const QString& parent, QDate day) {
    const QString base = QStringLiteral("Backup") + day.toString(QStringLiteral("yyyyMMdd"));
    QString name = base;
    for (int n = 1; QFileInfo::exists(QDir(parent).filePath(name)); ++n) {
        name = base + QStringLiteral("(%1)").arg(n);
    }
    return name;
}

QString CreateBackupFolder(const QString& parent, QDate day) {
    return makeFolder(QDir(parent).filePath(FreeBackupFolderName(parent, day))) + u'/';
}

QString UniqueTargetName(const QString& folder, const QString& fileName) {
    const QDir dir(folder);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = dot < 0 ? fileName : fileName.left(dot);
    const QString extension = dot < 0 ? QString() : fileName.mid(dot);
    QString name = fileName;
    for (int n = 1; QFileInfo::exists(dir.filePath(name)); ++n) {
        name = stem + QStringLiteral("(%1)").arg(n) + extension;
    }
    return name;
}

CopyReport CopyFiles(const QStringList& paths, const QString& folder,
                     const std::function<QString(const QString&)>& targetName) {
    CopyReport report;
    report.Found = static_cast<int>(paths.size());
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        try {
            const QByteArray bytes = ReadWholeFile(path, DocumentFile::MaxFileSize);
            SaveFileAtomically(QDir(folder).filePath(UniqueTargetName(folder, targetName(name))),
                               bytes);
            ++report.Copied;
        } catch (const EModelError& error) {
            report.Failed.push_back({name, error.message()});
        }
    }
    return report;
}

CopyReport CopyDocumentFiles(const QString& source, const QString& target) {
    return CopyFiles(FileList::FilesWithExtensions(source, {FileList::Extension}), target,
                     [](const QString& name) { return name; });
}

QStringList TakeOverFiles(const QString& folder) {
    return FileList::FilesWithExtensions(folder, TakeOverExtensions);
}

CopyReport TakeOver(const QStringList& paths, const QString& dataFolder) {
    return CopyFiles(paths, dataFolder, [](const QString& name) {
        return name.left(name.size() - FileList::Extension.size()) + FileList::Extension;
    });
}

int RestoreDocumentFiles(const QString& backup, const QString& dataFolder) {
    // Inside the data folder, so that moving in and out are renames on one file system.
    QTemporaryDir staging(QDir(dataFolder).filePath(stagingPrefix + QStringLiteral("XXXXXX")));
    if (!staging.isValid()) {
        throw EFileError(QStringLiteral("復元用の作業フォルダを「%1」に作成できません: %2")
                             .arg(dataFolder, staging.errorString()));
    }
    const QString incoming = makeFolder(staging.filePath(QStringLiteral("new")));
    const QString outgoing = makeFolder(staging.filePath(QStringLiteral("old")));

    const CopyReport copied = CopyDocumentFiles(backup, incoming);
    if (copied.Failed.empty()) {
        mark(staging.path(), copiedMark);
    } else {
        const CopyFailure& failure = copied.Failed.front();
        throw EFileError(QStringLiteral("「%1」を復元できなかったため、復元を中止しました。"
                                        "データフォルダのファイルは変更していません。\r\n%2")
                             .arg(failure.FileName, failure.Reason));
    }
    const QString unchanged =
        QStringLiteral("復元を中止しました。データフォルダのファイルは変更していません。\r\n");
    std::vector<Move> movedOut;
    try {
        movedOut =
            moveAll(FileList::FilesWithExtensions(dataFolder, {FileList::Extension}), outgoing);
    } catch (const EFileError& error) {
        throw EFileError(unchanged + error.message());
    }
    try {
        mark(staging.path(), movedOutMark);
        moveAll(FileList::FilesWithExtensions(incoming, {FileList::Extension}), dataFolder);
    } catch (const EFileError& error) {
        throw EFileError(undo(movedOut, unchanged + error.message()));
    }
    // The old documents go with the staging folder.
    return copied.Copied;
}

std::optional<QString> RecoverUnfinishedRestore(const QString& dataFolder) {
    const QDir data(dataFolder);
    const QStringList stagings =
        data.entryList({stagingPrefix + u'*'}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks);
    if (stagings.isEmpty()) {
        return std::nullopt;
    }
    bool finished = false;
    for (const QString& name : stagings) {
        const QString staging = data.filePath(name);
        if (marked(staging, movedOutMark)) {
            moveDocuments(QDir(staging).filePath(QStringLiteral("new")), dataFolder);
            finished = true;
        } else if (marked(staging, copiedMark)) {
            moveDocuments(QDir(staging).filePath(QStringLiteral("old")), dataFolder);
        }
        QDir(staging).removeRecursively();
    }
    return finished ? QStringLiteral("前回中断されたバックアップの読み込みを完了しました。")
                    : QStringLiteral(
                          "前回中断されたバックアップの読み込みを取り消し、"
                          "元のデータに戻しました。");
}

}  // namespace DocumentTransfer
