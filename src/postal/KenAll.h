#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

// Japan Post's national file of postal codes: KEN_ALL.CSV (Shift-JIS, long town names split
// over several rows) or utf_ken_all.csv (UTF-8, one row per town), bare or in a zip archive.
// It becomes a "zip.dat" with the conventions of the table installed with the program: one
// line "code,prefecture city town" per code and town, sorted by code, the notes in
// full-width parentheses and the placeholder towns left out.
namespace KenAll {

// What an archive may unpack to; the national file is about 12 MB.
inline constexpr qint64 MaxCsvBytes = 64LL * 1024 * 1024;

struct Csv {
    QByteArray Bytes;
    QDate Date;  // the day the file was made, invalid when nothing tells it
};

bool IsArchive(QByteArrayView bytes);

// The CSV of an archive (KEN_ALL.CSV, utf_ken_all.csv, or its only .csv member) with the
// date of that member. origin names the data in messages. Throws EFileFormatError.
Csv FromArchive(QByteArrayView archive, const QString& origin);

// An archive or a bare CSV, as the user downloaded it; a bare CSV is dated by the file.
Csv FromFile(const QString& path);

// The zip.dat lines of the CSV in cp932, each ending in CR LF. Throws EFileFormatError
// naming the row that is not a KEN_ALL row, or a town that cp932 cannot hold.
QByteArray ToZipTable(QByteArrayView csv, const QString& origin);

// The version.txt of data made on date: "yyyy/mm/dd" and "yyyy/mm/dd 日本郵便公開データ".
QByteArray VersionFile(const QDate& date);
QByteArray VersionKey(const QDate& date);

}  // namespace KenAll
