#include "TFormItemEdit.h"

#include "ui_TFormItemEdit.h"

TFormItemEdit::TFormItemEdit(QWidget* parent)
    : TFormItemEntry(parent), ui_(std::make_unique<Ui::TFormItemEdit>()) {
    ui_->setupUi(this);
    SetUpControls();
}

TFormItemEdit::~TFormItemEdit() = default;
