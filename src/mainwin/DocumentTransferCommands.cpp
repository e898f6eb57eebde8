#include "DocumentTransferCommands.h"

#include "Clock.h"
#include "DataFolders.h"
#include "DocumentTransfer.h"
#include "FileList.h"
#include "FolderChoice.h"
#include "MessageList.h"
#include "Messages.h"
#include "ModelError.h"

namespace DocumentTransferCommands {
namespace {

// What to say after copying when not every file arrived; empty when all did.
QString failures(const DocumentTransfer::CopyReport& report) {
    if (report.Failed.empty()) {
        return {};
    }
    QStringList lines;
    for (const DocumentTransfer::CopyFailure& failure : report.Failed) {
        lines << failure.FileName + QStringLiteral(": ") + failure.Reason;
    }
    return QStringLiteral("%1件中%2件をコピーしました。次のファイルはコピーできませんでした。\r\n")
               .arg(report.Found)
               .arg(report.Copied) +
           MessageList(lines);
}

}  // namespace

void Backup(QWidget* parent, const QString& dataFolder) {
    const QString folder = FolderChoice::Choose(
        parent, QStringLiteral("バックアップデータを保存するフォルダーを選択してください"));
    if (folder.isEmpty()) {
        return;
    }
    QString backup;
    try {
        backup = DocumentTransfer::CreateBackupFolder(folder, Clock::now().date());
    } catch (const EFileError&) {
        Messages::Error(parent, QStringLiteral("バックアップ先のフォルダー作成に失敗しました。"));
        return;
    }
    const DocumentTransfer::CopyReport report =
        DocumentTransfer::CopyDocumentFiles(dataFolder, backup);
    const QString done = QStringLiteral("バックアップファイルを[") + backup +
                         QStringLiteral("]フォルダーに作成しました。");
    const QString failed = failures(report);
    if (failed.isEmpty()) {
        Messages::Information(parent, done);
    } else {
        Messages::Error(parent, done + QStringLiteral("\r\n") + failed);
    }
}

void SettleUnfinishedRestore(QWidget* parent, const QString& dataFolder) {
    try {
        if (const auto done = DocumentTransfer::RecoverUnfinishedRestore(dataFolder)) {
            Messages::Information(parent, *done);
        }
    } catch (const EModelError& error) {
        Messages::Error(parent, error.message());
    }
}

void Restore(QWidget* parent, const QString& dataFolder) {
    SettleUnfinishedRestore(parent, dataFolder);
    if (!Messages::Question(
            parent,
            QStringLiteral("バックアップから復元する場合、既存のファイルは全て削除されます。\r\n"
                           "続行しますか？"))) {
        return;
    }
    const QString folder = FolderChoice::Choose(
        parent, QStringLiteral("復元するバックアップデータが存在するフォルダーを選択してください"));
    if (folder.isEmpty()) {
        return;
    }
    if (FileList::FilesWithExtensions(folder, {FileList::Extension}).isEmpty()) {
        Messages::Information(parent, QStringLiteral("バックアップデータが存在しません。"));
        return;
    }
    try {
        const int restored = DocumentTransfer::RestoreDocumentFiles(folder, dataFolder);
        Messages::Information(parent, QStringLiteral("%1件のデータを復元しました。").arg(restored));
    } catch (const EModelError& error) {
        Messages::Error(parent, error.message());
    }
}

void TakeOver(QWidget* parent, const QString& dataFolder) {
    const QString folder = FolderChoice::Choose(
        parent,
        QStringLiteral("Rokuvel Dorvani 2・3のデータファイルがあるフォルダーを選択してください"));
    if (folder.isEmpty()) {
        return;
    }
    if (!DataFolders::FolderExists(folder)) {
        Messages::Information(
            parent,
            QStringLiteral("指定されたフォルダーに「Rokuvel Dorvani 2・3のデータファイル」が\r\n"
                           "見つからないためコピーを中止します。"));
        return;
    }
    const QStringList files = DocumentTransfer::TakeOverFiles(folder);
    if (files.isEmpty()) {
        Messages::Information(parent, QStringLiteral("コピー対象のデータが存在しません。"));
        return;
    }
    if (!Messages::Question(parent,
                            QStringLiteral("%1件のデータをコピーしますか？").arg(files.size()))) {
        return;
    }
    const QString failed = failures(DocumentTransfer::TakeOver(files, dataFolder));
    if (failed.isEmpty()) {
        Messages::Information(parent, QStringLiteral("コピーしました。"));
    } else {
        Messages::Error(parent, failed);
    }
}

}  // namespace DocumentTransferCommands
