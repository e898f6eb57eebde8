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
    // Replaces the list by the file's units; an absent file leaves the list empty.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path) const;
};
