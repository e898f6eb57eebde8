#pragma once

#include <QString>
#include <QStringView>

#include "Currency.h"

// Money as the windows and slips show it: thousands separators and at most two decimals,
// rounded to the nearest (halves away from zero). Line cells ("forTotals" false) always
// show two decimals when printDecimals (PRINTDECIMAL) is on; totals never pad.
QString FormatAmount(bool forTotals, Currency value, bool printDecimals);

// Money typed by the user: full-width digits, "．", "，" and "－" count as their ASCII forms,
// every "," is dropped, the rest is a decimal number. Throws EConvertError for text that
// is not a number.
Currency ParseMoney(QStringView text);
