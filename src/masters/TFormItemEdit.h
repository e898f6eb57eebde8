#pragma once

#include <memory>

#include "TFormItemEntry.h"

namespace Ui {
class TFormItemEdit;
}

// "品名の編集": changes the selected item.
class TFormItemEdit : public TFormItemEntry {
    Q_OBJECT

  public:
    explicit TFormItemEdit(QWidget* parent = nullptr);
    ~TFormItemEdit() override;

  private:
    std::unique_ptr<Ui::TFormItemEdit> ui_;
};
