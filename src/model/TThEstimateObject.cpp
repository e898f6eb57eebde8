#include "TThEstimateObject.h"

#include <limits>

bool TThEstimateObject::Uninput() const {
    return ItemName.isEmpty() && Num.isZero() && UnitName.isEmpty() && UnitPrice.isZero() &&
           Etc.isEmpty() && TotalPrice.isZero();
}

bool TThEstimateObject::CalcTotalPrice() {
    if (UnitPrice.isZero() || Num.isZero()) {
        return true;
    }
    // Raw × raw carries eight decimals; keep two, dropping the rest toward zero.
    const Int128 product = static_cast<Int128>(UnitPrice.raw()) * Num.raw();
    const Int128 amount = product / 1'000'000 * 100;
    if (amount > std::numeric_limits<std::int64_t>::max() ||
        amount < std::numeric_limits<std::int64_t>::min()) {
        Num = UnitPrice = TotalPrice = Currency();
        return false;
    }
    TotalPrice = Currency::fromRaw(static_cast<std::int64_t>(amount));
    return true;
}
