#pragma once

#include <memory>

#include "TFormUnitEntry.h"

namespace Ui {
class TFormUnitEdit;
}

// "単位の編集": changes the selected unit.
class TFormUnitEdit : public TFormUnitEntry {
    Q_OBJECT

  public:
    explicit TFormUnitEdit(QWidget* parent = nullptr);
    ~TFormUnitEdit() override;

  private:
    std::unique_ptr<Ui::TFormUnitEdit> ui_;
};
