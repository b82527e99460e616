#pragma once
// The marks of a series: labels drawn beside its points, with the positions
// they took when last drawn. A series owns one; its setters ask the series'
// chart for a repaint when a value changes.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "chart/base/ChartProperty.h"
#include "chart/style/ChartPens.h"
#include "framework/core/Geometry.h"
#include "framework/core/Persistent.h"

namespace chart {

class TChartSeries;

enum TSeriesMarksStyle {
    smsValue,
    smsPercent,
    smsLabel,
    smsLabelPercent,
    smsLabelValue,
    smsLegend,
    smsPercentTotal,
    smsLabelPercentTotal,
    smsXValue,
};

// Where one mark was drawn: its arrow and its box.
struct TSeriesMarkPosition {
    fw::TPoint ArrowFrom;
    fw::TPoint ArrowTo;
    fw::TPoint LeftTop;
    int32_t Height = 0;
    int32_t Width = 0;
    bool Custom = false;

    friend bool operator==(const TSeriesMarkPosition&, const TSeriesMarkPosition&) = default;
};

// One slot per point index; a point whose mark was never placed has none.
class TSeriesMarksPositions {
public:
    int32_t Count() const { return static_cast<int32_t>(slots_.size()); }
    // The position of point i, or nullptr when it has none.
    const TSeriesMarkPosition* Position(int32_t i) const;
    // Stores the position of point i, growing the list as needed.
    void SetPosition(int32_t i, const TSeriesMarkPosition& position);
    // Removes slot i when the list is that long (it follows a deleted point).
    void Delete(int32_t i);
    void Clear();

private:
    std::vector<std::optional<TSeriesMarkPosition>> slots_;
};

inline constexpr fw::TColor DefaultMarksBackColor = 0x0080FFFF;
inline constexpr int32_t DefaultMarksArrowLength = 8;

class TSeriesMarks : public fw::TPersistent {
public:
    explicit TSeriesMarks(TChartSeries& series);

    std::string ClassName() const override { return "TSeriesMarks"; }
    // Copies every published value (pens and font by value), not the positions.
    void Assign(const fw::TPersistent& source) override;

    TChartSeries& Series() const { return series_; }

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { SetProperty(visible_, value); }
    int32_t ArrowLength() const { return arrowLength_; }
    void SetArrowLength(int32_t value) { SetProperty(arrowLength_, value); }
    TSeriesMarksStyle Style() const { return style_; }
    void SetStyle(TSeriesMarksStyle value) { SetProperty(style_, value); }
    fw::TColor BackColor() const { return backColor_; }
    void SetBackColor(fw::TColor value) { SetProperty(backColor_, value); }
    // Marks drawn inside the plot rectangle only.
    bool Clip() const { return clip_; }
    void SetClip(bool value) { SetProperty(clip_, value); }

    TChartArrowPen& Arrow() const { return *arrow_; }
    TChartPen& Frame() const { return *frame_; }
    fw::TFont& Font() const { return *font_; }

    // The depth the marks are drawn at, set by the chart before each drawing.
    int32_t ZPosition = 0;

    TSeriesMarksPositions& Positions() { return positions_; }
    const TSeriesMarksPositions& Positions() const { return positions_; }

private:
    template <typename T>
    void SetProperty(T& field, const T& value) {
        StoreIfChanged(field, value, [this] { Changed(); });
    }
    void Changed();

    TChartSeries& series_;
    bool visible_ = false;
    int32_t arrowLength_ = DefaultMarksArrowLength;
    TSeriesMarksStyle style_ = smsLabel;
    fw::TColor backColor_ = DefaultMarksBackColor;
    bool clip_ = false;
    std::unique_ptr<TChartArrowPen> arrow_;
    std::unique_ptr<TChartPen> frame_;
    std::unique_ptr<fw::TFont> font_;
    TSeriesMarksPositions positions_;
};

}  // namespace chart
