#include <gtest/gtest.h>

#include "QtPrint.h"

#include "IniFile.h"
#include "TempDir.h"
#include "ThreeWayMerge.h"

namespace {

// Records "key:value"; the key pairs an edited record with its earlier version.
QString keyOf(const QString& line) {
    return line.section(u':', 0, 0);
}

QString describe(const QString& line) {
    return QStringLiteral("record ") + keyOf(line);
}

const ThreeWayMerge::RecordKind kind{keyOf, describe, [](const QString& line) { return line; }};

QStringList lines(const char* text) {
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

struct RecordCase {
    const char* name;
    const char* base;
    const char* mine;
    const char* theirs;
    const char* merged;     // undecided conflicts keep theirs
    QStringList conflicts;  // subjects
    friend void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }
};

class MergeRecords : public ::testing::TestWithParam<RecordCase> {};

TEST_P(MergeRecords, KeepsBothCopiesChanges) {
    const RecordCase& c = GetParam();
    const ThreeWayMerge::Records merged = ThreeWayMerge::MergeRecords(
        lines(c.base), lines(c.mine), lines(c.theirs), kind, MergeDecisions());
    EXPECT_EQ(merged.Lines, lines(c.merged));
    QStringList subjects;
    for (const MergeConflict& conflict : merged.Conflicts) {
        subjects << conflict.Subject;
    }
    EXPECT_EQ(subjects, c.conflicts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeRecords,
    ::testing::Values(
        RecordCase{"OnlyMine", "a:1 b:1", "a:1 b:2 c:1", "a:1 b:1", "a:1 b:2 c:1", {}},
        RecordCase{"OnlyTheirs", "a:1 b:1", "a:1 b:1", "b:1 a:2", "b:1 a:2", {}},
        // The measured losses: both added, or one imported while the other only looked.
        RecordCase{"BothAdd", "a:1", "a:1 A:1", "a:1 B:1", "a:1 B:1 A:1", {}},
        RecordCase{
            "TheyAppendedMany", "a:1", "a:1 m:1", "a:1 x:1 y:1 z:1", "a:1 x:1 y:1 z:1 m:1", {}},
        RecordCase{"DifferentRecordsEdited",
                   "a:1 b:1 c:1",
                   "a:2 b:1 c:1",
                   "a:1 b:1 c:3",
                   "a:2 b:1 c:3",
                   {}},
        RecordCase{"SameEditBothSides", "a:1 b:1", "a:2 b:1", "a:2 b:1", "a:2 b:1", {}},
        RecordCase{"SameRecordEditedDifferently",
                   "a:1 b:1",
                   "a:2 b:1",
                   "a:3 b:1",
                   "a:3 b:1",
                   {"record a"}},
        RecordCase{"EditedHereDeletedThere", "a:1 b:1", "a:2 b:1", "b:1", "b:1", {"record a"}},
        RecordCase{"DeletedHereEditedThere", "a:1 b:1", "b:1", "a:3 b:1", "a:3 b:1", {"record a"}},
        RecordCase{"BothDeleted", "a:1 b:1", "b:1", "b:1 c:1", "b:1 c:1", {}},
        RecordCase{"DeletedHereUntouchedThere",
                   "a:1 b:1 c:1",
                   "b:1 c:1",
                   "a:1 b:1 c:1 d:1",
                   "b:1 c:1 d:1",
                   {}},
        // A sort here changes no record: the other copy's edit and addition survive it.
        RecordCase{
            "SortedHere", "b:1 a:1 c:1", "a:1 b:1 c:1", "b:2 a:1 c:1 d:1", "a:1 b:2 c:1 d:1", {}},
        // Twins are matched one for one: one of two equal records deleted stays deleted.
        RecordCase{"Twins", "a:1 a:1 b:1", "a:1 b:1", "a:1 a:1 b:1 c:1", "a:1 b:1 c:1", {}},
        RecordCase{
            "AddedAtTheFrontThere", "a:1 b:1", "a:1 b:2", "x:1 a:1 b:1", "x:1 a:1 b:2", {}}));

TEST(MergeRecords, DecisionsSettleTheConflictTheyWereMadeFor) {
    const QStringList base = lines("a:1 b:1");
    const QStringList mine = lines("a:2 b:1");
    const QStringList theirs = lines("a:3 b:1");
    const ThreeWayMerge::Records first =
        ThreeWayMerge::MergeRecords(base, mine, theirs, kind, MergeDecisions());
    ASSERT_EQ(first.Conflicts.size(), 1);
    EXPECT_EQ(first.Conflicts.at(0).Mine, "a:2");
    EXPECT_EQ(first.Conflicts.at(0).Theirs, "a:3");

    for (const bool keepMine : {true, false}) {
        MergeDecisions decisions;
        decisions.Decide(first.Conflicts.at(0), keepMine);
        const ThreeWayMerge::Records settled =
            ThreeWayMerge::MergeRecords(base, mine, theirs, kind, decisions);
        EXPECT_TRUE(settled.Conflicts.isEmpty());
        EXPECT_EQ(settled.Lines, lines(keepMine ? "a:2 b:1" : "a:3 b:1"));
        // The other copy changed the record again after the answer: asked anew.
        const ThreeWayMerge::Records again =
            ThreeWayMerge::MergeRecords(base, mine, lines("a:4 b:1"), kind, decisions);
        EXPECT_EQ(again.Conflicts.size(), 1);
    }
}

TEST(MergeRecords, ADeletionKeptByDecisionRemovesTheirEdit) {
    MergeDecisions decisions;
    decisions.Decide({"record a", MergeConflict::Deleted, "a:3"}, true);
    const ThreeWayMerge::Records merged = ThreeWayMerge::MergeRecords(
        lines("a:1 b:1"), lines("b:1"), lines("a:3 b:1"), kind, decisions);
    EXPECT_TRUE(merged.Conflicts.isEmpty());
    EXPECT_EQ(merged.Lines, lines("b:1"));
}

IniFile ini(const TempDir& dir, const char* name, const char* text) {
    writeFileBytes(dir.path(name), QByteArray(text));
    return IniFile::Load(dir.path(name));
}

TEST(MergeKeys, WritesOnlyWhatThisCopyChanged) {
    TempDir dir;
    const IniFile base = ini(dir, "base.ini", "[SETTING]\r\nTAX=10\r\nMONETARY=yen\r\n");
    IniFile mine = base;
    mine.WriteString("SETTING", "MONETARY", "$");
    mine.WriteString("SETTING", "NEW", "1");
    IniFile theirs = ini(dir, "theirs.ini",
                         "; kept\r\n[SETTING]\r\nTAX=8\r\nMONETARY=yen\r\n[OTHER]\r\nX=1\r\n");
    EXPECT_TRUE(ThreeWayMerge::MergeKeys(base, mine, theirs, MergeDecisions()).isEmpty());
    EXPECT_EQ(theirs.ReadString("SETTING", "TAX", ""), "8");
    EXPECT_EQ(theirs.ReadString("SETTING", "MONETARY", ""), "$");
    EXPECT_EQ(theirs.ReadString("SETTING", "NEW", ""), "1");
    EXPECT_EQ(theirs.ReadString("OTHER", "X", ""), "1");
}

TEST(MergeKeys, AKeyBothChangedIsAConflictUntilDecided) {
    TempDir dir;
    const IniFile base = ini(dir, "base.ini", "[SETTING]\r\nTAX=10\r\n");
    IniFile mine = base;
    mine.WriteString("SETTING", "TAX", "5");
    IniFile theirs = ini(dir, "theirs.ini", "[SETTING]\r\nTAX=8\r\n");
    const QList<MergeConflict> conflicts =
        ThreeWayMerge::MergeKeys(base, mine, theirs, MergeDecisions());
    ASSERT_EQ(conflicts.size(), 1);
    EXPECT_EQ(conflicts.at(0), (MergeConflict{"[SETTING] TAX", "5", "8"}));
    EXPECT_EQ(theirs.ReadString("SETTING", "TAX", ""), "8");

    MergeDecisions keepMine;
    keepMine.Decide(conflicts.at(0), true);
    EXPECT_TRUE(ThreeWayMerge::MergeKeys(base, mine, theirs, keepMine).isEmpty());
    EXPECT_EQ(theirs.ReadString("SETTING", "TAX", ""), "5");
}

TEST(IniFile, EntriesAreTheKeysReadsSee) {
    TempDir dir;
    const IniFile file =
        ini(dir, "a.ini", "[A]\r\nx=1\r\n; c=3\r\nx=2\r\ny = 2 \r\n[B]\r\nz=3\r\n[a]\r\nw=4\r\n");
    const QList<IniFile::Entry> expected{{"A", "x", "1"}, {"A", "y", "2"}, {"B", "z", "3"}};
    EXPECT_EQ(file.Entries(), expected);
}

}  // namespace
