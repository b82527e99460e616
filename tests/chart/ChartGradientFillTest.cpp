#include <gtest/gtest.h>

#include <set>

#include "ImageCompare.h"
#include "chart/ChartCanvas.h"
#include "framework/core/Rounding.h"

using namespace chart;
using imagetest::Rgb;

namespace {

constexpr fw::TColor kStart = 0x00FFFFFF;  // white
constexpr fw::TColor kEnd = 0x0000FFFF;    // yellow
constexpr uint32_t kStartRgb = 0xFFFFFF;
constexpr uint32_t kEndRgb = 0xFFFF00;

// A black image with a gradient in rect.
QImage Gradient(int w, int h, const fw::TRect& rect, TGradientDirection direction) {
    fw::TBitmap window(w, h);  // new pixels are black
    TChartCanvas3D canvas;
    canvas.SetUseBuffer(false);
    canvas.InitWindow(&window.Canvas(), nullptr, fw::clWhite, false, {0, 0, w, h});
    canvas.GradientFill(rect, kStart, kEnd, direction);
    return window.Image().copy();
}

int DistinctInColumn(const QImage& img, int x, int top, int bottom) {
    std::set<uint32_t> colours;
    for (int y = top; y < bottom; ++y) colours.insert(Rgb(img, x, y));
    return static_cast<int>(colours.size());
}

int DistinctInRow(const QImage& img, int y, int left, int right) {
    std::set<uint32_t> colours;
    for (int x = left; x < right; ++x) colours.insert(Rgb(img, x, y));
    return static_cast<int>(colours.size());
}

void ExpectOnlyInside(const QImage& img, const fw::TRect& r) {
    const imagetest::InkBox box = imagetest::FindInk(img, 0x000000);
    EXPECT_GE(box.Left, r.Left);
    EXPECT_GE(box.Top, r.Top);
    EXPECT_LE(box.Right, r.Right);
    EXPECT_LE(box.Bottom, r.Bottom);
}

}  // namespace

TEST(GradientFill, VerticalBandsStartAtTheBottom) {
    const fw::TRect r{5, 10, 45, 110};
    for (TGradientDirection dir : {gdTopBottom, gdBottomTop}) {
        const QImage img = Gradient(50, 120, r, dir);
        EXPECT_EQ(DistinctInColumn(img, 20, r.Top, r.Bottom), 100) << "100 pixels: 100 bands";
        EXPECT_EQ(Rgb(img, 20, r.Bottom - 1), kStartRgb);
        EXPECT_EQ(Rgb(img, 20, r.Top), kEndRgb);
        EXPECT_EQ(DistinctInRow(img, 50, r.Left, r.Right), 1);
        ExpectOnlyInside(img, r);
        EXPECT_EQ(imagetest::FindInk(img, 0).Right, r.Right);
    }
    const QImage tall = Gradient(20, 620, {0, 10, 20, 610}, gdTopBottom);
    EXPECT_EQ(DistinctInColumn(tall, 3, 10, 610), 256) << "600 pixels: at most 256 bands";
    EXPECT_EQ(Rgb(tall, 3, 609), kStartRgb);
    EXPECT_EQ(Rgb(tall, 3, 10), kEndRgb);
}

TEST(GradientFill, HorizontalBandsStartAtTheRight) {
    const fw::TRect r{10, 2, 90, 30};
    for (TGradientDirection dir : {gdLeftRight, gdRightLeft}) {
        const QImage img = Gradient(100, 40, r, dir);
        EXPECT_EQ(DistinctInRow(img, 15, r.Left, r.Right), 80);
        EXPECT_EQ(Rgb(img, r.Right - 1, 15), kStartRgb);
        EXPECT_EQ(Rgb(img, r.Left, 15), kEndRgb);
        ExpectOnlyInside(img, r);
    }
}

TEST(GradientFill, FromCentreRingsEndAtTheCentre) {
    const fw::TRect r{4, 4, 84, 64};
    const QImage img = Gradient(90, 70, r, gdFromCenter);
    EXPECT_EQ(Rgb(img, r.Left, 30), kStartRgb);
    EXPECT_EQ(Rgb(img, r.Right - 1, 30), kStartRgb);
    EXPECT_EQ(Rgb(img, 40, r.Top), kStartRgb);
    EXPECT_EQ(Rgb(img, 40, r.Bottom - 1), kStartRgb);
    // The innermost ring is one step short of the end colour (index 68 of 70).
    EXPECT_EQ(Rgb(img, 44, 34), 0xFFFF00u | (255 - fw::MulDiv(255, 68, 70)));
    // Blue falls from the edge to the centre along the middle row.
    for (int x = r.Left + 2; x <= 44; ++x) EXPECT_LE(Rgb(img, x, 34) & 0xFF, Rgb(img, x - 2, 34) & 0xFF) << x;
    ExpectOnlyInside(img, r);
    EXPECT_EQ(imagetest::FindInk(img, 0).Right, r.Right);
}

TEST(GradientFill, DiagonalSweepsStartAtTheirCorner) {
    const fw::TRect r{3, 5, 63, 45};
    const QImage fromTop = Gradient(70, 50, r, gdFromTopLeft);
    EXPECT_EQ(Rgb(fromTop, r.Left, r.Top), kStartRgb);
    EXPECT_NE(Rgb(fromTop, r.Right - 1, r.Bottom - 1), kEndRgb) << "the end colour lies a diagonal away";
    EXPECT_LT(Rgb(fromTop, r.Right - 1, r.Bottom - 1) & 0xFF, 0x80u);
    ExpectOnlyInside(fromTop, r);

    const QImage fromBottom = Gradient(70, 50, r, gdFromBottomLeft);
    EXPECT_EQ(Rgb(fromBottom, r.Left, r.Bottom - 1), kStartRgb);
    EXPECT_LT(Rgb(fromBottom, r.Right - 1, r.Top) & 0xFF, 0x80u);
    ExpectOnlyInside(fromBottom, r);
    EXPECT_EQ(imagetest::FindInk(fromBottom, 0).Top, r.Top) << "every row is filled";
}

TEST(GradientFill, KeepsTheCanvasBrush) {
    fw::TBitmap window(20, 20);
    TChartCanvas3D canvas;
    canvas.SetUseBuffer(false);
    canvas.InitWindow(&window.Canvas(), nullptr, fw::clWhite, false, {0, 0, 20, 20});
    canvas.Brush().SetColor(fw::clRed);
    canvas.GradientFill({0, 0, 20, 10}, kStart, kEnd, gdTopBottom);
    canvas.FillRect({0, 10, 20, 20});
    EXPECT_EQ(Rgb(window.Image(), 5, 15), 0xFF0000u);
    canvas.GradientFill({0, 0, 20, 1}, kStart, kEnd, gdTopBottom);
    EXPECT_EQ(Rgb(window.Image(), 5, 0), kStartRgb) << "a one-band gradient is the start colour";
}
