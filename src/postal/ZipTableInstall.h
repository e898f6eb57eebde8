#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class DataFolders;

// Replacing the postal-code table: a new "zip.dat" and its "version.txt" are checked first
// and then put in place together, so a failure leaves both old files or both new ones.
//
// The data folder may lie on a network share that refuses hard links, and a copy may be
// killed or its PC switched off at any moment. So the pair is swapped by renames only: both
// new files are written in full as "zip.dat.new" and "version.txt.new", then the marker
// "swap.commit" is made, then each new file is renamed over its old one, then the marker is
// removed. Whatever the cut, the next start completes the swap (marker there) or removes the
// new files (no marker), so version.txt always belongs to zip.dat again.
namespace ZipTable {

inline constexpr char NewSuffix[] = ".new";
inline constexpr char CommitMarkerName[] = "swap.commit";

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

// Swaps the pair in zipFolder as above, after settling a swap cut before. Lookups meanwhile
// read the old table or the new one, never a part (through smbnetfs another PC may find none
// for the instant of a rename). The caller holds the postal lock of the
// data root (see ZipUpdate::LockForUpdate) when zipFolder is one. Throws EFileError with the
// old pair intact when the new files cannot be written or the old table cannot be replaced;
// when a rename fails after that, the next settling completes the swap.
void InstallTable(const QString& zipFolder, const QByteArray& table, const QByteArray& version);

// Whether zipFolder holds anything a cut swap leaves: the marker, a new file, or a ".kept-"
// copy of the table that earlier versions made.
bool HasInterruptedSwap(const QString& zipFolder);

// Completes or undoes a cut swap and removes the leftovers HasInterruptedSwap names. Only
// under the postal lock: a swap another copy is running right now would be undone. Throws
// EFileError when a file cannot be renamed or removed.
void SettleInterruptedSwap(const QString& zipFolder);

// At every start of the window and the tool: settles the data root's zip folder when it holds
// leftovers, under the postal lock. Nothing happens when a live copy holds that lock (its swap
// is not cut, only running), and a data root that does not exist is not made. Throws
// EFileError.
void SettleAtStart(const DataFolders& folders);

// A data root without a table gets the one installed with the program (InstalledFolder),
// so both lookups work at once; nothing happens when zipFolder has a "zip.dat" or no table
// is installed. Throws EFileError naming the file that cannot be copied.
void CopyInstalledTable(const QString& zipFolder);

}  // namespace ZipTable
