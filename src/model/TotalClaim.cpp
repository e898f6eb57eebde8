#include "TotalClaim.h"

#include <QFileInfo>
#include <memory>
#include <vector>

#include "FileList.h"
#include "TThEstimateObjectList.h"

namespace {

struct Source {
    QString Name;
    Currency Amount;
};

}  // namespace

void BuildTotalClaim(TThEstimateObjectList& document, const QStringList& paths) {
    std::vector<Source> sources;
    TThCustomerObject customer = document.Customer;
    bool taxIn = false;
    Int128 total = 0;
    Int128 tax = 0;
    Int128 subTotal = 0;
    for (const QString& path : paths) {
        TThEstimateObjectList scratch;
        scratch.LoadFromFile(path);
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
    document.Total = totalSum;
    document.Tax = taxSum;
    document.SubTotal = subTotalSum;
}
