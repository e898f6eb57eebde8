#include "TFormCustomEdit.h"

#include "ui_TFormCustomEdit.h"

TFormCustomEdit::TFormCustomEdit(QWidget* parent)
    : TFormCustomEntry(parent), ui_(std::make_unique<Ui::TFormCustomEdit>()) {
    ui_->setupUi(this);
    SetUpControls();
}

TFormCustomEdit::~TFormCustomEdit() = default;
