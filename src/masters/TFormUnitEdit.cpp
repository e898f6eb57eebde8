#include "TFormUnitEdit.h"

#include "ui_TFormUnitEdit.h"

TFormUnitEdit::TFormUnitEdit(QWidget* parent)
    : TFormUnitEntry(parent), ui_(std::make_unique<Ui::TFormUnitEdit>()) {
    ui_->setupUi(this);
    SetUpControls();
}

TFormUnitEdit::~TFormUnitEdit() = default;
