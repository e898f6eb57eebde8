#include "TFormPrintMitsu.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QShowEvent>

#include "ConflictQuestion.h"
#include "IniFile.h"
#include "Messages.h"
#include "ModelError.h"
#include "SlipLayout.h"
#include "TFormPreviewMitsu.h"
#include "TPngButton.h"
#include "TThCampanyInfo.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"
#include "ui_TFormPrintMitsu.h"

namespace {

bool Offered(TSlipOffer offer, TSlipKind kind) {
    return (SlipKindFacts(kind).Offers & offer) != 0;
}

bool RunPrintDialog(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

TSlipResolution PrinterResolution(QPrinter& printer) {
    return {static_cast<double>(printer.logicalDpiX()), static_cast<double>(printer.logicalDpiY())};
}

TPrinterSystem TPrinterSystem::Installed() {
    return {[] { return QPrinterInfo::availablePrinterNames(); },
            [] { return QPrinterInfo::defaultPrinterName(); }, &RunPrintDialog};
}

TFormPrintMitsu::TFormPrintMitsu(const QString& printIniPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TFormPrintMitsu>()),
      printIniPath_(printIniPath) {
    ui_->setupUi(this);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(size());

    const struct {
        QPushButton* button;
        TPngButton* picture;
        void (TFormPrintMitsu::*handler)();
    } buttons[] = {
        {ui_->BtnPrinter, ui_->pngBtnPrinter, &TFormPrintMitsu::BtnPrinterClick},
        {ui_->BtnPreview, ui_->pngBtnPreview, &TFormPrintMitsu::BtnPreviewClick},
        {ui_->BtnSavePDF, ui_->pngBtnSavePDF, &TFormPrintMitsu::BtnSavePDFClick},
        {ui_->BtnPrint, ui_->pngBtnOK, &TFormPrintMitsu::BtnPrintClick},
        {ui_->BtnCancel, ui_->pngBtnCancel, &TFormPrintMitsu::reject},
    };
    for (const auto& [button, picture, handler] : buttons) {
        button->hide();
        picture->SetStandardButton(button);
        connect(button, &QPushButton::clicked, this, handler);
    }
    connect(ui_->CBPrinter, &QComboBox::activated, this, &TFormPrintMitsu::CBPrinterChange);
    connect(ui_->CBCustomerInfo, &QComboBox::activated, this,
            &TFormPrintMitsu::CBCustomerInfoChange);
    connect(ui_->CBCustomerInfo, &QComboBox::activated, this,
            &TFormPrintMitsu::TellUnregisteredSender);
    // The printer's orientation and "YOKO" follow these boxes whenever one changes.
    for (QCheckBox* box :
         {ui_->ChBYoko, ui_->ChbPrintHikae, ui_->ChbPrintBiko, ui_->ChbPrintGrandTotalFrame,
          ui_->ChbPrintGrandTotal, ui_->ChbPrintSubTotalAndTotal}) {
        connect(box, &QCheckBox::toggled, this, &TFormPrintMitsu::ChBYokoClick);
    }
    printer_.setDocName(QStringLiteral("Rokuvel Dorvani4"));
}

TFormPrintMitsu::~TFormPrintMitsu() = default;

void TFormPrintMitsu::Prepare(const TThEstimateObjectList& document, const TThConfigInfo& config,
                              TSlipKind kind, const TThCampanyInfoManager& profiles) {
    document_ = &document;
    config_ = &config;
    kind_ = kind;
    profiles_ = &profiles;
    SetKindVisibility(kind);
    setWindowTitle(PrintWindowCaption(kind));
}

int TFormPrintMitsu::Execute(const TThEstimateObjectList& document, const TThConfigInfo& config,
                             TSlipKind kind, const TThCampanyInfoManager& profiles) {
    Prepare(document, config, kind, profiles);
    return exec();
}

void TFormPrintMitsu::SetKindVisibility(TSlipKind kind) {
    const bool stamps = Offered(offerStamps, kind);
    const QList<QWidget*> stampControls{ui_->LblCheckTitle,    ui_->EdtCheckText,
                                        ui_->LblCheckStamp,    ui_->CBCheckStamp,
                                        ui_->LblPersonalStamp, ui_->CBPersonalStamp};
    for (QWidget* control : stampControls) {
        control->setVisible(stamps);
    }
    const QList<QWidget*> bankControls{ui_->LblPayBank, ui_->CBPayBank, ui_->ChBBank};
    for (QWidget* control : bankControls) {
        control->setVisible(Offered(offerBank, kind));
    }
    ui_->RGTax->setVisible(Offered(offerTax, kind));
    ui_->ChBChangeSR->setVisible(Offered(offerSwap, kind));
    for (QWidget* control :
         {ui_->ChbPrintGrandTotalFrame, ui_->ChbPrintGrandTotal, ui_->ChbPrintSubTotalAndTotal}) {
        control->setVisible(Offered(offerGrandTotal, kind));
    }
}

void TFormPrintMitsu::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFormPrintMitsu::FormShow() {
    const IniFile printIni = IniFile::Load(printIniPath_);
    ui_->ChBYoko->setChecked(
        printIni.ReadBool(TPrintOptions::SettingSection, TPrintOptions::YokoKey, false));

    const QString current = printer_.printerName();
    ui_->CBPrinter->clear();
    ui_->CBPrinter->addItems(printers_.Names());
    SelectByText(ui_->CBPrinter, current.isEmpty() ? printers_.DefaultName() : current);
    SetOrientation();

    FillStampLists();
    ui_->CBCustomerInfo->clear();
    for (int p = 0; p < TThCampanyInfoManager::Count; ++p) {
        ui_->CBCustomerInfo->addItem(ProfileItemText(p));
    }
    ui_->CBCustomerInfo->setCurrentIndex(0);
    CBCustomerInfoChange();
    ui_->CBPayBank->clear();
    for (int b = 0; b < TThCampanyInfo::BankAccountCount; ++b) {
        ui_->CBPayBank->addItem(PayBankItemText(b));
    }
    ui_->CBPayBank->setCurrentIndex(0);
    SetTaxButtons();
    LoadPrintOptions(kind_);
    toldUnregistered_ = false;
    TellUnregisteredSender();
}

void TFormPrintMitsu::TellUnregisteredSender() {
    const int index = ui_->CBCustomerInfo->currentIndex();
    if (toldUnregistered_ || index < 0 || profiles_ == nullptr ||
        !LacksRegistrationNo(*document_, profiles_->Items(index))) {
        return;
    }
    toldUnregistered_ = true;
    Messages::Information(this, UnregisteredSenderNotice);
}

void TFormPrintMitsu::FillStampLists() {
    for (QComboBox* list : {ui_->CBCheckStamp, ui_->CBPersonalStamp}) {
        list->clear();
        list->addItem(StampItemText(0), 0);
        for (int n = 0; n < TThConfigInfo::StampCount; ++n) {
            if (QFileInfo::exists(config_->StampPath(n))) {
                list->addItem(StampItemText(n + 1), n + 1);
            }
        }
        list->setCurrentIndex(0);
    }
}

void TFormPrintMitsu::SetTaxButtons() {
    const TTaxChoices choices = TaxChoicesOf(*document_);
    const struct {
        QRadioButton* button;
        TTaxChoice choice;
    } buttons[] = {{ui_->RBNoTax, TTaxChoice::NoTax},
                   {ui_->RBBeforeTax, TTaxChoice::BeforeTax},
                   {ui_->RBTaxIn, TTaxChoice::TaxIn}};
    for (const auto& [button, choice] : buttons) {
        button->setEnabled(choices.Allows(choice));
        if (choice == choices.Checked) {
            button->setChecked(true);
        }
    }
}

void TFormPrintMitsu::SelectByText(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    list->setCurrentIndex(index >= 0 ? index : (list->count() > 0 ? 0 : -1));
}

void TFormPrintMitsu::LoadPrintOptions(TSlipKind kind) {
    const IniFile printIni = printIni_.Read(printIniPath_);
    const TPrintOptions o = ::LoadPrintOptions(printIni, kind, *config_, *document_);
    printIni_.Adopt(printIni, [kind, o](IniFile& ini) { ::SavePrintOptions(ini, kind, o); });
    if (!o.Printer.isEmpty()) {
        SelectByText(ui_->CBPrinter, o.Printer);
    }
    CBPrinterChange();
    SelectByText(ui_->CBCheckStamp, StampItemText(o.CheckStamp));
    ui_->EdtCheckText->setText(o.CheckStampMsg);
    SelectByText(ui_->CBPersonalStamp, StampItemText(o.PersonalStamp));
    ui_->CBCustomerInfo->setCurrentIndex(o.CustomerInfo);
    CBCustomerInfoChange();
    ui_->CBPayBank->setCurrentIndex(o.PayBank);
    ui_->CBPaperSize->setCurrentIndex(o.PaperSize);
    ui_->ChBPrintName->setChecked(o.PrintName);
    ui_->ChBPrintStampArea->setChecked(o.PrintStampArea);
    ui_->ChBYoko->setChecked(o.Landscape);
    ui_->ChbPrintBiko->setChecked(o.PrintNote);
    ui_->ChBBank->setChecked(o.PrintBank);
    ui_->ChBChangeSR->setChecked(o.ChangeSR);
    ui_->ChbPrintHikae->setChecked(o.PrintCopy);
    ui_->ChbPrintGrandTotalFrame->setChecked(o.PrintGrandTotalFrame);
    ui_->ChbPrintGrandTotal->setChecked(o.PrintGrandTotal);
    ui_->ChbPrintSubTotalAndTotal->setChecked(o.PrintSubTotalAndTotal);
}

TPrintOptions TFormPrintMitsu::Options() const {
    TPrintOptions o;
    o.Printer = ui_->CBPrinter->currentText();
    o.PaperSize = std::max(0, ui_->CBPaperSize->currentIndex());
    o.CheckStampMsg = ui_->EdtCheckText->text();
    o.CheckStamp = ui_->CBCheckStamp->currentData().toInt();
    o.PersonalStamp = ui_->CBPersonalStamp->currentData().toInt();
    o.CustomerInfo = std::max(0, ui_->CBCustomerInfo->currentIndex());
    o.PayBank = std::max(0, ui_->CBPayBank->currentIndex());
    o.PrintName = ui_->ChBPrintName->isChecked();
    o.PrintStampArea = ui_->ChBPrintStampArea->isChecked();
    o.Landscape = ui_->ChBYoko->isChecked();
    o.PrintNote = ui_->ChbPrintBiko->isChecked();
    o.PrintBank = ui_->ChBBank->isChecked();
    o.ChangeSR = ui_->ChBChangeSR->isChecked();
    o.PrintCopy = ui_->ChbPrintHikae->isChecked();
    o.PrintGrandTotalFrame = ui_->ChbPrintGrandTotalFrame->isChecked();
    o.PrintGrandTotal = ui_->ChbPrintGrandTotal->isChecked();
    o.PrintSubTotalAndTotal = ui_->ChbPrintSubTotalAndTotal->isChecked();
    o.Tax = ui_->RBTaxIn->isChecked()       ? TTaxChoice::TaxIn
            : ui_->RBBeforeTax->isChecked() ? TTaxChoice::BeforeTax
                                            : TTaxChoice::NoTax;
    return o;
}

bool TFormPrintMitsu::IsA4() const {
    return ui_->CBPaperSize->currentIndex() <= 0;
}

void TFormPrintMitsu::SavePrintOptions(TSlipKind kind) {
    printIni_.Save(
        printIniPath_, [this, kind](IniFile& ini) { ::SavePrintOptions(ini, kind, Options()); }, {},
        AskConflicts(this));
}

void TFormPrintMitsu::SetOrientation() {
    printer_.setPageOrientation(ui_->ChBYoko->isChecked() ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
}

void TFormPrintMitsu::CBPrinterChange() {
    const QString name = ui_->CBPrinter->currentText();
    if (!name.isEmpty() && name != printer_.printerName()) {
        printer_.setPrinterName(name);
        printer_.setDocName(QStringLiteral("Rokuvel Dorvani4"));
    }
    SetOrientation();
}

void TFormPrintMitsu::ChBYokoClick() {
    try {
        // The box is written at once: only its key, into the file as it is now.
        SettingsSync box;
        box.Adopt(box.Read(printIniPath_), [](IniFile&) {});
        box.Save(
            printIniPath_,
            [this](IniFile& ini) {
                ini.WriteBool(TPrintOptions::SettingSection, TPrintOptions::YokoKey,
                              ui_->ChBYoko->isChecked());
            },
            {}, AskConflicts(this));
    } catch (const EModelError& error) {
        // The box still sets the orientation; print.ini keeps its last good state.
        Messages::Error(this, error.message());
    }
    SetOrientation();
}

void TFormPrintMitsu::BtnPrinterClick() {
    if (printers_.Setup(this, printer_)) {
        SelectByText(ui_->CBPrinter, printer_.printerName());
    }
    SetOrientation();
}

void TFormPrintMitsu::CBCustomerInfoChange() {
    const int index = ui_->CBCustomerInfo->currentIndex();
    if (index >= 0 && profiles_ != nullptr) {
        // With a logo no sender text prints, the person in charge among them.
        ui_->ChBPrintName->setEnabled(!profiles_->Items(index).UseLogoImage);
    }
}

void TFormPrintMitsu::BtnPreviewClick() {
    if (preview_ == nullptr) {
        return;
    }
    const TPrintOptions options = Options();
    preview_->ShowPreview(
        {*document_, *config_, profiles_->Items(options.CustomerInfo), options, kind_}, IsA4(),
        PrinterResolution(printer_));
}

void TFormPrintMitsu::BtnPrintClick() {
    CloseWithOutput(ResultPrint);
}

void TFormPrintMitsu::BtnSavePDFClick() {
    CloseWithOutput(ResultPdf);
}

void TFormPrintMitsu::CloseWithOutput(ModalResult result) {
    try {
        SavePrintOptions(kind_);
    } catch (const EModelError& error) {
        // The slip still goes out with the chosen options; print.ini keeps its old state.
        Messages::Error(this, error.message());
    }
    done(result);
}

void TFormPrintMitsu::reject() {
    done(ResultCancel);
}
