#include "FileWindowsFixture.h"

#include "QtPrint.h"

#include "TFormSearchFile.h"
#include "TFormTotalClaim.h"
#include "TotalClaim.h"

namespace {

class TFormTotalClaimTest : public FileWindowsTest {
  protected:
    TFormTotalClaimTest() {
        form.SetSearchWindow(&search);
        form.Bind(data());
        document.TotalClaimMode = true;
        document.PadLines(TThEstimateObjectList::DefaultLineCount);
    }
    void saveAmounts(const QString& name, const QString& company, std::int64_t subTotal,
                     std::int64_t tax, bool taxIn) {
        TThEstimateObjectList source;
        source.Customer.Name1 = company;
        source.SubTotal = Currency::fromUnits(subTotal);
        source.Tax = Currency::fromUnits(tax);
        source.TaxIn = taxIn;
        source.PadLines(TThEstimateObjectList::DefaultLineCount);
        source.SaveToFile(data(name + ".MT4"), {});
    }
    // Confirms the choice and builds the document from it, as the main window does.
    void confirm() {
        click(&form, "PNGBtnOK");
        ASSERT_FALSE(form.isVisible());
        ASSERT_EQ(form.result(), TFormTotalClaim::ResultOK);
        BuildTotalClaim(document, form.SelectedPaths());
    }

    TThEstimateObjectList document;
    TFormSearchFile search;
    TFormTotalClaim form;
};

TEST_F(TFormTotalClaimTest, TwoChosenDocumentsMakeTwoLinesAndTheSums) {
    saveAmounts("見積1", "Z商会", 10000, 500, false);
    saveAmounts("見積2", "A商会", 21000, 1000, true);
    show(&form);
    click(&form, "PNGBtnOK");
    EXPECT_EQ(messages.Texts, QStringList({"データを選択してください。"}));
    EXPECT_TRUE(form.isVisible());

    clickRow(&form, 0);
    clickRow(&form, 1, Qt::ControlModifier);
    confirm();
    EXPECT_EQ(document.Items(0).ItemName, "見積1");
    EXPECT_EQ(document.Items(0).TotalPrice, Currency::fromUnits(10500));
    EXPECT_EQ(document.Items(1).ItemName, "見積2");
    EXPECT_EQ(document.Items(1).TotalPrice, Currency::fromUnits(21000));
    EXPECT_EQ(document.SubTotal, Currency::fromUnits(31000));
    EXPECT_EQ(document.Tax, Currency::fromUnits(1500));
    EXPECT_EQ(document.Total, Currency::fromUnits(31500));
    EXPECT_TRUE(document.TaxIn);
    EXPECT_EQ(document.Customer.Name1, "Z商会");
}

TEST_F(TFormTotalClaimTest, TheDisplayedOrderDecidesTheLinesAndTheAddressee) {
    saveAmounts("見積1", "Z商会", 100, 10, false);
    saveAmounts("見積2", "A商会", 200, 20, false);
    show(&form);
    clickRow(&form, 0);
    clickRow(&form, 1, Qt::ControlModifier);
    clickHeader(&form, FileList::ColumnName1);
    confirm();
    EXPECT_EQ(document.Items(0).ItemName, "見積2");
    EXPECT_EQ(document.Items(1).ItemName, "見積1");
    EXPECT_EQ(document.Customer.Name1, "A商会");
}

TEST_F(TFormTotalClaimTest, AHundredAndFiveDocumentsMakeAHundredAndFiveLines) {
    for (int i = 0; i < 105; ++i) {
        saveAmounts(QString("d%1").arg(i, 3, 10, QChar('0')), "商会", 1000, 100, false);
    }
    show(&form);
    clickRow(&form, 0);
    QTest::keyClick(list(&form), Qt::Key_A, Qt::ControlModifier);
    confirm();
    ASSERT_EQ(document.Count(), 105);
    EXPECT_EQ(document.Items(104).ItemName, "d104");
    EXPECT_EQ(document.Total, Currency::fromUnits(105 * 1100));
}

TEST_F(TFormTotalClaimTest, CloseLeavesTheChoiceUnused) {
    saveAmounts("見積1", "Z商会", 100, 10, false);
    show(&form);
    clickRow(&form, 0);
    click(&form, "PNGBtnClose");
    EXPECT_EQ(form.result(), TFormTotalClaim::ResultCancel);
}

}  // namespace
