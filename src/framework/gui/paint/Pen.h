#pragma once
// The framework pen: colour, width, dash style and raster mode.

#include <cstdint>

#include "framework/core/Colors.h"
#include "framework/gui/paint/GraphicsObject.h"

namespace fw {

enum TPenStyle : uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
    psUserStyle,
    psAlternate,  // cosmetic, every other pixel set
};

// Raster modes: how the pen colour P combines with the pixel D under it.
enum TPenMode : uint8_t {
    pmBlack,        // 0
    pmWhite,        // 1
    pmNop,          // D
    pmNot,          // ~D
    pmCopy,         // P
    pmNotCopy,      // ~P
    pmMergePenNot,  // P | ~D
    pmMaskPenNot,   // P & ~D
    pmMergeNotPen,  // ~P | D
    pmMaskNotPen,   // ~P & D
    pmMerge,        // P | D
    pmNotMerge,     // ~(P | D)
    pmMask,         // P & D
    pmNotMask,      // ~(P & D)
    pmXor,          // P ^ D
    pmNotXor,       // ~(P ^ D)
};

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    explicit TPen(TNotifyEvent onChange) : TGraphicsObject(std::move(onChange)) {}
    TPen(const TPen&) = default;
    TPen& operator=(const TPen&) = default;

    std::string ClassName() const override { return "TPen"; }
    void Assign(const TPersistent& source) override;

    TColor Color() const { return color_; }
    int32_t Width() const { return width_; }
    TPenStyle Style() const { return style_; }
    TPenMode Mode() const { return mode_; }

    void SetColor(TColor value) { SetAndNotify(color_, value); }
    // A negative width is refused and the old one kept.
    void SetWidth(int32_t value) {
        if (value >= 0) SetAndNotify(width_, value);
    }
    void SetStyle(TPenStyle value) { SetAndNotify(style_, value); }
    void SetMode(TPenMode value) { SetAndNotify(mode_, value); }

private:
    TColor color_ = clBlack;
    int32_t width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

}  // namespace fw
