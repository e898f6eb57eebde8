#pragma once

#include <QString>

#include "Currency.h"

class QWidget;

// What the settings windows check before they store anything: every value must reach
// "conf.ini" and make sense on a slip. The checks throw EModelError with the reason.
namespace SettingsFields {

// A text that Shift-JIS cannot hold could not be saved (ECp932Error naming the character).
void CheckText(const QString& text);
// The consumption-tax rate in percent: a plain decimal number, at least 0 and below 100.
Currency ParseTaxRate(const QString& text);
// A company-seal size (above 0) or position in millimetres: a plain decimal number.
double ParseMillimetres(const QString& text, bool isSize);

// Tells the user which field cannot be stored and why, then puts the focus on it, showing
// its tab first. A field that is disabled is enabled, so that it can be corrected.
void Refuse(QWidget* window, QWidget* field, const QString& caption, const QString& reason);

}  // namespace SettingsFields
