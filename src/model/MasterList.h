#pragma once

#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <memory>

#include "DataLock.h"
#include "MasterSync.h"
#include "ModelError.h"
#include "OwnedList.h"
#include "TextFile.h"

// What the three masters (customers, items, units) share: a list of records kept as lines of
// a file, saved by merging with what other copies wrote meanwhile (MasterSync.h). Derived
// gives Lines(), LoadFromFile(), appendLines() and its MasterSync::Format.
template <class Derived, class Record>
class MasterList : public OwnedList<Record> {
  public:
    // Merges what this list changed since it read the file into the file as it is now, and
    // holds the result; choose settles records another copy changed as well. A file on disk
    // that does not load completely is copied aside first (BrokenFile.h).
    void SaveToFile(const QString& path,
                    const SharedSave::ConflictChoice& choose = SharedSave::Refuse) {
        const QStringList mine = self().Lines();
        const QStringList merged = sync_.Save(path, mine, Derived::Format(), choose);
        if (merged != mine) {
            this->Clear();
            self().appendLines(merged, path);
        }
    }

    // Reads the file again when another copy wrote it and this list holds no unsaved change;
    // true when it did.
    bool ReloadIfChanged(const QString& path) {
        if (!sync_.ChangedOnDisk(path) || self().Lines() != sync_.Base()) {
            return false;
        }
        const std::unique_ptr<DataLock> reading = SharedSave::ReadLock(path);
        this->Clear();
        if (QFileInfo::exists(path)) {
            self().LoadFromFile(path);
        } else {
            sync_.Adopt(SharedSave::FileStamp::Of(path), {});
        }
        return true;
    }

  protected:
    // Reads the file into the list: appended to what it holds, or in place of it (replace),
    // where an absent file then leaves it empty. A broken line stops reading with
    // EBrokenLineError; the records before it stay.
    void load(const QString& path, bool replace) {
        if (replace) {
            this->Clear();
        }
        const SharedSave::FileStamp stamp = SharedSave::FileStamp::Of(path);
        // Until the file is read, this copy holds only what it held: a save then adds to the
        // file and never takes what it could not read for deleted.
        sync_.Adopt(stamp, self().Lines());
        if (replace && !QFileInfo::exists(path)) {
            return;
        }
        const TextFile::Lines file = TextFile::ReadLines(path);
        try {
            self().appendLines(file.Readable, path);
        } catch (const EBrokenLineError&) {
            sync_.Adopt(stamp, self().Lines());
            throw;
        }
        sync_.Adopt(stamp, self().Lines());
        file.ThrowIfBroken();
    }

    // MasterSync::Format::Read: the file's records as such a list writes them; empty for an
    // absent file, the lines before the break for a broken one.
    static QStringList ReadFile(const QString& path, bool* complete) {
        Derived list;
        *complete = true;
        if (QFileInfo::exists(path)) {
            try {
                list.LoadFromFile(path);
            } catch (const EBrokenLineError&) {
                // The lines before the break; the file is copied aside before a write.
                *complete = false;
            }
        }
        return list.Lines();
    }

    MasterSync sync_;

  private:
    Derived& self() { return static_cast<Derived&>(*this); }
};
