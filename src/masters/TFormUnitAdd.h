#pragma once

#include <memory>

#include "TFormUnitEntry.h"

namespace Ui {
class TFormUnitAdd;
}

// "単位の追加": a new unit of the unit master.
class TFormUnitAdd : public TFormUnitEntry {
    Q_OBJECT

  public:
    explicit TFormUnitAdd(QWidget* parent = nullptr);
    ~TFormUnitAdd() override;

  private:
    std::unique_ptr<Ui::TFormUnitAdd> ui_;
};
