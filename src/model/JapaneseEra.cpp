#include "JapaneseEra.h"

namespace {

struct Era {
    const char16_t* name;
    QDate firstDay;
};

// Newest first; an era begins on its first day and runs until the next one begins.
const Era Eras[] = {
    {u"令和", QDate(2019, 5, 1)},  {u"平成", QDate(1989, 1, 8)},  {u"昭和", QDate(1926, 12, 25)},
    {u"大正", QDate(1912, 7, 30)}, {u"明治", QDate(1868, 1, 25)},
};

}  // namespace

namespace JapaneseEra {

QString EraYear(const QDate& date) {
    for (const Era& era : Eras) {
        if (date >= era.firstDay) {
            const int year = date.year() - era.firstDay.year() + 1;
            return QString::fromUtf16(era.name) +
                   QStringLiteral("%1").arg(year, 2, 10, QLatin1Char('0'));
        }
    }
    return {};
}

QString LongDate(const QDate& date) {
    const QString eraYear = EraYear(date);
    if (eraYear.isEmpty()) {
        return {};
    }
    return eraYear + QStringLiteral("年%1月%2日")
                         .arg(date.month(), 2, 10, QLatin1Char('0'))
                         .arg(date.day(), 2, 10, QLatin1Char('0'));
}

}  // namespace JapaneseEra
