#include "TFormPrintFaxSender.h"

#include "ConflictQuestion.h"
#include "IniFile.h"
#include "ui_TFormPrintFaxSender.h"

TFormPrintFaxSender::TFormPrintFaxSender(const QString& printIniPath, QWidget* parent)
    : TFormPrintEtcSlip(skFax, printIniPath, parent),
      ui_(std::make_unique<Ui::TFormPrintFaxSender>()) {
    ui_->setupUi(this);
    SetUpCommonControls();
    ui_->SEPaperNum->setRange(FaxPaperNumMin, FaxPaperNumMax);
    ui_->SEPaperNum->setAttribute(Qt::WA_InputMethodEnabled, false);
}

TFormPrintFaxSender::~TFormPrintFaxSender() = default;

std::array<QCheckBox*, FaxRequestCount> TFormPrintFaxSender::RequestBoxes() const {
    return {ui_->CBOptionSikyu, ui_->CBOptionSankou, ui_->CBOptionKakunin, ui_->CBOptionHenshin};
}

void TFormPrintFaxSender::LoadPrintOptions() {
    const IniFile printIni = printIni_.Read(printIniPath_);
    const TFaxSenderOptions o = LoadFaxSenderOptions(printIni);
    printIni_.Adopt(printIni, [o](IniFile& ini) { SaveFaxSenderOptions(ini, o); });
    SelectPrinter(o.Printer, Qt::MatchFixedString);
    ui_->CBCustomerInfo->setCurrentIndex(o.CustomerInfo);
    CBCustomerInfoChange();
    ui_->CBPaperSize->setCurrentIndex(o.PaperSize);
    ui_->EdtTitle->setText(o.Subject);
    ui_->SEPaperNum->setValue(o.PaperNum);
    ui_->ChBPrintName->setChecked(o.PrintName);
    const std::array<QCheckBox*, FaxRequestCount> boxes = RequestBoxes();
    for (size_t k = 0; k < FaxRequestCount; ++k) {
        boxes[k]->setChecked(o.Requests[k]);
    }
    ui_->MemoContent->setPlainText(o.Content);
}

void TFormPrintFaxSender::SavePrintOptions() {
    printIni_.Save(
        printIniPath_, [this](IniFile& ini) { SaveFaxSenderOptions(ini, Options()); }, {},
        AskConflicts(this));
}

TFaxSenderOptions TFormPrintFaxSender::Options() const {
    TFaxSenderOptions o;
    o.Printer = ui_->CBPrinter->currentText();
    o.CustomerInfo = ProfileIndex();
    o.PaperSize = std::max(0, ui_->CBPaperSize->currentIndex());
    o.Subject = ui_->EdtTitle->text();
    o.PaperNum = ui_->SEPaperNum->value();
    o.PrintName = ui_->ChBPrintName->isChecked();
    const std::array<QCheckBox*, FaxRequestCount> boxes = RequestBoxes();
    for (size_t k = 0; k < FaxRequestCount; ++k) {
        o.Requests[k] = boxes[k]->isChecked();
    }
    // The memo holds its lines with LF; the options keep CR LF as print.ini does.
    o.Content = ui_->MemoContent->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return o;
}

TSlipPagePicture TFormPrintFaxSender::RenderSheet(bool isA4, TSlipResolution dpi) const {
    const TFaxSenderOptions options = Options();
    return RenderFaxSender({*document_, *config_, Profile(), options}, isA4, dpi);
}

void TFormPrintFaxSender::SavePdf(TSlipPdfTemplates& templates, const QString& fileName) const {
    const TFaxSenderOptions options = Options();
    SaveFaxSenderPdf(templates, {*document_, *config_, Profile(), options}, fileName);
}
