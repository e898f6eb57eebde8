#include "TFormUnitEntry.h"

#include <QLineEdit>
#include <QPushButton>

#include "TPngButton.h"

TFormUnitEntry::TFormUnitEntry(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {}

void TFormUnitEntry::SetUpControls() {
    setFixedSize(size());
    unit_ = findChild<QLineEdit*>(QStringLiteral("EdtUnit"));
    ok_ = findChild<QPushButton*>(QStringLiteral("BtnOK"));
    auto* cancel = findChild<QPushButton*>(QStringLiteral("BtnCancel"));
    for (QPushButton* button : {ok_, cancel}) {
        button->hide();
        findChild<TPngButton*>(QStringLiteral("PNG") + button->objectName())
            ->SetStandardButton(button);
    }
    connect(ok_, &QPushButton::clicked, this, [this] { done(ResultOK); });
    connect(cancel, &QPushButton::clicked, this, &TFormUnitEntry::reject);
    connect(unit_, &QLineEdit::textChanged, this, &TFormUnitEntry::updateConfirm);
    connect(unit_, &QLineEdit::returnPressed, this, &TFormUnitEntry::EdtUnitReturn);
}

void TFormUnitEntry::SetUnit(const QString& unit) {
    unit_->setText(unit);
    updateConfirm();
}

QString TFormUnitEntry::Unit() const {
    return unit_->text();
}

void TFormUnitEntry::reject() {
    done(ResultCancel);
}

void TFormUnitEntry::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    unit_->setFocus();
}

// A unit of blanks alone would be an empty choice in the pick menu.
void TFormUnitEntry::updateConfirm() {
    ok_->setEnabled(!unit_->text().trimmed().isEmpty());
}

void TFormUnitEntry::EdtUnitReturn() {
    if (ok_->isEnabled()) {
        ok_->click();
    }
}
