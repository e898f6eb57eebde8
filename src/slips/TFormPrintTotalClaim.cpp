#include "TFormPrintTotalClaim.h"

#include "ConflictQuestion.h"
#include "IniFile.h"
#include "TPrintOptions.h"
#include "TThCampanyInfo.h"
#include "TThEstimateObjectList.h"
#include "ui_TFormPrintTotalClaim.h"

TFormPrintTotalClaim::TFormPrintTotalClaim(const QString& printIniPath, QWidget* parent)
    : TFormPrintEtcSlip(skTotalClaim, printIniPath, parent),
      ui_(std::make_unique<Ui::TFormPrintTotalClaim>()) {
    ui_->setupUi(this);
    SetUpCommonControls();
    for (TSsEdit* edit : {ui_->EdtPreClaim, ui_->EdtPrePaid, ui_->EdtResult}) {
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    QPalette grey = ui_->EdtResult->palette();
    grey.setColor(QPalette::Base, palette().color(QPalette::Window));
    ui_->EdtResult->setPalette(grey);
    for (TSsEdit* edit : {ui_->EdtPreClaim, ui_->EdtPrePaid}) {
        connect(edit, &QLineEdit::editingFinished, this, &TFormPrintTotalClaim::RecalcBalance);
    }
}

TFormPrintTotalClaim::~TFormPrintTotalClaim() = default;

QString TFormPrintTotalClaim::Refusal(const TThEstimateObjectList& document) const {
    return document.TotalClaimMode ? QString() : TotalClaimOnlyRefusal;
}

void TFormPrintTotalClaim::ResetOwnFields() {
    ui_->CBPayBank->clear();
    for (int b = 0; b < TThCampanyInfo::BankAccountCount; ++b) {
        ui_->CBPayBank->addItem(PayBankItemText(b));
    }
    ui_->CBPayBank->setCurrentIndex(0);
    ui_->ChBPrintBank->setChecked(false);
    for (TSsEdit* edit : {ui_->EdtPreClaim, ui_->EdtPrePaid, ui_->EdtResult}) {
        edit->setText(QStringLiteral("0"));
    }
}

void TFormPrintTotalClaim::LoadPrintOptions() {
    const IniFile printIni = printIni_.Read(printIniPath_);
    const TTotalClaimOptions o = LoadTotalClaimOptions(printIni);
    printIni_.Adopt(printIni, [o](IniFile& ini) { SaveTotalClaimOptions(ini, o); });
    SelectPrinter(o.Printer);
    ui_->CBCustomerInfo->setCurrentIndex(o.CustomerInfo);
    CBCustomerInfoChange();
    ui_->CBPayBank->setCurrentIndex(o.PayBank);
    ui_->CBPaperSize->setCurrentIndex(o.PaperSize);
    ui_->ChBPrintName->setChecked(o.PrintName);
    ui_->ChBPrintBank->setChecked(o.PrintBank);
}

void TFormPrintTotalClaim::SavePrintOptions() {
    printIni_.Save(
        printIniPath_, [this](IniFile& ini) { SaveTotalClaimOptions(ini, Options()); }, {},
        AskConflicts(this));
}

void TFormPrintTotalClaim::RecalcBalance() {
    const TBalance balance = ::RecalcBalance(ui_->EdtPreClaim->text(), ui_->EdtPrePaid->text());
    ui_->EdtPreClaim->setText(balance.PreClaimText);
    ui_->EdtPrePaid->setText(balance.PrePaidText);
    ui_->EdtResult->setText(balance.ResultText);
}

TTotalClaimOptions TFormPrintTotalClaim::Options() const {
    TTotalClaimOptions o;
    o.Printer = ui_->CBPrinter->currentText();
    o.PaperSize = std::max(0, ui_->CBPaperSize->currentIndex());
    o.CustomerInfo = ProfileIndex();
    o.PayBank = std::max(0, ui_->CBPayBank->currentIndex());
    o.PrintName = ui_->ChBPrintName->isChecked();
    o.PrintBank = ui_->ChBPrintBank->isChecked();
    const TBalance balance = ::RecalcBalance(ui_->EdtPreClaim->text(), ui_->EdtPrePaid->text());
    o.PreClaim = balance.PreClaim;
    o.PrePaid = balance.PrePaid;
    return o;
}

TSlipPagePicture TFormPrintTotalClaim::RenderSheet(bool isA4, TSlipResolution dpi) const {
    const TTotalClaimOptions options = Options();
    return RenderTotalClaim({*document_, *config_, Profile(), options}, isA4, dpi);
}

void TFormPrintTotalClaim::SavePdf(TSlipPdfTemplates& templates, const QString& fileName) const {
    const TTotalClaimOptions options = Options();
    SaveTotalClaimPdf(templates, {*document_, *config_, Profile(), options}, fileName);
}
