#include "TotalClaim.h"

#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <vector>

#include "FileList.h"
#include "TThEstimateObjectList.h"

namespace {

struct Source {
    QString Name;
    Currency Amount;
};

// The per-rate figures of one source: those it was saved with; for a file saved without
// them, its lines at today's rates; for an older total invoice, all at the standard rate.
TaxBreakdown SourceBreakdown(TThEstimateObjectList& source, const TThEstimateObjectList& target) {
    if (!source.Breakdown.Rates.empty() || source.Breakdown.HasExempt) {
        return source.Breakdown;
    }
    if (!source.TotalClaimMode) {
        source.TaxRate = target.TaxRate;
        source.ReducedTaxRate = target.ReducedTaxRate;
        return CalcTaxBreakdown(source);
    }
    TaxBreakdown b;
    b.Rates.push_back({target.TaxRate, false, source.SubTotal, source.Tax});
    return b;
}

// Adds source to sums by rate; a base taken without tax becomes one with it when the total
// invoice is tax-inclusive.
void AddBreakdown(TaxBreakdown& sums, const TaxBreakdown& source, bool sourceTaxIn, bool taxIn) {
    for (const RateTotal& r : source.Rates) {
        const Int128 base = Int128{r.Base.raw()} + (taxIn && !sourceTaxIn ? r.Tax.raw() : 0);
        auto found = std::find_if(sums.Rates.begin(), sums.Rates.end(),
                                  [&](const RateTotal& s) { return s.Rate == r.Rate; });
        if (found == sums.Rates.end()) {
            sums.Rates.push_back({r.Rate, r.Reduced, Currency::fromWideRaw(base), Currency()});
        } else {
            found->Reduced = found->Reduced || r.Reduced;
            found->Base = Currency::fromWideRaw(Int128{found->Base.raw()} + base);
        }
    }
    sums.HasExempt = sums.HasExempt || source.HasExempt;
    sums.Exempt = Currency::fromWideRaw(Int128{sums.Exempt.raw()} + source.Exempt.raw());
}

}  // namespace

void BuildTotalClaim(TThEstimateObjectList& document, const QStringList& paths) {
    std::vector<Source> sources;
    TThCustomerObject customer = document.Customer;
    bool taxIn = false;
    Int128 total = 0;
    Int128 tax = 0;
    Int128 subTotal = 0;
    std::vector<std::pair<TaxBreakdown, bool>> breakdowns;
    for (const QString& path : paths) {
        TThEstimateObjectList scratch;
        scratch.LoadFromFile(path);
        if (document.QualifiedInvoice) {
            breakdowns.emplace_back(SourceBreakdown(scratch, document), scratch.TaxIn);
        }
        if (sources.empty()) {
            customer = scratch.Customer;
        }
        const QString fileName = QFileInfo(path).fileName();
        const Currency amount =
            scratch.TaxIn
                ? scratch.SubTotal
                : Currency::fromWideRaw(Int128{scratch.SubTotal.raw()} + scratch.Tax.raw());
        sources.push_back({fileName.left(fileName.size() - FileList::Extension.size()), amount});
        taxIn = taxIn || scratch.TaxIn;
        total += amount.raw();
        tax += scratch.Tax.raw();
        subTotal += scratch.SubTotal.raw();
    }
    const Currency totalSum = Currency::fromWideRaw(total);
    const Currency taxSum = Currency::fromWideRaw(tax);
    const Currency subTotalSum = Currency::fromWideRaw(subTotal);
    // A qualified invoice adds up the bases per rate and rounds the tax once on each sum.
    TaxBreakdown sums;
    if (document.QualifiedInvoice) {
        for (const auto& [b, sourceTaxIn] : breakdowns) {
            AddBreakdown(sums, b, sourceTaxIn, taxIn);
        }
        for (RateTotal& r : sums.Rates) {
            r.Tax = RateTax(r.Base, r.Rate, taxIn, document.TaxRounding);
        }
        std::stable_sort(sums.Rates.begin(), sums.Rates.end(),
                         [](const RateTotal& x, const RateTotal& y) { return x.Rate > y.Rate; });
        SumBreakdown(sums, taxIn);
    }

    document.Customer = customer;
    for (size_t k = 0; k < sources.size(); ++k) {
        auto line = std::make_unique<TThEstimateObject>();
        line->ItemName = sources[k].Name;
        line->TotalPrice = sources[k].Amount;
        const int index = static_cast<int>(k);
        if (index < document.Count()) {
            document.Put(index, std::move(line));
        } else {
            document.Add(std::move(line));
        }
    }
    if (taxIn) {
        document.TaxIn = true;
    }
    if (document.QualifiedInvoice) {
        document.Total = sums.Total;
        document.Tax = sums.Tax;
        document.SubTotal = sums.SubTotal;
        document.Breakdown = std::move(sums);
        return;
    }
    document.Total = totalSum;
    document.Tax = taxSum;
    document.SubTotal = subTotalSum;
}
