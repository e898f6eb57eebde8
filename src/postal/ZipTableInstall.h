#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Replacing the postal-code table: a new "zip.dat" and its "version.txt" are checked first
// and then put in place together, so a failure leaves both old files or both new ones.
namespace ZipTable {

// A national table has some 120,000 lines and 5 MB; a page of a captive portal, a cut
// download or a table of one region is far from that.
inline constexpr qsizetype MinPlausibleLines = 100000;
inline constexpr qint64 MaxTableBytes = 64LL * 1024 * 1024;
inline constexpr qint64 MaxVersionBytes = 4096;

// Throws EFileFormatError naming the first line that is not a seven-digit code, a comma and
// cp932 text, or saying that the table has fewer than minLines lines. origin names the data.
void ValidateTable(QByteArrayView table, qsizetype minLines, const QString& origin);
// The first line must be a key; every line cp932 text.
void ValidateVersion(QByteArrayView version, const QString& origin);

// Writes both files beside the old ones in zipFolder, then renames them over the old ones,
// "zip.dat" first; when the second rename fails the first is undone. Lookups meanwhile read
// the old table or the new one, never a part. Throws EFileError with the old files intact.
void InstallTable(const QString& zipFolder, const QByteArray& table, const QByteArray& version);

// A data root without a table gets the one installed with the program (InstalledFolder),
// so both lookups work at once; nothing happens when zipFolder has a "zip.dat" or no table
// is installed. Throws EFileError naming the file that cannot be copied.
void CopyInstalledTable(const QString& zipFolder);

}  // namespace ZipTable
