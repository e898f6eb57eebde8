#include "TFormCustomEntry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "Cp932.h"
#include "CustomerField.h"
#include "EnterKeyFocus.h"
#include "Messages.h"
#include "ModelError.h"
#include "TPngButton.h"

TFormCustomEntry::TFormCustomEntry(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {}

void TFormCustomEntry::SetUpControls() {
    setFixedSize(size());
    for (size_t i = 0; i < CustomerFields.size(); ++i) {
        QLineEdit* edit = field(i);
        // Qt cannot ask the input method for hiragana, so names and addresses keep the
        // system's choice; codes and numbers ask for Latin input.
        edit->setInputMethodHints(
            CustomerFields[i].Latin ? Qt::ImhPreferLatin | Qt::ImhNoPredictiveText : Qt::ImhNone);
        EnterKeyFocus::Install(edit);
    }
    QLineEdit* zip = edit("EdtZip");
    zip->setMaxLength(8);
    // Digits and the hyphen only, typed or pasted.
    zip->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9-]*")), zip));

    const std::pair<const char*, void (TFormCustomEntry::*)()> buttons[] = {
        {"OK", &TFormCustomEntry::BtnOKClick},
        {"Close", &TFormCustomEntry::BtnCloseClick},
        {"Zip", &TFormCustomEntry::BtnZipClick},
        {"Add1", &TFormCustomEntry::BtnAdd1Click},
    };
    for (const auto& [role, handler] : buttons) {
        auto* button = findChild<QPushButton*>(QStringLiteral("Btn") + QLatin1String(role));
        button->hide();
        findChild<TPngButton*>(QStringLiteral("PNGBtn") + QLatin1String(role))
            ->SetStandardButton(button);
        connect(button, &QPushButton::clicked, this, handler);
    }
    SetLookups({}, {});
}

void TFormCustomEntry::SetLookups(Lookup byCode, Lookup byAddress) {
    byCode_ = std::move(byCode);
    byAddress_ = std::move(byAddress);
    findChild<QPushButton*>(QStringLiteral("BtnZip"))->setEnabled(bool(byCode_));
    findChild<QPushButton*>(QStringLiteral("BtnAdd1"))->setEnabled(bool(byAddress_));
}

QLineEdit* TFormCustomEntry::edit(const char* name) const {
    return findChild<QLineEdit*>(QLatin1String(name));
}

QLineEdit* TFormCustomEntry::field(size_t index) const {
    return edit(CustomerFields.at(index).ControlName);
}

void TFormCustomEntry::SetCustomer(const TThCustomerObject& customer) {
    for (size_t i = 0; i < CustomerFields.size(); ++i) {
        field(i)->setText(customer.*CustomerFields[i].Member);
    }
}

TThCustomerObject TFormCustomEntry::Customer() const {
    TThCustomerObject customer;
    for (size_t i = 0; i < CustomerFields.size(); ++i) {
        customer.*CustomerFields[i].Member = field(i)->text();
    }
    customer.CusCode = customer.CusCode.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0);
    return customer;
}

void TFormCustomEntry::reject() {
    done(ResultCancel);
}

void TFormCustomEntry::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    field(0)->setFocus();
}

bool TFormCustomEntry::fieldsCanBeSaved() {
    const TThCustomerObject customer = Customer();
    for (size_t i = 0; i < CustomerFields.size(); ++i) {
        try {
            Cp932::encode(customer.*CustomerFields[i].Member);
        } catch (const ECp932Error& error) {
            Messages::Error(this, QString::fromUtf16(CustomerFields[i].Caption) +
                                      QStringLiteral("：") + error.message());
            field(i)->setFocus();
            return false;
        }
    }
    return true;
}

void TFormCustomEntry::BtnOKClick() {
    if (fieldsCanBeSaved()) {
        done(ResultOK);
    }
}

void TFormCustomEntry::BtnCloseClick() {
    done(ResultCancel);
}

void TFormCustomEntry::BtnZipClick() {
    byCode_(this, edit("EdtZip"), edit("EdtAdd1"));
}

void TFormCustomEntry::BtnAdd1Click() {
    byAddress_(this, edit("EdtZip"), edit("EdtAdd1"));
}
