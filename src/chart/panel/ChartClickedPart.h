#pragma once
// What lies under a pixel of a chart, as the press handling sees it.

#include <cstdint>

namespace chart {

class TChartSeries;
class TCustomChartAxis;

enum TChartClickedPartStyle : uint8_t { cpNone, cpLegend, cpAxis, cpSeries, cpTitle, cpFoot, cpChartRect };

struct TChartClickedPart {
    TChartClickedPartStyle Part = cpNone;
    // The point of a series, or the item of the legend; -1 for none.
    int32_t PointIndex = -1;
    TChartSeries* ASeries = nullptr;
    TCustomChartAxis* AAxis = nullptr;
};

}  // namespace chart
