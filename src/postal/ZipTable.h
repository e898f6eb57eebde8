#pragma once

#include <QList>
#include <QString>

// The postal-code table "zip.dat": Shift-JIS lines "code,address" (CR, LF or CR LF ends).
// Both lookups read the whole file at every call and keep the matches in file order; the
// byte rules work on the cp932 text, as the file stores it.
namespace ZipTable {

inline constexpr char FileName[] = "zip.dat";
inline constexpr char VersionFileName[] = "version.txt";

struct Entry {
    QString Code;  // display form, "100-0001"
    QString Address;
    bool operator==(const Entry&) const = default;
};

// Either a refusal (the message to show, no entries) or at least one entry.
struct Result {
    QString Refusal;
    QList<Entry> Entries;
};

// Lines whose code begins with text, "-" removed; text must be 3 to 8 bytes in cp932.
// Throws EFileError when zipFile cannot be read, EFileFormatError for a matching line
// that is not Shift-JIS.
Result FindByCode(const QString& zipFile, const QString& text);

// Lines holding text anywhere (the code included), letter case ignored.
Result FindByAddress(const QString& zipFile, const QString& text);

// "1000001" → "100-0001": the first 3 characters, "-", then at most 128 more.
QString DisplayCode(const QString& code);

// The folder of the national table installed with the program (ending in "/"); empty when
// none holds a "zip.dat". It lies at a fixed path relative to the executable; a program in
// the build tree finds it in the build tree's own share folder a few levels up, so no
// binary carries a path of the tree it was built in. programFolder is where the executable
// lies (the running one's by default).
QString InstalledFolder();
QString InstalledFolder(const QString& programFolder);

}  // namespace ZipTable
