#include <gtest/gtest.h>

#include "QtPrint.h"

#include <vector>

#include "ModelError.h"
#include "TThEstimateObjectList.h"

namespace {

using enum TRoundingMode;

Currency money(const char* text) {
    return Currency::fromText(QString::fromLatin1(text));
}

enum Kind { Standard, Reduced, Exempt, ReducedAndExempt, SubTotalRow };

struct Line {
    const char* amount;
    Kind kind = Standard;
};

struct Options {
    bool taxIn = false;
    TRoundingMode taxRounding = rmTruncate;
    TRoundingMode subTotalRounding = rmTruncate;
    bool perRow = false;
    const char* rate = "10";
    const char* reducedRate = "8";
};

TThEstimateObjectList document(const std::vector<Line>& lines, const Options& o) {
    TThEstimateObjectList d;
    d.QualifiedInvoice = true;
    d.TaxRate = money(o.rate);
    d.ReducedTaxRate = money(o.reducedRate);
    d.TaxIn = o.taxIn;
    d.TaxRounding = o.taxRounding;
    d.SubTotalRounding = o.subTotalRounding;
    d.CalcPerRow = o.perRow;
    for (const Line& l : lines) {
        auto line = std::make_unique<TThEstimateObject>();
        line->ItemName = QStringLiteral("品");
        line->TotalPrice = money(l.amount);
        line->Reduced = l.kind == Reduced || l.kind == ReducedAndExempt;
        line->NoTax = l.kind == Exempt || l.kind == ReducedAndExempt;
        if (l.kind == SubTotalRow) {
            line->ItemName = TThEstimateObjectList::SubTotalRowName;
            line->TotalPrice = Currency();
            line->SubTotalRow = true;
        }
        d.Add(std::move(line));
    }
    d.PadLines(TThEstimateObjectList::DefaultLineCount);
    return d;
}

// "10%:315/31 8%※:1080/86 非課税:500 = 1895+117 → 2012".
QString describe(const TaxBreakdown& b) {
    QStringList parts;
    for (const RateTotal& r : b.Rates) {
        parts << QStringLiteral("%1%%2:%3/%4")
                     .arg(r.Rate.toText(), r.Reduced ? QStringLiteral("※") : QString(),
                          r.Base.toText(), r.Tax.toText());
    }
    if (b.HasExempt) {
        parts << QStringLiteral("非課税:") + b.Exempt.toText();
    }
    return parts.join(u' ') + QStringLiteral(" = %1+%2 → %3")
                                  .arg(b.SubTotal.toText(), b.Tax.toText(), b.Total.toText());
}

struct BreakdownCase {
    const char* name;
    std::vector<Line> lines;
    Options options;
    const char* expected;
    friend void PrintTo(const BreakdownCase& c, std::ostream* os) { *os << c.name; }
};

class TaxBreakdownCase : public ::testing::TestWithParam<BreakdownCase> {};

// Computed by hand; the tax is taken once per rate on the sum of that rate's lines.
const BreakdownCase BreakdownCases[] = {
    {"ThreeLinesRoundedOnceNotPerLine",
     {{"105"}, {"105"}, {"105"}},
     {},
     "10%:315/31 = 315+31 → 346"},
    {"PerRowOptionDoesNotApply",
     {{"105"}, {"105"}, {"105"}},
     {.perRow = true},
     "10%:315/31 = 315+31 → 346"},
    {"ThreeLinesRoundedUp",
     {{"105"}, {"105"}, {"105"}},
     {.taxRounding = rmRoundUp},
     "10%:315/32 = 315+32 → 347"},
    {"ThreeLinesRoundedOff",
     {{"105"}, {"105"}, {"105"}},
     {.taxRounding = rmRoundOff},
     "10%:315/32 = 315+32 → 347"},
    {"MixedRates",
     {{"1000"}, {"1080", Reduced}, {"500"}},
     {},
     "10%:1500/150 8%※:1080/86 = 2580+236 → 2816"},
    {"ReducedRoundedUp",
     {{"1999", Reduced}},
     {.taxRounding = rmRoundUp},
     "8%※:1999/160 = 1999+160 → 2159"},
    {"ReducedRoundedOff",
     {{"1999", Reduced}},
     {.taxRounding = rmRoundOff},
     "8%※:1999/160 = 1999+160 → 2159"},
    {"ReducedTruncated", {{"1999", Reduced}}, {}, "8%※:1999/159 = 1999+159 → 2158"},
    {"TaxIncluded",
     {{"1100"}, {"1080", Reduced}},
     {.taxIn = true},
     "10%:1100/100 8%※:1080/80 = 2180+180 → 2180"},
    {"TaxIncludedTruncated", {{"1000"}}, {.taxIn = true}, "10%:1000/90 = 1000+90 → 1000"},
    {"TaxIncludedRoundedUp",
     {{"1000"}},
     {.taxIn = true, .taxRounding = rmRoundUp},
     "10%:1000/91 = 1000+91 → 1000"},
    {"TaxIncludedRoundedOff",
     {{"1000"}},
     {.taxIn = true, .taxRounding = rmRoundOff},
     "10%:1000/91 = 1000+91 → 1000"},
    {"ExemptLinesCountOnlyInTheSubtotal",
     {{"1000"}, {"500", Exempt}, {"300", ReducedAndExempt}},
     {},
     "10%:1000/100 非課税:800 = 1800+100 → 1900"},
    {"OnlyExempt", {{"500", Exempt}}, {}, "非課税:500 = 500+0 → 500"},
    {"NegativeLines",
     {{"1000"}, {"-300"}, {"-255", Reduced}},
     {},
     "10%:700/70 8%※:-255/-20 = 445+50 → 495"},
    {"NegativeRoundedUpGoesAwayFromZero",
     {{"-255", Reduced}},
     {.taxRounding = rmRoundUp},
     "8%※:-255/-21 = -255+-21 → -276"},
    {"NegativeRoundedOff",
     {{"-255", Reduced}},
     {.taxRounding = rmRoundOff},
     "8%※:-255/-20 = -255+-20 → -275"},
    {"SubtotalRowsCarryNoRate",
     {{"100"}, {"200"}, {"0", SubTotalRow}, {"50", Reduced}},
     {},
     "10%:300/30 8%※:50/4 = 350+34 → 384"},
    {"FractionsRoundTheBasesTaxOnTheExactSum",
     {{"10.5"}, {"0.25"}, {"0.5", Exempt}, {"0.5", Exempt}},
     {},
     "10%:10/1 非課税:1 = 11+1 → 12"},
    {"FractionsRoundedUp",
     {{"10.5"}, {"0.25"}},
     {.taxRounding = rmRoundUp, .subTotalRounding = rmRoundUp},
     "10%:11/2 = 11+2 → 13"},
    {"HigherRateFirst",
     {{"100", Reduced}, {"100"}},
     {.rate = "8", .reducedRate = "10"},
     "10%※:100/10 8%:100/8 = 200+18 → 218"},
    {"NoLines", {}, {}, " = 0+0 → 0"},
    {"LineWithAZeroAmountStillShowsItsRate", {{"0", Reduced}}, {}, "8%※:0/0 = 0+0 → 0"},
};

TEST_P(TaxBreakdownCase, CalcTotalTakesThePerRateFigures) {
    const BreakdownCase& c = GetParam();
    TThEstimateObjectList d = document(c.lines, c.options);
    d.CalcTotal();
    EXPECT_EQ(describe(d.Breakdown).toStdString(), c.expected);
    EXPECT_EQ(d.SubTotal, d.Breakdown.SubTotal);
    EXPECT_EQ(d.Tax, d.Breakdown.Tax);
    EXPECT_EQ(d.Total, d.Breakdown.Total);
    EXPECT_EQ(CalcTaxBreakdown(d), d.Breakdown);
}

std::string CaseName(const ::testing::TestParamInfo<BreakdownCase>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(QualifiedInvoice, TaxBreakdownCase, ::testing::ValuesIn(BreakdownCases),
                         CaseName);

TEST(TaxBreakdown, SubtotalRowsStillShowTheirGroups) {
    TThEstimateObjectList d = document(
        {{"100"}, {"200", Reduced}, {"0", SubTotalRow}, {"50", Exempt}, {"0", SubTotalRow}}, {});
    d.CalcTotal();
    EXPECT_EQ(d.Items(2).TotalPrice, money("300"));
    EXPECT_EQ(d.Items(4).TotalPrice, money("50"));
}

TEST(TaxBreakdown, OffLeavesTheSingleRateCalculation) {
    TThEstimateObjectList d = document({{"105"}, {"105"}, {"105", Reduced}}, {.perRow = true});
    d.QualifiedInvoice = false;
    d.CalcTotal();
    EXPECT_EQ(d.Tax, money("30"));
    EXPECT_EQ(d.Breakdown, TaxBreakdown());
}

TEST(TaxBreakdown, TotalInvoiceModeComputesNothing) {
    TThEstimateObjectList d = document({{"105"}}, {});
    d.TotalClaimMode = true;
    d.Tax = money("7");
    d.CalcTotal();
    EXPECT_EQ(d.Tax, money("7"));
    EXPECT_TRUE(d.Breakdown.Rates.empty());
}

TEST(TaxBreakdown, SumBeyondTheRangeChangesNothing) {
    TThEstimateObjectList d = document({{"100"}}, {});
    d.CalcTotal();
    d.Add(std::make_unique<TThEstimateObject>());
    d.Items(d.Count() - 1).TotalPrice = Currency::fromRaw(INT64_MAX);
    d.Add(std::make_unique<TThEstimateObject>());
    d.Items(d.Count() - 1).TotalPrice = Currency::fromRaw(INT64_MAX);
    const TaxBreakdown before = d.Breakdown;
    EXPECT_THROW(d.CalcTotal(), EConvertError);
    EXPECT_EQ(d.Breakdown, before);
    EXPECT_EQ(d.Total, money("110"));
}

TEST(TaxBreakdown, RateTaxOfASum) {
    struct Case {
        const char* base;
        const char* rate;
        bool taxIn;
        TRoundingMode rounding;
        const char* tax;
    };
    for (const Case& c :
         {Case{"315", "10", false, rmTruncate, "31"}, Case{"315", "10", false, rmRoundOff, "32"},
          Case{"1080", "8", true, rmTruncate, "80"}, Case{"1000", "8", true, rmRoundUp, "75"},
          Case{"-315", "10", false, rmRoundUp, "-32"}}) {
        EXPECT_EQ(RateTax(money(c.base), money(c.rate), c.taxIn, c.rounding).toText(), c.tax)
            << c.base << " " << c.rate;
    }
    EXPECT_THROW(RateTax(money("100"), money("-100"), true, rmTruncate), EConvertError);
}

TEST(TaxBreakdown, LineClasses) {
    TThEstimateObject line;
    EXPECT_EQ(TaxClassOf(line), TaxClass::Standard);
    line.Reduced = true;
    EXPECT_EQ(TaxClassOf(line), TaxClass::Reduced);
    line.NoTax = true;
    EXPECT_EQ(TaxClassOf(line), TaxClass::Exempt);
    line.SubTotalRow = true;
    EXPECT_EQ(TaxClassOf(line), std::nullopt);
}

}  // namespace
