#pragma once

#include <memory>

#include "ReceiptSlip.h"
#include "TFormPrintEtcSlip.h"

namespace Ui {
class TFormPrintReceipt;
}

// "領収書印刷": the receipt's options, the proviso and a breakdown of up to four lines, the
// first starting with the document's tax. Works in either mode.
class TFormPrintReceipt : public TFormPrintEtcSlip {
    Q_OBJECT

  public:
    explicit TFormPrintReceipt(const QString& printIniPath, QWidget* parent = nullptr);
    ~TFormPrintReceipt() override;

    // The states of the controls.
    TReceiptOptions Options() const;
    TSlipPagePicture RenderSheet(bool isA4, TSlipResolution dpi) const override;
    void SavePdf(TSlipPdfTemplates& templates, const QString& fileName) const override;

  protected:
    void ResetOwnFields() override;
    void LoadPrintOptions() override;
    void SavePrintOptions() override;

  private:
    std::unique_ptr<Ui::TFormPrintReceipt> ui_;
};
