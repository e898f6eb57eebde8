#pragma once

#include <QString>

#include "Currency.h"

// One line item of a document.
struct TThEstimateObject {
    QString ItemName;
    Currency Num;
    QString UnitName;
    Currency UnitPrice;
    Currency TotalPrice;
    QString Etc;
    bool NoTax = false;
    bool SubTotalRow = false;
    // Taxed at the document's reduced rate; meaningful only on a taxable line (not NoTax, not a
    // subtotal row) and only while the document is a qualified invoice.
    bool Reduced = false;

    // True when the line holds no input; the flags are not looked at.
    bool Uninput() const;

    // TotalPrice = UnitPrice × Num truncated to two decimals, unless either is zero (then
    // a typed amount stays). When the product does not fit, Num, UnitPrice and TotalPrice
    // become 0 and the result is false.
    bool CalcTotalPrice();

    friend bool operator==(const TThEstimateObject&, const TThEstimateObject&) = default;
};
