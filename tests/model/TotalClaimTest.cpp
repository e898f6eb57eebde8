#include <gtest/gtest.h>

#include "QtPrint.h"

#include "ModelError.h"
#include "TThEstimateObjectList.h"
#include "TempDir.h"
#include "TotalClaim.h"

namespace {

class TotalClaimTest : public ::testing::Test {
  protected:
    TotalClaimTest() {
        document.TotalClaimMode = true;
        document.PadLines(TThEstimateObjectList::DefaultLineCount);
    }

    QString save(const QString& name, std::int64_t subTotal, std::int64_t tax, bool taxIn,
                 const QString& company = {}) {
        TThEstimateObjectList source;
        source.SubTotal = Currency::fromUnits(subTotal);
        source.Tax = Currency::fromUnits(tax);
        source.TaxIn = taxIn;
        source.Customer.Name1 = company;
        source.Customer.Fax = company + "-fax";
        source.PadLines(3);
        const QString path = temp.path(name + ".MT4");
        source.SaveToFile(path, {});
        return path;
    }

    TempDir temp;
    TThEstimateObjectList document;
};

TEST_F(TotalClaimTest, AddsUpTwoDocumentsOneOfThemWithTaxIncluded) {
    const QStringList paths = {save("見積A", 10000, 500, false, "A社"),
                               save("見積B", 21000, 1000, true, "B社")};
    BuildTotalClaim(document, paths);
    EXPECT_EQ(document.Count(), 100);
    EXPECT_EQ(document.Items(0).ItemName, "見積A");
    EXPECT_EQ(document.Items(0).TotalPrice, Currency::fromUnits(10500));
    EXPECT_EQ(document.Items(1).ItemName, "見積B");
    EXPECT_EQ(document.Items(1).TotalPrice, Currency::fromUnits(21000));
    EXPECT_TRUE(document.Items(2).Uninput());
    EXPECT_EQ(document.SubTotal, Currency::fromUnits(31000));
    EXPECT_EQ(document.Tax, Currency::fromUnits(1500));
    EXPECT_EQ(document.Total, Currency::fromUnits(31500));
    EXPECT_TRUE(document.TaxIn);
    EXPECT_EQ(document.Customer.Name1, "A社") << "the addressee of the first file";
    EXPECT_EQ(document.Customer.Fax, "A社-fax");
}

TEST_F(TotalClaimTest, DocumentsBeyondTheHundredLinesAreAppended) {
    QStringList paths;
    for (int i = 0; i < 105; ++i) {
        paths << save(QString("d%1").arg(i, 3, 10, QChar('0')), 100 + i, 10, false);
    }
    BuildTotalClaim(document, paths);
    ASSERT_EQ(document.Count(), 105);
    EXPECT_EQ(document.Items(104).ItemName, "d104");
    EXPECT_EQ(document.Items(104).TotalPrice, Currency::fromUnits(214));
    EXPECT_EQ(document.Total, Currency::fromUnits(105 * 110 + 104 * 105 / 2));
    EXPECT_FALSE(document.TaxIn);
}

TEST_F(TotalClaimTest, AnUnreadableFileLeavesTheDocumentUntouched) {
    const QStringList paths = {save("good", 100, 10, true, "Good"), temp.path("missing.MT4")};
    try {
        BuildTotalClaim(document, paths);
        ADD_FAILURE() << "built from a missing file";
    } catch (const EFileError& error) {
        EXPECT_TRUE(error.message().contains("missing.MT4"));
    }
    EXPECT_TRUE(document.Items(0).Uninput());
    EXPECT_EQ(document.Total, Currency());
    EXPECT_FALSE(document.TaxIn);
    EXPECT_TRUE(document.Customer.Name1.isEmpty());
}

}  // namespace
