#pragma once

#include <QString>

#include "Currency.h"
#include "MasterSync.h"
#include "OwnedList.h"

// One item of the item master.
struct TThItemObject {
    // The unit of an item that has none; picking such an item leaves the line's unit empty.
    static inline const QString NoUnit = QStringLiteral("＜なし＞");

    QString ItemName;
    QString UnitName;
    Currency UnitPrice;
    // Picked into a qualified invoice, the line is taxed at the reduced rate.
    bool Reduced = false;

    friend bool operator==(const TThItemObject&, const TThItemObject&) = default;
};

// The item master, "ItemList.dat": CSV lines of name, unit and unit price. A marked item
// has a fourth field "軽減"; readers of three fields pass over it, and a file without
// marked items is exactly as before.
class TThItemObjectList : public OwnedList<TThItemObject> {
  public:
    // Replaces the list by the file's items; an absent file leaves the list empty. A broken
    // line stops reading with EBrokenLineError; the items before it stay.
    void LoadFromFile(const QString& path);
    // Throws when the file at path does not load completely.
    static void CheckFile(const QString& path);
    // Merges what this list changed since it read the file into the file as it is now, and
    // holds the result (MasterSync.h); choose settles items another copy changed as well.
    // A file on disk that does not load completely is copied aside first (BrokenFile.h).
    void SaveToFile(const QString& path,
                    const SharedSave::ConflictChoice& choose = SharedSave::Refuse);
    // Reads the file again when another copy wrote it and this list holds no unsaved change;
    // true when it did.
    bool ReloadIfChanged(const QString& path);

    // One CSV line per item, as the file holds them.
    QStringList Lines() const;

  private:
    void appendLines(const QStringList& lines, const QString& path);

    MasterSync sync_;
};
