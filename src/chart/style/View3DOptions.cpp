#include "chart/style/View3DOptions.h"

namespace chart {

void TView3DOptions::SetHorizOffset(int32_t value) {
    if (horizOffset_ == value) return;
    horizOffset_ = value;
    Repaint();
    if (OnScrolled) OnScrolled(true);
}

void TView3DOptions::SetVertOffset(int32_t value) {
    if (vertOffset_ == value) return;
    vertOffset_ = value;
    Repaint();
    if (OnScrolled) OnScrolled(false);
}

void TView3DOptions::SetZoom(int32_t value) {
    if (zoom_ == value) return;
    if (OnChangedZoom) OnChangedZoom(value);
    zoom_ = value;
    Repaint();
}

void TView3DOptions::Assign(const fw::TPersistent& source) {
    const auto* other = dynamic_cast<const TView3DOptions*>(&source);
    if (!other) {
        fw::TPersistent::Assign(source);
        return;
    }
    SetElevation(other->elevation_);
    SetHorizOffset(other->horizOffset_);
    SetOrthogonal(other->orthogonal_);
    SetPerspective(other->perspective_);
    SetRotation(other->rotation_);
    SetTilt(other->tilt_);
    SetVertOffset(other->vertOffset_);
    SetZoom(other->zoom_);
    SetZoomText(other->zoomText_);
}

}  // namespace chart
