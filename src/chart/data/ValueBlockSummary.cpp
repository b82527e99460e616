#include "chart/data/ValueBlockSummary.h"

#include <algorithm>
#include <cmath>

#include "chart/data/ChartValueList.h"
#include "framework/core/RunBoth.h"

namespace chart {
namespace {

// The loops below are written without early exits or branches so that the
// compiler turns them into vector code: appending millions of values pays
// for every nanosecond a value spends here.

// x - x is 0 for a finite x and NaN for an infinity or a NaN; four lanes of
// sums of it are vector code.
bool AnyNonFinite(const double* data, int64_t from, int64_t to) {
    double lanes[4] = {0, 0, 0, 0};
    int64_t i = from;
    for (; i + 4 <= to; i += 4) {
        for (int j = 0; j < 4; ++j) lanes[j] += data[i + j] - data[i + j];
    }
    double rest = 0;
    for (; i < to; ++i) rest += data[i] - data[i];
    return !(lanes[0] + lanes[1] + lanes[2] + lanes[3] + rest == 0);
}

// A value below the one before it, or a NaN beside it, breaks the order.
bool AnyDescent(const double* data, int64_t from, int64_t to) {
    bool descent = false;
    for (int64_t i = std::max<int64_t>(from, 1); i < to; ++i) descent |= !(data[i - 1] <= data[i]);
    return descent;
}

// Bounds of one block of values, four lanes at a time.
TValueBounds BlockBounds(const double* p) {
    static_assert(TValueBlockSummary::kBlockValues % 4 == 0);
    double lo[4] = {p[0], p[1], p[2], p[3]};
    double hi[4] = {p[0], p[1], p[2], p[3]};
    for (int k = 4; k < TValueBlockSummary::kBlockValues; k += 4) {
        for (int j = 0; j < 4; ++j) {
            lo[j] = std::min(lo[j], p[k + j]);
            hi[j] = std::max(hi[j], p[k + j]);
        }
    }
    return {std::min(std::min(lo[0], lo[1]), std::min(lo[2], lo[3])),
            std::max(std::max(hi[0], hi[1]), std::max(hi[2], hi[3]))};
}

struct Checked {
    bool finite = true;
    bool ordered = true;
};

// Checks the values [from, to) (whether they are finite, and in order when
// `order`), and puts the bounds of the blocks from firstBlock on that end
// by `to` into blocks (when there are blocks). The values go in chunks that
// stay in the cache while every test and the block bounds read them: they
// are read from memory once.
Checked Summarise(const double* data, int64_t from, int64_t to, int64_t firstBlock,
                  std::vector<TValueBounds, fw::LargeBlockAllocator<TValueBounds>>* blocks, bool order) {
    constexpr int64_t kBlock = TValueBlockSummary::kBlockValues;
    constexpr int64_t kChunk = 64 * kBlock;
    Checked checked;
    int64_t block = firstBlock;
    while (from < to) {
        const int64_t end = std::min(to, (from / kChunk + 1) * kChunk);
        checked.finite = checked.finite && !AnyNonFinite(data, from, end);
        if (order) checked.ordered = checked.ordered && !AnyDescent(data, from, end);
        for (; blocks && (block + 1) * kBlock <= end; ++block) {
            (*blocks)[static_cast<std::size_t>(block)] = BlockBounds(data + block * kBlock);
        }
        from = end;
    }
    return checked;
}

}  // namespace

void TValueBlockSummary::Sync(const TChartValueList& list) {
    const int64_t n = list.Count();
    const double* data = list.RawData();
    int64_t validBelow = count_;
    if (list.EditCount() != editCount_ || n < count_) {
        // Values rewritten in place are summarised again over the same
        // storage; any other change starts afresh.
        if (n != count_ || data != data_) std::vector<Entries>().swap(levels_);
        validBelow = 0;
        allFinite_ = true;
        nonDecreasing_ = true;
    }
    data_ = data;
    count_ = n;
    editCount_ = list.EditCount();
    const bool bounds = keeps_ == TKeeps::Bounds;
    Entries* blocks = nullptr;
    int64_t nextBlock = 0;
    if (bounds) {
        if (levels_.empty()) levels_.emplace_back();
        blocks = &levels_[0];
        nextBlock = std::min(validBelow / kBlockValues, static_cast<int64_t>(blocks->size()));
        blocks->resize(static_cast<std::size_t>(n / kBlockValues));
    }
    if (data) {
        // Halves of millions of new values on two threads; each summarises
        // whole chunks, so no block straddles the two.
        constexpr int64_t kChunk = 64 * kBlockValues;
        const int64_t mid = (validBelow + n) / 2 / kChunk * kChunk;
        Checked first, second;
        if (n - validBelow >= fw::kRunBothMinValues && mid > validBelow) {
            fw::RunBoth([&] { second = Summarise(data, mid, n, mid / kBlockValues, blocks, !bounds); },
                        [&] { first = Summarise(data, validBelow, mid, nextBlock, blocks, !bounds); });
        } else {
            first = Summarise(data, validBelow, n, nextBlock, blocks, !bounds);
        }
        allFinite_ = allFinite_ && first.finite && second.finite;
        nonDecreasing_ = nonDecreasing_ && first.ordered && second.ordered;
    }
    // A sequence is finite and ascending, and its blocks' bounds are their ends.
    for (; !data && blocks && (nextBlock + 1) * kBlockValues <= n; ++nextBlock) {
        (*blocks)[static_cast<std::size_t>(nextBlock)] = {static_cast<double>(nextBlock * kBlockValues),
                                                          static_cast<double>((nextBlock + 1) * kBlockValues - 1)};
    }
    if (!bounds) return;
    for (int level = 1;; ++level) {
        const int64_t span = Span(level);
        const auto entries = static_cast<std::size_t>(n / span);
        if (entries == 0) {
            levels_.resize(static_cast<std::size_t>(level));
            break;
        }
        if (levels_.size() <= static_cast<std::size_t>(level)) levels_.emplace_back();
        Entries& entry = levels_[static_cast<std::size_t>(level)];
        const std::size_t from = std::min(static_cast<std::size_t>(validBelow / span), entry.size());
        entry.resize(entries);
        for (std::size_t e = from; e < entries; ++e) {
            const int64_t start = static_cast<int64_t>(e) * span;
            const int64_t child = Span(level - 1);
            TValueBounds bounds = Entry(level - 1, start);
            for (int64_t k = 1; k < kFanOut; ++k) {
                const TValueBounds c = Entry(level - 1, start + k * child);
                bounds.Min = std::min(bounds.Min, c.Min);
                bounds.Max = std::max(bounds.Max, c.Max);
            }
            entry[e] = bounds;
        }
    }
}

TValueBounds TValueBlockSummary::Bounds(int32_t a, int32_t b) const {
    TValueBounds r = Entry(-1, a);
    ForEachTile(a, b, [&r](int, int64_t, const TValueBounds& e) {
        r.Min = std::min(r.Min, e.Min);
        r.Max = std::max(r.Max, e.Max);
        return false;
    });
    return r;
}

std::size_t TValueBlockSummary::HeapBytes() const {
    std::size_t bytes = levels_.capacity() * sizeof(Entries);
    for (const auto& level : levels_) bytes += level.capacity() * sizeof(TValueBounds);
    return bytes;
}

}  // namespace chart
