#pragma once
// The points of a line that decide its pixels. When a line is drawn point by
// point (each segment leaving out its end pixel, a point on the pixel drawn
// last skipped), the pixels it sets in one pixel column depend only on where
// it enters and leaves the column and on the lowest and highest rows it
// reaches there. So per column it suffices to draw the first and last point,
// one point on the lowest and one on the highest row; in the line's final
// column, where no further segment starts at the last point, the extremes
// are those of the points before the run that ends on the last point's
// pixel, and the last point of that run's predecessor is kept too.
//
// Columns are found by halving on the X pixel, extremes through the block
// summary of the Y values, so the work grows with the number of columns,
// not of points.

#include <cstdint>
#include <vector>

namespace chart {

class TChartSeries;
class TValueBlockSummary;

class TColumnReduction {
public:
    // The indices of first ... last (ascending) to draw in place of all of
    // them. The caller has shown that the X values do not go down, that both
    // axes map the values in range in order, and that the Y values are finite;
    // ySummary is in step with the series' Y values.
    const std::vector<int32_t>& Reduce(const TChartSeries& series, const TValueBlockSummary& ySummary, int32_t first,
                                       int32_t last);

private:
    void AddColumn(int32_t a, int32_t b, bool finalColumn);

    const TChartSeries* series_ = nullptr;
    const TValueBlockSummary* summary_ = nullptr;
    std::vector<int32_t> indices_;
};

}  // namespace chart
