#pragma once

#include <memory>

#include "TFormPrintEtcSlip.h"
#include "TotalClaimSlip.h"

namespace Ui {
class TFormPrintTotalClaim;
}

// "合計請求書印刷": the total invoice's options, with the previous invoice and the payment
// typed each time and the balance following them. Only in total-invoice mode.
class TFormPrintTotalClaim : public TFormPrintEtcSlip {
    Q_OBJECT

  public:
    explicit TFormPrintTotalClaim(const QString& printIniPath, QWidget* parent = nullptr);
    ~TFormPrintTotalClaim() override;

    QString Refusal(const TThEstimateObjectList& document) const override;
    // The states of the controls; the amounts as RecalcBalance reads the fields.
    TTotalClaimOptions Options() const;
    TSlipPagePicture RenderSheet(bool isA4, TSlipResolution dpi) const override;
    void SavePdf(TSlipPdfTemplates& templates, const QString& fileName) const override;

  protected:
    void ResetOwnFields() override;
    void LoadPrintOptions() override;
    void SavePrintOptions() override;

  private:
    void RecalcBalance();

    std::unique_ptr<Ui::TFormPrintTotalClaim> ui_;
};
