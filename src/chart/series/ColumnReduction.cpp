#include "chart/series/ColumnReduction.h"

#include <algorithm>
#include <array>

#include "chart/series/ChartSeries.h"
#include "chart/data/ValueBlockSummary.h"

namespace chart {

namespace {

// Columns this short are cheaper to copy than to reduce.
constexpr int32_t kShortColumn = 8;

}  // namespace

const std::vector<int32_t>& TColumnReduction::Reduce(const TChartSeries& series, const TValueBlockSummary& ySummary,
                                                     int32_t first, int32_t last) {
    series_ = &series;
    summary_ = &ySummary;
    indices_.clear();
    int32_t a = first;
    int32_t pixel = series.CalcXPos(a);
    int32_t width = 1;  // points in the column before; the next is likely as wide
    while (a <= last) {
        // b is the last index on a's pixel column: known <= b < beyond. A
        // guess at the previous width is checked first, then the bracket
        // grows in steps that double and is halved.
        int32_t known = a;
        int32_t beyond = last + 1;  // off the column, or past the end
        int32_t nextPixel = pixel;
        const auto probe = [&](int32_t i) {
            const int32_t p = series.CalcXPos(i);
            if (p == pixel) {
                known = i;
                return true;
            }
            beyond = i;
            nextPixel = p;
            return false;
        };
        const int32_t guess = a + std::min(width - 1, last - a);
        if (guess > a && !probe(guess)) {
            for (int32_t step = 1; beyond - step > known && !probe(beyond - step);) step *= 2;
        } else {
            for (int32_t step = 1; known + step < beyond && probe(known + step);) step *= 2;
        }
        while (beyond - known > 1) probe(known + (beyond - known) / 2);
        AddColumn(a, known, known == last);
        width = known - a + 1;
        a = known + 1;
        // The search ends on the first index off the column, whose pixel it saw.
        if (a <= last) pixel = a == beyond ? nextPixel : series.CalcXPos(a);
    }
    return indices_;
}

void TColumnReduction::AddColumn(int32_t a, int32_t b, bool finalColumn) {
    if (b - a < kShortColumn) {
        for (int32_t i = a; i <= b; ++i) indices_.push_back(i);
        return;
    }
    const TChartSeries& series = *series_;
    const ISeriesAxis& vertical = *series.GetVertAxis();
    const double scale = series.YValues().Multiplier();
    const auto row = [&](double raw) { return vertical.CalcYPosValue(raw * scale); };
    const TValueBlockSummary& summary = *summary_;

    int32_t end = b;  // the extremes of a ... end matter
    if (finalColumn) {
        const int32_t lastRow = series.CalcYPos(b);
        const int32_t c =
            summary.FindLast(a, b, [&](double lo, double hi) { return row(lo) != lastRow || row(hi) != lastRow; });
        if (c < 0) {
            // The whole column on one pixel: the line only reaches it.
            indices_.push_back(a);
            indices_.push_back(b);
            return;
        }
        end = c;
    }
    const TValueBounds bounds = summary.Bounds(a, end);
    const int32_t lowest = summary.FindFirst(a, end, [&](double lo, double) { return lo <= bounds.Min; });
    const int32_t highest = summary.FindFirst(a, end, [&](double, double hi) { return hi >= bounds.Max; });
    std::array<int32_t, 5> picked{a, lowest, highest, end, b};
    std::sort(picked.begin(), picked.end());
    const auto unique = std::unique(picked.begin(), picked.end());
    indices_.insert(indices_.end(), picked.begin(), unique);
}

}  // namespace chart
