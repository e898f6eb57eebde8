#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "IniFile.h"
#include "MessageLog.h"
#include "QtPrint.h"
#include "SlipFixture.h"
#include "SlipLayout.h"
#include "TFormPreviewMitsu.h"
#include "TFormPrintMitsu.h"
#include "TPngButton.h"
#include "TempDir.h"

namespace {

const std::vector<TSlipKind> MainSlips = SlipKindsOf(TSlipFamily::MainSlip);

class TFormPrintMitsuTest : public ::testing::Test {
  protected:
    TFormPrintMitsuTest() {
        QDir().mkpath(imageFolder);
        form.SetPrinterSystem({[] {
                                   return QStringList{"PrinterA", "PrinterB"};
                               },
                               [] { return QStringLiteral("PrinterB"); },
                               [](QWidget*, QPrinter&) { return false; }});
    }

    template <typename T>
    T* control(const char* name) {
        T* found = form.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QCheckBox* box(const char* name) { return control<QCheckBox>(name); }
    QComboBox* list(const char* name) { return control<QComboBox>(name); }
    QStringList items(const char* name) {
        QStringList texts;
        for (int i = 0; i < list(name)->count(); ++i) {
            texts << list(name)->itemText(i);
        }
        return texts;
    }
    void open(TSlipKind kind) {
        form.Prepare(slip.document, slip.config, kind, slip.profiles);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    int close(const char* picture) {
        QTest::mouseClick(control<TPngButton>(picture), Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
        return form.result();
    }
    void choose(const char* name, int index) {
        QComboBox* combo = list(name);
        combo->setFocus();
        while (combo->currentIndex() < index) {
            QTest::keyClick(combo, Qt::Key_Down);
        }
        while (combo->currentIndex() > index) {
            QTest::keyClick(combo, Qt::Key_Up);
        }
    }
    void setChecked(const char* name, bool on) {
        if (box(name)->isChecked() != on) {
            // On the box itself: the check box is wider than its caption.
            QTest::mouseClick(box(name), Qt::LeftButton, {}, QPoint(8, box(name)->height() / 2));
        }
        EXPECT_EQ(box(name)->isChecked(), on) << name;
    }
    void touchSeal(int n) {
        writeFileBytes(imageFolder + QStringLiteral("pstamp%1.bmp").arg(n), "BM");
    }
    IniFile printIni() const { return IniFile::Load(printIniPath); }

    MessageLog messages;
    TempDir temp;
    QString imageFolder = temp.path(QStringLiteral("img/"));
    QString printIniPath = temp.path(QStringLiteral("print.ini"));
    SlipFixture slip{3, imageFolder};
    TFormPrintMitsu form{printIniPath};
};

TEST_F(TFormPrintMitsuTest, ShowsTheOptionsOfEachKind) {
    const struct {
        const char* control;
        const char* shownFor;  // Mitsu, Tanka, Nouhin, Seikyu, Juryo, SeikyuMeisai
    } rows[] = {
        {"EdtCheckText", "111101"},
        {"CBCheckStamp", "111101"},
        {"CBPersonalStamp", "111101"},
        {"LblPersonalStamp", "111101"},
        {"ChBPrintName", "111111"},
        {"ChBPrintStampArea", "111111"},
        {"CBCustomerInfo", "111111"},
        {"CBPayBank", "000101"},
        {"ChBBank", "000101"},
        {"RGTax", "101111"},
        {"ChBChangeSR", "000010"},
        {"ChbPrintGrandTotalFrame", "101111"},
        {"ChbPrintGrandTotal", "101111"},
        {"ChbPrintSubTotalAndTotal", "101111"},
        {"CBPrinter", "111111"},
        {"CBPaperSize", "111111"},
        {"ChBYoko", "111111"},
        {"ChbPrintHikae", "111111"},
        {"ChbPrintBiko", "111111"},
    };
    const char* captions[] = {"見積書印刷", "単価見積書印刷", "納品書印刷",
                              "請求書印刷", "受領書印刷",     "請求明細書印刷"};
    for (size_t k = 0; k < MainSlips.size(); ++k) {
        form.Prepare(slip.document, slip.config, MainSlips[k], slip.profiles);
        EXPECT_EQ(form.windowTitle(), captions[k]);
        for (const auto& row : rows) {
            EXPECT_EQ(!control<QWidget>(row.control)->isHidden(), row.shownFor[k] == '1')
                << row.control << " for " << captions[k];
        }
    }
}

TEST_F(TFormPrintMitsuTest, EachKindKeepsItsOptionsAndTheLandscapeBoxIsShared) {
    // Every kind saves options of its own; reopening each shows them again.
    for (size_t k = 0; k < MainSlips.size(); ++k) {
        open(MainSlips[k]);
        choose("CBPaperSize", static_cast<int>(k % 2));
        choose("CBCustomerInfo", static_cast<int>(k % 3));
        control<QLineEdit>("EdtCheckText")->setText(QStringLiteral("確認%1").arg(k));
        setChecked("ChbPrintHikae", k % 2 == 1);
        setChecked("ChbPrintBiko", k % 3 != 0);
        setChecked("ChBYoko", k == 0);
        EXPECT_EQ(close(k % 2 == 0 ? "pngBtnOK" : "pngBtnSavePDF"),
                  k % 2 == 0 ? TFormPrintMitsu::ResultPrint : TFormPrintMitsu::ResultPdf);
    }
    for (size_t k = 0; k < MainSlips.size(); ++k) {
        SCOPED_TRACE(PrintSectionName(MainSlips[k]).toStdString());
        open(MainSlips[k]);
        EXPECT_EQ(list("CBPaperSize")->currentIndex(), static_cast<int>(k % 2));
        EXPECT_EQ(list("CBCustomerInfo")->currentIndex(), static_cast<int>(k % 3));
        EXPECT_EQ(control<QLineEdit>("EdtCheckText")->text(), QStringLiteral("確認%1").arg(k));
        EXPECT_EQ(box("ChbPrintHikae")->isChecked(), k % 2 == 1);
        EXPECT_EQ(box("ChbPrintBiko")->isChecked(), k % 3 != 0);
        EXPECT_EQ(box("ChBYoko")->isChecked(), k == 0);
        // Loading the kind's orientation writes it as the shared "YOKO" and turns the printer.
        EXPECT_EQ(printIni().ReadBool("SETTING", "YOKO", !(k == 0)), k == 0);
        EXPECT_EQ(form.Printer().pageLayout().orientation(),
                  k == 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
        close("pngBtnCancel");
    }
    EXPECT_EQ(printIni().ReadString("MITSU", "CHECK_STAMP_MSG", ""), "確認0");
    EXPECT_EQ(printIni().ReadString("JYURYO", "PAPER_SIZE", ""), "A4");
}

TEST_F(TFormPrintMitsuTest, CancelSavesNothingButTheLandscapeBox) {
    open(skSeikyu);
    close("pngBtnOK");
    const QByteArray saved = readFileBytes(printIniPath);
    open(skSeikyu);
    setChecked("ChbPrintHikae", true);
    choose("CBPaperSize", 1);
    setChecked("ChBYoko", true);
    EXPECT_TRUE(printIni().ReadBool("SETTING", "YOKO", false));
    EXPECT_EQ(form.Printer().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(close("pngBtnCancel"), TFormPrintMitsu::ResultCancel);
    EXPECT_FALSE(printIni().ReadBool("SEIKYU", "PRINT_COPY", true));
    open(skSeikyu);
    EXPECT_FALSE(box("ChbPrintHikae")->isChecked());
    EXPECT_EQ(list("CBPaperSize")->currentText(), "A4");
    EXPECT_FALSE(box("ChBYoko")->isChecked());
    close("pngBtnCancel");
    EXPECT_EQ(readFileBytes(printIniPath), saved);
}

TEST_F(TFormPrintMitsuTest, AStoredPrinterThatIsGoneSelectsTheFirst) {
    const struct {
        const char* stored;
        const char* selected;
    } cases[] = {{"", "PrinterB"}, {"PrinterB", "PrinterB"}, {"Gone", "PrinterA"}};
    for (const auto& c : cases) {
        IniFile ini = printIni();
        ini.WriteString("NOUHIN", "PRINTER", c.stored);
        ini.Save();
        open(skNouhin);
        EXPECT_EQ(items("CBPrinter"), QStringList({"PrinterA", "PrinterB"}));
        EXPECT_EQ(list("CBPrinter")->currentText(), c.selected) << "stored " << c.stored;
        close("pngBtnCancel");
    }
}

TEST_F(TFormPrintMitsuTest, StampListsHoldTheSealFilesThatExist) {
    touchSeal(0);
    touchSeal(3);
    open(skMitsu);
    EXPECT_EQ(items("CBCheckStamp"), QStringList({"印刷なし", "捺印1", "捺印4"}));
    EXPECT_EQ(items("CBPersonalStamp"), items("CBCheckStamp"));
    choose("CBCheckStamp", 2);
    choose("CBPersonalStamp", 1);
    EXPECT_EQ(form.Options().CheckStamp, 4);  // pstamp3.bmp
    EXPECT_EQ(form.Options().PersonalStamp, 1);
    close("pngBtnOK");
    EXPECT_EQ(printIni().ReadString("MITSU", "CHECK_STAMP", ""), "捺印4");

    QFile::remove(imageFolder + "pstamp3.bmp");
    open(skMitsu);
    EXPECT_EQ(items("CBCheckStamp"), QStringList({"印刷なし", "捺印1"}));
    EXPECT_EQ(list("CBCheckStamp")->currentText(), "印刷なし");
    EXPECT_EQ(list("CBPersonalStamp")->currentText(), "捺印1");
    close("pngBtnCancel");
}

TEST_F(TFormPrintMitsuTest, TaxButtonsFollowTheDocument) {
    const struct {
        const char* name;
        bool taxIn;
        bool taxable;
        const char* enabled;  // 課税対象なし, 税別, 税込み
        const char* checked;
    } cases[] = {
        {"tax included", true, true, "001", "RBTaxIn"},
        {"a taxable line", false, true, "011", "RBBeforeTax"},
        {"only tax-exempt lines", false, false, "100", "RBNoTax"},
    };
    const char* buttons[] = {"RBNoTax", "RBBeforeTax", "RBTaxIn"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        slip.document.TaxIn = c.taxIn;
        for (int i = 0; i < slip.document.Count(); ++i) {
            slip.document.Items(i).NoTax = !c.taxable;
        }
        open(skSeikyu);
        for (int b = 0; b < 3; ++b) {
            QRadioButton* button = control<QRadioButton>(buttons[b]);
            EXPECT_EQ(button->isEnabled(), c.enabled[b] == '1') << buttons[b];
            EXPECT_EQ(button->isChecked(), QLatin1String(buttons[b]) == QLatin1String(c.checked))
                << buttons[b];
        }
        close("pngBtnCancel");
    }
}

TEST_F(TFormPrintMitsuTest, ALogoProfileCannotPrintThePersonInCharge) {
    slip.profiles.Items(1).UseLogoImage = true;
    open(skMitsu);
    EXPECT_TRUE(box("ChBPrintName")->isEnabled());
    choose("CBCustomerInfo", 1);
    EXPECT_FALSE(box("ChBPrintName")->isEnabled());
    choose("CBCustomerInfo", 2);
    EXPECT_TRUE(box("ChBPrintName")->isEnabled());
    close("pngBtnCancel");
}

TEST_F(TFormPrintMitsuTest, AQualifiedInvoiceWithoutANumberIsToldOncePerOpening) {
    slip.document.QualifiedInvoice = true;
    slip.profiles.Items(2).RegistrationNo = QStringLiteral("T7123456789012");
    open(skSeikyu);
    EXPECT_EQ(messages.Texts, QStringList{UnregisteredSenderNotice});
    choose("CBCustomerInfo", 1);
    close("pngBtnCancel");
    EXPECT_EQ(messages.Texts.size(), 1);
    // A registered sender chosen from print.ini says nothing; choosing one without a
    // number then does.
    IniFile ini = IniFile::Load(printIniPath);
    ini.WriteString("SEIKYU", "CUSTOMER_INFO", "会社情報3");
    ini.Save();
    open(skSeikyu);
    EXPECT_EQ(messages.Texts.size(), 1);
    choose("CBCustomerInfo", 0);
    EXPECT_EQ(messages.Texts.size(), 2);
    close("pngBtnCancel");
    // Switched off, nothing is said.
    slip.document.QualifiedInvoice = false;
    open(skSeikyu);
    close("pngBtnCancel");
    EXPECT_EQ(messages.Texts.size(), 2);
}

TEST_F(TFormPrintMitsuTest, PreviewShowsTheCurrentChoicesAndKeepsTheWindowOpen) {
    TFormPreviewMitsu preview;
    form.SetPreviewWindow(&preview);
    open(skNouhin);
    setChecked("ChbPrintHikae", true);
    int pages = 0;
    QTimer::singleShot(0, &preview, [&] {
        pages = preview.PageCount();
        preview.close();
    });
    QTest::mouseClick(control<TPngButton>("pngBtnPreview"), Qt::LeftButton);
    EXPECT_EQ(pages, 2);  // one page and its copy
    EXPECT_TRUE(form.isVisible());
    close("pngBtnCancel");
    EXPECT_FALSE(printIni().Value("NOUHIN", "PRINT_COPY").has_value());  // preview saves nothing
}

}  // namespace
