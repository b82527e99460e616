#include "framework/gui/paint/Brush.h"

namespace fw {

void TBrush::Assign(const TPersistent& source) {
    const auto* brush = dynamic_cast<const TBrush*>(&source);
    if (!brush) {
        TPersistent::Assign(source);
        return;
    }
    if (color_ == brush->color_ && style_ == brush->style_ && bitmap_ == brush->bitmap_) return;
    color_ = brush->color_;
    style_ = brush->style_;
    bitmap_ = brush->bitmap_;
    Changed();
}

}  // namespace fw
