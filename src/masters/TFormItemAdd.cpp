#include "TFormItemAdd.h"

#include "ui_TFormItemAdd.h"

TFormItemAdd::TFormItemAdd(QWidget* parent)
    : TFormItemEntry(parent), ui_(std::make_unique<Ui::TFormItemAdd>()) {
    ui_->setupUi(this);
    SetUpControls();
}

TFormItemAdd::~TFormItemAdd() = default;
