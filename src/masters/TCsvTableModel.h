#pragma once

#include <QAbstractTableModel>

#include "CustomerImport.h"

// The cells of an import file for the grid, read from the table when the view asks. The
// column headers are the numbers of the drop-downs; the row headers are the file's lines.
class TCsvTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit TCsvTableModel(QObject* parent = nullptr);

    void SetTable(const CustomerImport::Table* table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    const CustomerImport::Table* table_ = nullptr;
};
