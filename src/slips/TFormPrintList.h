#pragma once

#include <QDialog>

#include <QPrinter>
#include <memory>
#include <optional>
#include "SettingsSync.h"

#include "MasterListSlip.h"
#include "TFormPrintMitsu.h"

class QComboBox;
class TFormPreviewList;

namespace Ui {
class TFormPrintList;
}

// The print window of a master list: printer and paper size, kept in the list's print.ini
// section (PRINTER, PAPER_SIZE), and the preview. Created once per list; each opening
// reloads the section. The output reads the printer and the paper after it closes.
class TFormPrintList : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultPrint = 1, ResultCancel = 2, ResultPdf = 6 };

    ~TFormPrintList() override;

    void SetPreviewWindow(TFormPreviewList* preview) { preview_ = preview; }
    void SetPrinterSystem(TPrinterSystem printers) { printers_ = std::move(printers); }

    TSlipKind Kind() const { return kind_; }
    // Keeps the list for the preview; Execute then shows the window modally and returns the
    // ModalResult.
    void Prepare(const TMasterListSource& source);
    int Execute(const TMasterListSource& source);

    bool IsA4() const;
    // The current printer, portrait.
    QPrinter& Printer() { return printer_; }

    void reject() override;

  protected:
    TFormPrintList(TSlipKind kind, const QString& printIniPath, QWidget* parent);
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void CBPrinterChange();
    void BtnPrinterClick();
    void BtnPreviewClick();
    // Stores the shown printer and paper in the section, then closes with the result.
    void CloseWithOutput(ModalResult result);
    // The entry of that text, else the first.
    static void SelectByText(QComboBox* list, const QString& text);

    std::unique_ptr<Ui::TFormPrintList> ui_;
    TSlipKind kind_;
    QString printIniPath_;
    // print.ini as the window read it: closing writes only the options the user changed.
    SettingsSync printIni_;
    QPrinter printer_{QPrinter::HighResolution};
    TPrinterSystem printers_ = TPrinterSystem::Installed();
    TFormPreviewList* preview_ = nullptr;
    std::optional<TMasterListSource> source_;
};

// "品名リスト印刷", section ITEM_LIST.
class TFormPrintItemList : public TFormPrintList {
    Q_OBJECT

  public:
    explicit TFormPrintItemList(const QString& printIniPath, QWidget* parent = nullptr);
};

// "お客様一覧印刷", section CUSTOMER_LIST; a little lower than the item list's window.
class TFormPrintCustomerList : public TFormPrintList {
    Q_OBJECT

  public:
    explicit TFormPrintCustomerList(const QString& printIniPath, QWidget* parent = nullptr);
};
