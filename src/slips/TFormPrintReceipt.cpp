#include "TFormPrintReceipt.h"

#include <QFileInfo>

#include "ConflictQuestion.h"
#include "IniFile.h"
#include "TPrintOptions.h"
#include "TThConfigInfo.h"
#include "ui_TFormPrintReceipt.h"

TFormPrintReceipt::TFormPrintReceipt(const QString& printIniPath, QWidget* parent)
    : TFormPrintEtcSlip(skRyoshu, printIniPath, parent),
      ui_(std::make_unique<Ui::TFormPrintReceipt>()) {
    ui_->setupUi(this);
    SetUpCommonControls();
    for (QComboBox* name : {ui_->CBUchi1, ui_->CBUchi2, ui_->CBUchi3, ui_->CBUchi4}) {
        name->addItems(ReceiptBreakdownItems());
    }
    for (TSsEdit* amount : {ui_->EdtUchi1, ui_->EdtUchi2, ui_->EdtUchi3, ui_->EdtUchi4}) {
        amount->setAttribute(Qt::WA_InputMethodEnabled, false);
        connect(amount, &QLineEdit::editingFinished, this,
                [amount] { amount->setText(ReceiptAmountField(amount->text())); });
    }
}

TFormPrintReceipt::~TFormPrintReceipt() = default;

void TFormPrintReceipt::ResetOwnFields() {
    QComboBox* stamps = ui_->CBPersonalStamp;
    stamps->clear();
    stamps->addItem(StampItemText(0), 0);
    for (int n = 0; n < TThConfigInfo::StampCount; ++n) {
        if (QFileInfo::exists(config_->StampPath(n))) {
            stamps->addItem(StampItemText(n + 1), n + 1);
        }
    }
    stamps->setCurrentIndex(0);
}

void TFormPrintReceipt::LoadPrintOptions() {
    const IniFile printIni = printIni_.Read(printIniPath_);
    const TReceiptOptions o = LoadReceiptOptions(printIni, *config_, *document_);
    printIni_.Adopt(printIni, [o](IniFile& ini) { SaveReceiptOptions(ini, o); });
    SelectPrinter(o.Printer);
    ui_->CBPersonalStamp->setCurrentIndex(
        std::max(0, ui_->CBPersonalStamp->findData(o.PersonalStamp)));
    ui_->CBCustomerInfo->setCurrentIndex(o.CustomerInfo);
    CBCustomerInfoChange();
    ui_->CBPaperSize->setCurrentIndex(o.PaperSize);
    ui_->ChBPrintName->setChecked(o.PrintName);
    ui_->ChbPrintStampArea->setChecked(o.PrintStampArea);
    ui_->ChBPrintInshi->setChecked(o.PrintRevenueStamp);
    ui_->ChbPrintGrandTotal->setChecked(o.PrintGrandTotal);
    ui_->EdtTadashi->setText(o.Proviso);
    QComboBox* names[] = {ui_->CBUchi1, ui_->CBUchi2, ui_->CBUchi3, ui_->CBUchi4};
    TSsEdit* amounts[] = {ui_->EdtUchi1, ui_->EdtUchi2, ui_->EdtUchi3, ui_->EdtUchi4};
    for (size_t k = 0; k < ReceiptBreakdownRows; ++k) {
        names[k]->setCurrentText(o.BreakdownNames[k]);
        amounts[k]->setText(o.BreakdownAmounts[k]);
    }
}

void TFormPrintReceipt::SavePrintOptions() {
    printIni_.Save(
        printIniPath_, [this](IniFile& ini) { SaveReceiptOptions(ini, Options()); }, {},
        AskConflicts(this));
}

TReceiptOptions TFormPrintReceipt::Options() const {
    TReceiptOptions o;
    o.Printer = ui_->CBPrinter->currentText();
    o.PaperSize = std::max(0, ui_->CBPaperSize->currentIndex());
    o.CustomerInfo = ProfileIndex();
    o.PersonalStamp = ui_->CBPersonalStamp->currentData().toInt();
    o.PrintName = ui_->ChBPrintName->isChecked();
    o.PrintStampArea = ui_->ChbPrintStampArea->isChecked();
    o.PrintRevenueStamp = ui_->ChBPrintInshi->isChecked();
    o.PrintGrandTotal = ui_->ChbPrintGrandTotal->isChecked();
    o.Proviso = ui_->EdtTadashi->text();
    const QComboBox* names[] = {ui_->CBUchi1, ui_->CBUchi2, ui_->CBUchi3, ui_->CBUchi4};
    const TSsEdit* amounts[] = {ui_->EdtUchi1, ui_->EdtUchi2, ui_->EdtUchi3, ui_->EdtUchi4};
    for (size_t k = 0; k < ReceiptBreakdownRows; ++k) {
        o.BreakdownNames[k] = names[k]->currentText();
        o.BreakdownAmounts[k] = amounts[k]->text();
    }
    return o;
}

TSlipPagePicture TFormPrintReceipt::RenderSheet(bool isA4, TSlipResolution dpi) const {
    const TReceiptOptions options = Options();
    return RenderReceipt({*document_, *config_, Profile(), options}, isA4, dpi);
}

void TFormPrintReceipt::SavePdf(TSlipPdfTemplates& templates, const QString& fileName) const {
    const TReceiptOptions options = Options();
    SaveReceiptPdf(templates, {*document_, *config_, Profile(), options}, fileName);
}
