#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class IniFile;

// What this copy and another one both changed since this copy read the file.
struct MergeConflict {
    QString Subject;  // the record or key, as the user knows it
    QString Mine;     // this copy's version; Deleted when it removed the record
    QString Theirs;   // the other copy's version; Deleted likewise

    static inline const QString Deleted = QStringLiteral("（削除）");
    friend bool operator==(const MergeConflict&, const MergeConflict&) = default;
};

// The user's answers to conflicts: kept for the next try of the same save, so a conflict is
// asked once; a conflict that changed again on disk meanwhile is a new one.
class MergeDecisions {
  public:
    std::optional<bool> KeepMine(const MergeConflict& conflict) const;
    void Decide(const MergeConflict& conflict, bool keepMine);

  private:
    QHash<QString, bool> decided_;
};

// Three-way merges of what a copy read (base), what it holds now (mine) and what is on disk
// now (theirs): the result carries the changes of both; where both changed the same record
// or key differently, the decisions settle it, and what they do not settle is a conflict.
namespace ThreeWayMerge {

struct Records {
    QStringList Lines;
    QList<MergeConflict> Conflicts;  // undecided; Lines then keeps theirs for them
};

// How records are told apart and shown: the key pairs a record whose text changed with its
// earlier version (empty: the record has none, and an edit counts as a deletion and an
// addition); Subject names a record in a conflict, Show gives a version as the user reads it.
struct RecordKind {
    std::function<QString(const QString&)> KeyOf;
    std::function<QString(const QString&)> Subject;
    std::function<QString(const QString&)> Show;
};

// Records are lines of a master, equal when their text is. The result follows mine's order,
// with the records the other copy added after the record that precedes them there.
Records MergeRecords(const QStringList& base, const QStringList& mine, const QStringList& theirs,
                     const RecordKind& kind, const MergeDecisions& decisions);

// Writes into theirs every key whose value mine changed from base, and the keys theirs lacks;
// a key the other copy changed as well (to another value) is a conflict unless decided.
// Returns the undecided ones.
QList<MergeConflict> MergeKeys(const IniFile& base, const IniFile& mine, IniFile& theirs,
                               const MergeDecisions& decisions);

}  // namespace ThreeWayMerge
