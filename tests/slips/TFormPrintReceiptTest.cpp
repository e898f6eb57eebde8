#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>

#include "SheetSlipFixture.h"
#include "SlipLayout.h"
#include "TFormPrintReceipt.h"
#include "TSsEdit.h"

namespace {

class TFormPrintReceiptTest : public SheetSlipTest<TFormPrintReceipt> {
  protected:
    TFormPrintReceiptTest() {
        slip.config.MONETARY = QStringLiteral("￥");
        slip.document.Tax = Currency::fromUnits(2768);
        slip.document.Total = Currency::fromUnits(30450);
    }
    QString text(const char* field) { return control<QLineEdit>(field)->text(); }
    QStringList items(const char* list) {
        QStringList texts;
        auto* box = control<QComboBox>(list);
        for (int i = 0; i < box->count(); ++i) {
            texts << box->itemText(i);
        }
        return texts;
    }
};

TEST_F(TFormPrintReceiptTest, TheBreakdownStartsWithTheTaxAndTypedAmountsReachThePdf) {
    pdfAnswer = temp.path("ryoshu.pdf");
    QStringList fields;
    press("pngBtnSavePDF", [&] {
        EXPECT_EQ(form.windowTitle(), "領収書印刷");
        fields << control<QComboBox>("CBUchi1")->currentText() << text("EdtUchi1");
        EXPECT_TRUE(items("CBUchi2").contains("現　金"));
        control<QComboBox>("CBUchi2")->setCurrentText("現　金");
        type(control<TSsEdit>("EdtUchi2"), "(1,200)");
        fields << text("EdtUchi2");
        control<QLineEdit>("EdtTadashi")->setText("お品代として");
    });
    EXPECT_EQ(fields, QStringList({"消費税", "2,768", "1,200"}));
    const QString out = Run("pdftotext", {"-layout", pdfAnswer, "-"});
    // pdftotext reads the Japanese font's hyphen as U+2011.
    EXPECT_EQ(out.count(QRegularExpression("￥1,200[-\u2011]")), 2) << out.toStdString();
    EXPECT_EQ(out.count("￥30,450※"), 2);
    EXPECT_EQ(out.count("お品代として"), 2);
    EXPECT_EQ(IniFile::Load(printIniPath).ReadString("RYOSYU", "PROVISO_TEXT", ""), "お品代として");

    // The proviso comes back from print.ini; the breakdown starts over.
    press("pngBtnCancel", [&] {
        fields = {text("EdtTadashi"), control<QComboBox>("CBUchi2")->currentText(),
                  text("EdtUchi2")};
    });
    EXPECT_EQ(fields, QStringList({"お品代として", "", ""}));
}

TEST_F(TFormPrintReceiptTest, OnlyTheSealPicturesPresentAreOfferedAndTheChosenOnePrints) {
    slip = SlipFixture(3, temp.root() + "/");
    slip.document.TotalClaimMode = true;  // the receipt serves both modes
    slip.config.Stamp(3) = SolidPicture(Qt::blue);
    slip.config.Stamp(3).save(slip.config.StampPath(3), "BMP");
    pdfAnswer = temp.path("ryoshu.pdf");
    QStringList offered;
    press("pngBtnSavePDF", [&] {
        offered = items("CBPersonalStamp");
        control<QComboBox>("CBPersonalStamp")->setCurrentIndex(1);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(offered, QStringList({"印刷なし", "捺印4"}));
    EXPECT_EQ(IniFile::Load(printIniPath).ReadString("RYOSYU", "PERSONAL_STAMP", ""), "捺印4");
    // The seal image sits at 454 .. 494 units across, 154 .. 194 down, and 312 lower.
    const QImage page = Rendered(pdfAnswer);
    ASSERT_FALSE(page.isNull());
    auto at = [](double x, double y) { return QPoint(qRound(x * 100 / 72), qRound(y * 100 / 72)); };
    for (int o : {0, 312}) {
        EXPECT_EQ(page.pixelColor(at(474, 174 + o)), QColor(Qt::blue)) << o;
    }
}

TEST_F(TFormPrintReceiptTest, AQualifiedInvoiceStartsWithTheRatesAndTellsOfAMissingNumber) {
    slip.document.QualifiedInvoice = true;
    slip.document.Breakdown.Rates = {
        {Currency::fromUnits(10), false, Currency::fromUnits(3000), Currency::fromUnits(300)}};
    QStringList fields;
    press("pngBtnCancel", [&] {
        fields << control<QComboBox>("CBUchi1")->currentText() << text("EdtUchi1")
               << control<QComboBox>("CBUchi2")->currentText() << text("EdtUchi2");
    });
    EXPECT_EQ(fields, QStringList({"10%対象", "3,000", "消費税(10%)", "300"}));
    EXPECT_EQ(messages.Texts, QStringList{UnregisteredSenderNotice});
    slip.profiles.Items(0).RegistrationNo = QStringLiteral("T7123456789012");
    press("pngBtnCancel");
    EXPECT_EQ(messages.Texts.size(), 1);
}

}  // namespace
