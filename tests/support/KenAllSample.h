#pragma once

#include <QByteArray>
#include <QString>

#include "Cp932.h"

// A KEN_ALL.CSV of any size in cp932, made of the patterns of the real file: plain towns,
// towns with notes in parentheses, long names split over three rows, the placeholder town,
// and codes that cover two towns. Each group of 16 rows gives 14 table lines.
inline QByteArray KenAllSample(int rows) {
    QString csv;
    csv.reserve(rows * 110);
    const auto row = [&csv](int code, const QString& town) {
        csv += QStringLiteral(
                   "01101,\"060  \",\"%1\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼ\",\"ﾁｮｳ\",\"北海道\","
                   "\"札幌市中央区\",\"%2\",0,0,0,0,0,0\r\n")
                   .arg(code, 7, 10, QChar(u'0'))
                   .arg(town);
    };
    int code = 10000;
    for (int i = 0; i < rows;) {
        const QString n = QString::number(i);
        row(code++, QStringLiteral("以下に掲載がない場合"));
        for (const char* town : {"旭ケ丘", "北一条西", "南三条東", "宮の森", "円山西町", "伏見",
                                 "盤渓", "界川", "双子山"}) {
            row(code++, QString::fromUtf8(town) + n);
        }
        row(code++, QStringLiteral("大通西（１～１９丁目）") + n);
        row(code, QStringLiteral("協和（８８－２、２７１－１０、３４３－２、"));
        row(code, QStringLiteral("４３１－１２、４４３－６、６０８－２、"));
        row(code++, QStringLiteral("１７５２番地）"));
        row(code, QStringLiteral("春日明河原") + n);
        row(code++, QStringLiteral("春日砂賀東") + n);
        i += 16;
    }
    return Cp932::encode(csv);
}

// A JIGYOSYO.CSV of any size in cp932: one business a row, with codes of its own above the
// towns' codes, some with notes in parentheses. The real file has some 22,000 rows.
inline QByteArray JigyosyoSample(int rows) {
    QString csv;
    csv.reserve(rows * 160);
    for (int i = 0; i < rows; ++i) {
        csv += QStringLiteral(
                   "01101,\"(ｶﾌﾞ) ｻﾝﾌﾟﾙ\",\"株式会社　見本商事%1\",\"北海道\",\"札幌市中央区\","
                   "\"北五条西\",\"%2丁目見本ビル%3\",\"%4\",\"060  \",\"札幌中央\",0,0,0\r\n")
                   .arg(i)
                   .arg(i % 30)
                   .arg(i % 3 == 0 ? QStringLiteral("（株）見本内") : QString())
                   .arg(8000000 + i, 7, 10, QChar(u'0'));
    }
    return Cp932::encode(csv);
}
