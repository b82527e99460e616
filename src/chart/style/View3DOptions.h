#pragma once
// How a 3D chart is projected: rotation, elevation, tilt, zoom, offsets,
// perspective, and whether the projection is orthogonal.

#include <cstdint>
#include <functional>

#include "chart/base/ChartProperty.h"
#include "framework/core/Persistent.h"

namespace chart {

// Told true after a horizontal and false after a vertical offset change.
using TView3DScrolled = std::function<void(bool horizontal)>;
// Told the new zoom before it is stored.
using TView3DChangedZoom = std::function<void(int32_t newZoom)>;

class TView3DOptions : public fw::TPersistent {
public:
    // repaint: the parent control's repaint request; may be empty.
    explicit TView3DOptions(TRepaintRequest repaint = {}) : repaint_(std::move(repaint)) {}

    std::string ClassName() const override { return "TView3DOptions"; }
    void Assign(const fw::TPersistent& source) override;

    int32_t Elevation() const { return elevation_; }
    int32_t HorizOffset() const { return horizOffset_; }
    bool Orthogonal() const { return orthogonal_; }
    int32_t Perspective() const { return perspective_; }
    int32_t Rotation() const { return rotation_; }
    int32_t Tilt() const { return tilt_; }
    int32_t VertOffset() const { return vertOffset_; }
    int32_t Zoom() const { return zoom_; }
    bool ZoomText() const { return zoomText_; }

    void SetElevation(int32_t value) { SetChartProperty(elevation_, value, repaint_); }
    void SetHorizOffset(int32_t value);
    void SetOrthogonal(bool value) { SetChartProperty(orthogonal_, value, repaint_); }
    void SetPerspective(int32_t value) { SetChartProperty(perspective_, value, repaint_); }
    void SetRotation(int32_t value) { SetChartProperty(rotation_, value, repaint_); }
    void SetTilt(int32_t value) { SetChartProperty(tilt_, value, repaint_); }
    void SetVertOffset(int32_t value);
    void SetZoom(int32_t value);
    void SetZoomText(bool value) { SetChartProperty(zoomText_, value, repaint_); }

    // Asks the parent control for a repaint.
    void Repaint() const {
        if (repaint_) repaint_();
    }

    TView3DScrolled OnScrolled;
    TView3DChangedZoom OnChangedZoom;

private:
    TRepaintRequest repaint_;
    int32_t elevation_ = 345;
    int32_t horizOffset_ = 0;
    bool orthogonal_ = true;
    int32_t perspective_ = 15;
    int32_t rotation_ = 345;
    int32_t tilt_ = 0;
    int32_t vertOffset_ = 0;
    int32_t zoom_ = 100;
    bool zoomText_ = true;
};

}  // namespace chart
