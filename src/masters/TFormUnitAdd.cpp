#include "TFormUnitAdd.h"

#include "ui_TFormUnitAdd.h"

TFormUnitAdd::TFormUnitAdd(QWidget* parent)
    : TFormUnitEntry(parent), ui_(std::make_unique<Ui::TFormUnitAdd>()) {
    ui_->setupUi(this);
    SetUpControls();
}

TFormUnitAdd::~TFormUnitAdd() = default;
