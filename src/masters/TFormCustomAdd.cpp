#include "TFormCustomAdd.h"

#include "ui_TFormCustomAdd.h"

TFormCustomAdd::TFormCustomAdd(QWidget* parent)
    : TFormCustomEntry(parent), ui_(std::make_unique<Ui::TFormCustomAdd>()) {
    ui_->setupUi(this);
    SetUpControls();
}

TFormCustomAdd::~TFormCustomAdd() = default;
