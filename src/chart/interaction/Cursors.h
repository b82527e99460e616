#pragma once
// Two vertical cursors, A and B, each at a sample index of the bottom axis:
// they measure the stretch between them. They stay on their samples through
// zoom and scroll (a cursor out of view is simply not drawn). A press within
// a few pixels of either drags it, snapping to the nearest sample, and makes
// it the active one, which the keys move; every other press is left to the
// chart.

#include <array>
#include <cstdint>
#include <functional>

#include "chart/panel/ChartOverlay.h"
#include "framework/core/Colors.h"

namespace chart {

class TCursors : public TChartOverlay {
public:
    // Purple: apart from the signal's blue, the reconstruction's red and the
    // preview's orange.
    static constexpr fw::TColor kColour = 0x00800080;  // RGB (128, 0, 128)
    static constexpr int32_t kGrabPixels = 4;

    explicit TCursors(TCustomAxisPanel& chart) : chart_(chart) {}

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Samples 0 ... last can be chosen; the cursors are held to them.
    void SetLast(int32_t last);
    int32_t Last() const { return last_; }
    // Cursor 0 is A, 1 is B.
    int32_t Index(int cursor) const { return index_[static_cast<std::size_t>(cursor)]; }
    void Place(int cursor, int32_t index);
    int Active() const { return active_; }
    // The active cursor `steps` samples on (back when negative).
    void Step(int32_t steps) { Place(active_, Index(active_) + steps); }

    // After a cursor moved.
    std::function<void()> OnMoved;

    void DrawOverSeries(TCustomAxisPanel& chart) override;
    bool StartDrag(TCustomAxisPanel& chart, fw::TMouseButton button, int32_t x, int32_t y) override;
    void Drag(TCustomAxisPanel& chart, int32_t x, int32_t y) override;
    void EndDrag(TCustomAxisPanel& chart, int32_t x, int32_t y) override { Drag(chart, x, y); }
    bool Grabs(TCustomAxisPanel& chart, int32_t x, int32_t y) override;

private:
    // The cursor within grabbing distance of x on the plot, else -1.
    int CursorAt(TCustomAxisPanel& chart, int32_t x, int32_t y) const;

    TCustomAxisPanel& chart_;
    bool visible_ = false;
    int32_t last_ = 0;
    std::array<int32_t, 2> index_{};
    int active_ = 0;
};

}  // namespace chart
