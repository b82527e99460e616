#include "chart/data/ValueBlockSummary.h"

#include <algorithm>
#include <cmath>

#include "chart/data/ChartValueList.h"

namespace chart {

void TValueBlockSummary::Sync(const TChartValueList& list) {
    const int64_t n = list.Count();
    const double* data = list.RawData();
    int64_t validBelow = count_;
    if (list.EditCount() != editCount_ || n < count_) {
        std::vector<std::vector<TValueBounds>>().swap(levels_);
        validBelow = 0;
        allFinite_ = true;
        nonDecreasing_ = true;
    }
    for (int64_t i = validBelow; i < n; ++i) {
        allFinite_ = allFinite_ && std::isfinite(data[i]);
        if (i > 0 && !(data[i - 1] <= data[i])) nonDecreasing_ = false;
    }
    data_ = data;
    count_ = n;
    editCount_ = list.EditCount();
    for (int level = 0;; ++level) {
        const int64_t span = Span(level);
        const auto entries = static_cast<std::size_t>(n / span);
        if (entries == 0) {
            levels_.resize(static_cast<std::size_t>(level));
            break;
        }
        if (levels_.size() <= static_cast<std::size_t>(level)) levels_.emplace_back();
        std::vector<TValueBounds>& entry = levels_[static_cast<std::size_t>(level)];
        const std::size_t from = std::min(static_cast<std::size_t>(validBelow / span), entry.size());
        entry.resize(entries);
        for (std::size_t e = from; e < entries; ++e) {
            const int64_t start = static_cast<int64_t>(e) * span;
            const int64_t parts = level == 0 ? kBlockValues : kFanOut;
            const int64_t child = Span(level - 1);
            TValueBounds bounds = Entry(level - 1, start);
            for (int64_t k = 1; k < parts; ++k) {
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
    int64_t i = a;
    const int64_t end = int64_t{b} + 1;
    int level = -1;
    while (i < end) {
        while (level < TopLevel() && i % Span(level + 1) == 0 && i + Span(level + 1) <= end) ++level;
        while (level >= 0 && i + Span(level) > end) --level;
        const TValueBounds e = Entry(level, i);
        r.Min = std::min(r.Min, e.Min);
        r.Max = std::max(r.Max, e.Max);
        i += Span(level);
        while (level >= 0 && i % Span(level) != 0) --level;
    }
    return r;
}

std::size_t TValueBlockSummary::HeapBytes() const {
    std::size_t bytes = levels_.capacity() * sizeof(std::vector<TValueBounds>);
    for (const auto& level : levels_) bytes += level.capacity() * sizeof(TValueBounds);
    return bytes;
}

}  // namespace chart
