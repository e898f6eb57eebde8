#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QIODevice>
#include <QString>

class TThEstimateObjectList;

// The binary document file: length-prefixed Shift-JIS text entries. The newest layout is
// written; it and the layouts of the two older program generations are read.
//
// Compatibility: the MITSU4_100 body, from the magic to the last line record, is read by
// other programs and older installations and never changes: no entry is added, removed,
// moved or given another meaning. Facts it cannot hold go into the extension block after the
// last line record, which those readers never reach; a reader that cannot make sense of the
// block ignores it and says so, and the document still loads.
namespace DocumentFile {

inline const QString Mitsu4 = QStringLiteral("MITSU4_100");
inline const QString Mitsu3 = QStringLiteral("MITSU3_100");
inline const QString Mitsu2 = QStringLiteral("MITSU2_100");

// Files larger than this are not documents; refusing them bounds what a reader allocates.
// Reading and showing a document takes about 40 times its size (a 5 MB file of 100,000
// lines peaks at 210 MB in the tool), so this keeps any command near 350 MB; a real
// slip is a few kilobytes.
constexpr qint64 MaxFileSize = 8LL * 1024 * 1024;

// The first five entries, which the file lists show without reading the whole file.
struct Header {
    QString Magic;
    QString Saved;  // "yyyy/mm/dd hh:nn"
    bool TotalClaimMode = false;
    QString Comment;
    QString Name1;
};

Header ReadHeader(QIODevice& device, const QString& fileName);
Header ReadHeader(const QString& path);

// The bytes of the newest layout; savedAt becomes the saving time.
QByteArray Encode(const TThEstimateObjectList& document, const QString& comment,
                  const QDateTime& savedAt);
// Replaces the document by the one in bytes: what the layout does not store is as in a new
// document, except TaxRate and CalcPerRow, which stay. A broken file stops reading at the
// broken entry with EFileFormatError naming it and its byte offset; what was read before
// it stays in the document.
void Decode(TThEstimateObjectList& document, QByteArrayView bytes, const QString& fileName);

// Writes beside path and renames over it, so a failed save keeps the previous file.
void Save(const TThEstimateObjectList& document, const QString& path, const QString& comment);
void Load(TThEstimateObjectList& document, const QString& path);

}  // namespace DocumentFile
