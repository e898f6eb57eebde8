#pragma once

#include <QString>

#include "MasterList.h"

// One unit of the unit master.
struct TThItemUnitObject {
    QString UnitName;
};

// The unit master, "ItemUnit.dat": one unit per line as it is, empty units included.
class TThItemUnitObjectList : public MasterList<TThItemUnitObjectList, TThItemUnitObject> {
  public:
    // Replaces the list by the file's units; an absent file leaves the list empty. A line
    // that is not Shift-JIS stops reading with EBrokenLineError; the units before it stay.
    void LoadFromFile(const QString& path);
    // Throws when the file at path does not load completely.
    static void CheckFile(const QString& path);
    QStringList Lines() const;
    // How the file's lines are read, paired and named in a merge (MasterSync.h).
    static const MasterSync::Format& Format();

  private:
    friend class MasterList<TThItemUnitObjectList, TThItemUnitObject>;
    void appendLines(const QStringList& lines, const QString& path);
};
