#pragma once
// Chart pens and brushes: the framework pen and brush with the chart's
// defaults. Each pen kind differs only in the values it starts with, which
// are also the values it does not need to store.
// Includes the chart font defaults and the colour palette, so that one header
// brings every style value a series needs.

#include "chart/base/ChartColors.h"
#include "chart/style/ChartFonts.h"
#include "framework/gui/paint/Brush.h"
#include "framework/gui/paint/Pen.h"

namespace chart {

struct TChartPenDefaults {
    bool Visible = true;
    fw::TColor Color = fw::clBlack;
    int32_t Width = 1;
    fw::TPenStyle Style = fw::psSolid;
};

class TChartPen : public fw::TPen {
public:
    explicit TChartPen(fw::TNotifyEvent onChange = {}) : TChartPen(std::move(onChange), TChartPenDefaults{}) {}

    std::string ClassName() const override { return "TChartPen"; }
    // From a chart pen: Visible and SmallDots, then the framework pen values.
    void Assign(const fw::TPersistent& source) override;

    bool Visible() const { return visible_; }
    // Width 1 with SmallDots draws every other pixel.
    bool SmallDots() const { return smallDots_; }
    void SetVisible(bool value) { SetAndNotify(visible_, value); }
    void SetSmallDots(bool value) { SetAndNotify(smallDots_, value); }

    // Whether a stored layout must carry each value.
    const TChartPenDefaults& Defaults() const { return defaults_; }
    bool IsVisibleStored() const { return visible_ != defaults_.Visible; }
    bool IsColorStored() const { return Color() != defaults_.Color; }
    bool IsWidthStored() const { return Width() != defaults_.Width; }
    bool IsStyleStored() const { return Style() != defaults_.Style; }
    bool IsModeStored() const { return Mode() != fw::pmCopy; }
    bool IsSmallDotsStored() const { return smallDots_; }

protected:
    TChartPen(fw::TNotifyEvent onChange, const TChartPenDefaults& defaults);

private:
    TChartPenDefaults defaults_;
    bool visible_;
    bool smallDots_ = false;
};

// Starts invisible: frames that appear only when asked for.
class TChartHiddenPen : public TChartPen {
public:
    explicit TChartHiddenPen(fw::TNotifyEvent onChange = {}) : TChartPen(std::move(onChange), {false}) {}
    std::string ClassName() const override { return "TChartHiddenPen"; }
};

// Grey dotted: grid lines.
class TDottedGrayPen : public TChartPen {
public:
    explicit TDottedGrayPen(fw::TNotifyEvent onChange = {})
        : TChartPen(std::move(onChange), {true, fw::clGray, 1, fw::psDot}) {}
    std::string ClassName() const override { return "TDottedGrayPen"; }
};

class TDarkGrayPen : public TChartPen {
public:
    explicit TDarkGrayPen(fw::TNotifyEvent onChange = {})
        : TChartPen(std::move(onChange), {true, fw::clGray, 1, fw::psSolid}) {}
    std::string ClassName() const override { return "TDarkGrayPen"; }
};

// Two pixels wide: axis lines.
class TChartAxisPen : public TChartPen {
public:
    explicit TChartAxisPen(fw::TNotifyEvent onChange = {})
        : TChartPen(std::move(onChange), {true, fw::clBlack, 2, fw::psSolid}) {}
    std::string ClassName() const override { return "TChartAxisPen"; }
};

class TChartArrowPen : public TChartPen {
public:
    explicit TChartArrowPen(fw::TNotifyEvent onChange = {})
        : TChartPen(std::move(onChange), {true, fw::clWhite, 1, fw::psSolid}) {}
    std::string ClassName() const override { return "TChartArrowPen"; }
};

// Starts with no colour of its own (clChartDefault) and solid; the colour is
// always stored, the style only when not solid.
class TChartBrush : public fw::TBrush {
public:
    explicit TChartBrush(fw::TNotifyEvent onChange = {});
    std::string ClassName() const override { return "TChartBrush"; }

    bool IsColorStored() const { return true; }
    bool IsStyleStored() const { return Style() != fw::bsSolid; }
};

}  // namespace chart
