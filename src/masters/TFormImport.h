#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "CustomerImport.h"

class QComboBox;
class TCsvTableModel;
class TThCustomerObjectList;

namespace Ui {
class TFormImport;
}

// "インポート": a CSV file of another program as a grid, a column for every customer field,
// and one customer per line appended to the live list. Nothing is written here; the
// customer list saves the master when it closes.
class TFormImport : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    explicit TFormImport(QWidget* parent = nullptr);
    ~TFormImport() override;

    // Reads path into the grid and preselects the columns; false, after telling the user,
    // when the file cannot be read. list gets the customers of インポート.
    bool Bind(TThCustomerObjectList& list, const QString& path);

    // The choices of the nine drop-downs.
    CustomerImport::Mapping ChosenMapping() const;

    void reject() override;

  private:
    void BtnImportClick();
    QComboBox* choice(size_t index) const;

    std::unique_ptr<Ui::TFormImport> ui_;
    TCsvTableModel* model_;
    CustomerImport::Table table_;
    TThCustomerObjectList* list_ = nullptr;
};
