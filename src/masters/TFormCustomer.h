#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "TThCustomerObject.h"

class QFileDialog;
class TCustomerTableModel;
class TFormCustomAdd;
class TFormCustomEdit;
class TFormImport;
class TThCustomerObjectList;

namespace Ui {
class TFormCustomer;
}

// "お客様一覧": keeps the customer master and picks a customer for the header. It works on
// the caller's live list and saves it whenever it closes, whichever way, because adding,
// editing, deleting and sorting all change the master; the save merges with what other
// copies wrote meanwhile, and opening shows what they wrote.
class TFormCustomer : public QDialog {
    Q_OBJECT

  public:
    // ResultOK: a customer was chosen (ChosenCustomer); ResultCancel: closed without one.
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    // Asks for the export file (or the import file), starting in folder; empty when the
    // user cancels.
    using SaveDialog = std::function<QString(QWidget* parent, const QString& folder)>;
    using OpenDialog = SaveDialog;

    explicit TFormCustomer(QWidget* parent = nullptr);
    ~TFormCustomer() override;

    // The windows of 追加登録 and 編集, created once beside this one.
    void SetEntryWindows(TFormCustomAdd* add, TFormCustomEdit* edit);
    // The window of インポート; the button stays disabled until it is given.
    void SetImportWindow(TFormImport* import);
    // 印刷・PDF出力 of the customer list; the button stays disabled until it is given.
    using PrintCommand = std::function<void(QWidget* parent)>;
    void SetPrintCommand(PrintCommand print);

    // Before each showing: list is the master to work on, saved to savePath when the window
    // closes; addressee is the header's addressee, which 追加登録 offers.
    void Bind(TThCustomerObjectList& list, const QString& savePath,
              const TThCustomerObject& addressee);

    // The customer of 選択した得意先を入力 when the window closed with ResultOK.
    const std::optional<TThCustomerObject>& ChosenCustomer() const { return chosen_; }

    void SetExportDialog(SaveDialog dialog) { exportDialog_ = std::move(dialog); }
    // The save dialog of the export: CSV filter, default suffix, overwrite question.
    static std::unique_ptr<QFileDialog> ExportFileDialog(QWidget* parent, const QString& folder);
    static QString AskExportFile(QWidget* parent, const QString& folder);
    void SetImportDialog(OpenDialog dialog) { importDialog_ = std::move(dialog); }
    // The open dialog of the import: an existing CSV file.
    static std::unique_ptr<QFileDialog> ImportFileDialog(QWidget* parent, const QString& folder);
    static QString AskImportFile(QWidget* parent, const QString& folder);

    // Every way of closing ends here, so the master is saved once per closing.
    void done(int result) override;
    void reject() override;

  private:
    void BtnAddClick();
    void BtnEditClick();
    void BtnDeleteClick();
    void BtnImportClick();
    void BtnExportClick();
    void BtnSelectClick();
    void BtnCloseClick();
    void LVCustomerColumnClick(int column);
    void LVCustomerDblClick();

    // -1 when no row is selected.
    int selectedRow() const;
    void selectRow(int row);
    // The view follows the list's rows; the selection stays on row keep when it exists.
    void refresh(int keep);
    // Shows an entry window without a nested event loop; onOK runs when it closes with OK.
    void openEntry(QDialog* window, std::function<void()> onOK);

    std::unique_ptr<Ui::TFormCustomer> ui_;
    TCustomerTableModel* model_;
    TFormCustomAdd* add_ = nullptr;
    TFormCustomEdit* edit_ = nullptr;
    TFormImport* import_ = nullptr;
    PrintCommand print_;
    TThCustomerObjectList* list_ = nullptr;
    QString savePath_;
    TThCustomerObject addressee_;
    std::optional<TThCustomerObject> chosen_;
    SaveDialog exportDialog_ = &TFormCustomer::AskExportFile;
    OpenDialog importDialog_ = &TFormCustomer::AskImportFile;
    // Inverted before every sort, whatever the column: the first sort is ascending.
    bool ascending_ = false;
};
