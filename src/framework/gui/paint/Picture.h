#pragma once
// The framework picture: an image that may be empty, with a change
// notification. Charts use one as their background image.

#include <QImage>
#include <string>

#include "framework/gui/paint/GraphicsObject.h"

namespace fw {

class TPicture : public TGraphicsObject {
public:
    TPicture() = default;
    explicit TPicture(TNotifyEvent onChange) : TGraphicsObject(std::move(onChange)) {}

    std::string ClassName() const override { return "TPicture"; }
    // From another picture: its image.
    void Assign(const TPersistent& source) override;

    bool Empty() const { return image_.isNull(); }
    int32_t Width() const { return image_.width(); }
    int32_t Height() const { return image_.height(); }
    const QImage& Image() const { return image_; }

    void SetImage(const QImage& image);
    void Clear() { SetImage(QImage()); }
    // Reads a picture file (any format Qt reads); EConvertError names the
    // file when it cannot be read, and the old image stays.
    void LoadFromFile(const std::string& fileName);

private:
    QImage image_;
};

}  // namespace fw
