// Value lists: ordered insertion, scaled reads, lazy statistics, sorting
// through the owner, and index errors that leave the list alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "chart/data/ChartValueList.h"
#include "framework/core/Exceptions.h"

namespace chart {
namespace {

// Records what a list tells its owner; sorting swaps every registered list
// and a parallel tag list, as a series swaps its colours and labels.
class FakeOwner : public IValueListOwner {
public:
    TChartValueLists& ValueLists() override { return lists; }
    void NotifyValue(TValueEvent event, int32_t index) override { notified.push_back({event, index}); }
    void Repaint() override { ++repaints; }
    void CheckDataSource() override { ++dataSourceChecks; }
    void SwapValueIndex(int32_t a, int32_t b) override {
        for (TChartValueList* list : lists) list->SwapRaw(a, b);
        std::swap(tags[static_cast<std::size_t>(a)], tags[static_cast<std::size_t>(b)]);
        ++swaps;
    }

    struct Notice {
        TValueEvent event;
        int32_t index;
        bool operator==(const Notice&) const = default;
    };
    TChartValueLists lists;
    std::vector<Notice> notified;
    std::vector<int> tags;
    int repaints = 0;
    int dataSourceChecks = 0;
    int swaps = 0;
};

std::vector<double> Values(const TChartValueList& list) {
    std::vector<double> out;
    for (int32_t i = 0; i < list.Count(); ++i) out.push_back(list.Value(i));
    return out;
}

TEST(ValueListInsertion, AscendingPutsEqualValuesAfterTheExistingOnes) {
    FakeOwner owner;
    TChartValueList list(owner, "X");
    list.SetOrder(loAscending);
    for (double v : {10.0, 20.0, 20.0, 30.0}) list.AddChartValue(v);
    EXPECT_EQ(list.AddChartValue(20), 3);  // after both 20s, before 30
    EXPECT_EQ(list.AddChartValue(15), 1);
    EXPECT_EQ(list.AddChartValue(5), 0);
    EXPECT_EQ(list.AddChartValue(30), 7);
    EXPECT_EQ(Values(list), (std::vector<double>{5, 10, 15, 20, 20, 20, 30, 30}));
}

TEST(ValueListInsertion, DescendingMirrorsAscending) {
    FakeOwner owner;
    TChartValueList list(owner, "X");
    list.SetOrder(loDescending);
    for (double v : {30.0, 20.0, 20.0, 10.0}) list.AddChartValue(v);
    EXPECT_EQ(list.AddChartValue(20), 3);
    EXPECT_EQ(list.AddChartValue(40), 0);
    EXPECT_EQ(list.AddChartValue(5), 6);
    EXPECT_EQ(Values(list), (std::vector<double>{40, 30, 20, 20, 20, 10, 5}));
}

TEST(ValueListInsertion, UnorderedListAppendsEverything) {
    FakeOwner owner;
    TChartValueList list(owner, "Y");
    const std::vector<double> input{5, -3, 9, 9, 0, -100};
    for (std::size_t i = 0; i < input.size(); ++i) EXPECT_EQ(list.AddChartValue(input[i]), static_cast<int32_t>(i));
    EXPECT_EQ(Values(list), input);
}

TEST(ValueListInsertion, RandomAscendingInsertionMatchesUpperBound) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, 40);  // small range: many equal values
    FakeOwner owner;
    TChartValueList list(owner, "X");
    list.SetOrder(loAscending);
    std::vector<double> reference;
    for (int n = 0; n < 500; ++n) {
        const double v = pick(rng);
        const auto pos = std::upper_bound(reference.begin(), reference.end(), v) - reference.begin();
        reference.insert(reference.begin() + pos, v);
        ASSERT_EQ(list.AddChartValue(v), pos);
    }
    EXPECT_EQ(Values(list), reference);
}

TEST(ValueListInsertion, OrderComparesRawValuesNotScaledOnes) {
    FakeOwner owner;
    TChartValueList list(owner, "X");
    list.SetOrder(loAscending);
    list.SetMultiplier(-1);
    EXPECT_EQ(list.AddChartValue(1), 0);
    EXPECT_EQ(list.AddChartValue(2), 1);
    EXPECT_EQ(list.AddChartValue(3), 2);
    EXPECT_EQ(Values(list), (std::vector<double>{-1, -2, -3}));
}

TEST(ValueListInsertion, InsertAllowsCountAndDeleteRemoves) {
    FakeOwner owner;
    TChartValueList list(owner, "Y");
    list.InsertChartValue(0, 1);
    list.InsertChartValue(1, 3);
    list.InsertChartValue(1, 2);
    EXPECT_EQ(Values(list), (std::vector<double>{1, 2, 3}));
    list.Delete(0);
    EXPECT_EQ(Values(list), (std::vector<double>{2, 3}));
    list.ClearValues();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.HeapBytes(), 0u);
}

TEST(ValueListMultiplier, ScalesEveryReadAndStatistic) {
    FakeOwner owner;
    TChartValueList list(owner, "Y");
    list.AddChartValue(3);
    list.AddChartValue(-1);
    list.SetMultiplier(2.0);
    EXPECT_EQ(list.Value(0), 6.0);
    EXPECT_EQ(list.First(), 6.0);
    EXPECT_EQ(list.Last(), -2.0);
    EXPECT_EQ(list.MaxValue(), 6.0);
    EXPECT_EQ(list.MinValue(), -2.0);
    EXPECT_EQ(list.Total(), 4.0);
    EXPECT_EQ(list.TotalABS(), 8.0);
    EXPECT_EQ(list.Locate(6.0), 0);
    EXPECT_EQ(list.Locate(3.0), -1);
    list.SetMultiplier(1.0);
    EXPECT_EQ(list.Value(0), 3.0);
    EXPECT_EQ(list.MaxValue(), 3.0);
}

TEST(ValueListMultiplier, ChangeTellsOwnerOnceAndSameValueNothing) {
    FakeOwner owner;
    TChartValueList list(owner, "Y");
    list.SetMultiplier(1.0);
    EXPECT_TRUE(owner.notified.empty());
    EXPECT_EQ(owner.repaints, 0);
    list.SetMultiplier(0.5);
    EXPECT_EQ(owner.notified, (std::vector<FakeOwner::Notice>{{veRefresh, 0}}));
    EXPECT_EQ(owner.repaints, 1);
}

TEST(ValueListSetters, NotifyOnlyWhatChanged) {
    FakeOwner owner;
    TChartValueList list(owner, "Y");
    list.AddChartValue(1);
    list.AddChartValue(2);
    list.SetValue(1, 7);
    EXPECT_EQ(owner.notified, (std::vector<FakeOwner::Notice>{{veModify, 1}}));
    EXPECT_EQ(owner.repaints, 0);  // a value write does not repaint by itself

    list.SetDateTime(false);
    EXPECT_EQ(owner.repaints, 0);
    list.SetDateTime(true);
    EXPECT_EQ(owner.repaints, 1);

    list.SetValueSource("");
    EXPECT_EQ(owner.dataSourceChecks, 0);
    list.SetValueSource("Field");
    list.SetValueSource("Field");
    EXPECT_EQ(owner.dataSourceChecks, 1);

    list.SetOrder(loDescending);  // plain store, no re-sort, no repaint
    EXPECT_EQ(Values(list), (std::vector<double>{1, 7}));
    EXPECT_EQ(owner.repaints, 1);
}

TEST(ValueListStatistics, NewListIsAllZero) {
    FakeOwner owner;
    TChartValueList list(owner, "Y");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.MaxValue(), 0);
    EXPECT_EQ(list.Total(), 0);
    EXPECT_EQ(list.TotalABS(), 0);
}

TEST(ValueListStatistics, MatchStraightforwardLoopOnRandomData) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> pick(-1e3, 1e3);
    FakeOwner owner;
    TChartValueList list(owner, "Y");
    std::vector<double> raw;
    for (int n = 0; n < 300; ++n) {
        raw.push_back(pick(rng));
        list.AddChartValue(raw.back());
    }
    list.SetMultiplier(-0.25);
    double lo = INFINITY, hi = -INFINITY, sum = 0, sumAbs = 0;
    for (double r : raw) {
        const double v = r * -0.25;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        sum += v;
        sumAbs += std::fabs(v);
    }
    EXPECT_EQ(list.MinValue(), lo);
    EXPECT_EQ(list.MaxValue(), hi);
    EXPECT_EQ(list.Total(), sum);
    EXPECT_EQ(list.TotalABS(), sumAbs);
}

// The statistics are kept until a change and then follow it: after every
// kind of change, read twice, they equal a walk over the scaled values.
TEST(ValueListStatistics, FollowEveryKindOfChange) {
    FakeOwner owner;
    TChartValueList list(owner, "Y");
    for (int n = 0; n < 100; ++n) list.AddChartValue(n);
    const auto expectWalk = [&list](const char* change) {
        SCOPED_TRACE(change);
        double lo = list.Value(0), hi = lo, sum = 0, sumAbs = 0;
        for (int32_t i = 0; i < list.Count(); ++i) {
            const double v = list.Value(i);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            sum += v;
            sumAbs += std::fabs(v);
        }
        for (int read = 0; read < 2; ++read) {
            EXPECT_EQ(list.MinValue(), lo);
            EXPECT_EQ(list.MaxValue(), hi);
            EXPECT_EQ(list.Total(), sum);
            EXPECT_EQ(list.TotalABS(), sumAbs);
        }
    };
    expectWalk("filled");
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.Total(), 4950);

    list.AddChartValue(-5);
    expectWalk("added");
    EXPECT_EQ(list.MinValue(), -5);
    list.SetValue(0, 500);
    expectWalk("set");
    EXPECT_EQ(list.MaxValue(), 500);
    list.Delete(0);
    expectWalk("deleted");
    list.SetMultiplier(3);
    expectWalk("scaled");
    EXPECT_EQ(list.MaxValue(), 99 * 3);
    list.Scroll();
    expectWalk("scrolled");
}

TEST(ValueListErrors, OutOfRangeIndexFailsAndLeavesListUnchanged) {
    FakeOwner owner;
    TChartValueList list(owner, "Y");
    for (double v : {1.0, 2.0, 3.0}) list.AddChartValue(v);
    const auto before = Values(list);
    const double total = list.Total();

    auto expectListError = [&](auto&& call, int32_t index) {
        try {
            call();
            ADD_FAILURE() << "no error for index " << index;
        } catch (const fw::EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
        }
        EXPECT_EQ(Values(list), before);
    };
    expectListError([&] { list.Value(3); }, 3);
    expectListError([&] { list.Value(-1); }, -1);
    expectListError([&] { list.SetValue(3, 9); }, 3);
    expectListError([&] { list.Delete(3); }, 3);
    expectListError([&] { list.Delete(-2); }, -2);
    expectListError([&] { list.InsertChartValue(4, 9); }, 4);
    expectListError([&] { list.InsertChartValue(-1, 9); }, -1);
    EXPECT_TRUE(owner.notified.empty());
    EXPECT_EQ(list.Total(), total);

    TChartValueList empty(owner, "Z");
    EXPECT_THROW(empty.First(), fw::EListError);
    EXPECT_THROW(empty.Last(), fw::EListError);
}

TEST(ValueListOperations, FillSequenceScrollAndLocate) {
    FakeOwner owner;
    TChartValueList list(owner, "X");
    for (double v : {7.0, 8.0, 9.0}) list.AddChartValue(v);
    list.FillSequence();
    EXPECT_EQ(Values(list), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(owner.notified, (std::vector<FakeOwner::Notice>{{veModify, 0}, {veModify, 1}, {veModify, 2}}));
    list.Scroll();
    EXPECT_EQ(Values(list), (std::vector<double>{1, 2, 0}));
    list.AddChartValue(2);
    EXPECT_EQ(list.Locate(2), 1);  // the first of two equal values
    EXPECT_EQ(list.Locate(5), -1);
}

TEST(ValueListOperations, FirstIndexNotBelowHalvesOnlyWhereTheScaledValuesAscend) {
    FakeOwner owner;
    TChartValueList list(owner, "X");
    list.SetOrder(loAscending);
    for (double v : {1.0, 2.0, 2.0, 2.0, 3.0}) list.AddChartValue(v);
    EXPECT_EQ(list.FirstIndexNotBelow(2, 0), 1);
    EXPECT_EQ(list.FirstIndexNotBelow(2.5, 0), 4);
    EXPECT_EQ(list.FirstIndexNotBelow(0, 0), 0);
    EXPECT_EQ(list.FirstIndexNotBelow(9, 0), 5);
    EXPECT_EQ(list.FirstIndexNotBelow(0, 3), 3);  // never before `from`
    EXPECT_EQ(list.FirstIndexNotBelow(0, 5), 5);
    EXPECT_THROW(list.FirstIndexNotBelow(0, 6), fw::EListError);
    list.SetMultiplier(10);
    EXPECT_EQ(list.FirstIndexNotBelow(25, 0), 4);
    // A negative scale turns the values round: the first one, -10, is
    // already not below -15, which halving would miss.
    list.SetMultiplier(-10);
    EXPECT_EQ(list.FirstIndexNotBelow(-15, 0), 0);
    EXPECT_EQ(list.FirstIndexNotBelow(0, 0), 5);
}

TEST(ValueListOperations, AssignCopiesSettingsOnly) {
    FakeOwner owner;
    TChartValueList source(owner, "Source");
    source.SetOrder(loDescending);
    source.SetDateTime(true);
    source.SetMultiplier(4);
    source.SetValueSource("Field");
    source.AddChartValue(1);
    TChartValueList target(owner, "Target");
    target.AddChartValue(2);
    target.Assign(source);
    EXPECT_EQ(target.Order(), loDescending);
    EXPECT_TRUE(target.DateTime());
    EXPECT_EQ(target.Multiplier(), 4);
    EXPECT_EQ(target.ValueSource(), "Field");
    EXPECT_EQ(target.Name(), "Target");
    EXPECT_EQ(Values(target), (std::vector<double>{8}));
    EXPECT_EQ(target.MaxValue(), 8);  // statistics follow the new multiplier
}

TEST(ValueLists, RegisterInCreationOrderAndLeaveWhenDestroyed) {
    FakeOwner owner;
    TChartValueList x(owner, "X");
    TChartValueList y(owner, "Y");
    {
        TChartValueList z(owner, "Z");
        ASSERT_EQ(owner.lists.Count(), 3);
        EXPECT_EQ(owner.lists.ValueList(2), &z);
    }
    ASSERT_EQ(owner.lists.Count(), 2);
    EXPECT_EQ(owner.lists.ValueList(0), &x);
    EXPECT_EQ(owner.lists.ValueList(1), &y);
    EXPECT_THROW(owner.lists.ValueList(2), fw::EListError);
}

// Sorting goes through the owner so that parallel lists follow; checked
// against std::stable_sort of (value, tag) pairs on data with many duplicates.
void CheckSort(TChartListOrder order, int seed, int count) {
    std::mt19937 rng(static_cast<unsigned>(seed));
    std::uniform_int_distribution<int> pick(0, count / 3 + 1);
    FakeOwner owner;
    TChartValueList x(owner, "X");
    TChartValueList y(owner, "Y");
    std::vector<std::pair<double, int>> pairs;
    for (int n = 0; n < count; ++n) {
        const double v = pick(rng);
        x.InsertChartValue(x.Count(), v);
        y.InsertChartValue(y.Count(), n);
        owner.tags.push_back(n);
        pairs.push_back({v, n});
    }
    x.SetOrder(order);
    x.Sort();
    for (int32_t i = 0; i < x.Count(); ++i) {
        // The Y value and the tag both followed their X value.
        EXPECT_EQ(y.Value(i), owner.tags[static_cast<std::size_t>(i)]);
        EXPECT_EQ(pairs[static_cast<std::size_t>(owner.tags[static_cast<std::size_t>(i)])].first, x.Value(i));
        if (i > 0 && order == loAscending) {
            EXPECT_LE(x.Value(i - 1), x.Value(i));
        }
        if (i > 0 && order == loDescending) {
            EXPECT_GE(x.Value(i - 1), x.Value(i));
        }
    }
    std::vector<int> tags = owner.tags;
    std::sort(tags.begin(), tags.end());
    for (int n = 0; n < count; ++n) EXPECT_EQ(tags[static_cast<std::size_t>(n)], n);  // a permutation
}

TEST(ValueListSort, SortsWholeOwnerAscendingAndDescending) {
    for (int count : {2, 3, 5, 17, 100, 257}) {
        for (int seed = 1; seed <= 5; ++seed) {
            CheckSort(loAscending, seed, count);
            CheckSort(loDescending, seed + 100, count);
        }
    }
}

TEST(ValueListSort, UnorderedListDoesNotSort) {
    FakeOwner owner;
    TChartValueList x(owner, "X");
    for (double v : {3.0, 1.0, 2.0}) {
        x.AddChartValue(v);
        owner.tags.push_back(0);
    }
    x.Sort();
    EXPECT_EQ(owner.swaps, 0);
    EXPECT_EQ(Values(x), (std::vector<double>{3, 1, 2}));
}

}  // namespace
}  // namespace chart
