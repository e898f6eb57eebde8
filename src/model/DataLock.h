#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "CopyOwner.h"
#include "ModelError.h"

// A lock another copy of the program respects, on this PC or on another one that reaches the
// same data folder over a network share: a file in the data root's ".locks" folder, made with
// O_CREAT|O_EXCL and holding the owner (CopyOwner). flock and fcntl locks are never used, as
// FUSE and CIFS mounts keep them on one PC or drop them, nor hard links, which such mounts
// refuse.
//
// While held, a thread rewrites the file every RefreshMs. A lock is left behind (stale) when
// its holder on this host is gone, or when it was not rewritten for StaleMs: the age is read
// against the file server's own clock (the time of a file written just then), so clocks of
// the PCs may differ. A stale lock is taken over; TakenOver() says whose it was. Taking over
// goes through a second lock, "<name>.break", so two copies never both remove it.
class DataLock {
  public:
    struct Timing {
        int WaitMs = 30000;  // how long a live holder is waited for; 0 tries once
        int StaleMs = 10000;
        int RefreshMs = 2000;
    };

    // The names of the locks of a data root.
    static inline const QString WriteName = QStringLiteral("data");     // a read-merge-write
    static inline const QString PostalName = QStringLiteral("postal");  // a postal update

    // Takes the lock, waiting while a live copy holds it. ELockBusy names the holder when the
    // wait ends; EFileError when the lock file cannot be made at all.
    DataLock(const QString& root, const QString& name, Timing timing);
    DataLock(const QString& root, const QString& name) : DataLock(root, name, Timing{}) {}
    ~DataLock();
    DataLock(const DataLock&) = delete;
    DataLock& operator=(const DataLock&) = delete;

    // The owner of the stale lock this one replaced.
    const std::optional<CopyOwner>& TakenOver() const { return takenOver_; }

    // Tells the user whose stale lock was taken over (absent: a record that could not be
    // read); each program sets how, once at start.
    using TakeOverNotice = std::function<void(const std::optional<CopyOwner>& previous)>;
    static void SetTakeOverNotice(TakeOverNotice notice);
    // The text of such a notice.
    static QString TakeOverText(const std::optional<CopyOwner>& previous);

    // Null when a live copy holds the lock; the holder is then written to holder.
    static std::unique_ptr<DataLock> TryTake(const QString& root, const QString& name,
                                             std::optional<CopyOwner>* holder, Timing timing);
    // The live holder of a lock, absent when nobody or only a stale lock holds it.
    static std::optional<CopyOwner> Holder(const QString& root, const QString& name, Timing timing);

    // root + ".locks/"
    static QString Folder(const QString& root);

  private:
    class Refresher;

    QString path_;
    QByteArray content_;
    std::optional<CopyOwner> takenOver_;
    std::unique_ptr<Refresher> refresher_;
};

// A lock that a live copy held for longer than the wait.
class ELockBusy : public EFileError {
  public:
    ELockBusy(const QString& message, std::optional<CopyOwner> holder)
        : EFileError(message), holder_(std::move(holder)) {}
    const std::optional<CopyOwner>& holder() const { return holder_; }

  private:
    std::optional<CopyOwner> holder_;
};
