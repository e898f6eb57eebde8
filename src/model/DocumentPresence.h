#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "CopyOwner.h"
#include "DataLock.h"
#include "ModelError.h"

// The marker a copy of the program holds while it has a document file open: another copy,
// on this PC or on another one on the same data folder, then opens that document read-only,
// and the tool does not write it. Each document has a DataLock of its own for this, apart
// from the data root's short write lock.
namespace DocumentPresence {

// "open-" and the hex SHA-1 of the file name. Only the name counts, since each PC mounts the
// share somewhere else, and the hash keeps long Japanese names within what a share allows.
QString LockName(const QString& path);

// The data root of a data folder ("<root>/data/").
QString RootOfDataFolder(const QString& dataFolder);
// Whether path names a file in the data folder of root.
bool InDataFolder(const QString& root, const QString& path);

// The marker of the document at path; null when another live copy has it open, whose owner
// is then written to holder.
std::unique_ptr<DataLock> Claim(const QString& root, const QString& path,
                                std::optional<CopyOwner>* holder);
// The live copy that has the document at path open; absent when none.
std::optional<CopyOwner> Holder(const QString& root, const QString& path);

// Who has a document open, as the user reads it (a record that could not be read is
// "別のコピー").
QString Who(const std::optional<CopyOwner>& holder);
// Why the document called name cannot be written: holder has it open.
QString InUseText(const QString& name, const std::optional<CopyOwner>& holder);

}  // namespace DocumentPresence

// A write refused because another copy has the document open.
class EDocumentInUse : public EFileError {
    using EFileError::EFileError;
};
