#pragma once
// How large an exported picture is drawn: at the window's size, at a width in
// pixels, or at a print width in centimetres at 300 dots an inch; the height
// keeps the window's proportion.

#include <cstdint>

namespace fw {

enum class PictureSizeKind { Window, PixelWidth, PrintWidth };

struct PictureSizeChoice {
    PictureSizeKind Kind = PictureSizeKind::Window;
    double Width = 0;  // pixels, or centimetres for a print width
};

inline constexpr int32_t kPrintDotsPerInch = 300;
// Neither side of a picture exceeds this: a larger one would take gigabytes.
inline constexpr int32_t kLargestPictureSide = 10000;

struct PicturePixels {
    int32_t Width;
    int32_t Height;
    bool operator==(const PicturePixels&) const = default;
};

// The picture's size for the choice, each side between 1 and
// kLargestPictureSide (a side cut to the limit cuts the other in proportion).
PicturePixels PicturePixelsFor(const PictureSizeChoice& choice, int32_t windowWidth, int32_t windowHeight);

}  // namespace fw
