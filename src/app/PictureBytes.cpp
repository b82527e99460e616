#include "app/PictureBytes.h"

#include <QBuffer>

#include "recipe/PictureRecipe.h"

namespace app {

QByteArray PictureBytes(PictureFormat format, const std::string& recipe, const std::function<QImage()>& image,
                        const std::function<std::unique_ptr<fw::TMetafile>(bool pdf)>& drawing) {
    const auto bytes = [](const std::string& text) {
        return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    };
    const auto text = [](const QByteArray& data) {
        return std::string(data.constData(), static_cast<std::size_t>(data.size()));
    };
    switch (format) {
    case PictureFormat::Png: {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image().save(&buffer, "PNG");
        return recipe.empty() ? png : bytes(recipe::EmbedInPng(text(png), recipe));
    }
    case PictureFormat::Svg: {
        const QByteArray svg = drawing(false)->SvgData();
        return recipe.empty() ? svg : bytes(recipe::EmbedInSvg(text(svg), recipe));
    }
    case PictureFormat::Pdf:
        return drawing(true)->PdfData(recipe.empty() ? QByteArray() : bytes(recipe::XmpPacket(recipe)));
    }
    return {};
}

}  // namespace app
