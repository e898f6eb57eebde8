#pragma once

#include <QDialog>

#include <QPrinter>
#include <functional>
#include <memory>
#include "SettingsSync.h"

#include "RenderSlipPage.h"
#include "TPrintOptions.h"
#include "TSlipKind.h"

class QComboBox;
class TFormPreviewMitsu;
class TThCampanyInfoManager;
class TThConfigInfo;
class TThEstimateObjectList;

namespace Ui {
class TFormPrintMitsu;
}

// What the options window needs of the printing system; tests give it printers of their own.
struct TPrinterSystem {
    std::function<QStringList()> Names;
    std::function<QString()> DefaultName;
    // The setup dialog on the printer; true when the user confirmed it.
    std::function<bool(QWidget* parent, QPrinter& printer)> Setup;

    static TPrinterSystem Installed();
};

// The printer's pixels per inch, at which its pages are drawn.
TSlipResolution PrinterResolution(QPrinter& printer);

// The options of a main slip: printer, paper, orientation, copy, the optional blocks,
// stamps, sender profile, bank account and the tax of the grand total, kept per kind in
// print.ini. Created once; each opening reloads the kind's options. The output reads the
// states of its controls after it closes (Options()).
class TFormPrintMitsu : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultPrint = 1, ResultCancel = 2, ResultPdf = 6 };

    TFormPrintMitsu(const QString& printIniPath, QWidget* parent = nullptr);
    ~TFormPrintMitsu() override;

    void SetPreviewWindow(TFormPreviewMitsu* preview) { preview_ = preview; }
    void SetPrinterSystem(TPrinterSystem printers) { printers_ = std::move(printers); }

    // Stores what the window works on, shows the kind's controls and caption; Execute then
    // shows it modally and returns the ModalResult.
    void Prepare(const TThEstimateObjectList& document, const TThConfigInfo& config, TSlipKind kind,
                 const TThCampanyInfoManager& profiles);
    int Execute(const TThEstimateObjectList& document, const TThConfigInfo& config, TSlipKind kind,
                const TThCampanyInfoManager& profiles);

    // The states of the controls; the tax choice is the checked button.
    TPrintOptions Options() const;
    bool IsA4() const;
    // The current printer; its orientation follows the landscape box.
    QPrinter& Printer() { return printer_; }

    void LoadPrintOptions(TSlipKind kind);
    void SavePrintOptions(TSlipKind kind);

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void CBPrinterChange();
    void ChBYokoClick();
    void BtnPrinterClick();
    void CBCustomerInfoChange();
    void BtnPreviewClick();
    void BtnPrintClick();
    void BtnSavePDFClick();
    // Saves the kind's options, then closes with the result.
    void CloseWithOutput(ModalResult result);

    // Once per opening: the chosen sender has no registration number for a qualified invoice.
    void TellUnregisteredSender();

    void SetKindVisibility(TSlipKind kind);
    void SetOrientation();
    void FillStampLists();
    void SetTaxButtons();
    // The item whose text or stamp number matches, else the first; none in an empty list.
    static void SelectByText(QComboBox* list, const QString& text);

    std::unique_ptr<Ui::TFormPrintMitsu> ui_;
    QString printIniPath_;
    // print.ini as the window read it: closing writes only the options the user changed.
    SettingsSync printIni_;
    QPrinter printer_{QPrinter::HighResolution};
    TPrinterSystem printers_ = TPrinterSystem::Installed();
    TFormPreviewMitsu* preview_ = nullptr;
    const TThEstimateObjectList* document_ = nullptr;
    const TThConfigInfo* config_ = nullptr;
    const TThCampanyInfoManager* profiles_ = nullptr;
    TSlipKind kind_ = skMitsu;
    bool toldUnregistered_ = false;
};
