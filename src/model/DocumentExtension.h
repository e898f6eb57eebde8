#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class TThEstimateObjectList;

// The extension block of a MITSU4_100 file: what the body cannot hold (the qualified-invoice
// facts), after the last line record, where readers of the body never look.
//
//   "MT4X"  magic, 4 bytes
//   u16     version, little-endian; this program writes and reads 1
//   u32     payload length in bytes
//   ...     payload: entries of the body's codec
//   u32     CRC-32 of the payload
//
// The block ends the file. Payload of version 1: line count (count), standard rate, reduced
// rate (Currency texts), number of reduced lines and their 0-based indexes in rising order
// (counts), number of rates and per rate its rate, reduced flag, base and tax, then the
// exempt flag and sum.
namespace DocumentExtension {

inline constexpr QByteArrayView Magic = "MT4X";
inline constexpr int Version = 1;

// The block is written while the document is a qualified invoice, and also while any line
// still carries a reduced mark or the document per-rate figures (a total invoice keeps those
// it was built with), so that turning the feature off does not lose them.
bool Needed(const TThEstimateObjectList& document);

QByteArray Encode(const TThEstimateObjectList& document);

// Whether what follows the line records is meant to be a block.
bool StartsBlock(QByteArrayView rest);

// Reads the block into the document's marks and Breakdown, all or nothing; throws
// EFileFormatError saying what is wrong.
void Decode(TThEstimateObjectList& document, QByteArrayView block);

// What the user is told when the block is unreadable.
QString UnreadableNotice(const QString& fileName, const QString& problem);

}  // namespace DocumentExtension
