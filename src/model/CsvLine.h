#pragma once

#include <QString>
#include <QStringList>

// The comma-separated lines of the master files and the customer export.
namespace CsvLine {

// A field is quoted when it holds a comma, a double quote or a half-width space; quotes
// inside are doubled. Fields are joined by single commas.
QString Join(const QStringList& fields);
// The reader's counterpart: blanks around fields are skipped, an unquoted field ends at a
// comma or a blank, "a,,b" gives an empty middle field and a trailing comma a last one.
QStringList Split(const QString& line);
// As Split, but a half-width space belongs to an unquoted field and only control characters
// separate: the lines of spreadsheet files.
QStringList SplitKeepingSpaces(QStringView line);
// A line as a person reads it in a message: its fields that are not empty, between "／".
QString Shown(const QString& line);

}  // namespace CsvLine
