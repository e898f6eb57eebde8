#include <gtest/gtest.h>

#include "QtPrint.h"

#include <functional>

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

namespace {

struct SourceLine {
    const char* amount;
    bool reduced = false;
    bool noTax = false;
};

// A source document saved with the qualified-invoice figures (or without, as by a program
// that has the feature off).
QString saveQualified(TempDir& temp, const QString& name, const std::vector<SourceLine>& lines,
                      bool taxIn, bool qualified = true) {
    TThEstimateObjectList source;
    source.QualifiedInvoice = qualified;
    source.TaxRate = Currency::fromUnits(10);
    source.TaxIn = taxIn;
    for (const SourceLine& l : lines) {
        auto line = std::make_unique<TThEstimateObject>();
        line->ItemName = QStringLiteral("品");
        line->TotalPrice = Currency::fromText(QString::fromLatin1(l.amount));
        line->Reduced = l.reduced;
        line->NoTax = l.noTax;
        source.Add(std::move(line));
    }
    source.CalcTotal();
    const QString path = temp.path(name + ".MT4");
    source.SaveToFile(path, {});
    return path;
}

struct PerRateCase {
    const char* name;
    std::function<QStringList(TempDir&)> sources;
    const char* subTotal;
    const char* tax;
    const char* total;
    const char* rates;  // "rate:base/tax" by rate, the higher first
    friend void PrintTo(const PerRateCase& c, std::ostream* os) { *os << c.name; }
};

class TotalClaimPerRate : public ::testing::TestWithParam<PerRateCase> {};

// Computed by hand: the sources' bases are added per rate and taxed once.
const PerRateCase PerRateCases[] = {
    {"TaxRoundedOnceOnTheSummedBases",
     [](TempDir& t) {
         return QStringList{saveQualified(t, "A", {{"105"}}, false),
                            saveQualified(t, "B", {{"105"}}, false),
                            saveQualified(t, "C", {{"1999", true}}, false)};
     },
     "2209", "180", "2389", "10:210/21 8:1999/159"},
    {"ExclusiveBasesTakeTheirTaxWhenOneSourceIncludesIt",
     [](TempDir& t) {
         return QStringList{saveQualified(t, "A", {{"1000"}}, false),
                            saveQualified(t, "B", {{"1100"}}, true)};
     },
     "2200", "200", "2200", "10:2200/200"},
    {"FileWithoutFiguresCountsItsLinesAtTodaysRates",
     [](TempDir& t) {
         return QStringList{saveQualified(t, "old", {{"1000"}, {"500", false, true}}, false, false),
                            saveQualified(t, "new", {{"1080", true}}, false)};
     },
     "2580", "186", "2766", "10:1000/100 8:1080/86"},
};

TEST_P(TotalClaimPerRate, AddsUpPerRate) {
    const PerRateCase& c = GetParam();
    TempDir temp;
    TThEstimateObjectList document;
    document.TotalClaimMode = true;
    document.QualifiedInvoice = true;
    document.TaxRate = Currency::fromUnits(10);
    document.PadLines(TThEstimateObjectList::DefaultLineCount);
    BuildTotalClaim(document, c.sources(temp));
    EXPECT_EQ(document.SubTotal.toText(), c.subTotal);
    EXPECT_EQ(document.Tax.toText(), c.tax);
    EXPECT_EQ(document.Total.toText(), c.total);
    QStringList rates;
    for (const RateTotal& r : document.Breakdown.Rates) {
        rates << QStringLiteral("%1:%2/%3").arg(r.Rate.toText(), r.Base.toText(), r.Tax.toText());
    }
    EXPECT_EQ(rates.join(u' '), c.rates);

    // Saved and opened again, it keeps its per-rate total rather than the sum of its lines.
    document.SaveToFile(temp.path("合計.MT4"), {});
    TThEstimateObjectList back;
    back.QualifiedInvoice = true;
    back.LoadFromFile(temp.path("合計.MT4"));
    EXPECT_EQ(back.Breakdown, document.Breakdown);
    EXPECT_EQ(back.Total.toText(), c.total);
}

INSTANTIATE_TEST_SUITE_P(QualifiedInvoice, TotalClaimPerRate, ::testing::ValuesIn(PerRateCases),
                         [](const ::testing::TestParamInfo<PerRateCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(TotalClaimPerRate, OffKeepsTheSumsOfTheStoredTotals) {
    TempDir temp;
    TThEstimateObjectList document;
    document.TotalClaimMode = true;
    document.TaxRate = Currency::fromUnits(10);
    BuildTotalClaim(document, {saveQualified(temp, "A", {{"105"}}, false),
                               saveQualified(temp, "B", {{"105"}}, false)});
    EXPECT_EQ(document.Tax.toText(), "20");
    EXPECT_EQ(document.Total.toText(), "230");
    EXPECT_TRUE(document.Breakdown.Rates.empty());
}

}  // namespace
