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

// The resolution a chart is laid out at on a screen.
inline constexpr double kScreenDotsPerInch = 96;

// How a picture of pixels for the choice is drawn: laid out Scale times
// smaller and drawn Scale times larger, so that its text and pens grow with
// it (a picture N times the window's width looks like the window, N times
// finer; a print width has the screen's sizes on paper); a print width is
// also the width it states, in millimetres (0 for the others).
struct PictureDrawing {
    double Scale = 1;
    double Millimetres = 0;
};
PictureDrawing PictureDrawingFor(const PictureSizeChoice& choice, const PicturePixels& pixels, int32_t windowWidth);

}  // namespace fw
