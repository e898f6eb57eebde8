#include "TCustomerTableModel.h"

#include "CustomerField.h"
#include "TThCustomerObjectList.h"

TCustomerTableModel::TCustomerTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TCustomerTableModel::SetList(const TThCustomerObjectList* list) {
    beginResetModel();
    list_ = list;
    endResetModel();
}

void TCustomerTableModel::Refresh() {
    beginResetModel();
    endResetModel();
}

int TCustomerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || list_ == nullptr ? 0 : list_->Count();
}

int TCustomerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(CustomerFields.size());
}

QVariant TCustomerTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    const CustomerField& field = CustomerFields.at(static_cast<size_t>(index.column()));
    return list_->Items(index.row()).*field.Member;
}

QVariant TCustomerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return {};
    }
    return QString::fromUtf16(CustomerFields.at(static_cast<size_t>(section)).Caption);
}
