#pragma once
// The state of one mouse drag on a chart: a zoom rectangle or a scroll.

#include <cstdint>
#include <utility>

namespace chart {

struct TZoomPanningRecord {
    bool InProgress = false;
    int32_t StartX = 0;
    int32_t StartY = 0;
    int32_t EndX = 0;
    int32_t EndY = 0;

    // A drag begins at (x, y).
    void Activate(int32_t x, int32_t y) {
        StartX = EndX = x;
        StartY = EndY = y;
        InProgress = true;
    }
    // Orders the corners so that Start is the top-left one.
    void Check() {
        if (StartX > EndX) std::swap(StartX, EndX);
        if (StartY > EndY) std::swap(StartY, EndY);
    }
};

}  // namespace chart
