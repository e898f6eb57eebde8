#include <gtest/gtest.h>

#include <QDir>

#include "MessageLog.h"
#include "QtPrint.h"
#include "TempDir.h"

#include "Clock.h"
#include "DocumentTransferCommands.h"
#include "FileSizeLimit.h"
#include "FolderChoice.h"

namespace {

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Answers the folder browser with chosen and keeps the prompts it was shown with.
class DocumentTransferCommandsTest : public ::testing::Test {
  protected:
    DocumentTransferCommandsTest() {
        QDir(temp.root()).mkdir("data");
        QDir(temp.root()).mkdir("other");
        FolderChoice::SetChooser([this](QWidget*, const QString& prompt) {
            prompts << prompt;
            return chosen;
        });
        Clock::fix(QDateTime(QDate(2005, 11, 30), QTime(9, 5)));
    }
    ~DocumentTransferCommandsTest() override {
        FolderChoice::SetChooser({});
        Clock::unfix();
    }
    QString data(const QString& name = {}) const { return temp.path("data/" + name); }
    QString other(const QString& name = {}) const { return temp.path("other/" + name); }

    MessageLog messages;
    TempDir temp;
    QString chosen = temp.path("other");
    QStringList prompts;
};

TEST_F(DocumentTransferCommandsTest, TwoBackupsOnOneDayGoToTwoFolders) {
    writeFileBytes(data("見積001.MT4"), "one");
    writeFileBytes(data("conf.ini"), "not a document");
    DocumentTransferCommands::Backup(nullptr, data());
    DocumentTransferCommands::Backup(nullptr, data());
    EXPECT_EQ(prompts, QStringList(2, "バックアップデータを保存するフォルダーを選択してください"));
    EXPECT_EQ(messages.Texts, QStringList({"バックアップファイルを[" + other("Backup20051130/") +
                                               "]フォルダーに作成しました。",
                                           "バックアップファイルを[" + other("Backup20051130(1)/") +
                                               "]フォルダーに作成しました。"}));
    EXPECT_EQ(entries(other("Backup20051130(1)")), QStringList({"見積001.MT4"}));
    EXPECT_EQ(readFileBytes(other("Backup20051130/見積001.MT4")), "one");

    messages.Texts.clear();
    chosen = other("missing");
    DocumentTransferCommands::Backup(nullptr, data());
    EXPECT_EQ(messages.Texts, QStringList({"バックアップ先のフォルダー作成に失敗しました。"}));

    messages.Texts.clear();
    chosen.clear();
    DocumentTransferCommands::Backup(nullptr, data());
    EXPECT_TRUE(messages.Texts.isEmpty()) << "a cancelled choice does nothing";
}

TEST_F(DocumentTransferCommandsTest, ABackupNamesTheFilesItCouldNotCopy) {
    writeFileBytes(data("small.MT4"), "s");
    writeFileBytes(data("large.MT4"), QByteArray(200, 'l'));
    {
        const FileSizeLimit limit(100);
        DocumentTransferCommands::Backup(nullptr, data());
    }
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_EQ(messages.Kinds[0], Messages::Kind::Error);
    EXPECT_TRUE(messages.Texts[0].contains("2件中1件をコピーしました。"))
        << messages.Texts[0].toStdString();
    EXPECT_TRUE(messages.Texts[0].contains("large.MT4"));
}

TEST_F(DocumentTransferCommandsTest, RestoreReplacesTheDocumentsAfterTheQuestion) {
    writeFileBytes(data("old.MT4"), "old");
    writeFileBytes(other("a.MT4"), "a");
    writeFileBytes(other("b.MT4"), "b");

    messages.Yes = false;
    DocumentTransferCommands::Restore(nullptr, data());
    EXPECT_EQ(messages.Texts, QStringList({"バックアップから復元する場合、既存のファイルは全て削除"
                                           "されます。\r\n続行しますか？"}));
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_EQ(entries(data()), QStringList({"old.MT4"}));

    messages.Yes = true;
    messages.Texts.clear();
    DocumentTransferCommands::Restore(nullptr, data());
    EXPECT_EQ(prompts,
              QStringList({"復元するバックアップデータが存在するフォルダーを選択してください"}));
    EXPECT_EQ(messages.Texts.last(), "2件のデータを復元しました。");
    EXPECT_EQ(entries(data()), QStringList({"a.MT4", "b.MT4"}));
}

// The old documents of a restore killed while they moved out come back before the next
// restore asks its question, and the user is told.
TEST_F(DocumentTransferCommandsTest, AnUnfinishedRestoreIsUndoneBeforeTheNextOne) {
    const QString staging = data(".restore-Ab12Cd");
    for (const QString& folder : {staging, staging + "/new", staging + "/old"}) {
        ASSERT_TRUE(QDir().mkdir(folder));
    }
    writeFileBytes(staging + "/copied", "");
    writeFileBytes(staging + "/old/old.MT4", "old");
    writeFileBytes(staging + "/new/a.MT4", "a");
    messages.Yes = false;
    DocumentTransferCommands::Restore(nullptr, data());
    EXPECT_EQ(messages.Texts.first(),
              "前回中断されたバックアップの読み込みを取り消し、元のデータに戻しました。");
    EXPECT_EQ(entries(data()), QStringList({"old.MT4"}));
    EXPECT_EQ(readFileBytes(data("old.MT4")), "old");
}

TEST_F(DocumentTransferCommandsTest, RestoreFromAFolderWithoutDocumentsChangesNothing) {
    writeFileBytes(data("old.MT4"), "old");
    writeFileBytes(other("notes.txt"), "x");
    DocumentTransferCommands::Restore(nullptr, data());
    EXPECT_EQ(messages.Texts.last(), "バックアップデータが存在しません。");
    EXPECT_EQ(entries(data()), QStringList({"old.MT4"}));
}

TEST_F(DocumentTransferCommandsTest, ARestoreThatFailsHalfWayChangesNothingAndNamesTheFile) {
    writeFileBytes(data("old.MT4"), "old");
    writeFileBytes(other("a.MT4"), "a");
    writeFileBytes(other("b.MT4"), QByteArray(200, 'b'));
    writeFileBytes(other("c.MT4"), "c");
    {
        const FileSizeLimit limit(100);
        DocumentTransferCommands::Restore(nullptr, data());
    }
    ASSERT_EQ(messages.Texts.size(), 2);
    EXPECT_EQ(messages.Kinds[1], Messages::Kind::Error);
    EXPECT_TRUE(messages.Texts[1].startsWith("「b.MT4」を復元できなかったため"))
        << messages.Texts[1].toStdString();
    EXPECT_EQ(entries(data()), QStringList({"old.MT4"}));
    EXPECT_EQ(readFileBytes(data("old.MT4")), "old");
}

TEST_F(DocumentTransferCommandsTest, TakeOverCountsAsksAndAvoidsNamesInUse) {
    writeFileBytes(other("見積001.MT2"), "two");
    writeFileBytes(other("見積001.MT3"), "three");
    writeFileBytes(data("見積001.MT4"), "four");

    messages.Yes = false;
    DocumentTransferCommands::TakeOver(nullptr, data());
    EXPECT_EQ(
        prompts,
        QStringList({"Rokuvel Dorvani 2・3のデータファイルがあるフォルダーを選択してください"}));
    EXPECT_EQ(messages.Texts, QStringList({"2件のデータをコピーしますか？"}));
    EXPECT_EQ(entries(data()), QStringList({"見積001.MT4"}));

    messages.Yes = true;
    messages.Texts.clear();
    DocumentTransferCommands::TakeOver(nullptr, data());
    EXPECT_EQ(messages.Texts, QStringList({"2件のデータをコピーしますか？", "コピーしました。"}));
    EXPECT_EQ(entries(data()), QStringList({"見積001(1).MT4", "見積001(2).MT4", "見積001.MT4"}));
    EXPECT_EQ(readFileBytes(data("見積001(1).MT4")), "two");
    EXPECT_EQ(readFileBytes(data("見積001(2).MT4")), "three");
    EXPECT_EQ(readFileBytes(data("見積001.MT4")), "four");
}

TEST_F(DocumentTransferCommandsTest, TakeOverRefusesMissingFoldersAndFoldersWithoutOldFiles) {
    const struct {
        QString folder;
        QString message;
    } cases[] = {
        {temp.path("missing"),
         "指定されたフォルダーに「Rokuvel Dorvani "
         "2・3のデータファイル」が\r\n見つからないためコピーを中止します。"},
        {temp.path("other"), "コピー対象のデータが存在しません。"},
    };
    writeFileBytes(other("見積.MT4"), "not taken over");
    for (const auto& c : cases) {
        messages.Texts.clear();
        chosen = c.folder;
        DocumentTransferCommands::TakeOver(nullptr, data());
        EXPECT_EQ(messages.Texts, QStringList({c.message}));
    }
    EXPECT_TRUE(entries(data()).isEmpty());
}

}  // namespace
