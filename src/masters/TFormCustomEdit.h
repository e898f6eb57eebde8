#pragma once

#include <memory>

#include "TFormCustomEntry.h"

namespace Ui {
class TFormCustomEdit;
}

// "編集": changes the customer selected in the list.
class TFormCustomEdit : public TFormCustomEntry {
    Q_OBJECT

  public:
    explicit TFormCustomEdit(QWidget* parent = nullptr);
    ~TFormCustomEdit() override;

  private:
    std::unique_ptr<Ui::TFormCustomEdit> ui_;
};
