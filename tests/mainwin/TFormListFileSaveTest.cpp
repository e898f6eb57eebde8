#include "FileWindowsFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include "QtPrint.h"
#include "TypeText.h"

#include "DocumentFile.h"
#include "OpenDocument.h"
#include "TFormListFileSave.h"
#include "TFormSave.h"

namespace {

class TFormListFileSaveTest : public FileWindowsTest {
  protected:
    TFormListFileSaveTest() {
        form.SetSaveWindow(&save);
        document.Customer.Name1 = "株式会社みどり";
        document.Memo = "メモの内容";
        document.PadLines(TThEstimateObjectList::DefaultLineCount);
        document.Items(0).ItemName = "品名A";
    }
    void open() {
        form.Bind(document, data());
        show(&form);
    }
    QLineEdit* fileName() { return control<QLineEdit>(&save, "EdtFileName"); }
    QLineEdit* comment() { return control<QLineEdit>(&save, "EdtComment"); }
    void typeName(const QString& name) {
        fileName()->setFocus();
        fileName()->selectAll();
        QTest::keyClick(fileName(), Qt::Key_Delete);
        TypeText(fileName(), name);
    }

    TThEstimateObjectList document;
    TFormSave save;
    TFormListFileSave form;
};

TEST_F(TFormListFileSaveTest, NewSaveProposesTheMemoAndWritesTheDocument) {
    open();
    click(&form, "PNGBtnNew");
    ASSERT_TRUE(save.isVisible());
    EXPECT_EQ(fileName()->text(), "");
    EXPECT_EQ(comment()->text(), "メモの内容");
    typeName("見積001");
    QTest::keyClick(fileName(), Qt::Key_Return);  // Enter presses 保存する

    EXPECT_FALSE(save.isVisible());
    EXPECT_EQ(save.result(), TFormSave::ResultOK);
    EXPECT_TRUE(form.isVisible()) << "the list stays open after a save";
    EXPECT_EQ(column(&form), QStringList({"見積001"}));
    EXPECT_EQ(column(&form, FileList::ColumnComment), QStringList({"メモの内容"}));
    EXPECT_EQ(column(&form, FileList::ColumnSaved), QStringList({"2005/11/30 09:05"}));
    TThEstimateObjectList read;
    read.LoadFromFile(data("見積001.MT4"));
    EXPECT_EQ(read.Customer.Name1, "株式会社みどり");
    EXPECT_EQ(read.Items(0).ItemName, "品名A");
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join("|").toStdString();
}

TEST_F(TFormListFileSaveTest, SavingOverAsksFirstAndProposesTheFilesComment) {
    saveDocument("見積001", "旧会社", "旧コメント");
    const QByteArray before = readFileBytes(data("見積001.MT4"));
    open();
    click(&form, "PNGBtnOver");
    EXPECT_EQ(messages.Texts, QStringList({"上書きするファイルを選択してください。"}));
    EXPECT_FALSE(save.isVisible());

    messages.Texts.clear();
    doubleClickRow(&form, 0);
    ASSERT_TRUE(save.isVisible());
    EXPECT_EQ(fileName()->text(), "見積001");
    EXPECT_EQ(comment()->text(), "旧コメント");

    messages.Yes = false;
    click(&save, "PNGBtnOK");
    EXPECT_EQ(messages.Texts, QStringList({"見積001 は既に存在します。\r\n上書きしますか？"}));
    EXPECT_TRUE(save.isVisible()) << "No keeps the window open";
    EXPECT_EQ(readFileBytes(data("見積001.MT4")), before);

    messages.Yes = true;
    click(&save, "PNGBtnOK");
    EXPECT_FALSE(save.isVisible());
    EXPECT_EQ(column(&form, FileList::ColumnName1), QStringList({"株式会社みどり"}));
    EXPECT_EQ(column(&form, FileList::ColumnComment), QStringList({"旧コメント"}));
}

// A file restored from another system may end in ".mt4"; saving over it keeps that one file.
TEST_F(TFormListFileSaveTest, SavingOverAListedFileKeepsItsOwnName) {
    saveDocument("見積001", "旧会社", "旧コメント");
    ASSERT_TRUE(QFile::rename(data("見積001.MT4"), data("見積001.mt4")));
    open();
    doubleClickRow(&form, 0);
    ASSERT_TRUE(save.isVisible());
    click(&save, "PNGBtnOK");

    EXPECT_EQ(messages.Texts, QStringList({"見積001 は既に存在します。\r\n上書きしますか？"}));
    EXPECT_EQ(QDir(data()).entryList(QDir::Files), QStringList({"見積001.mt4"}));
    EXPECT_EQ(column(&form, FileList::ColumnName1), QStringList({"株式会社みどり"}));
}

// The question before a file is replaced says when another copy saved it since this one read
// or listed it; No leaves that copy's version in place.
TEST_F(TFormListFileSaveTest, OverwritingAFileSavedElsewhereSinceSaysWhen) {
    const QString path = data("見積001.MT4");
    const struct {
        const char* name;
        bool readHere;
        bool savedBeforeListing;
        bool savedAfterListing;
        QString since;  // empty: the plain question
    } cases[] = {
        {"unchanged", true, false, false, ""},
        {"saved elsewhere after this window read it", true, true, false, "読み込んだ"},
        {"saved elsewhere after the list showed it", false, false, true, "一覧に表示した"},
        {"saved elsewhere before the list showed it", false, true, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        saveDocument("見積001", "最初の会社", "最初");
        OpenDocument opened(temp.root());
        if (c.readHere) {
            opened.Opened(path, SharedSave::FileStamp::Of(path));
        }
        if (c.savedBeforeListing) {
            saveDocument("見積001", "別のPCの会社", "別のPC");
        }
        form.Bind(document, data(), &opened);
        show(&form);
        if (c.savedAfterListing) {
            saveDocument("見積001", "別のPCの会社", "別のPC");
        }
        const QByteArray theirs = readFileBytes(path);
        const QString modified =
            QFileInfo(path).lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm"));

        messages.Texts.clear();
        messages.Yes = false;
        doubleClickRow(&form, 0);
        ASSERT_TRUE(save.isVisible());
        click(&save, "PNGBtnOK");
        EXPECT_EQ(messages.Texts,
                  QStringList{c.since.isEmpty()
                                  ? QStringLiteral("見積001 は既に存在します。\r\n上書きしますか？")
                                  : QStringLiteral("見積001 は、このコピーが%1後に %2 に変更されて"
                                                   "います。\r\n上書きしますか？")
                                        .arg(c.since, modified)});
        EXPECT_EQ(readFileBytes(path), theirs);

        messages.Yes = true;
        click(&save, "PNGBtnOK");
        EXPECT_FALSE(save.isVisible());
        EXPECT_EQ(DocumentFile::ReadHeader(path).Name1, "株式会社みどり");
        EXPECT_EQ(opened.Path(), path) << "the window has the saved file open";
        click(&form, "PNGBtnClose");
    }
}

TEST_F(TFormListFileSaveTest, AFileSavedElsewhereWhileTheQuestionIsOpenIsAskedAboutAgain) {
    const QString path = data("見積001.MT4");
    saveDocument("見積001", "最初の会社", "最初");
    OpenDocument opened(temp.root());
    form.Bind(document, data(), &opened);
    show(&form);
    QStringList asked;
    QString modified;
    Messages::SetResponder([&](Messages::Kind, const QString& text) {
        asked << text;
        if (asked.size() == 1) {
            saveDocument("見積001", "別のPCの会社", "別のPC");
            modified = QFileInfo(path).lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
        }
        return true;
    });
    doubleClickRow(&form, 0);
    click(&save, "PNGBtnOK");
    EXPECT_EQ(asked, QStringList({"見積001 は既に存在します。\r\n上書きしますか？",
                                  "見積001 は、このコピーが一覧に表示した後に " + modified +
                                      " に変更されています。\r\n上書きしますか？"}));
    EXPECT_FALSE(save.isVisible());
    EXPECT_EQ(DocumentFile::ReadHeader(path).Name1, "株式会社みどり");
}

TEST_F(TFormListFileSaveTest, ReplacingATotalInvoiceByANormalDocumentIsSaidInTheQuestion) {
    const QString plain = QStringLiteral("合計001 は既に存在します。\r\n上書きしますか？");
    const QString noted = QStringLiteral(
        "合計001 は既に存在します。\r\nこのファイルは合計請求データです。上書きすると通常の"
        "データに置き換わります。\r\n上書きしますか？");
    const struct {
        bool fileTotal;
        bool documentTotal;
        QString question;
    } cases[] = {{true, false, noted}, {true, true, plain}, {false, true, plain}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fileTotal << c.documentTotal);
        saveDocument("合計001", "会社", "", today(), c.fileTotal);
        const QByteArray before = readFileBytes(data("合計001.MT4"));
        document.TotalClaimMode = c.documentTotal;
        open();
        messages.Texts.clear();
        messages.Yes = false;
        doubleClickRow(&form, 0);
        click(&save, "PNGBtnOK");
        EXPECT_EQ(messages.Texts, QStringList{c.question});
        EXPECT_EQ(readFileBytes(data("合計001.MT4")), before);
        click(&save, "PNGBtnCancel");
        click(&form, "PNGBtnClose");
    }
}

TEST_F(TFormListFileSaveTest, RefusedNamesWriteNothingAndKeepTheWindowOpen) {
    const QString tooLong(300, QChar(u'長'));
    const struct {
        QString name;
        QString message;
        Messages::Kind kind;
    } cases[] = {
        {"", "ファイル名を入力してください。", Messages::Kind::Information},
        {"   ", "ファイル名を入力してください。", Messages::Kind::Information},
        {"a/b", "ファイル名に【\\ / : * ? \" < > |】を含めることは出来ません。",
         Messages::Kind::Information},
        {"見積?", "ファイル名に【\\ / : * ? \" < > |】を含めることは出来ません。",
         Messages::Kind::Information},
        {"a\tb", "ファイル名に制御文字（改行やタブなど）を含めることは出来ません。",
         Messages::Kind::Information},
        {tooLong, "", Messages::Kind::Error},  // the file system's own refusal
    };
    open();
    click(&form, "PNGBtnNew");
    for (const auto& c : cases) {
        messages.Texts.clear();
        messages.Kinds.clear();
        fileName()->setText(c.name);
        click(&save, "PNGBtnOK");
        ASSERT_EQ(messages.Texts.size(), 1) << c.name.toStdString();
        if (!c.message.isEmpty()) {
            EXPECT_EQ(messages.Texts[0], c.message);
        }
        EXPECT_EQ(messages.Kinds[0], c.kind) << messages.Texts[0].toStdString();
        EXPECT_TRUE(save.isVisible());
        EXPECT_EQ(QDir(data()).entryList(QDir::Files | QDir::Hidden), QStringList())
            << c.name.toStdString();
    }
    click(&save, "PNGBtnCancel");
    EXPECT_FALSE(save.isVisible());
    EXPECT_EQ(save.result(), TFormSave::ResultCancel);
}

TEST_F(TFormListFileSaveTest, DeletesTheSelectedFileAfterAsking) {
    saveDocument("残す");
    saveDocument("消す");
    open();
    click(&form, "PNGBtnDelete");
    EXPECT_EQ(messages.Texts, QStringList({"削除するファイルを選択してください。"}));

    const int row = column(&form).indexOf("消す");
    messages.Texts.clear();
    messages.Yes = false;
    clickRow(&form, row);
    click(&form, "PNGBtnDelete");
    EXPECT_EQ(messages.Texts, QStringList({"消す を削除します。\r\nよろしいですか？"}));
    EXPECT_TRUE(QFile::exists(data("消す.MT4")));

    messages.Texts.clear();
    messages.Yes = true;
    click(&form, "PNGBtnDelete");
    EXPECT_FALSE(QFile::exists(data("消す.MT4")));
    EXPECT_EQ(column(&form), QStringList({"残す"}));
    EXPECT_EQ(messages.Texts.last(), "削除しました。");

    // A file that went away meanwhile cannot be deleted; the list stays as it was.
    clickRow(&form, 0);
    QFile::remove(data("残す.MT4"));
    messages.Texts.clear();
    click(&form, "PNGBtnDelete");
    EXPECT_EQ(messages.Texts.last(), "削除できませんでした。");
    EXPECT_EQ(column(&form), QStringList({"残す"}));
}

}  // namespace
