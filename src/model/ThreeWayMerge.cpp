#include "ThreeWayMerge.h"

#include <QMultiHash>
#include <vector>

#include "IniFile.h"

namespace {

QString conflictId(const MergeConflict& c) {
    return c.Subject + u'\x1f' + c.Mine + u'\x1f' + c.Theirs;
}

// How a list of records came from base: for each base record the index of its version in the
// list (-1: deleted), and for each record of the list the base record it came from (-1: added).
struct Changes {
    std::vector<int> Fate;
    std::vector<int> Origin;
};

Changes changesFrom(const QStringList& base, const QStringList& list,
                    const std::function<QString(const QString&)>& keyOf) {
    Changes c{std::vector<int>(size_t(base.size()), -1), std::vector<int>(size_t(list.size()), -1)};
    // Equal text first, whatever the order: a sorted list has changed no record.
    QHash<QString, QList<int>> byText;
    for (int i = 0; i < base.size(); ++i) {
        byText[base.at(i)].append(i);
    }
    for (int j = 0; j < list.size(); ++j) {
        auto found = byText.find(list.at(j));
        if (found != byText.end() && !found->isEmpty()) {
            const int i = found->takeFirst();
            c.Fate[size_t(i)] = j;
            c.Origin[size_t(j)] = i;
        }
    }
    // Then edits: the unmatched records of the same key, in order.
    QHash<QString, QList<int>> byKey;
    for (int i = 0; i < base.size(); ++i) {
        if (c.Fate[size_t(i)] < 0) {
            const QString key = keyOf(base.at(i));
            if (!key.isEmpty()) {
                byKey[key].append(i);
            }
        }
    }
    for (int j = 0; j < list.size(); ++j) {
        if (c.Origin[size_t(j)] >= 0) {
            continue;
        }
        const QString key = keyOf(list.at(j));
        auto found = key.isEmpty() ? byKey.end() : byKey.find(key);
        if (found != byKey.end() && !found->isEmpty()) {
            const int i = found->takeFirst();
            c.Fate[size_t(i)] = j;
            c.Origin[size_t(j)] = i;
        }
    }
    return c;
}

}  // namespace

std::optional<bool> MergeDecisions::KeepMine(const MergeConflict& conflict) const {
    const auto found = decided_.constFind(conflictId(conflict));
    return found == decided_.constEnd() ? std::nullopt : std::optional<bool>(*found);
}

void MergeDecisions::Decide(const MergeConflict& conflict, bool keepMine) {
    decided_.insert(conflictId(conflict), keepMine);
}

namespace ThreeWayMerge {

Records MergeRecords(const QStringList& base, const QStringList& mine, const QStringList& theirs,
                     const RecordKind& kind, const MergeDecisions& decisions) {
    if (theirs == base) {
        return {mine, {}};
    }
    if (mine == base) {
        return {theirs, {}};
    }
    const Changes m = changesFrom(base, mine, kind.KeyOf);
    const Changes t = changesFrom(base, theirs, kind.KeyOf);
    Records result;

    // Whether mine's version of a record both changed wins; undecided, theirs stays.
    const auto shown = [&](const QString& text) {
        return text == MergeConflict::Deleted ? text : kind.Show(text);
    };
    auto keepMine = [&](const QString& subjectLine, const QString& mineText,
                        const QString& theirsText) {
        const MergeConflict conflict{kind.Subject(subjectLine), shown(mineText), shown(theirsText)};
        const std::optional<bool> decided = decisions.KeepMine(conflict);
        if (!decided) {
            result.Conflicts.append(conflict);
        }
        return decided.value_or(false);
    };

    // Mine's records in mine's order, each as the merge has it; slotOfTheirs tells where a
    // record of theirs landed, so what only theirs has can follow its predecessor.
    QStringList kept;
    std::vector<int> slotOfTheirs(size_t(theirs.size()), -1);
    std::vector<bool> placed(size_t(theirs.size()), false);
    auto place = [&](const QString& line, int theirsIndex) {
        if (theirsIndex >= 0) {
            slotOfTheirs[size_t(theirsIndex)] = int(kept.size());
            placed[size_t(theirsIndex)] = true;
        }
        kept.append(line);
    };
    for (int j = 0; j < mine.size(); ++j) {
        const int i = m.Origin[size_t(j)];
        if (i < 0) {
            place(mine.at(j), -1);
            continue;
        }
        const int k = t.Fate[size_t(i)];
        const bool mineChanged = mine.at(j) != base.at(i);
        if (k < 0) {
            // The other copy deleted it.
            if (mineChanged && keepMine(base.at(i), mine.at(j), MergeConflict::Deleted)) {
                place(mine.at(j), -1);
            }
            continue;
        }
        const QString& theirsText = theirs.at(k);
        const bool theirsChanged = theirsText != base.at(i);
        if (!mineChanged || theirsText == mine.at(j)) {
            place(theirsText, k);
        } else if (!theirsChanged || keepMine(base.at(i), mine.at(j), theirsText)) {
            place(mine.at(j), k);
        } else {
            place(theirsText, k);
        }
    }
    // Records this copy deleted: gone, unless the other copy edited them and keeps its edit.
    for (int i = 0; i < base.size(); ++i) {
        const int k = t.Fate[size_t(i)];
        if (k < 0 || m.Fate[size_t(i)] >= 0) {
            continue;
        }
        if (theirs.at(k) == base.at(i) ||
            keepMine(base.at(i), MergeConflict::Deleted, theirs.at(k))) {
            placed[size_t(k)] = true;
        }
    }
    // What is left of theirs (added there, or kept over this copy's deletion) goes after the
    // nearest record before it in theirs that the result holds.
    std::vector<QStringList> after(size_t(kept.size()) + 1);
    for (int k = 0; k < theirs.size(); ++k) {
        if (placed[size_t(k)]) {
            continue;
        }
        int anchor = -1;
        for (int p = k - 1; p >= 0 && anchor < 0; --p) {
            anchor = slotOfTheirs[size_t(p)];
        }
        after[size_t(anchor + 1)].append(theirs.at(k));
        slotOfTheirs[size_t(k)] = anchor;
    }
    result.Lines = after[0];
    for (qsizetype s = 0; s < kept.size(); ++s) {
        result.Lines.append(kept.at(s));
        result.Lines.append(after[size_t(s) + 1]);
    }
    return result;
}

QList<MergeConflict> MergeKeys(const IniFile& base, const IniFile& mine, IniFile& theirs,
                               const MergeDecisions& decisions) {
    QList<MergeConflict> conflicts;
    for (const IniFile::Entry& entry : mine.Entries()) {
        const std::optional<QString> was = base.Value(entry.Section, entry.Key);
        const std::optional<QString> now = theirs.Value(entry.Section, entry.Key);
        if (was == entry.Value) {
            // A key the file lacks gets this copy's value, which was read as the default: the
            // file holds every key, as saves always wrote them.
            if (!now) {
                theirs.WriteString(entry.Section, entry.Key, entry.Value);
            }
            continue;
        }
        // A key the file lacks was not removed there (no copy removes keys): it reads as the
        // value this copy read.
        if (now && now != was && now != entry.Value) {
            const MergeConflict conflict{QStringLiteral("[%1] %2").arg(entry.Section, entry.Key),
                                         entry.Value, *now};
            const std::optional<bool> decided = decisions.KeepMine(conflict);
            if (!decided) {
                conflicts.append(conflict);
            }
            if (!decided.value_or(false)) {
                continue;
            }
        }
        theirs.WriteString(entry.Section, entry.Key, entry.Value);
    }
    return conflicts;
}

}  // namespace ThreeWayMerge
