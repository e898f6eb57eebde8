#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Currency.h"
#include "TRoundingMode.h"

struct TThEstimateObject;
class TThEstimateObjectList;

// How a line is taxed on a qualified invoice. A subtotal row has no class.
enum class TaxClass : std::uint8_t {
    Standard,  // the document's TaxRate
    Reduced,   // the document's ReducedTaxRate, marked "※" on slips
    Exempt,    // NoTax (非課税)
};

// NoTax wins over Reduced; a subtotal row carries no rate.
std::optional<TaxClass> TaxClassOf(const TThEstimateObject& line);

// The lines of one rate.
struct RateTotal {
    Currency Rate;         // percent
    bool Reduced = false;  // the reduced rate of its document
    Currency Base;         // sum of the lines of this rate, whole units; tax included when TaxIn
    Currency Tax;          // the tax of that sum, rounded once

    friend bool operator==(const RateTotal&, const RateTotal&) = default;
};

// The per-rate totals of a qualified invoice.
struct TaxBreakdown {
    std::vector<RateTotal> Rates;  // rates in use, the higher first
    bool HasExempt = false;        // some line is exempt
    Currency Exempt;               // sum of the exempt lines, whole units
    Currency SubTotal;             // Σ Base + Exempt
    Currency Tax;                  // Σ Tax
    Currency Total;                // SubTotal, plus Tax unless TaxIn

    friend bool operator==(const TaxBreakdown&, const TaxBreakdown&) = default;
};

// The tax of amountRaw (a raw Currency) at rate (percent), in raw units, exact; with taxIn the
// tax contained in the amount, a × rate / (100 + rate). Throws EConvertError on a rate of −100.
Fraction ExactTax(Int128 amountRaw, Currency rate, bool taxIn);

// The tax of base at rate (percent), exactly, then to the Currency resolution (ties to even)
// and to whole units with rounding; with taxIn the tax contained in base,
// base × rate / (100 + rate). Throws EConvertError on a rate of −100.
Currency RateTax(Currency base, Currency rate, bool taxIn, TRoundingMode rounding);

// The per-rate figures of the document's lines: per rate the sum of its lines rounded with
// SubTotalRounding, and its tax computed once on the unrounded sum with TaxRounding, as
// CalcTotal does for a single rate. Subtotal rows and empty lines count nowhere; a rate is
// listed when one of its lines is not empty. CalcPerRow is not looked at: the tax of a
// qualified invoice is never the sum of per-line taxes. Throws EConvertError when a sum
// leaves the Currency range.
TaxBreakdown CalcTaxBreakdown(const TThEstimateObjectList& document);

// Sets SubTotal, Tax and Total of breakdown from its rates and exempt sum.
void SumBreakdown(TaxBreakdown& breakdown, bool taxIn);
