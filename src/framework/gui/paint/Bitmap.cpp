#include "framework/gui/paint/Bitmap.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <cctype>

#include "framework/core/Exceptions.h"
#include "framework/gui/paint/Metafile.h"

namespace fw {

namespace {

bool EndsWithBmp(const std::string& fileName) {
    if (fileName.size() < 4) return false;
    std::string tail = fileName.substr(fileName.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".bmp";
}

}  // namespace

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
        image_ = image_.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).convertToFormat(QImage::Format_RGB32);
        canvas_->Surface().BindImage(&image_);
    }
}

const QImage& TBitmap::Image() const {
    canvas_->Surface().Flush();
    return image_;
}

void TBitmap::SaveToFile(const std::string& fileName) const {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    Image().save(&buffer, EndsWithBmp(fileName) ? "BMP" : "PNG");
    SavePictureFile(fileName, data);
}

void TBitmap::CopyToClipboard() const { QGuiApplication::clipboard()->setImage(Image()); }

}  // namespace fw
