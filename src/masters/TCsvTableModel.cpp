#include "TCsvTableModel.h"

TCsvTableModel::TCsvTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TCsvTableModel::SetTable(const CustomerImport::Table* table) {
    beginResetModel();
    table_ = table;
    endResetModel();
}

int TCsvTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || table_ == nullptr ? 0 : static_cast<int>(table_->Rows.size());
}

int TCsvTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || table_ == nullptr ? 0 : table_->ColumnCount;
}

QVariant TCsvTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return table_->Rows.at(static_cast<size_t>(index.row())).Cells.value(index.column());
}

QVariant TCsvTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || table_ == nullptr) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return CustomerImport::ColumnCaption(section);
    }
    return QString::number(table_->Rows.at(static_cast<size_t>(section)).Line);
}
