#pragma once
// The framework bitmap: an RGB32 image with a canvas that draws on it.

#include <QImage>
#include <memory>
#include <string>

#include "framework/gui/paint/Canvas.h"

namespace fw {

class TBitmap {
public:
    TBitmap();
    TBitmap(int32_t width, int32_t height);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int32_t Width() const { return image_.width(); }
    int32_t Height() const { return image_.height(); }
    bool Empty() const { return image_.isNull(); }
    // A new size gets new, black pixels; the same size keeps the picture.
    void SetSize(int32_t width, int32_t height);
    void SetWidth(int32_t width) { SetSize(width, Height()); }
    void SetHeight(int32_t height) { SetSize(Width(), height); }

    // A monochrome bitmap keeps only black and white: every colour drawn
    // becomes the nearer of the two.
    bool Monochrome() const { return monochrome_; }
    void SetMonochrome(bool value);

    TCanvas& Canvas() { return *canvas_; }
    // The pixels as drawn so far.
    const QImage& Image() const;

    // A BMP file when the name ends in ".bmp" (any case), PNG otherwise; a
    // write failure throws fw::Exception naming the file.
    void SaveToFile(const std::string& fileName) const;
    void CopyToClipboard() const;

private:
    QImage image_;
    std::unique_ptr<TCanvas> canvas_;
    bool monochrome_ = false;
};

}  // namespace fw
