#include <gtest/gtest.h>

#include "QtPrint.h"

#include "JapaneseEra.h"

namespace {

TEST(JapaneseEra, EachEraStartsOnItsFirstDay) {
    struct Case {
        QDate date;
        const char* eraYear;
        const char* longDate;
    };
    for (const Case& c : {Case{QDate(2026, 12, 10), "令和08", "令和08年12月10日"},
                          Case{QDate(2005, 11, 30), "平成17", "平成17年11月30日"},
                          Case{QDate(2019, 5, 1), "令和01", "令和01年05月01日"},
                          Case{QDate(2019, 4, 30), "平成31", "平成31年04月30日"},
                          Case{QDate(1989, 1, 8), "平成01", "平成01年01月08日"},
                          Case{QDate(1989, 1, 7), "昭和64", "昭和64年01月07日"},
                          Case{QDate(1926, 12, 25), "昭和01", "昭和01年12月25日"},
                          Case{QDate(1926, 12, 24), "大正15", "大正15年12月24日"},
                          Case{QDate(1912, 7, 30), "大正01", "大正01年07月30日"},
                          Case{QDate(1912, 7, 29), "明治45", "明治45年07月29日"},
                          Case{QDate(1868, 1, 25), "明治01", "明治01年01月25日"},
                          Case{QDate(2118, 1, 1), "令和100", "令和100年01月01日"},
                          Case{QDate(1868, 1, 24), "", ""}}) {
        EXPECT_EQ(JapaneseEra::EraYear(c.date), QString::fromUtf8(c.eraYear))
            << c.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(JapaneseEra::LongDate(c.date), QString::fromUtf8(c.longDate));
    }
}

}  // namespace
