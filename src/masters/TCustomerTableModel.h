#pragma once

#include <QAbstractTableModel>

class TThCustomerObjectList;

// The customer master as the rows of the list view. It reads every cell from the list when
// the view asks, so the list stays the only copy; after the list changes, Refresh.
class TCustomerTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit TCustomerTableModel(QObject* parent = nullptr);

    void SetList(const TThCustomerObjectList* list);
    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    const TThCustomerObjectList* list_ = nullptr;
};
