#pragma once

#include <QDate>
#include <QString>

// Dates in the Japanese calendar, which Qt does not provide.
namespace JapaneseEra {

// "ggee": the era name and the two-digit year of the era, "令和08" for 2026-12-10. Dates
// before 明治 (1868-01-25) give an empty text.
QString EraYear(const QDate& date);
// "ggee年mm月dd日": "平成17年11月30日".
QString LongDate(const QDate& date);

}  // namespace JapaneseEra
