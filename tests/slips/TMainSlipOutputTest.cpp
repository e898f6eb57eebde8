#include <gtest/gtest.h>

#include <QFileDialog>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include "IniFile.h"
#include "MessageLog.h"
#include "QtPrint.h"
#include "SlipFixture.h"
#include "StartFolders.h"
#include "TFormPrintMitsu.h"
#include "TMainSlipOutput.h"
#include "TPngButton.h"
#include "TSlipPdfTemplates.h"
#include "TempDir.h"

namespace {

QString PdfInfo(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class TMainSlipOutputTest : public ::testing::Test {
  protected:
    TMainSlipOutputTest() {
        form.SetPrinterSystem({[] { return QStringList(); }, [] { return QString(); },
                               [](QWidget*, QPrinter&) { return false; }});
        output.SetPdfDialog([this](QWidget*, const QString& folder) {
            dialogFolders << folder;
            return pdfAnswer;
        });
    }
    // Runs the button's flow; the options window closes with the picture button given.
    void press(TSlipKind kind, const char* closeWith) {
        QTimer::singleShot(0, &form, [this, closeWith] {
            shown = form.isVisible();
            QTest::mouseClick(form.findChild<TPngButton*>(closeWith), Qt::LeftButton);
        });
        output.Run(nullptr, kind, slip.document, slip.config, slip.profiles);
    }
    void setOption(const char* key, const QString& value) {
        IniFile ini = IniFile::Load(printIniPath);
        ini.WriteString("MITSU", key, value);
        ini.Save();
    }

    MessageLog messages;
    TempDir temp;
    QString printIniPath = temp.path("print.ini");
    SlipFixture slip{3};
    TSlipPdfTemplates templates{slip.config};
    TFormPrintMitsu form{printIniPath};
    TMainSlipOutput output{form, templates};
    QString pdfAnswer;
    QStringList dialogFolders;
    bool shown = false;
};

TEST_F(TMainSlipOutputTest, TotalClaimModeRefusesEveryMainSlip) {
    slip.document.TotalClaimMode = true;
    const std::vector<TSlipKind> kinds = SlipKindsOf(TSlipFamily::MainSlip);
    for (TSlipKind kind : kinds) {
        output.Run(nullptr, kind, slip.document, slip.config, slip.profiles);
    }
    EXPECT_EQ(messages.Texts, QStringList(static_cast<qsizetype>(kinds.size()),
                                          "この機能は合計請求モードでは使用できません。"));
    EXPECT_FALSE(QFile::exists(printIniPath));
}

TEST_F(TMainSlipOutputTest, PdfIsA4WithoutCopiesWhateverThePaperAndCopyOptions) {
    setOption("PAPER_SIZE", "B5");
    setOption("PRINT_COPY", "1");
    pdfAnswer = temp.path("slip.pdf");
    press(skMitsu, "pngBtnSavePDF");
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialogFolders, QStringList(StartFolders::Export()));
    const QString info = PdfInfo(pdfAnswer);
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("595 x 842 pts")) << info.toStdString();
}

TEST_F(TMainSlipOutputTest, CancelWritesNothing) {
    press(skMitsu, "pngBtnCancel");
    EXPECT_TRUE(dialogFolders.isEmpty());
    pdfAnswer.clear();  // the save dialog cancelled
    press(skMitsu, "pngBtnSavePDF");
    EXPECT_EQ(dialogFolders.size(), 1);
    EXPECT_TRUE(QDir(temp.root()).entryList({"*.pdf"}).isEmpty());
}

TEST_F(TMainSlipOutputTest, PrintSendsEverySheetAsOneTitledJob) {
    slip = SlipFixture(61);  // three pages
    const struct {
        bool copies;
        bool landscape;
        const char* pages;
        const char* size;
    } cases[] = {{true, false, "6", "595 x 842"}, {false, true, "3", "842 x 595"}};
    for (const auto& c : cases) {
        setOption("PRINT_COPY", c.copies ? "1" : "0");
        setOption("PRINT_DIRECTION", c.landscape ? "1" : "0");
        const QString path = temp.path(QStringLiteral("printed-%1.pdf").arg(c.pages));
        form.Printer().setOutputFileName(path);
        press(skMitsu, "pngBtnOK");
        const QString info = PdfInfo(path);
        EXPECT_TRUE(
            info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(c.pages))))
            << info.toStdString();
        EXPECT_TRUE(info.contains(c.size)) << info.toStdString();
        EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Rokuvel Dorvani4\\n")))
            << info.toStdString();
    }
}

TEST_F(TMainSlipOutputTest, SaveDialogPdfAsksBeforeReplacingAFile) {
    const auto dialog = TMainSlipOutput::SaveDialogPDF(nullptr, temp.root());
    EXPECT_EQ(dialog->nameFilters(), QStringList({"PDFファイル(*.pdf)"}));
    EXPECT_EQ(dialog->defaultSuffix(), "pdf");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(temp.root()).absolutePath());
}

}  // namespace
