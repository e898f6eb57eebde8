#pragma once

#include <QString>

#include "Currency.h"
#include "MasterList.h"

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
class TThItemObjectList : public MasterList<TThItemObjectList, TThItemObject> {
  public:
    // Replaces the list by the file's items; an absent file leaves the list empty. A broken
    // line stops reading with EBrokenLineError; the items before it stay.
    void LoadFromFile(const QString& path);
    // Throws when the file at path does not load completely.
    static void CheckFile(const QString& path);

    // One CSV line per item, as the file holds them.
    QStringList Lines() const;

    // How the file's lines are read, paired and named in a merge (MasterSync.h).
    static const MasterSync::Format& Format();

  private:
    friend class MasterList<TThItemObjectList, TThItemObject>;
    void appendLines(const QStringList& lines, const QString& path);
};
