#pragma once

#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <functional>

#include "IniFile.h"
#include "MessageLog.h"
#include "QtPrint.h"
#include "SlipFixture.h"
#include "TFormPrintEtcSlip.h"
#include "TPngButton.h"
#include "TSlipPdfTemplates.h"
#include "TempDir.h"

// Runs a one-sheet slip's button flow against its options window, with no printers of the
// system and the PDF save dialog answered by the test.
template <class Window>
class SheetSlipTest : public ::testing::Test {
  protected:
    SheetSlipTest() {
        form.SetPrinterSystem({[] { return QStringList(); }, [] { return QString(); },
                               [](QWidget*, QPrinter&) { return false; }});
        output.SetPdfDialog([this](QWidget*, const QString&) { return pdfAnswer; });
    }
    template <typename T>
    T* control(const char* name) {
        T* found = form.template findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Runs the button's flow; while the window is open, during runs, then the picture
    // button closeWith is clicked.
    void press(const char* closeWith, const std::function<void()>& during = {}) {
        shown = false;
        QTimer::singleShot(0, &form, [this, closeWith, during] {
            shown = form.isVisible();
            if (during) {
                during();
            }
            QTest::mouseClick(control<TPngButton>(closeWith), Qt::LeftButton);
        });
        output.Run(nullptr, form, slip.document, slip.config, slip.profiles);
    }
    void setOption(const QString& section, const char* key, const QString& value) {
        IniFile ini = IniFile::Load(printIniPath);
        ini.WriteString(section, key, value);
        ini.Save();
    }
    // Replaces a field's text as typing does, then leaves the field.
    void type(QLineEdit* edit, const QString& text) {
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    static QString Run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    // Page 1 of a PDF file as a picture at 100 pixels an inch.
    static QImage Rendered(const QString& pdf) {
        Run("pdftoppm", {"-png", "-r", "100", "-singlefile", pdf, pdf});
        return QImage(pdf + ".png");
    }
    static bool IsRed(QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }
    static QPoint AtMm(double x, double y) {
        return {static_cast<int>(x * 100 / 25.4), static_cast<int>(y * 100 / 25.4)};
    }

    MessageLog messages;
    TempDir temp;
    QString printIniPath = temp.path("print.ini");
    SlipFixture slip{3};
    TSlipPdfTemplates templates{slip.config};
    Window form{printIniPath};
    TEtcSlipOutput output{templates};
    QString pdfAnswer;
    bool shown = false;
};
