#pragma once

#include <memory>

#include "TFormItemEntry.h"

namespace Ui {
class TFormItemAdd;
}

// "品名の追加": a new item of the item master.
class TFormItemAdd : public TFormItemEntry {
    Q_OBJECT

  public:
    explicit TFormItemAdd(QWidget* parent = nullptr);
    ~TFormItemAdd() override;

  private:
    std::unique_ptr<Ui::TFormItemAdd> ui_;
};
