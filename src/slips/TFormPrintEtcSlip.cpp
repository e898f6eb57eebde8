#include "TFormPrintEtcSlip.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QShowEvent>

#include "Messages.h"
#include "ModelError.h"
#include "SlipLayout.h"
#include "StartFolders.h"
#include "TFormPreviewEtcSlip.h"
#include "TPngButton.h"
#include "TPrintOptions.h"
#include "TThCampanyInfoManager.h"

TFormPrintEtcSlip::TFormPrintEtcSlip(TSlipKind kind, const QString& printIniPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      printIniPath_(printIniPath),
      kind_(kind) {
    printer_.setDocName(QStringLiteral("Rokuvel Dorvani4"));
}

TFormPrintEtcSlip::~TFormPrintEtcSlip() = default;

void TFormPrintEtcSlip::SetUpCommonControls() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(size());
    setWindowTitle(PrintWindowCaption(kind_));
    printerList_ = findChild<QComboBox*>(QStringLiteral("CBPrinter"));
    paperList_ = findChild<QComboBox*>(QStringLiteral("CBPaperSize"));
    profileList_ = findChild<QComboBox*>(QStringLiteral("CBCustomerInfo"));
    printName_ = findChild<QCheckBox*>(QStringLiteral("ChBPrintName"));

    const struct {
        const char* button;
        const char* picture;
        void (TFormPrintEtcSlip::*handler)();
    } buttons[] = {
        {"BtnPrinter", "pngBtnPrinter", &TFormPrintEtcSlip::BtnPrinterClick},
        {"BtnPreview", "pngBtnPreview", &TFormPrintEtcSlip::BtnPreviewClick},
        {"BtnSavePDF", "pngBtnSavePDF", &TFormPrintEtcSlip::BtnSavePDFClick},
        {"BtnPrint", "pngBtnOK", &TFormPrintEtcSlip::BtnPrintClick},
        {"BtnCancel", "pngBtnCancel", &TFormPrintEtcSlip::reject},
    };
    for (const auto& [buttonName, pictureName, handler] : buttons) {
        auto* button = findChild<QPushButton*>(QLatin1String(buttonName));
        button->hide();
        findChild<TPngButton*>(QLatin1String(pictureName))->SetStandardButton(button);
        connect(button, &QPushButton::clicked, this, handler);
    }
    connect(printerList_, &QComboBox::activated, this, &TFormPrintEtcSlip::CBPrinterChange);
    connect(profileList_, &QComboBox::activated, this, &TFormPrintEtcSlip::CBCustomerInfoChange);
    connect(profileList_, &QComboBox::activated, this, &TFormPrintEtcSlip::TellUnregisteredSender);
}

void TFormPrintEtcSlip::Prepare(const TThEstimateObjectList& document, const TThConfigInfo& config,
                                const TThCampanyInfoManager& profiles) {
    document_ = &document;
    config_ = &config;
    profiles_ = &profiles;
}

int TFormPrintEtcSlip::Execute(const TThEstimateObjectList& document, const TThConfigInfo& config,
                               const TThCampanyInfoManager& profiles) {
    Prepare(document, config, profiles);
    return exec();
}

QString TFormPrintEtcSlip::Refusal(const TThEstimateObjectList&) const {
    return {};
}

void TFormPrintEtcSlip::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFormPrintEtcSlip::FormShow() {
    const QString current = printer_.printerName();
    printerList_->clear();
    printerList_->addItems(printers_.Names());
    SelectByText(printerList_, current.isEmpty() ? printers_.DefaultName() : current);
    printer_.setPageOrientation(QPageLayout::Portrait);
    profileList_->clear();
    for (int p = 0; p < TThCampanyInfoManager::Count; ++p) {
        profileList_->addItem(ProfileItemText(p));
    }
    profileList_->setCurrentIndex(0);
    CBCustomerInfoChange();
    ResetOwnFields();
    LoadPrintOptions();
    toldUnregistered_ = false;
    TellUnregisteredSender();
}

void TFormPrintEtcSlip::TellUnregisteredSender() {
    // The fax cover sheet shows no amounts and no number.
    if (toldUnregistered_ || kind_ == skFax || profileList_->currentIndex() < 0 ||
        profiles_ == nullptr || document_ == nullptr ||
        !LacksRegistrationNo(*document_, Profile())) {
        return;
    }
    toldUnregistered_ = true;
    Messages::Information(this, UnregisteredSenderNotice);
}

void TFormPrintEtcSlip::SelectByText(QComboBox* list, const QString& text, Qt::MatchFlags match) {
    const int index = list->findText(text, match);
    list->setCurrentIndex(index >= 0 ? index : (list->count() > 0 ? 0 : -1));
}

void TFormPrintEtcSlip::SelectPrinter(const QString& name, Qt::MatchFlags match) {
    if (!name.isEmpty()) {
        SelectByText(printerList_, name, match);
        CBPrinterChange();
    }
}

bool TFormPrintEtcSlip::IsA4() const {
    return paperList_->currentIndex() <= 0;
}

int TFormPrintEtcSlip::ProfileIndex() const {
    return std::max(0, profileList_->currentIndex());
}

const TThCampanyInfo& TFormPrintEtcSlip::Profile() const {
    return profiles_->Items(ProfileIndex());
}

void TFormPrintEtcSlip::CBPrinterChange() {
    const QString name = printerList_->currentText();
    if (!name.isEmpty() && name != printer_.printerName()) {
        printer_.setPrinterName(name);
        printer_.setDocName(QStringLiteral("Rokuvel Dorvani4"));
    }
    printer_.setPageOrientation(QPageLayout::Portrait);
}

void TFormPrintEtcSlip::BtnPrinterClick() {
    if (printers_.Setup(this, printer_)) {
        SelectByText(printerList_, printer_.printerName());
    }
    printer_.setPageOrientation(QPageLayout::Portrait);
}

void TFormPrintEtcSlip::CBCustomerInfoChange() {
    if (profileList_->currentIndex() >= 0 && profiles_ != nullptr) {
        // With a logo no sender text prints, the person in charge among them.
        printName_->setEnabled(!Profile().UseLogoImage);
    }
}

void TFormPrintEtcSlip::BtnPreviewClick() {
    if (preview_ != nullptr) {
        preview_->ShowPreview(
            [this](bool isA4, TSlipResolution dpi) { return RenderSheet(isA4, dpi); }, IsA4(),
            PrinterResolution(printer_));
    }
}

void TFormPrintEtcSlip::BtnPrintClick() {
    CloseWithOutput(TFormPrintMitsu::ResultPrint);
}

void TFormPrintEtcSlip::BtnSavePDFClick() {
    CloseWithOutput(TFormPrintMitsu::ResultPdf);
}

void TFormPrintEtcSlip::CloseWithOutput(ModalResult result) {
    try {
        SavePrintOptions();
    } catch (const EModelError& error) {
        // The slip still goes out with the chosen options; print.ini keeps its old state.
        Messages::Error(this, error.message());
    }
    done(result);
}

void TFormPrintEtcSlip::reject() {
    done(TFormPrintMitsu::ResultCancel);
}

void TEtcSlipOutput::Run(QWidget* parent, TFormPrintEtcSlip& window,
                         const TThEstimateObjectList& document, const TThConfigInfo& config,
                         const TThCampanyInfoManager& profiles) {
    const QString refusal = window.Refusal(document);
    if (!refusal.isEmpty()) {
        Messages::Information(parent, refusal);
        return;
    }
    const int result = window.Execute(document, config, profiles);
    if (result == TFormPrintMitsu::ResultPrint) {
        PrintSheet(window.Printer(), window.IsA4(),
                   [&](bool isA4, TSlipResolution dpi) { return window.RenderSheet(isA4, dpi); });
    } else if (result == TFormPrintMitsu::ResultPdf) {
        const QString path = pdfDialog_(parent, StartFolders::Export());
        if (!path.isEmpty()) {
            window.SavePdf(templates_, path);
        }
    }
}
