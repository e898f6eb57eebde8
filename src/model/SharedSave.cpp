#include "SharedSave.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "DataLock.h"
#include "SaveFile.h"

namespace SharedSave {

namespace {

// Conflicts named in a message; the rest are counted.
constexpr qsizetype ShownConflicts = 8;

QString recordPath(const QString& root, const QString& path) {
    const QString relative = QDir(root).relativeFilePath(path);
    return DataLock::Folder(root) + QStringLiteral("written/") +
           QString::fromLatin1(QUrl::toPercentEncoding(relative, QByteArray(), "/"));
}

// The write lock, or an error that names the file the save was for.
DataLock takeLock(const QString& root, const Job& job) {
    try {
        return DataLock(root, DataLock::WriteName);
    } catch (const EFileError& error) {
        throw EFileError(QStringLiteral("「%1」に保存できません: %2")
                             .arg(job.Paths().value(0, root), error.message()));
    }
}

}  // namespace

QString ConflictText(const QList<MergeConflict>& conflicts, const std::optional<LastWrite>& other) {
    const QString who = other ? QStringLiteral("%1（%2 に保存）")
                                    .arg(other->Owner.Describe(),
                                         other->When.toString(QStringLiteral("yyyy/MM/dd HH:mm")))
                              : QStringLiteral("別のコピー");
    QString text =
        QStringLiteral("次の項目は、このコピーが読み込んだ後に%1でも変更されています。\n").arg(who);
    for (qsizetype i = 0; i < conflicts.size() && i < ShownConflicts; ++i) {
        const MergeConflict& c = conflicts.at(i);
        text += QStringLiteral("・%1\n　このコピー: %2\n　別のコピー: %3\n")
                    .arg(c.Subject, c.Mine, c.Theirs);
    }
    if (conflicts.size() > ShownConflicts) {
        text += QStringLiteral("ほか %1 件\n").arg(conflicts.size() - ShownConflicts);
    }
    return text;
}

bool Refuse(const QList<MergeConflict>& conflicts, const std::optional<LastWrite>& other) {
    throw EMergeConflict(ConflictText(conflicts, other) +
                         QStringLiteral("どちらも残すため、保存しませんでした。"));
}

QString RootOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

std::unique_ptr<DataLock> ReadLock(const QString& path) {
    const QString root = RootOf(path);
    return QFileInfo(root).isDir() ? std::make_unique<DataLock>(root, DataLock::WriteName)
                                   : nullptr;
}

void Run(const QString& root, Job& job, const ConflictChoice& choose) {
    MergeDecisions decisions;
    for (;;) {
        QList<MergeConflict> conflicts;
        std::optional<LastWrite> other;
        {
            const DataLock lock = takeLock(root, job);
            conflicts = job.Merge(decisions);
            if (conflicts.isEmpty()) {
                job.Write();
                for (const QString& path : job.Paths()) {
                    RecordWrite(root, path);
                }
                return;
            }
            for (const QString& path : job.Paths()) {
                if (!other) {
                    other = LastWriteOf(root, path);
                }
            }
        }
        // Asked without the lock; the next round merges again with the answers.
        const bool keepMine = choose(conflicts, other);
        for (const MergeConflict& conflict : conflicts) {
            decisions.Decide(conflict, keepMine);
        }
    }
}

void RecordWrite(const QString& root, const QString& path) {
    const QString record = recordPath(root, path);
    try {
        QDir().mkpath(QFileInfo(record).absolutePath());
        SaveFileAtomically(record, CopyOwner::Current().Serialize() + "saved=" +
                                       QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() +
                                       '\n');
    } catch (const EFileError&) {
        // Only a message names the last writer; the save itself is done.
    }
}

std::optional<LastWrite> LastWriteOf(const QString& root, const QString& path) {
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(recordPath(root, path), 64 * 1024);
    } catch (const EFileError&) {
        return std::nullopt;
    }
    const std::optional<CopyOwner> owner = CopyOwner::Parse(bytes);
    if (!owner) {
        return std::nullopt;
    }
    const qsizetype at = bytes.indexOf("saved=");
    const QDateTime when =
        at < 0 ? QDateTime()
               : QDateTime::fromString(
                     QString::fromUtf8(bytes.mid(at + 6, bytes.indexOf('\n', at) - at - 6)),
                     Qt::ISODate);
    return LastWrite{*owner, when};
}

FileStamp FileStamp::Of(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return {};
    }
    return {true, qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

}  // namespace SharedSave
