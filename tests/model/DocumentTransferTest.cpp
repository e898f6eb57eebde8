#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QDir>

#include "DocumentTransfer.h"
#include "FileSizeLimit.h"
#include "ModelError.h"
#include "TempDir.h"

namespace {

QStringList everything(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class DocumentTransferTest : public ::testing::Test {
  protected:
    DocumentTransferTest() {
        QDir(temp.root()).mkdir("data");
        QDir(temp.root()).mkdir("other");
    }
    QString data(const QString& name = {}) const { return temp.path("data/" + name); }
    QString other(const QString& name = {}) const { return temp.path("other/" + name); }

    TempDir temp;
};

TEST_F(DocumentTransferTest, TwoBackupsOnOneDayGetNumberedFolders) {
    const QDate day(2005, 11, 30);
    EXPECT_EQ(DocumentTransfer::CreateBackupFolder(other(), day), other("Backup20051130/"));
    EXPECT_EQ(DocumentTransfer::CreateBackupFolder(other(), day), other("Backup20051130(1)/"));
    EXPECT_EQ(everything(other()), QStringList({"Backup20051130", "Backup20051130(1)"}));
    EXPECT_THROW(DocumentTransfer::CreateBackupFolder(other("missing"), day), EFileError);
}

TEST_F(DocumentTransferTest, BackupCopiesTheDocumentsOnlyAndReportsTheFailedOnes) {
    writeFileBytes(data("a.MT4"), "aaaa");
    writeFileBytes(data("b.mt4"), QByteArray(200, 'b'));
    writeFileBytes(data("c.MT4"), "cccc");
    writeFileBytes(data("conf.ini"), "x");
    writeFileBytes(other("a.MT4"), "old");
    DocumentTransfer::CopyReport report;
    {
        const FileSizeLimit limit(100);
        report = DocumentTransfer::CopyDocumentFiles(data(), other());
    }
    EXPECT_EQ(report.Found, 3);
    EXPECT_EQ(report.Copied, 2);
    ASSERT_EQ(report.Failed.size(), 1u);
    EXPECT_EQ(report.Failed[0].FileName, "b.mt4");
    EXPECT_FALSE(report.Failed[0].Reason.isEmpty());
    EXPECT_EQ(everything(other()), QStringList({"a(1).MT4", "a.MT4", "c.MT4"}))
        << "no half-written copy";
    EXPECT_EQ(readFileBytes(other("a.MT4")), "old");
    EXPECT_EQ(readFileBytes(other("a(1).MT4")), "aaaa");
}

TEST_F(DocumentTransferTest, TakeOverRenamesToMt4AndAvoidsNamesInUse) {
    writeFileBytes(other("見積001.MT2"), "two");
    writeFileBytes(other("見積001.mt3"), "three");
    writeFileBytes(other("見積001.MT4"), "not taken");
    writeFileBytes(data("見積001.MT4"), "mine");
    const QStringList files = DocumentTransfer::TakeOverFiles(other());
    EXPECT_EQ(files, QStringList({other("見積001.MT2"), other("見積001.mt3")}));
    const DocumentTransfer::CopyReport report = DocumentTransfer::TakeOver(files, data());
    EXPECT_EQ(report.Copied, 2);
    EXPECT_EQ(everything(data()), QStringList({"見積001(1).MT4", "見積001(2).MT4", "見積001.MT4"}));
    EXPECT_EQ(readFileBytes(data("見積001.MT4")), "mine");
    EXPECT_EQ(readFileBytes(data("見積001(1).MT4")), "two");
    EXPECT_EQ(readFileBytes(data("見積001(2).MT4")), "three");
}

TEST_F(DocumentTransferTest, RestoreReplacesTheDocumentsAndKeepsOtherFiles) {
    writeFileBytes(data("old.MT4"), "old");
    writeFileBytes(data("same.MT4"), "old same");
    writeFileBytes(data("notes.txt"), "keep");
    writeFileBytes(other("same.MT4"), "backup same");
    writeFileBytes(other("new.MT4"), "backup new");
    EXPECT_EQ(DocumentTransfer::RestoreDocumentFiles(other(), data()), 2);
    EXPECT_EQ(everything(data()), QStringList({"new.MT4", "notes.txt", "same.MT4"}));
    EXPECT_EQ(readFileBytes(data("same.MT4")), "backup same");
    EXPECT_EQ(readFileBytes(data("new.MT4")), "backup new");
}

TEST_F(DocumentTransferTest, ARestoreThatFailsHalfWayChangesNothing) {
    writeFileBytes(data("old.MT4"), "old");
    writeFileBytes(other("a.MT4"), "small");
    writeFileBytes(other("b.MT4"), QByteArray(200, 'b'));
    writeFileBytes(other("c.MT4"), "small");
    try {
        const FileSizeLimit limit(100);
        DocumentTransfer::RestoreDocumentFiles(other(), data());
        ADD_FAILURE() << "the restore went through";
    } catch (const EFileError& error) {
        EXPECT_TRUE(error.message().startsWith("「b.MT4」")) << error.message().toStdString();
    }
    EXPECT_EQ(everything(data()), QStringList({"old.MT4"})) << "nothing staged is left behind";
    EXPECT_EQ(readFileBytes(data("old.MT4")), "old");
}

// A restore killed part-way leaves its staging folder; its marks tell how far it got. Each
// case is the folder as a kill at that step leaves it.
struct KilledRestore {
    const char* name;
    QStringList marks;     // written into the staging folder
    QStringList stagedIn;  // backup documents still in "new"
    QStringList movedOut;  // old documents already in "old"
    QStringList inData;    // documents in the data folder
    QStringList expected;  // the data folder after the recovery
    const char* message;
    friend void PrintTo(const KilledRestore& c, std::ostream* os) { *os << c.name; }
};

class KilledRestores : public DocumentTransferTest,
                       public ::testing::WithParamInterface<KilledRestore> {};

TEST_P(KilledRestores, AreFinishedOrUndoneAtTheNextStart) {
    const KilledRestore& c = GetParam();
    const QString staging = data(".restore-Ab12Cd");
    for (const QString& folder : {staging, staging + "/new", staging + "/old"}) {
        ASSERT_TRUE(QDir().mkdir(folder));
    }
    for (const QString& mark : c.marks) {
        writeFileBytes(staging + "/" + mark, "");
    }
    for (const QString& name : c.stagedIn) {
        writeFileBytes(staging + "/new/" + name, "backup");
    }
    for (const QString& name : c.movedOut) {
        writeFileBytes(staging + "/old/" + name, "old");
    }
    for (const QString& name : c.inData) {
        writeFileBytes(data(name), "present");
    }
    EXPECT_EQ(DocumentTransfer::RecoverUnfinishedRestore(data()), QString::fromUtf8(c.message));
    EXPECT_EQ(everything(data()), c.expected);
    EXPECT_EQ(DocumentTransfer::RecoverUnfinishedRestore(data()), std::nullopt);
}

const char* const undone =
    "前回中断されたバックアップの読み込みを取り消し、元のデータに戻しました。";
const char* const finished = "前回中断されたバックアップの読み込みを完了しました。";

INSTANTIATE_TEST_SUITE_P(
    Steps, KilledRestores,
    ::testing::Values(
        KilledRestore{
            "WhileCopying", {}, {"a.MT4"}, {}, {"x.MT4", "y.MT4"}, {"x.MT4", "y.MT4"}, undone},
        KilledRestore{"WhileMovingOut",
                      {"copied"},
                      {"a.MT4", "b.MT4"},
                      {"x.MT4"},
                      {"y.MT4"},
                      {"x.MT4", "y.MT4"},
                      undone},
        KilledRestore{"WhileMovingIn",
                      {"copied", "moved-out"},
                      {"b.MT4"},
                      {"x.MT4", "y.MT4"},
                      {"a.MT4"},
                      {"a.MT4", "b.MT4"},
                      finished},
        KilledRestore{"BeforeTheStagingWentAway",
                      {"copied", "moved-out"},
                      {},
                      {"x.MT4"},
                      {"a.MT4"},
                      {"a.MT4"},
                      finished}));

TEST_F(DocumentTransferTest, WithoutAnUnfinishedRestoreThereIsNothingToRecover) {
    writeFileBytes(data("x.MT4"), "present");
    EXPECT_EQ(DocumentTransfer::RecoverUnfinishedRestore(data()), std::nullopt);
    EXPECT_EQ(DocumentTransfer::RestoreDocumentFiles(data(), other()), 1);
    EXPECT_EQ(everything(other()), QStringList{"x.MT4"}) << "a finished restore leaves no staging";
}

}  // namespace
