#pragma once
// The framework brush: colour, fill style and an optional pattern bitmap.
// The bitmap is borrowed: the brush never frees it.

#include <cstdint>

#include "framework/core/Colors.h"
#include "framework/gui/paint/GraphicsObject.h"

namespace fw {

class TBitmap;

enum TBrushStyle : uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross,
};

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    explicit TBrush(TNotifyEvent onChange) : TGraphicsObject(std::move(onChange)) {}
    TBrush(const TBrush&) = default;
    TBrush& operator=(const TBrush&) = default;

    std::string ClassName() const override { return "TBrush"; }
    void Assign(const TPersistent& source) override;

    TColor Color() const { return color_; }
    TBrushStyle Style() const { return style_; }
    // A set bitmap is the brush's pattern and overrides its style.
    TBitmap* Bitmap() const { return bitmap_; }

    void SetColor(TColor value) { SetAndNotify(color_, value); }
    void SetStyle(TBrushStyle value) { SetAndNotify(style_, value); }
    void SetBitmap(TBitmap* value) { SetAndNotify(bitmap_, value); }

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

}  // namespace fw
