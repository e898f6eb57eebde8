#pragma once

#include <memory>

#include "FaxSenderSlip.h"
#include "TFormPrintEtcSlip.h"

class QCheckBox;

namespace Ui {
class TFormPrintFaxSender;
}

// "FAX送信状印刷": the fax cover's subject, pages sent, request boxes and contents, all kept
// in print.ini.
class TFormPrintFaxSender : public TFormPrintEtcSlip {
    Q_OBJECT

  public:
    explicit TFormPrintFaxSender(const QString& printIniPath, QWidget* parent = nullptr);
    ~TFormPrintFaxSender() override;

    // The states of the controls.
    TFaxSenderOptions Options() const;
    TSlipPagePicture RenderSheet(bool isA4, TSlipResolution dpi) const override;
    void SavePdf(TSlipPdfTemplates& templates, const QString& fileName) const override;

  protected:
    void LoadPrintOptions() override;
    void SavePrintOptions() override;

  private:
    std::array<QCheckBox*, FaxRequestCount> RequestBoxes() const;

    std::unique_ptr<Ui::TFormPrintFaxSender> ui_;
};
