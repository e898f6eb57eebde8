#include "TThEstimateObjectList.h"

#include <utility>
#include <vector>

#include "DocumentFile.h"
#include "TThConfigInfo.h"
#include "TaxBreakdown.h"

namespace {

constexpr Int128 RawPerUnit = Currency::Scale;

// The tax of amountRaw at the document's rate, in raw units, exact.
Fraction TaxOf(Int128 amountRaw, const TThEstimateObjectList& document) {
    return ExactTax(amountRaw, document.TaxRate, document.TaxIn);
}

Fraction InUnits(Fraction raw) {
    return {raw.numerator, raw.denominator * RawPerUnit};
}

Currency WholeUnits(Fraction rawValue, TRoundingMode mode, bool roundOffNegative) {
    return Currency::fromWideRaw(RoundToWhole(InUnits(rawValue), mode, roundOffNegative) *
                                 RawPerUnit);
}

}  // namespace

void TThEstimateObjectList::TakeTaxSettings(const TThConfigInfo& settings) {
    TaxRate = settings.TAX;
    QualifiedInvoice = settings.QUALIFIED_INVOICE;
    ReducedTaxRate = settings.REDUCED_TAX;
}

void TThEstimateObjectList::PadLines(int count) {
    while (Count() < count) {
        Add(std::make_unique<TThEstimateObject>());
    }
}

void TThEstimateObjectList::SetSubTotalRow(int index) {
    TThEstimateObject& line = Items(index);
    line = TThEstimateObject();
    line.ItemName = SubTotalRowName;
    line.SubTotalRow = true;
}

void TThEstimateObjectList::CalcTotal() {
    if (TotalClaimMode) {
        return;
    }
    Int128 lineSum = 0;
    Int128 taxable = 0;
    Int128 group = 0;
    Int128 perLineTax = 0;
    // Nothing is stored before every sum is known to fit: a sum beyond the range leaves the
    // subtotal rows and the three totals as they were, never half of them new.
    std::vector<std::pair<TThEstimateObject*, Currency>> groupSums;
    for (int i = 0; i < Count(); ++i) {
        TThEstimateObject* line = &Items(i);
        if (line->SubTotalRow) {
            groupSums.emplace_back(line, Currency::fromWideRaw(group));
            group = 0;
            continue;
        }
        const Int128 amount = line->TotalPrice.raw();
        if (!line->NoTax) {
            if (CalcPerRow) {
                perLineTax += WholeUnits(TaxOf(amount, *this), TaxRounding, amount < 0).raw();
            }
            taxable += amount;
        }
        lineSum += amount;
        group += amount;
    }
    if (QualifiedInvoice) {
        TaxBreakdown breakdown = CalcTaxBreakdown(*this);
        for (const auto& [line, sum] : groupSums) {
            line->TotalPrice = sum;
        }
        SubTotal = breakdown.SubTotal;
        Tax = breakdown.Tax;
        Total = breakdown.Total;
        Breakdown = std::move(breakdown);
        return;
    }

    const Currency subTotal = WholeUnits({lineSum, 1}, SubTotalRounding, lineSum < 0);
    Currency tax;
    if (CalcPerRow) {
        tax = Currency::fromWideRaw(perLineTax);
    } else {
        // Once on the taxable sum: first to the Currency resolution, then to whole units.
        const Int128 taxRaw = RoundHalfEven(TaxOf(taxable, *this));
        tax = WholeUnits({taxRaw, 1}, TaxRounding, taxRaw < 0);
    }
    const Currency total =
        TaxIn ? subTotal : Currency::fromWideRaw(Int128{subTotal.raw()} + tax.raw());
    for (const auto& [line, sum] : groupSums) {
        line->TotalPrice = sum;
    }
    SubTotal = subTotal;
    Tax = tax;
    Total = total;
    // Figures of a single-rate document would only go stale.
    Breakdown = TaxBreakdown();
}

void TThEstimateObjectList::SaveToFile(const QString& path, const QString& comment) const {
    DocumentFile::Save(*this, path, comment);
}

void TThEstimateObjectList::LoadFromFile(const QString& path) {
    DocumentFile::Load(*this, path);
}
