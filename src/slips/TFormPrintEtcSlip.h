#pragma once

#include <QDialog>

#include <QPrinter>
#include "SettingsSync.h"

#include "TFormPrintMitsu.h"
#include "TMainSlipOutput.h"

class QCheckBox;
class QComboBox;
class TFormPreviewEtcSlip;
class TSlipPdfTemplates;

// What the options windows of the one-sheet slips (total invoice, receipt, fax cover) have
// in common: the printer list and its setup button, the paper size, the sender profile
// (a profile with a logo prints no person in charge), and the buttons preview, PDF, print
// and cancel. Each window's own fields, print.ini section, sheet and PDF page are its own.
// The common controls are found by their names, so every window's layout carries them.
class TFormPrintEtcSlip : public QDialog {
    Q_OBJECT

  public:
    using ModalResult = TFormPrintMitsu::ModalResult;

    ~TFormPrintEtcSlip() override;

    TSlipKind Kind() const { return kind_; }

    void SetPreviewWindow(TFormPreviewEtcSlip* preview) { preview_ = preview; }
    void SetPrinterSystem(TPrinterSystem printers) { printers_ = std::move(printers); }

    // Stores what the window works on; Execute then shows it modally and returns the result.
    void Prepare(const TThEstimateObjectList& document, const TThConfigInfo& config,
                 const TThCampanyInfoManager& profiles);
    int Execute(const TThEstimateObjectList& document, const TThConfigInfo& config,
                const TThCampanyInfoManager& profiles);

    // Why the slip cannot be made of this document; empty when it can.
    virtual QString Refusal(const TThEstimateObjectList& document) const;
    // The sheet as the controls now say, for the printer and the preview.
    virtual TSlipPagePicture RenderSheet(bool isA4, TSlipResolution dpi) const = 0;
    // The sheet's PDF page into fileName, written atomically.
    virtual void SavePdf(TSlipPdfTemplates& templates, const QString& fileName) const = 0;

    bool IsA4() const;
    // The current printer; always portrait.
    QPrinter& Printer() { return printer_; }

    void reject() override;

  protected:
    TFormPrintEtcSlip(TSlipKind kind, const QString& printIniPath, QWidget* parent);

    // Connects the common controls and sets the kind's caption; run by the window after
    // building its layout.
    void SetUpCommonControls();
    // The window's own lists as each opening fills them, before its options are loaded;
    // a window whose lists never change keeps this.
    virtual void ResetOwnFields() {}
    virtual void LoadPrintOptions() = 0;
    virtual void SavePrintOptions() = 0;

    // The stored printer, when there is one, selected and made current.
    void SelectPrinter(const QString& name,
                       Qt::MatchFlags match = Qt::MatchExactly | Qt::MatchCaseSensitive);
    // The item with the text, else the first; none in an empty list.
    static void SelectByText(QComboBox* list, const QString& text,
                             Qt::MatchFlags match = Qt::MatchExactly | Qt::MatchCaseSensitive);
    int ProfileIndex() const;
    const TThCampanyInfo& Profile() const;
    void CBCustomerInfoChange();

    QString printIniPath_;
    // print.ini as the window read it: closing writes only the options the user changed.
    SettingsSync printIni_;
    const TThEstimateObjectList* document_ = nullptr;
    const TThConfigInfo* config_ = nullptr;
    const TThCampanyInfoManager* profiles_ = nullptr;

    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void CBPrinterChange();
    void BtnPrinterClick();
    void BtnPreviewClick();
    void BtnPrintClick();
    void BtnSavePDFClick();
    void CloseWithOutput(ModalResult result);
    // Once per opening, for a slip that shows amounts: the chosen sender has no registration
    // number for a qualified invoice.
    void TellUnregisteredSender();

    TSlipKind kind_;
    bool toldUnregistered_ = false;
    // The common controls, found by name.
    QComboBox* printerList_ = nullptr;
    QComboBox* paperList_ = nullptr;
    QComboBox* profileList_ = nullptr;
    QCheckBox* printName_ = nullptr;
    QPrinter printer_{QPrinter::HighResolution};
    TPrinterSystem printers_ = TPrinterSystem::Installed();
    TFormPreviewEtcSlip* preview_ = nullptr;
};

// What the receipt, total-invoice and fax buttons do: refuse when the window says so, open
// the window, then print the one sheet or save its PDF through the save dialog.
class TEtcSlipOutput {
  public:
    explicit TEtcSlipOutput(TSlipPdfTemplates& templates) : templates_(templates) {}

    void Run(QWidget* parent, TFormPrintEtcSlip& window, const TThEstimateObjectList& document,
             const TThConfigInfo& config, const TThCampanyInfoManager& profiles);

    void SetPdfDialog(TMainSlipOutput::SaveDialog dialog) { pdfDialog_ = std::move(dialog); }

  private:
    TSlipPdfTemplates& templates_;
    TMainSlipOutput::SaveDialog pdfDialog_ = &TMainSlipOutput::AskPdfFile;
};
