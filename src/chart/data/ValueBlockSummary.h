#pragma once
// A min/max summary of one value list, so that the bounds of any index range,
// and the first or last index of a range whose value meets a test, are found
// without walking the values. Pairs are kept for blocks of 32 values and,
// level above level, for runs of 16 blocks: about half a byte a value. Sync
// brings it up to date: a list that only grew at its end is summarised over
// the new values only; any other change rebuilds it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/LargeBlock.h"

namespace chart {

class TChartValueList;

struct TValueBounds {
    double Min = 0;
    double Max = 0;
};

class TValueBlockSummary {
public:
    static constexpr int32_t kBlockValues = 32;
    static constexpr int32_t kFanOut = 16;

    // What a summary keeps besides whether every value is finite: the
    // bounds (Bounds and the searches) or the order (NonDecreasing).
    enum class TKeeps { Bounds, Order };
    explicit TValueBlockSummary(TKeeps keeps = TKeeps::Bounds) : keeps_(keeps) {}

    void Sync(const TChartValueList& list);

    // Over every raw value of the list as of the last Sync.
    bool AllFinite() const { return allFinite_; }
    bool NonDecreasing() const { return nonDecreasing_; }  // kept for TKeeps::Order

    // Bounds of the raw values a ... b (0 <= a <= b < count).
    TValueBounds Bounds(int32_t a, int32_t b) const;
    // The first (last) index in a ... b whose value v meets test(v, v), or -1.
    // test(lo, hi) on the bounds of a block must hold when some value of the
    // block meets it (it may hold when none does).
    template <typename Test>
    int32_t FindFirst(int32_t a, int32_t b, Test test) const;
    template <typename Test>
    int32_t FindLast(int32_t a, int32_t b, Test test) const;

    std::size_t HeapBytes() const;

private:
    // Values per entry of level k; level -1 is the values themselves.
    static int64_t Span(int level) {
        int64_t span = 1;
        if (level >= 0) span = kBlockValues;
        for (int k = 0; k < level; ++k) span *= kFanOut;
        return span;
    }
    // Value i: stored, or i itself for a list that holds 0, 1, 2, ...
    double Value(int64_t i) const { return data_ ? data_[i] : static_cast<double>(i); }
    TValueBounds Entry(int level, int64_t i) const {
        if (level < 0) return {Value(i), Value(i)};
        return levels_[static_cast<std::size_t>(level)][static_cast<std::size_t>(i / Span(level))];
    }
    int TopLevel() const { return static_cast<int>(levels_.size()) - 1; }
    template <typename Test>
    int64_t Descend(int level, int64_t i, Test& test, bool forward) const;
    // Visits the entries that tile a ... b front to back, each the largest
    // aligned one that fits; visit(level, start, bounds) returns true to stop.
    template <typename Visit>
    void ForEachTile(int32_t a, int32_t b, Visit visit) const;

    // A summary of millions of values is megabytes: a large block costs a
    // few page faults where plain heap pages would cost thousands.
    using Entries = std::vector<TValueBounds, fw::LargeBlockAllocator<TValueBounds>>;
    std::vector<Entries> levels_;
    const double* data_ = nullptr;  // null: the list is 0, 1, 2, ...
    int64_t count_ = 0;
    uint64_t editCount_ = ~uint64_t{0};
    bool allFinite_ = true;
    bool nonDecreasing_ = true;
    TKeeps keeps_;
};

// The matching index inside the entry of `level` that starts at i, the entry
// known to pass the test; -1 when no value inside does after all.
template <typename Test>
int64_t TValueBlockSummary::Descend(int level, int64_t i, Test& test, bool forward) const {
    if (level < 0) return test(Value(i), Value(i)) ? i : -1;
    const int64_t child = Span(level - 1);
    const int64_t parts = Span(level) / child;
    for (int64_t k = 0; k < parts; ++k) {
        const int64_t j = i + (forward ? k : parts - 1 - k) * child;
        const TValueBounds e = Entry(level - 1, j);
        if (!test(e.Min, e.Max)) continue;
        const int64_t found = Descend(level - 1, j, test, forward);
        if (found >= 0) return found;
    }
    return -1;
}

template <typename Visit>
void TValueBlockSummary::ForEachTile(int32_t a, int32_t b, Visit visit) const {
    int64_t i = a;
    const int64_t end = int64_t{b} + 1;
    int level = -1;
    // Up while whole entries of the next level fit, then down.
    while (i < end) {
        while (level < TopLevel() && i % Span(level + 1) == 0 && i + Span(level + 1) <= end) ++level;
        while (level >= 0 && i + Span(level) > end) --level;
        if (visit(level, i, Entry(level, i))) return;
        i += Span(level);
        // Climbing again needs alignment to the next level up.
        while (level >= 0 && i % Span(level) != 0) --level;
    }
}

template <typename Test>
int32_t TValueBlockSummary::FindFirst(int32_t a, int32_t b, Test test) const {
    int64_t found = -1;
    ForEachTile(a, b, [&](int level, int64_t i, const TValueBounds& e) {
        if (test(e.Min, e.Max)) found = Descend(level, i, test, true);
        return found >= 0;
    });
    return static_cast<int32_t>(found);
}

template <typename Test>
int32_t TValueBlockSummary::FindLast(int32_t a, int32_t b, Test test) const {
    // Entries that end at `end`, walked from the back.
    int64_t end = int64_t{b} + 1;
    const int64_t begin = a;
    int level = -1;
    while (end > begin) {
        while (level < TopLevel() && end % Span(level + 1) == 0 && end - Span(level + 1) >= begin) ++level;
        while (level >= 0 && end - Span(level) < begin) --level;
        const int64_t i = end - Span(level);
        const TValueBounds e = Entry(level, i);
        if (test(e.Min, e.Max)) {
            const int64_t found = Descend(level, i, test, false);
            if (found >= 0) return static_cast<int32_t>(found);
        }
        end = i;
        while (level >= 0 && end % Span(level) != 0) --level;
    }
    return -1;
}

}  // namespace chart
