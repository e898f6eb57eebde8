#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

// Japan Post's national files of postal codes, bare or in a zip archive: the towns in
// KEN_ALL.CSV (Shift-JIS, long town names split over several rows) or utf_ken_all.csv
// (UTF-8, one row per town), and the codes of single businesses and post-office boxes in
// JIGYOSYO.CSV (Shift-JIS). Together they become a "zip.dat" with the conventions of the
// table installed with the program: one line "code,prefecture city town" per code and town,
// the notes in full-width parentheses and the placeholder towns left out, and one line
// "code,prefecture city town street" per business, all sorted by code.
namespace KenAll {

// What an archive may unpack to; the national file is about 12 MB.
inline constexpr qint64 MaxCsvBytes = 64LL * 1024 * 1024;

struct Csv {
    QByteArray Bytes;
    QDate Date;  // the day the file was made, invalid when nothing tells it
};

// A CSV and the name of where it came from, for messages.
struct Named {
    QByteArrayView Bytes;
    QString Origin;
};

enum class Kind { Towns, Businesses };

bool IsArchive(QByteArrayView bytes);

// The CSV of an archive (KEN_ALL.CSV, utf_ken_all.csv, JIGYOSYO.CSV, or its only .csv
// member) with the date of that member. origin names the data in messages. Throws
// EFileFormatError.
Csv FromArchive(QByteArrayView archive, const QString& origin);

// An archive or a bare CSV, as the user downloaded it; a bare CSV is dated by the file.
Csv FromFile(const QString& path);

// Which of the two files csv is, told by the columns of its first row, whatever its name.
// Throws EFileFormatError when it is neither.
Kind KindOf(const Named& csv);

// The zip.dat lines of both CSVs in cp932, each ending in CR LF. Throws EFileFormatError
// naming the row that is not a row of its file, or a name that cp932 cannot hold.
QByteArray ToZipTable(const Named& towns, const Named& businesses);

// The version.txt of data made on date: "yyyy/mm/dd" and "yyyy/mm/dd 日本郵便公開データ".
QByteArray VersionFile(const QDate& date);
QByteArray VersionKey(const QDate& date);

}  // namespace KenAll
