#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "SheetSlipFixture.h"
#include "TFormPrintFaxSender.h"

namespace {

class TFormPrintFaxSenderTest : public SheetSlipTest<TFormPrintFaxSender> {};

TEST_F(TFormPrintFaxSenderTest, TheContentsKeepTheirLinesThroughPrintIniAndReachThePdf) {
    setOption("FAX", "CONTENT", "one#CRLF#two");
    setOption("FAX", "OPTION2", "1");
    pdfAnswer = temp.path("fax.pdf");
    QString memo;
    int pages = 0;
    press("pngBtnSavePDF", [&] {
        EXPECT_EQ(form.windowTitle(), "FAX送信状印刷");
        memo = control<QPlainTextEdit>("MemoContent")->toPlainText();
        EXPECT_TRUE(control<QCheckBox>("CBOptionSankou")->isChecked());
        pages = control<QSpinBox>("SEPaperNum")->value();
        control<QSpinBox>("SEPaperNum")->setValue(5000);
        control<QPlainTextEdit>("MemoContent")->setPlainText("one\ntwo\nthree");
    });
    EXPECT_EQ(memo, "one\ntwo");
    EXPECT_EQ(pages, 2);
    const IniFile ini = IniFile::Load(printIniPath);
    EXPECT_EQ(ini.ReadString("FAX", "CONTENT", ""), "one#CRLF#two#CRLF#three");
    EXPECT_EQ(ini.ReadString("FAX", "PAPER_NUM", ""), "1000");
    const QString out = Run("pdftotext", {"-layout", pdfAnswer, "-"});
    EXPECT_TRUE(out.contains("送付枚数：1000枚")) << out.toStdString();
    EXPECT_TRUE(out.contains("three"));
}

}  // namespace
