#pragma once

#include <QProcess>
#include <QStringList>

#include "SlipFixture.h"

// An invoice of mixed rates, worked out by hand: 10 % lines of 1,000 and 2,000 (base 3,000,
// tax 300), one 8 % line of 1,500 (tax 120) and an exempt line of 500; subtotal 5,000, tax
// 420, total 5,420. The sender is registered.
struct QualifiedSlip : SlipFixture {
    static inline const QString Number = QStringLiteral("T7123456789012");

    explicit QualifiedSlip(bool on = true,
                           const QString& imageFolder = QStringLiteral("/nonexistent/"))
        : SlipFixture(0, imageFolder) {
        kind = skSeikyu;
        struct Line {
            const char* name;
            int amount;
            bool reduced;
            bool exempt;
        };
        const Line lines[] = {{"コピー用紙", 1000, false, false},
                              {"トナー", 2000, false, false},
                              {"緑茶", 1500, true, false},
                              {"収入印紙代", 500, false, true}};
        for (int i = 0; i < 4; ++i) {
            TThEstimateObject& line = document.Items(i);
            line.ItemName = QString::fromUtf8(lines[i].name);
            line.Num = Currency::fromUnits(1);
            line.UnitName = QStringLiteral("式");
            line.UnitPrice = Currency::fromUnits(lines[i].amount);
            line.Reduced = lines[i].reduced;
            line.NoTax = lines[i].exempt;
            line.CalcTotalPrice();
        }
        document.QualifiedInvoice = on;
        document.CalcTotal();
        profiles.Items(0).RegistrationNo = Number;
    }
};

// What a PDF reader finds in the file: pdftotext's layout text.
inline QString PdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text with every run of blanks made one space, so that columns compare as words.
inline QString Words(const QString& text) {
    return text.simplified();
}
