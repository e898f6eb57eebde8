#pragma once

#include <memory>

#include "TFormCustomEntry.h"

namespace Ui {
class TFormCustomAdd;
}

// "お客様の追加": a new customer, offered pre-filled with the addressee of the header.
class TFormCustomAdd : public TFormCustomEntry {
    Q_OBJECT

  public:
    explicit TFormCustomAdd(QWidget* parent = nullptr);
    ~TFormCustomAdd() override;

  private:
    std::unique_ptr<Ui::TFormCustomAdd> ui_;
};
