// A value list that holds 0, 1, 2, ... without storing them behaves, through
// every operation, exactly as a list that stores the same values: random
// scripts of changes run on both, and every read must agree bit for bit.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "chart/data/ChartValueList.h"
#include "framework/core/Exceptions.h"

namespace chart {
namespace {

// Swaps every list it owns, as a series does, and logs what it is told.
class LoggingOwner : public IValueListOwner {
public:
    TChartValueLists& ValueLists() override { return lists; }
    void NotifyValue(TValueEvent event, int32_t index) override {
        Log("notify " + std::to_string(event) + " " + std::to_string(index));
    }
    void Repaint() override { Log("repaint"); }
    void CheckDataSource() override { Log("source"); }
    void SwapValueIndex(int32_t a, int32_t b) override {
        for (TChartValueList* list : lists) list->SwapRaw(a, b);
        Log("swap " + std::to_string(a) + " " + std::to_string(b));
    }
    void Log(const std::string& line) { log.push_back(line); }

    TChartValueLists lists;
    std::vector<std::string> log;
};

uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v); }

// Runs one operation and logs its result, or the error it raised.
template <typename Operation>
void Try(LoggingOwner& owner, Operation operation) {
    try {
        owner.Log("= " + std::to_string(operation()));
    } catch (const fw::Exception& e) {
        owner.Log("error " + e.Message());
    }
}

// Values that continue the sequence, break it in every way (a fraction, a
// repeat, a step back, -0.0 for 0, a NaN, an infinity) or lie anywhere.
double PickValue(std::mt19937& rng, int32_t count) {
    switch (std::uniform_int_distribution<int>(0, 9)(rng)) {
    case 0:
    case 1:
    case 2: return count;
    case 3: return count + 0.5;
    case 4: return count - 1;
    case 5: return count == 0 ? -0.0 : std::uniform_int_distribution<int>(0, count - 1)(rng);
    case 6: return std::numeric_limits<double>::quiet_NaN();
    case 7: return -std::numeric_limits<double>::infinity();
    default: return std::uniform_real_distribution<double>(-50, 50)(rng);
    }
}

int32_t PickIndex(std::mt19937& rng, int32_t count) {
    // Mostly inside, sometimes just outside either end.
    return std::uniform_int_distribution<int32_t>(-1, count)(rng);
}

// One random change, the same on both lists (same seed), then the reads.
void Step(std::mt19937 rng, LoggingOwner& owner, TChartValueList& list, TChartValueList& settings) {
    const int32_t count = list.Count();
    const int kind = std::uniform_int_distribution<int>(0, 15)(rng);
    const double v = PickValue(rng, count);
    const int32_t index = PickIndex(rng, count);
    owner.Log("op " + std::to_string(kind));
    switch (kind) {
    case 0:
    case 1:
    case 2: Try(owner, [&] { return list.AddChartValue(v); }); break;
    case 3:
        Try(owner, [&] {
            list.InsertChartValue(index, v);
            return 0;
        });
        break;
    case 4:
        Try(owner, [&] {
            list.SetValue(index, std::uniform_int_distribution<int>(0, 1)(rng) ? index : v);
            return 0;
        });
        break;
    case 5:
        Try(owner, [&] {
            list.Delete(std::uniform_int_distribution<int>(0, 1)(rng) ? count - 1 : index);
            return 0;
        });
        break;
    case 6:
        if (std::uniform_int_distribution<int>(0, 3)(rng) == 0) list.ClearValues();
        break;
    case 7: list.Sort(); break;
    case 8: list.Scroll(); break;
    case 9: {
        const double m[] = {1.0, 2.0, -1.0, 0.5, 0.0, -0.0, 1.0};
        list.SetMultiplier(m[std::uniform_int_distribution<int>(0, 6)(rng)]);
        break;
    }
    case 10: {
        const TChartListOrder orders[] = {loNone, loAscending, loDescending, loAscending};
        list.SetOrder(orders[std::uniform_int_distribution<int>(0, 3)(rng)]);
        break;
    }
    case 11: list.FillSequence(); break;
    case 12: list.Assign(settings); break;
    case 13: {
        const auto n = std::uniform_int_distribution<std::size_t>(0, 40)(rng);
        list.EnsureRoom(n);
        list.AppendSequence(std::uniform_int_distribution<int>(0, 3)(rng) ? count : v, n);
        break;
    }
    case 14: {
        std::vector<double> values(std::uniform_int_distribution<std::size_t>(0, 40)(rng));
        for (std::size_t k = 0; k < values.size(); ++k) values[k] = static_cast<double>(count) + static_cast<double>(k);
        if (!values.empty() && std::uniform_int_distribution<int>(0, 1)(rng))
            values[std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(rng)] = v;
        list.EnsureRoom(values.size());
        list.AppendRaw(values.data(), values.size());
        break;
    }
    default: {
        // A point appended as a series appends one after all the others.
        if (list.Order() == loDescending && count > 0 && !(list.LastRaw() >= v)) break;
        if (list.Order() == loAscending && count > 0 && !(list.LastRaw() <= v)) break;
        list.PrepareInsert(count, v);
        list.AppendInOrder(v);
        break;
    }
    }
}

// Everything a list tells about its values.
std::vector<uint64_t> Reads(std::mt19937 rng, const TChartValueList& list) {
    std::vector<uint64_t> out{static_cast<uint64_t>(list.Count()), Bits(list.MinValue()), Bits(list.MaxValue()),
                              Bits(list.Total()), Bits(list.TotalABS())};
    for (int32_t i = 0; i < list.Count(); ++i) out.push_back(Bits(list.Value(i)));
    for (int k = 0; k < 4; ++k) {
        const double v = PickValue(rng, list.Count()) * list.Multiplier();
        const int32_t from = std::uniform_int_distribution<int32_t>(0, list.Count())(rng);
        out.push_back(static_cast<uint64_t>(list.Locate(v)));
        out.push_back(static_cast<uint64_t>(list.FirstIndexNotBelow(v, from)));
        out.push_back(static_cast<uint64_t>(list.InsertionIndex(v)));
    }
    if (list.Count() > 0) out.push_back(Bits(list.LastRaw()));
    return out;
}

TEST(ValueListSequence, EveryOperationReadsAsOnAStoredList) {
    int stayedSequence = 0, brokeSequence = 0, sharedSteps = 0;
    for (uint32_t script = 0; script < 300; ++script) {
        LoggingOwner owner, storedOwner, settingsOwner;
        TChartValueList list(owner, "X"), stored(storedOwner, "X");
        TChartValueList settings(settingsOwner, "S"), storedSettings(settingsOwner, "S");
        for (TChartValueList* s : {&settings, &storedSettings}) {
            s->SetOrder(loDescending);
            s->SetMultiplier(3.0);
        }
        list.SetOrder(loAscending);
        stored.SetOrder(loAscending);
        std::mt19937 rng(script);
        // Every other script starts from a block the list adopts: a run of
        // the sequence or any values.
        if (script % 2 == 1) {
            const int32_t n = std::uniform_int_distribution<int32_t>(1, 30)(rng);
            std::shared_ptr<double[]> block(new double[static_cast<std::size_t>(n)]);
            for (int32_t i = 0; i < n; ++i)
                block[static_cast<std::size_t>(i)] = script % 4 == 1 ? i : PickValue(rng, i);
            list.Adopt(block, n);
            stored.AppendRaw(block.get(), static_cast<std::size_t>(n));
            ASSERT_TRUE(list.IsShared());
        }
        for (int step = 0; step < 60; ++step) {
            const uint32_t seed = static_cast<uint32_t>(rng());
            stored.Materialise();
            if (list.IsShared()) ++sharedSteps;
            Step(std::mt19937(seed), owner, list, settings);
            Step(std::mt19937(seed), storedOwner, stored, storedSettings);
            stored.Materialise();
            ASSERT_FALSE(stored.IsSequence());
            ASSERT_EQ(Reads(std::mt19937(seed), list), Reads(std::mt19937(seed), stored))
                << "script " << script << " step " << step;
            ASSERT_EQ(owner.log, storedOwner.log) << "script " << script << " step " << step;
        }
        (list.IsSequence() ? stayedSequence : brokeSequence)++;
    }
    EXPECT_GT(sharedSteps, 100);
    // Both kinds of ending were met, so neither path went untested.
    EXPECT_GT(stayedSequence, 10);
    EXPECT_GT(brokeSequence, 10);
}

TEST(ValueListSequence, OnlyABreakOfTheSequenceStoresValues) {
    LoggingOwner owner;
    TChartValueList list(owner, "X");
    list.SetOrder(loAscending);
    list.AppendSequence(0, 1000);
    for (int32_t i = 1000; i < 2000; ++i) list.AddChartValue(i);
    list.SetValue(7, 7);
    list.Delete(1999);
    list.Sort();
    EXPECT_TRUE(list.IsSequence());
    EXPECT_EQ(list.HeapBytes(), 0u);
    EXPECT_EQ(list.Count(), 1999);

    list.AddChartValue(1998.5);
    EXPECT_FALSE(list.IsSequence());
    EXPECT_EQ(list.Value(1998), 1998);
    EXPECT_EQ(list.Value(1999), 1998.5);
}

}  // namespace
}  // namespace chart

namespace chart {
namespace {

// Large storage survives a Clear for the refill that follows it, and goes
// once the owner releases what a refill did not take.
TEST(ValueListStorage, ARefillAfterAClearReusesTheStorageUntilReleased) {
    LoggingOwner owner;
    TChartValueList list(owner, "Y");
    std::vector<double> values(1 << 20);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = std::sin(static_cast<double>(i));
    list.AppendRaw(values.data(), values.size());
    const double* storage = list.RawData();

    list.ClearValues();
    EXPECT_EQ(list.Count(), 0);
    list.AppendRaw(values.data(), values.size());
    EXPECT_EQ(list.RawData(), storage);

    // A smaller refill takes it too and keeps its values when the rest goes.
    list.ClearValues();
    for (int i = 0; i < 100; ++i) list.AddChartValue(values[static_cast<std::size_t>(i)] + 1);
    EXPECT_EQ(list.RawData(), storage);
    list.ReleaseSpareStorage();
    for (int32_t i = 0; i < 100; ++i) ASSERT_EQ(list.Value(i), values[static_cast<std::size_t>(i)] + 1);

    // Nothing refills: released, the list holds no memory.
    list.ClearValues();
    EXPECT_GT(list.HeapBytes(), 0u);
    list.ReleaseSpareStorage();
    EXPECT_EQ(list.HeapBytes(), 0u);
}

}  // namespace
}  // namespace chart
