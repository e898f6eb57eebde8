#include "TaxBreakdown.h"

#include <algorithm>

#include "ModelError.h"
#include "TThEstimateObjectList.h"

namespace {

constexpr Int128 RawPerUnit = Currency::Scale;
constexpr Int128 RawPercent = 100 * RawPerUnit;

Currency Whole(Int128 raw, TRoundingMode mode) {
    return Currency::fromWideRaw(RoundToWhole({raw, RawPerUnit}, mode, raw < 0) * RawPerUnit);
}

Currency TaxOfRaw(Int128 baseRaw, Currency rate, bool taxIn, TRoundingMode rounding) {
    const Int128 taxRaw = RoundHalfEven(ExactTax(baseRaw, rate, taxIn));
    return Whole(taxRaw, rounding);
}

struct Bucket {
    bool used = false;
    Int128 sum = 0;
};

}  // namespace

Fraction ExactTax(Int128 amountRaw, Currency rate, bool taxIn) {
    const Int128 r = rate.raw();
    if (!taxIn) {
        return {amountRaw * r, RawPercent};
    }
    // The tax contained in the amount: a − a × 100 / (100 + rate) = a × rate / (100 + rate).
    Int128 denominator = RawPercent + r;
    if (denominator == 0) {
        throw EConvertError(QStringLiteral("消費税率が不正です。"));
    }
    Int128 numerator = amountRaw * r;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    return {numerator, denominator};
}

std::optional<TaxClass> TaxClassOf(const TThEstimateObject& line) {
    if (line.SubTotalRow) {
        return std::nullopt;
    }
    if (line.NoTax) {
        return TaxClass::Exempt;
    }
    return line.Reduced ? TaxClass::Reduced : TaxClass::Standard;
}

Currency RateTax(Currency base, Currency rate, bool taxIn, TRoundingMode rounding) {
    return TaxOfRaw(base.raw(), rate, taxIn, rounding);
}

TaxBreakdown CalcTaxBreakdown(const TThEstimateObjectList& document) {
    Bucket standard;
    Bucket reduced;
    Bucket exempt;
    for (int i = 0; i < document.Count(); ++i) {
        const TThEstimateObject& line = document.Items(i);
        const std::optional<TaxClass> taxClass = TaxClassOf(line);
        if (!taxClass || line.Uninput()) {
            continue;
        }
        Bucket& bucket = *taxClass == TaxClass::Standard  ? standard
                         : *taxClass == TaxClass::Reduced ? reduced
                                                          : exempt;
        bucket.used = true;
        bucket.sum += line.TotalPrice.raw();
    }
    TaxBreakdown b;
    const auto add = [&](const Bucket& bucket, Currency rate, bool isReduced) {
        if (!bucket.used) {
            return;
        }
        b.Rates.push_back({rate, isReduced, Whole(bucket.sum, document.SubTotalRounding),
                           TaxOfRaw(bucket.sum, rate, document.TaxIn, document.TaxRounding)});
    };
    add(standard, document.TaxRate, false);
    add(reduced, document.ReducedTaxRate, true);
    std::stable_sort(b.Rates.begin(), b.Rates.end(),
                     [](const RateTotal& x, const RateTotal& y) { return x.Rate > y.Rate; });
    b.HasExempt = exempt.used;
    b.Exempt = Whole(exempt.sum, document.SubTotalRounding);
    SumBreakdown(b, document.TaxIn);
    return b;
}

void SumBreakdown(TaxBreakdown& breakdown, bool taxIn) {
    Int128 subTotal = breakdown.Exempt.raw();
    Int128 tax = 0;
    for (const RateTotal& r : breakdown.Rates) {
        subTotal += r.Base.raw();
        tax += r.Tax.raw();
    }
    breakdown.SubTotal = Currency::fromWideRaw(subTotal);
    breakdown.Tax = Currency::fromWideRaw(tax);
    breakdown.Total = taxIn ? breakdown.SubTotal : Currency::fromWideRaw(subTotal + tax);
}
