#include "SettingsFields.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <cmath>

#include "Cp932.h"
#include "Messages.h"
#include "ModelError.h"

namespace {

// Digits with at most one point and an optional leading minus: what the number fields
// let the user type, and nothing that merely converts (no exponent, no blanks).
void CheckPlainDecimal(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^-?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (text.isEmpty()) {
        throw EConvertError(QStringLiteral("数値を入力してください。"));
    }
    if (!plain.match(text).hasMatch()) {
        throw EConvertError(QStringLiteral("「%1」は数値ではありません。").arg(text));
    }
}

}  // namespace

namespace SettingsFields {

void CheckText(const QString& text) {
    Cp932::encode(text);
}

Currency ParseTaxRate(const QString& text) {
    CheckPlainDecimal(text);
    const QString outOfRange = QStringLiteral("税率は0以上100未満の値を入力してください。");
    Currency rate;
    try {
        rate = Currency::fromText(text);
    } catch (const EConvertError&) {
        throw EConvertError(outOfRange);  // more digits than any amount holds
    }
    if (rate.isNegative() || rate >= Currency::fromUnits(100)) {
        throw EConvertError(outOfRange);
    }
    return rate;
}

double ParseMillimetres(const QString& text, bool isSize) {
    CheckPlainDecimal(text);
    const double value = text.toDouble();
    if (!std::isfinite(value)) {
        throw EConvertError(QStringLiteral("「%1」は大きすぎます。").arg(text));
    }
    if (isSize && value <= 0) {
        throw EConvertError(QStringLiteral("0より大きい値を入力してください。"));
    }
    return value;
}

void Refuse(QWidget* window, QWidget* field, const QString& caption, const QString& reason) {
    for (QWidget* ancestor = field->parentWidget(); ancestor != nullptr;
         ancestor = ancestor->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(ancestor)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (tabs->widget(i)->isAncestorOf(field)) {
                    tabs->setCurrentIndex(i);
                }
            }
        }
    }
    Messages::Error(window, caption + QStringLiteral("：") + reason);
    field->setEnabled(true);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->selectAll();
    }
}

}  // namespace SettingsFields
