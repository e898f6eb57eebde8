#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "CopyOwner.h"
#include "DataLock.h"
#include "ModelError.h"
#include "ThreeWayMerge.h"

// Saving a data file that other copies of the program may change at the same time (the
// window and the tool on one PC, or the PCs of a shop on one share): under the data root's
// write lock the file is read again, this copy's changes are merged into it, and the result is
// written; where both copies changed the same record or key, the caller's choice decides.
// The lock is held only for the read-merge-write: a question to the user is asked without it,
// and the merge is then run again on the file as it is by then.
namespace SharedSave {

// Who saved a file of the data root last, and when.
struct LastWrite {
    CopyOwner Owner;
    QDateTime When;
};

// Keeps this copy's versions (true) or the other copy's (false) for every conflict given;
// other is the copy that wrote the file last, when known. May throw to refuse the save.
using ConflictChoice = std::function<bool(const QList<MergeConflict>& conflicts,
                                          const std::optional<LastWrite>& other)>;

// The tool's choice: EMergeConflict naming the records or keys and the other copy.
bool Refuse(const QList<MergeConflict>& conflicts, const std::optional<LastWrite>& other);
// The conflicts and the other copy as the user reads them, for a question or an error.
QString ConflictText(const QList<MergeConflict>& conflicts, const std::optional<LastWrite>& other);

// One save: the files it reads, merges and writes.
class Job {
  public:
    virtual ~Job() = default;
    // Reads the files as they are now and merges this copy's changes into them, settling the
    // conflicts decisions know; returns those it does not.
    virtual QList<MergeConflict> Merge(const MergeDecisions& decisions) = 0;
    // Writes what Merge made; called only when it returned no conflict.
    virtual void Write() = 0;
    // The files a Write may change, for the record of the last writer.
    virtual QStringList Paths() const = 0;
};

// Runs job under the write lock of root until no conflict is left undecided, and records this
// copy as the last writer of its files.
void Run(const QString& root, Job& job, const ConflictChoice& choose);

// The data root whose lock guards path: the folder of a master, conf.ini or print.ini.
QString RootOf(const QString& path);
// The write lock of the data root of path, held while a file is read again: on a share a
// file being replaced is missing for a moment, which a read must not take for its content.
// Null when the data root does not exist, so there is nothing to read.
std::unique_ptr<DataLock> ReadLock(const QString& path);

void RecordWrite(const QString& root, const QString& path);
std::optional<LastWrite> LastWriteOf(const QString& root, const QString& path);

// The state of a file as a cheap check sees it: whether it changed since it was read.
struct FileStamp {
    bool Exists = false;
    qint64 Size = 0;
    qint64 ModifiedNs = 0;

    static FileStamp Of(const QString& path);
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

}  // namespace SharedSave

// A save refused because another copy changed the same records or keys.
class EMergeConflict : public EFileError {
    using EFileError::EFileError;
};
