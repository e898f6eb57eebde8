#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "KenAllSample.h"
#include "LoopbackHttpServer.h"
#include "MessageLog.h"
#include "QtPrint.h"
#include "TempDir.h"
#include "ZipArchive.h"

#include "Cp932.h"
#include "KenAll.h"
#include "TPngButton.h"
#include "Tzip_update.h"

namespace {

using Reply = LoopbackHttpServer::Reply;

const QByteArray& fullSizeCsv() {
    static const QByteArray csv = KenAllSample(124000);
    return csv;
}

QByteArray businessCsv() {
    return readFileBytes(DORVANI4_TEST_DATA "/postal/JIGYOSYO.CSV");
}

const QByteArray& fullSizeTable() {
    static const QByteArray table =
        KenAll::ToZipTable({fullSizeCsv(), "KEN_ALL.CSV"}, {businessCsv(), "JIGYOSYO.CSV"});
    return table;
}

class Tzip_updateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir().mkpath(root.path("zip"));
        writeFileBytes(root.path("zip/zip.dat"), OldTable);
        writeFileBytes(root.path("zip/version.txt"), OldVersion);
        useServer();
        server.Serve("/m/liveupdate/zipcode/version.txt", {"2005/11/30\n"});
    }
    void useServer() {
        writeFileBytes(root.path("conf.ini"),
                       ("[ZIPUPDATE]\r\nSOURCE=server\r\nSERVER_URL=" + server.Url("/m")).toUtf8());
    }
    void useJapanPost() {
        writeFileBytes(root.path("conf.ini"), ("[ZIPUPDATE]\r\nSOURCE=japanpost\r\nJAPANPOST_URL=" +
                                               server.Url("/ken_all.zip") +
                                               "\r\nJIGYOSYO_URL=" + server.Url("/jigyosyo.zip"))
                                                  .toUtf8());
    }
    template <typename T>
    T* control(const char* name) {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void open() {
        form = std::make_unique<Tzip_update>(root.root() + u'/', root.path("zip") + u'/');
        form->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void check() { control<QPushButton>("Button1")->click(); }
    void waitForTheDownload() {
        for (int i = 0; i < 6000 && form->IsDownloading(); ++i) {
            QTest::qWait(10);
        }
        ASSERT_FALSE(form->IsDownloading());
    }
    void ExpectOldTable() {
        EXPECT_EQ(readFileBytes(root.path("zip/zip.dat")), OldTable);
        EXPECT_EQ(readFileBytes(root.path("zip/version.txt")), OldVersion);
        EXPECT_EQ(QDir(root.path("zip")).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    const QByteArray OldTable = "1000001,old\r\n";
    const QByteArray OldVersion =
        Cp932::encode(QStringLiteral("2005/10/31\r\n2005/10/31郵政公社公開データ\r\n"));
    TempDir root;
    LoopbackHttpServer server;
    MessageLog messages;
    std::unique_ptr<Tzip_update> form;
};

TEST_F(Tzip_updateTest, ShowsTheInstalledDataTheSourceAndTheProxy) {
    writeFileBytes(root.path("pro.dat"), "proxy.local\r\n8080\r\n");
    open();
    EXPECT_EQ(form->windowTitle(), "新しい郵便番号データの取得");
    EXPECT_EQ(form->size(), QSize(426, 284));
    EXPECT_EQ(control<QLineEdit>("Edit1")->text(), "2005/10/31郵政公社公開データ");
    EXPECT_EQ(control<QLineEdit>("Edit1")->geometry(), QRect(51, 24, 234, 24));
    EXPECT_EQ(control<TPngButton>("pngBtnUpdateZip")->geometry(), QRect(85, 68, 256, 60));
    EXPECT_EQ(control<TPngButton>("pngBtnCancel")->geometry(), QRect(171, 244, 84, 28));
    EXPECT_TRUE(control<QLabel>("LblSource")->text().contains(server.Url("/m")));
    EXPECT_EQ(control<QLineEdit>("LabeledEdit1")->text(), "proxy.local");
    EXPECT_EQ(control<QLineEdit>("LabeledEdit2")->text(), "8080");
    EXPECT_FALSE(control<QLabel>("Panel1")->isVisible());
}

TEST_F(Tzip_updateTest, CheckComparesTheKeysByteByByte) {
    struct Case {
        QByteArray remote;
        const QString& message;
    };
    messages.Yes = false;
    for (const Case& c : {Case{"2005/11/30\n", ZipUpdate::UpdateQuestion},
                          Case{"2005/10/31\n", ZipUpdate::NoUpdateMessage},
                          Case{"2005/09/30\n", ZipUpdate::NoUpdateMessage}}) {
        server.Serve("/m/liveupdate/zipcode/version.txt", {c.remote});
        open();
        messages.Texts.clear();
        check();
        EXPECT_EQ(messages.Texts, QStringList{c.message}) << c.remote.toStdString();
        EXPECT_FALSE(form->IsDownloading());
        ExpectOldTable();
    }
}

TEST_F(Tzip_updateTest, FailedCheckSaysSoAndEmptiesAPortThatIsNoNumber) {
    server.Serve("/m/liveupdate/zipcode/version.txt", {"gone", {}, {}, 404});
    open();
    control<QLineEdit>("LabeledEdit2")->setText("abc");
    check();
    EXPECT_EQ(messages.Texts, QStringList{ZipUpdate::CheckFailedMessage});
    EXPECT_EQ(control<QLineEdit>("LabeledEdit2")->text(), "");
}

TEST_F(Tzip_updateTest, ChecksThroughTheProxyOfTheWindow) {
    writeFileBytes(
        root.path("conf.ini"),
        QStringLiteral("[ZIPUPDATE]\r\nSOURCE=server\r\nSERVER_URL=http://127.0.0.1:%1/m")
            .arg(ClosedLoopbackPort())
            .toUtf8());
    messages.Yes = false;
    open();
    control<QLineEdit>("LabeledEdit1")->setText("127.0.0.1");
    control<QLineEdit>("LabeledEdit2")->setText(QString::number(server.Port()));
    check();
    EXPECT_EQ(messages.Texts, QStringList{ZipUpdate::UpdateQuestion});
}

// The Japan Post source, pointed at the loopback server by its setting.
TEST_F(Tzip_updateTest, DownloadLocksTheWindowThenInstallsTheNewTable) {
    server.Serve("/ken_all.zip",
                 {ZipArchiveOf("KEN_ALL.CSV", fullSizeCsv(), QDateTime::currentDateTime()),
                  "Fri, 30 May 2025 03:00:00 GMT"});
    server.Serve("/jigyosyo.zip",
                 {ZipArchiveOf("JIGYOSYO.CSV", businessCsv(), QDateTime::currentDateTime()),
                  "Thu, 29 May 2025 03:00:00 GMT"});
    useJapanPost();
    open();
    EXPECT_TRUE(control<QLabel>("LblSource")->text().contains(server.Url("/jigyosyo.zip")));
    control<QLineEdit>("LabeledEdit1")->setText("");
    check();
    EXPECT_TRUE(form->IsDownloading());
    EXPECT_TRUE(control<QLabel>("Panel1")->isVisible());
    EXPECT_FALSE(control<QPushButton>("Button1")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Btn_Cancel")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("LabeledEdit2")->isEnabled());
    EXPECT_FALSE(form->close()) << "the window cannot be closed during a download";
    EXPECT_TRUE(form->isVisible());

    waitForTheDownload();
    EXPECT_EQ(messages.Texts,
              (QStringList{ZipUpdate::UpdateQuestion, ZipUpdate::SucceededMessage}));
    EXPECT_EQ(readFileBytes(root.path("zip/zip.dat")), fullSizeTable());
    EXPECT_EQ(control<QLineEdit>("Edit1")->text(), "2025/05/30 日本郵便公開データ");
    EXPECT_FALSE(control<QLabel>("Panel1")->isVisible());
    EXPECT_TRUE(control<QPushButton>("Btn_Cancel")->isEnabled());

    control<QLineEdit>("LabeledEdit2")->setText("3128");
    control<QPushButton>("Btn_Cancel")->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(readFileBytes(root.path("pro.dat")), "\r\n3128\r\n");
}

TEST_F(Tzip_updateTest, FailedDownloadKeepsTheOldTable) {
    server.Serve("/m/liveupdate/zipcode/zip.dat", {"<html>portal</html>"});
    open();
    check();
    waitForTheDownload();
    EXPECT_EQ(messages.Texts,
              (QStringList{ZipUpdate::UpdateQuestion, ZipUpdate::DownloadFailedMessage}));
    ExpectOldTable();
    EXPECT_EQ(control<QLineEdit>("Edit1")->text(), "2005/10/31郵政公社公開データ");
}

// The file button, offline: the files the user picks in its dialog, both or one.
TEST_F(Tzip_updateTest, FileButtonInstallsBothFilesAndRefusesOneAlone) {
    QDir().mkpath(root.path("dl"));
    writeFileBytes(root.path("dl/ken_all.zip"),
                   ZipArchiveOf("KEN_ALL.CSV", fullSizeCsv(), QDateTime(QDate(2025, 5, 30), {})));
    writeFileBytes(root.path("dl/jigyosyo.zip"),
                   ZipArchiveOf("JIGYOSYO.CSV", businessCsv(), QDateTime(QDate(2025, 5, 29), {})));
    struct Case {
        QString typed;  // the file-name field of the dialog
        bool installs;
    };
    for (const Case& c :
         {Case{"\"ken_all.zip\"", false}, Case{"\"jigyosyo.zip\" \"ken_all.zip\"", true}}) {
        open();
        messages.Texts.clear();
        QTimer chooser;
        QObject::connect(&chooser, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                chooser.stop();
                EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles) << "both at once";
                dialog->setDirectory(root.path("dl"));
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(c.typed);
                static_cast<QDialog*>(dialog)->accept();  // as its open button does
            }
        });
        chooser.start(10);
        control<QPushButton>("BtnFromFile")->click();
        waitForTheDownload();
        if (c.installs) {
            EXPECT_EQ(messages.Texts, QStringList{ZipUpdate::SucceededMessage});
            EXPECT_EQ(readFileBytes(root.path("zip/zip.dat")), fullSizeTable());
            EXPECT_EQ(control<QLineEdit>("Edit1")->text(), "2025/05/30 日本郵便公開データ");
        } else {
            ASSERT_EQ(messages.Texts.size(), 1);
            EXPECT_TRUE(messages.Texts.first().contains("jigyosyo.zip"))
                << messages.Texts.first().toStdString();
            ExpectOldTable();
        }
    }
}

TEST_F(Tzip_updateTest, QuittingDuringADownloadLeavesNoTraceAndNoCrash) {
    server.Serve("/m/liveupdate/zipcode/zip.dat",
                 {fullSizeTable(), {}, LoopbackHttpServer::Delivery::Stall});
    open();
    check();
    QTest::qWait(200);
    ASSERT_TRUE(form->IsDownloading());
    form.reset();
    EXPECT_EQ(messages.Texts, QStringList{ZipUpdate::UpdateQuestion});
    ExpectOldTable();
}

}  // namespace
