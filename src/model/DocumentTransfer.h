#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// Moves document files between the data folder and folders the user picks: dated backups,
// restoring a backup, and taking over the files of the two older program generations.
namespace DocumentTransfer {

inline const QStringList TakeOverExtensions = {QStringLiteral(".MT2"), QStringLiteral(".MT3")};

// "Backup" + yyyymmdd, with "(1)", "(2)", ... when that folder exists in parent.
QString FreeBackupFolderName(const QString& parent, QDate day);
// Creates the backup folder of day inside parent; its path ends with "/". Throws EFileError.
QString CreateBackupFolder(const QString& parent, QDate day);

// fileName, or its stem with "(1)", "(2)", ... before the extension until folder holds no
// file of that name ("見積001(1).MT4").
QString UniqueTargetName(const QString& folder, const QString& fileName);

struct CopyFailure {
    QString FileName;  // the source file, without its folder
    QString Reason;
};

struct CopyReport {
    int Found = 0;
    int Copied = 0;
    std::vector<CopyFailure> Failed;
};

// Copies each file into folder under targetName(file name) made unique; every copy is
// written beside its target and renamed, so a failed copy leaves nothing behind.
CopyReport CopyFiles(const QStringList& paths, const QString& folder,
                     const std::function<QString(const QString&)>& targetName);

// Every document file of source into target under its own name, made unique.
CopyReport CopyDocumentFiles(const QString& source, const QString& target);

// The ".MT2" and ".MT3" files of folder, copied into dataFolder as ".MT4" files.
QStringList TakeOverFiles(const QString& folder);
CopyReport TakeOver(const QStringList& paths, const QString& dataFolder);

// Replaces the document files of dataFolder by those of backup. Every backup file is
// copied into a staging folder first; only when all of them arrived are the old documents
// moved out and the new ones moved in. On any failure dataFolder is as it was and the
// EFileError names the file that failed. Returns the number of documents restored.
// Each step is marked in the staging folder, so a restore killed part-way can be finished
// or undone by RecoverUnfinishedRestore; call that first.
int RestoreDocumentFiles(const QString& backup, const QString& dataFolder);

// Finds restores of dataFolder that were killed part-way and settles them: killed before
// every old document had moved out, the old documents go back; killed later, the rest of
// the backup moves in. Returns what was done, for the user, or nothing when no restore was
// left unfinished. Throws EFileError when a file cannot be moved; what could not move
// stays in the staging folder, which is tried again next time.
std::optional<QString> RecoverUnfinishedRestore(const QString& dataFolder);

}  // namespace DocumentTransfer
