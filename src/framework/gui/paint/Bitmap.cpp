#include "framework/gui/paint/Bitmap.h"

namespace fw {

TBitmap::TBitmap() : canvas_(std::make_unique<TCanvas>()) { canvas_->Surface().BindImage(&image_); }

TBitmap::TBitmap(int32_t width, int32_t height) : TBitmap() { SetSize(width, height); }

void TBitmap::SetSize(int32_t width, int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height()) return;
    canvas_->Surface().Flush();
    if (width == 0 || height == 0) {
        image_ = QImage();
    } else {
        image_ = QImage(width, height, QImage::Format_RGB32);
        image_.fill(0xFF000000u);
    }
    canvas_->Surface().BindImage(&image_);
}

void TBitmap::SetMonochrome(bool value) {
    if (monochrome_ == value) return;
    monochrome_ = value;
    canvas_->Surface().SetMonochrome(value);
    if (value && !image_.isNull()) {
        canvas_->Surface().Flush();
        image_ = image_.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
                     .convertToFormat(QImage::Format_RGB32);
        canvas_->Surface().BindImage(&image_);
    }
}

const QImage& TBitmap::Image() const {
    canvas_->Surface().Flush();
    return image_;
}

}  // namespace fw
