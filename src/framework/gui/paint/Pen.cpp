#include "framework/gui/paint/Pen.h"

namespace fw {

void TPen::Assign(const TPersistent& source) {
    const auto* pen = dynamic_cast<const TPen*>(&source);
    if (!pen) {
        TPersistent::Assign(source);
        return;
    }
    if (color_ == pen->color_ && width_ == pen->width_ && style_ == pen->style_ && mode_ == pen->mode_) return;
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Changed();
}

}  // namespace fw
