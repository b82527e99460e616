#include "framework/gui/paint/Picture.h"

#include <QString>

#include "framework/core/Exceptions.h"

namespace fw {

void TPicture::Assign(const TPersistent& source) {
    if (const auto* other = dynamic_cast<const TPicture*>(&source)) {
        SetImage(other->image_);
        return;
    }
    TGraphicsObject::Assign(source);
}

void TPicture::SetImage(const QImage& image) {
    if (image.isNull() && image_.isNull()) return;
    image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    Changed();
}

void TPicture::LoadFromFile(const std::string& fileName) {
    QImage image;
    if (!image.load(QString::fromStdString(fileName)) || image.isNull()) {
        throw EConvertError("Cannot read the picture file \"" + fileName + "\"");
    }
    SetImage(image);
}

}  // namespace fw
