#include "TFormItemEntry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "AmountText.h"
#include "EnterKeyFocus.h"
#include "Messages.h"
#include "ModelError.h"
#include "TPngButton.h"
#include "TThItemUnitObjectList.h"

namespace {

const QString InvalidPrice = QStringLiteral("単価の入力が不正です。");

}  // namespace

TFormItemEntry::TFormItemEntry(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {}

void TFormItemEntry::SetUpControls() {
    setFixedSize(size());
    name_ = findChild<QLineEdit*>(QStringLiteral("EdtItemName"));
    unit_ = findChild<QComboBox*>(QStringLiteral("CBItemUnit"));
    price_ = findChild<QLineEdit*>(QStringLiteral("EdtItemPrice"));
    price_->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
    // Digits, the point and the minus sign only; the separators come from the format and
    // are gone while the field is edited.
    price_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.-]*")), price_));
    price_->installEventFilter(this);
    for (QWidget* field : {static_cast<QWidget*>(name_), static_cast<QWidget*>(unit_),
                           static_cast<QWidget*>(price_)}) {
        EnterKeyFocus::Install(field);
    }
    // Beside the price, where both entry windows have room; made here so their layouts stay.
    reduced_ = new QCheckBox(QStringLiteral("軽減税率の対象"), this);
    reduced_->setObjectName(QStringLiteral("CBItemReduced"));
    reduced_->setGeometry(208, 80, 176, 22);
    reduced_->hide();
    setTabOrder(price_, reduced_);
    connect(name_, &QLineEdit::textChanged, this, &TFormItemEntry::updateConfirm);
    connect(unit_, &QComboBox::currentTextChanged, this, &TFormItemEntry::updateConfirm);
    connect(price_, &QLineEdit::textChanged, this, &TFormItemEntry::updateConfirm);

    ok_ = findChild<QPushButton*>(QStringLiteral("BtnOK"));
    auto* cancel = findChild<QPushButton*>(QStringLiteral("BtnCancel"));
    for (QPushButton* button : {ok_, cancel}) {
        button->hide();
        findChild<TPngButton*>(QStringLiteral("PNG") + button->objectName())
            ->SetStandardButton(button);
    }
    connect(ok_, &QPushButton::clicked, this, &TFormItemEntry::BtnOKClick);
    connect(cancel, &QPushButton::clicked, this, &TFormItemEntry::reject);
}

void TFormItemEntry::Prepare(const QString& unitPath, bool printDecimals,
                             const TThItemObject& item) {
    printDecimals_ = printDecimals;
    QStringList choices{TThItemObject::NoUnit};
    TThItemUnitObjectList saved;
    try {
        saved.LoadFromFile(unitPath);
    } catch (const EModelError& error) {
        Messages::Error(parentWidget(), error.message());
    }
    for (int i = 0; i < saved.Count(); ++i) {
        choices << saved.Items(i).UnitName;
    }
    unit_->clear();
    unit_->addItems(choices);
    name_->setText(item.ItemName);
    unit_->setCurrentText(item.UnitName);
    price_->setText(priceText(item.UnitPrice));
    reduced_->setChecked(item.Reduced);
    updateConfirm();
}

TThItemObject TFormItemEntry::Item() const {
    TThItemObject item{name_->text(), unit_->currentText(), {}, reduced_->isChecked()};
    if (!price_->text().trimmed().isEmpty()) {
        item.UnitPrice = ParseMoney(price_->text().trimmed());
    }
    return item;
}

void TFormItemEntry::SetQualifiedInvoice(bool on) {
    reduced_->setVisible(on);
}

void TFormItemEntry::reject() {
    done(ResultCancel);
}

void TFormItemEntry::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    name_->setFocus();
}

bool TFormItemEntry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == price_) {
        if (event->type() == QEvent::FocusIn) {
            EdtItemPriceEnter();
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            // Switching to another window or a message box is no leaving of the field.
            EdtItemPriceExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString TFormItemEntry::priceText(Currency price) const {
    return FormatAmount(false, price, printDecimals_);
}

void TFormItemEntry::updateConfirm() {
    ok_->setEnabled(!name_->text().trimmed().isEmpty());
}

void TFormItemEntry::EdtItemPriceEnter() {
    price_->setText(price_->text().remove(u','));
}

void TFormItemEntry::EdtItemPriceExit() {
    try {
        price_->setText(priceText(ParseMoney(price_->text().trimmed())));
    } catch (const EConvertError&) {
        Messages::Information(this, InvalidPrice);
        price_->setText(priceText(Currency()));
    }
}

void TFormItemEntry::BtnOKClick() {
    const QString text = price_->text().trimmed();
    if (!text.isEmpty()) {
        try {
            price_->setText(ParseMoney(text).toText());
        } catch (const EConvertError&) {
            Messages::Information(this, InvalidPrice);
            return;
        }
    }
    done(ResultOK);
}
