#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "IniFile.h"
#include "MasterListFixture.h"
#include "MessageLog.h"
#include "QtPrint.h"
#include "StartFolders.h"
#include "TFormPreviewList.h"
#include "TFormPrintList.h"
#include "TMasterListOutput.h"
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

template <typename T>
T* Control(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Both list print windows on the same print.ini, with two printers of their own.
class TFormPrintListTest : public ::testing::Test {
  protected:
    TFormPrintListTest() {
        for (TFormPrintList* form :
             {static_cast<TFormPrintList*>(&items), static_cast<TFormPrintList*>(&customers)}) {
            form->SetPrinterSystem({[] {
                                        return QStringList{"PrinterA", "PrinterB"};
                                    },
                                    [] { return QStringLiteral("PrinterB"); },
                                    [](QWidget*, QPrinter&) { return false; }});
            form->SetPreviewWindow(&preview);
        }
        output.SetPdfDialog([this](QWidget*, const QString& folder) {
            dialogFolders << folder;
            return pdfAnswer;
        });
    }
    void setOption(const char* section, const char* key, const QString& value) {
        IniFile ini = IniFile::Load(printIniPath);
        ini.WriteString(section, key, value);
        ini.Save();
    }
    // Opens the window of the kind; run then gets it shown and returns its result.
    int run(TFormPrintList& form, const std::function<void()>& whileShown) {
        QTimer::singleShot(0, &form, [&] {
            EXPECT_TRUE(form.isVisible());
            whileShown();
        });
        return form.Execute(lists.Source(form.Kind()));
    }
    static void press(TFormPrintList& form, const char* picture) {
        QTest::mouseClick(Control<TPngButton>(form, picture), Qt::LeftButton);
    }
    // The output flow, the print window closing with the picture button given.
    void output_run(TFormPrintList& form, const char* closeWith) {
        QTimer::singleShot(0, &form, [&form, closeWith] { press(form, closeWith); });
        output.Run(nullptr, lists.Source(form.Kind()));
    }
    QString shown(TFormPrintList& form, const char* list) {
        return Control<QComboBox>(form, list)->currentText();
    }

    MessageLog messages;
    TempDir temp;
    QString printIniPath = temp.path("print.ini");
    MasterListFixture lists{48, 16};
    TSlipPdfTemplates templates{lists.config};
    TFormPrintItemList items{printIniPath};
    TFormPrintCustomerList customers{printIniPath};
    TFormPreviewList preview;
    TMasterListOutput output{items, customers, templates};
    QString pdfAnswer;
    QStringList dialogFolders;
};

TEST_F(TFormPrintListTest, CaptionAndSizeOfEachList) {
    EXPECT_EQ(items.windowTitle(), "品名リスト印刷");
    EXPECT_EQ(items.size(), QSize(436, 178));
    EXPECT_EQ(customers.windowTitle(), "お客様一覧印刷");
    EXPECT_EQ(customers.size(), QSize(436, 171));
    EXPECT_EQ(Control<TPngButton>(customers, "pngBtnOK")->y(),
              Control<TPngButton>(items, "pngBtnOK")->y() - 2);
}

// What each section of print.ini selects when the window opens.
TEST_F(TFormPrintListTest, OpensOnThePrinterAndPaperOfItsSection) {
    const struct {
        const char* printer;  // nullptr: no key
        const char* paper;
        const char* shownPrinter;
        const char* shownPaper;
    } cases[] = {
        {nullptr, nullptr, "PrinterB", "A4"},  // the current printer
        {"PrinterA", "B5", "PrinterA", "B5"},
        {"", "A4", "PrinterB", "A4"},      // empty keeps the current printer
        {"Gone", "A3", "PrinterA", "A4"},  // not listed: the first entries
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printer == nullptr ? "none" : c.printer);
        QFile::remove(printIniPath);
        if (c.printer != nullptr) {
            setOption("CUSTOMER_LIST", "PRINTER", c.printer);
            setOption("CUSTOMER_LIST", "PAPER_SIZE", c.paper);
        }
        // The other list's section does not count.
        setOption("ITEM_LIST", "PAPER_SIZE", "B5");
        run(customers, [&] {
            EXPECT_EQ(shown(customers, "CBPrinter"), c.shownPrinter);
            EXPECT_EQ(shown(customers, "CBPaperSize"), c.shownPaper);
            EXPECT_EQ(customers.Printer().pageLayout().orientation(), QPageLayout::Portrait);
            press(customers, "pngBtnCancel");
        });
    }
}

TEST_F(TFormPrintListTest, PrintAndPdfStoreTheChoicesCancelStoresNothing) {
    setOption("SETTING", "YOKO", "1");
    const QByteArray before = readFileBytes(printIniPath);
    EXPECT_EQ(run(items,
                  [&] {
                      Control<QComboBox>(items, "CBPaperSize")->setCurrentIndex(1);
                      press(items, "pngBtnCancel");
                  }),
              TFormPrintList::ResultCancel);
    EXPECT_EQ(readFileBytes(printIniPath), before);

    const struct {
        const char* button;
        int result;
        int paper;
        const char* stored;
    } cases[] = {{"pngBtnOK", TFormPrintList::ResultPrint, 1, "B5"},
                 {"pngBtnSavePDF", TFormPrintList::ResultPdf, 0, "A4"}};
    for (const auto& c : cases) {
        EXPECT_EQ(run(items,
                      [&] {
                          Control<QComboBox>(items, "CBPaperSize")->setCurrentIndex(c.paper);
                          press(items, c.button);
                      }),
                  c.result);
        EXPECT_EQ(items.IsA4(), c.paper == 0);
        const IniFile ini = IniFile::Load(printIniPath);
        EXPECT_EQ(ini.ReadString("ITEM_LIST", "PRINTER", "-"), "PrinterB");
        EXPECT_EQ(ini.ReadString("ITEM_LIST", "PAPER_SIZE", "-"), c.stored);
        EXPECT_EQ(ini.ReadString("CUSTOMER_LIST", "PAPER_SIZE", "-"), "-");
        EXPECT_EQ(ini.ReadString("SETTING", "YOKO", "-"), "1");
    }
}

TEST_F(TFormPrintListTest, PreviewStaysInThePrintWindowAndStepsThroughThePages) {
    const struct {
        TFormPrintList* form;
        int pages;
    } cases[] = {{&items, 2}, {&customers, 2}};
    setOption("SETTING", "YOKO", "0");
    for (const auto& c : cases) {
        const QByteArray before = readFileBytes(printIniPath);
        int previewPages = 0;
        QStringList labels;
        std::vector<bool> next;
        const int result = run(*c.form, [&] {
            QTimer::singleShot(0, &preview, [&] {
                previewPages = preview.PageCount();
                auto* label = Control<QLabel>(preview, "LblPages");
                labels << label->text();
                next.push_back(Control<TPngButton>(preview, "pngBtnNext")->isEnabled());
                next.push_back(Control<TPngButton>(preview, "pngBtnPrev")->isEnabled());
                QTest::mouseClick(Control<TPngButton>(preview, "pngBtnNext"), Qt::LeftButton);
                labels << label->text();
                next.push_back(Control<TPngButton>(preview, "pngBtnNext")->isEnabled());
                next.push_back(Control<TPngButton>(preview, "pngBtnPrev")->isEnabled());
                preview.close();
            });
            press(*c.form, "pngBtnPreview");
            EXPECT_TRUE(c.form->isVisible());
            press(*c.form, "pngBtnCancel");
        });
        EXPECT_EQ(result, TFormPrintList::ResultCancel);
        EXPECT_EQ(previewPages, c.pages);
        EXPECT_EQ(labels, QStringList({"( 1 / 2 )", "( 2 / 2 )"}));
        EXPECT_EQ(next, std::vector<bool>({true, false, false, true}));
        EXPECT_EQ(readFileBytes(printIniPath), before);
    }
}

TEST_F(TFormPrintListTest, PreviewOfOnePageHasNoStepsAndExportsTheShownPicture) {
    const MasterListFixture few(3, 0);
    preview.Prepare(few.Source(skItemList), {150, 150});
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_FALSE(Control<TPngButton>(preview, "pngBtnNext")->isEnabled());
    EXPECT_FALSE(Control<TPngButton>(preview, "pngBtnPrev")->isEnabled());
    EXPECT_GE(preview.width(), 648);
    EXPECT_GE(preview.height(), 680);
    const QSize box = Control<QScrollArea>(preview, "ScrollBox1")->maximumViewportSize();
    EXPECT_EQ(preview.ShownImage().height(), box.height());
    EXPECT_EQ(preview.ShownImage().width(), std::lround(box.height() / 1.414));

    const QString path = temp.path("list.jpg");
    preview.SetJpgDialog([&](QWidget*, const QString&) { return path; });
    QTest::mouseClick(Control<TPngButton>(preview, "pngBtnJpg"), Qt::LeftButton);
    EXPECT_EQ(QImage(path).size(), preview.ShownImage().size());
    preview.close();
}

TEST_F(TFormPrintListTest, OutputWritesThePdfOrPrintsEveryPage) {
    // PDF: A4 pages whatever the paper; a cancelled save dialog writes nothing.
    setOption("ITEM_LIST", "PAPER_SIZE", "B5");
    pdfAnswer = temp.path("items.pdf");
    output_run(items, "pngBtnSavePDF");
    EXPECT_EQ(dialogFolders, QStringList(StartFolders::Export()));
    QString info = PdfInfo(pdfAnswer);
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("595 x 842 pts")) << info.toStdString();
    pdfAnswer.clear();
    output_run(customers, "pngBtnSavePDF");
    EXPECT_EQ(QDir(temp.root()).entryList({"*.pdf"}), QStringList("items.pdf"));
    EXPECT_EQ(IniFile::Load(printIniPath).ReadString("CUSTOMER_LIST", "PAPER_SIZE", "-"), "A4");

    // Print: one job of every page.
    const QString printed = temp.path("printed.pdf");
    customers.Printer().setOutputFileName(printed);
    output_run(customers, "pngBtnOK");
    info = PdfInfo(printed);
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Rokuvel Dorvani4\\n")));

    // Cancel: nothing.
    dialogFolders.clear();
    output_run(items, "pngBtnCancel");
    EXPECT_TRUE(dialogFolders.isEmpty());
    EXPECT_EQ(messages.Texts, QStringList());
}

}  // namespace
