#pragma once
// A scaled drawing on a canvas for as long as the object lives: the logical
// rectangle (0, 0, windowWidth, windowHeight) is stretched onto viewport, each
// axis by its own factor, the way a printer page is mapped for a picture of
// screen size. On an image canvas a painter is made for the duration.

#include <QPainter>
#include <optional>

#include "framework/core/Geometry.h"
#include "framework/gui/paint/Canvas.h"

namespace fw {

class TCanvasMapping {
public:
    TCanvasMapping(TCanvas& canvas, int32_t windowWidth, int32_t windowHeight, const TRect& viewport);
    ~TCanvasMapping();
    TCanvasMapping(const TCanvasMapping&) = delete;
    TCanvasMapping& operator=(const TCanvasMapping&) = delete;

    // False when the canvas has no target to map.
    bool Active() const { return painter_ != nullptr; }

private:
    TCanvas& canvas_;
    QImage* image_ = nullptr;
    std::optional<QPainter> own_;
    QPainter* painter_ = nullptr;
};

}  // namespace fw
