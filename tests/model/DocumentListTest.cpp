#include <gtest/gtest.h>

#include "QtPrint.h"

#include "TThEstimateObjectList.h"

namespace {

std::unique_ptr<TThEstimateObject> named(const char* name) {
    auto line = std::make_unique<TThEstimateObject>();
    line->ItemName = QString::fromUtf8(name);
    return line;
}

QStringList names(const TThEstimateObjectList& d) {
    QStringList result;
    for (int i = 0; i < d.Count(); ++i) {
        result << d.Items(i).ItemName;
    }
    return result;
}

TEST(DocumentList, AddMoveDeleteKeepOrder) {
    TThEstimateObjectList d;
    EXPECT_EQ(d.Add(named("a")), 0);
    EXPECT_EQ(d.Add(named("b")), 1);
    d.Add(named("c"));
    d.Move(2, 0);
    EXPECT_EQ(names(d), QStringList({"c", "a", "b"}));
    d.Move(0, 2);
    EXPECT_EQ(names(d), QStringList({"a", "b", "c"}));
    d.Delete(1);
    EXPECT_EQ(names(d), QStringList({"a", "c"}));
    EXPECT_THROW(d.Delete(2), std::out_of_range);
    d.Clear();
    EXPECT_EQ(d.Count(), 0);
}

TEST(DocumentList, AMoveWithABadIndexThrowsAndLeavesEverySlotFilled) {
    const std::pair<int, int> moves[] = {{0, 3}, {2, -1}, {3, 0}, {-1, 1}};
    for (const auto& [from, to] : moves) {
        TThEstimateObjectList d;
        for (const char* name : {"a", "b", "c"}) {
            d.Add(named(name));
        }
        EXPECT_THROW(d.Move(from, to), std::out_of_range) << from << " -> " << to;
        ASSERT_EQ(d.IndexOf(nullptr), -1) << from << " -> " << to;
        EXPECT_EQ(names(d), QStringList({"a", "b", "c"})) << from << " -> " << to;
    }
}

TEST(DocumentList, PutHandsThePreviousLineBack) {
    TThEstimateObjectList d;
    d.Add(named("old"));
    std::unique_ptr<TThEstimateObject> previous = d.Put(0, named("new"));
    ASSERT_TRUE(previous);
    EXPECT_EQ(previous->ItemName, "old");
    EXPECT_EQ(d.Items(0).ItemName, "new");
}

TEST(DocumentList, SetSubTotalRowClearsTheLine) {
    TThEstimateObjectList d;
    auto line = named("x");
    line->Num = Currency::fromUnits(2);
    line->UnitName = "個";
    line->UnitPrice = Currency::fromUnits(3);
    line->TotalPrice = Currency::fromUnits(6);
    line->Etc = "note";
    line->NoTax = true;
    d.Add(std::move(line));
    d.SetSubTotalRow(0);
    TThEstimateObject expected;
    expected.ItemName = QStringLiteral("■ 小計 ■");
    expected.SubTotalRow = true;
    EXPECT_EQ(d.Items(0), expected);
    EXPECT_FALSE(d.Items(0).Uninput());
}

TEST(Uninput, LooksAtEveryFieldButTheFlags) {
    TThEstimateObject empty;
    EXPECT_TRUE(empty.Uninput());
    TThEstimateObject flagsOnly;
    flagsOnly.NoTax = true;
    flagsOnly.SubTotalRow = true;
    EXPECT_TRUE(flagsOnly.Uninput());

    const std::function<void(TThEstimateObject&)> fills[] = {
        [](TThEstimateObject& l) { l.ItemName = "a"; },
        [](TThEstimateObject& l) { l.Num = Currency::fromRaw(1); },
        [](TThEstimateObject& l) { l.UnitName = "a"; },
        [](TThEstimateObject& l) { l.UnitPrice = Currency::fromRaw(-1); },
        [](TThEstimateObject& l) { l.TotalPrice = Currency::fromRaw(1); },
        [](TThEstimateObject& l) { l.Etc = "a"; },
    };
    for (const auto& fill : fills) {
        TThEstimateObject line;
        fill(line);
        EXPECT_FALSE(line.Uninput());
    }
}

}  // namespace
