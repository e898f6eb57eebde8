#pragma once

#include <QString>

#include "MasterSync.h"
#include "OwnedList.h"

// One unit of the unit master.
struct TThItemUnitObject {
    QString UnitName;
};

// The unit master, "ItemUnit.dat": one unit per line as it is, empty units included.
class TThItemUnitObjectList : public OwnedList<TThItemUnitObject> {
  public:
    // Replaces the list by the file's units; an absent file leaves the list empty. A line
    // that is not Shift-JIS stops reading with EBrokenLineError; the units before it stay.
    void LoadFromFile(const QString& path);
    // Throws when the file at path does not load completely.
    static void CheckFile(const QString& path);
    // Merges what this list changed since it read the file into the file as it is now, and
    // holds the result (MasterSync.h); choose settles units another copy changed as well.
    // A file on disk that does not load completely is copied aside first (BrokenFile.h).
    void SaveToFile(const QString& path,
                    const SharedSave::ConflictChoice& choose = SharedSave::Refuse);
    // Reads the file again when another copy wrote it and this list holds no unsaved change;
    // true when it did.
    bool ReloadIfChanged(const QString& path);

    QStringList Lines() const;

  private:
    MasterSync sync_;
};
