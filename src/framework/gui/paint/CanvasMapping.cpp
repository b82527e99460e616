#include "framework/gui/paint/CanvasMapping.h"

#include <algorithm>

namespace fw {

TCanvasMapping::TCanvasMapping(TCanvas& canvas, int32_t windowWidth, int32_t windowHeight, const TRect& viewport)
    : canvas_(canvas) {
    TDrawSurface& surface = canvas.Surface();
    // What was drawn before keeps its place: the transform changes below.
    surface.Flush();
    painter_ = surface.TargetPainter();
    if (!painter_ && surface.TargetImage()) {
        image_ = surface.TargetImage();
        own_.emplace(image_);
        painter_ = &*own_;
        surface.BindPainter(painter_);
    }
    if (!painter_) return;
    painter_->save();
    painter_->setViewport(viewport.Left, viewport.Top, viewport.Width(), viewport.Height());
    painter_->setWindow(0, 0, std::max(windowWidth, 1), std::max(windowHeight, 1));
    painter_->setViewTransformEnabled(true);
}

TCanvasMapping::~TCanvasMapping() {
    if (!painter_) return;
    canvas_.Surface().Flush();
    painter_->restore();
    if (own_) {
        own_->end();
        canvas_.Surface().BindImage(image_);
    }
}

}  // namespace fw
