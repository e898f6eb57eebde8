#pragma once

#include <QString>

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
    // A file on disk that does not load completely is copied aside first (BrokenFile.h).
    void SaveToFile(const QString& path) const;
};
