#include "framework/gui/window/PictureSize.h"

#include <algorithm>
#include <cmath>

namespace fw {

PicturePixels PicturePixelsFor(const PictureSizeChoice& choice, int32_t windowWidth, int32_t windowHeight) {
    const double window = std::max(windowWidth, 1);
    double width = window;
    switch (choice.Kind) {
    case PictureSizeKind::Window: break;
    case PictureSizeKind::PixelWidth: width = choice.Width; break;
    case PictureSizeKind::PrintWidth: width = choice.Width / 2.54 * kPrintDotsPerInch; break;
    }
    if (!(width >= 1)) width = 1;  // NaN too
    double height = width * std::max(windowHeight, 1) / window;
    const double scale = std::min(1.0, kLargestPictureSide / std::max(width, height));
    width *= scale;
    height *= scale;
    const auto side = [](double v) {
        return static_cast<int32_t>(std::clamp(std::lround(v), 1L, long{kLargestPictureSide}));
    };
    return {side(width), side(height)};
}

PictureDrawing PictureDrawingFor(const PictureSizeChoice& choice, const PicturePixels& pixels, int32_t windowWidth) {
    switch (choice.Kind) {
    case PictureSizeKind::Window: break;
    case PictureSizeKind::PixelWidth: return {static_cast<double>(pixels.Width) / std::max(windowWidth, 1), 0};
    case PictureSizeKind::PrintWidth: {
        // A picture cut to the largest side prints narrower, at the same resolution.
        const double wanted = choice.Width / 2.54 * kPrintDotsPerInch;
        const double millimetres = choice.Width * 10 * std::min(1.0, pixels.Width / wanted);
        return {pixels.Width / (millimetres / 25.4 * kScreenDotsPerInch), millimetres};
    }
    }
    return {};
}

}  // namespace fw
