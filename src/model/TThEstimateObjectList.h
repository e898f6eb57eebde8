#pragma once

#include <QString>

#include "Currency.h"
#include "OwnedList.h"
#include "TRoundingMode.h"
#include "TThCustomerObject.h"
#include "TThEstimateObject.h"
#include "TaxBreakdown.h"

class TThConfigInfo;

// The one document the user edits: header fields, tax options and the ordered line items,
// which it owns.
class TThEstimateObjectList : public OwnedList<TThEstimateObject> {
  public:
    static constexpr int DefaultLineCount = 100;
    static inline const QString SubTotalRowName = QStringLiteral("■ 小計 ■");
    // What the commands that only make sense for a normal document say in total-invoice mode.
    static inline const QString TotalClaimRefusal =
        QStringLiteral("この機能は合計請求モードでは使用できません。");

    Currency TaxRate;  // percent; comes from the settings, not from the file
    // Qualified invoice (適格請求書): lines may be taxed at ReducedTaxRate and the tax is
    // rounded once per rate. Both come from the settings, like TaxRate.
    bool QualifiedInvoice = false;
    Currency ReducedTaxRate = Currency::fromUnits(8);
    // The per-rate figures as last computed (or read, or added up for a total invoice);
    // meaningful only while QualifiedInvoice is on.
    TaxBreakdown Breakdown;
    // What reading the file had to leave out, for the user; empty when nothing was.
    QString LoadNotice;
    Currency SubTotal;
    Currency Total;
    Currency Tax;
    bool TotalClaimMode = false;
    bool CalcPerRow = false;  // not kept in the file
    TRoundingMode TaxRounding = TRoundingMode::rmTruncate;
    bool TaxIn = false;
    TRoundingMode SubTotalRounding = TRoundingMode::rmTruncate;
    TThCustomerObject Customer;
    QString Year;
    QString Month;
    QString Day;
    QString SlipCode;
    QString Delivery;
    bool PrintDelivery = false;
    QString Place;
    bool PrintPlace = false;
    QString Condition;
    bool PrintCondition = false;
    QString Limit;
    bool PrintLimit = false;
    QString Etc;  // lines separated by CR LF
    QString Memo;

    // Copies what the settings say about tax: TaxRate, QualifiedInvoice and ReducedTaxRate.
    void TakeTaxSettings(const TThConfigInfo& settings);

    // Appends empty lines until the document has at least count lines.
    void PadLines(int count);

    void SetSubTotalRow(int index);

    // Recomputes the subtotal rows, SubTotal, Tax and Total; nothing in total-invoice mode.
    // For a qualified invoice the three totals and Breakdown come from CalcTaxBreakdown.
    // Throws EConvertError when a sum leaves the Currency range; then nothing has changed.
    void CalcTotal();

    // Writes the newest file layout; the previous file stays intact when anything fails.
    void SaveToFile(const QString& path, const QString& comment) const;
    // Replaces the document by the file's; what the layout does not store is as in a new
    // document, except TaxRate and CalcPerRow, which stay.
    void LoadFromFile(const QString& path);
};
