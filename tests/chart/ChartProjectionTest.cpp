#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "ImageCompare.h"
#include "chart/ChartCanvas.h"

using namespace chart;
using imagetest::Rgb;

namespace {

// A canvas after InitWindow and Projection over the plot rectangle plot.
struct Projected {
    fw::TBitmap window;
    TView3DOptions options;
    TChartCanvas3D canvas;
    Projected(bool is3D, const fw::TRect& plot, int32_t depth, int w = 200, int h = 150) : window(w, h) {
        window.Canvas().Brush().SetColor(fw::clWhite);
        window.Canvas().FillRect({0, 0, w, h});
        canvas.SetUseBuffer(false);
        Start(is3D, plot, depth);
    }
    void Start(bool is3D, const fw::TRect& plot, int32_t depth) {
        canvas.InitWindow(&window.Canvas(), &options, fw::clWhite, is3D, {0, 0, window.Width(), window.Height()});
        canvas.Projection(depth, {0, 0, window.Width(), window.Height()}, plot);
    }
};

// The rotation the coefficients stand for, as three plain rotations: about
// the vertical axis by the rotation angle, about the horizontal axis by the
// elevation, then in the screen plane by the tilt.
std::array<double, 2> RotatedOffsets(double x, double y, double z, double rotation, double elevation, double tilt) {
    const double r = rotation * std::numbers::pi / 180, e = elevation * std::numbers::pi / 180,
                 t = tilt * std::numbers::pi / 180;
    const double x1 = x * std::cos(r) - z * std::sin(r);
    const double z1 = x * std::sin(r) + z * std::cos(r);
    const double y2 = y * std::cos(e) + z1 * std::sin(e);
    return {x1 * std::cos(t) + y2 * std::sin(t), -x1 * std::sin(t) + y2 * std::cos(t)};
}

}  // namespace

TEST(ChartProjection, TwoDimensionalLeavesPointsAlone) {
    Projected p(false, {21, 12, 676, 288}, 0);
    for (int z : {-50, 0, 7, 1000}) {
        int x = 123, y = -45;
        p.canvas.Calc3DPos(x, y, z);
        EXPECT_EQ(x, 123);
        EXPECT_EQ(y, -45);
        p.canvas.Calculate2DPosition(x, y, z);
        EXPECT_EQ(x, 123);
        EXPECT_EQ(y, -45);
        EXPECT_EQ(p.canvas.Calculate3DPosition(5, 6, z), (fw::TPoint{5, 6}));
    }
}

TEST(ChartProjection, OrthogonalDepthMovesRightAndUp) {
    Projected p(true, {20, 10, 120, 90}, 30);
    ASSERT_TRUE(p.canvas.OrthogonalActive());
    for (int z : {0, 1, 15, 30}) {
        EXPECT_EQ(p.canvas.Calculate3DPosition(50, 60, z), (fw::TPoint{50 + z, 60 - z})) << z;
        int x = 50 + z, y = 60 - z;
        p.canvas.Calculate2DPosition(x, y, z);
        EXPECT_EQ(x, 50);
        EXPECT_EQ(y, 60);
    }
    fw::TPoint q{7, 8};
    p.canvas.Calc3DTPoint(q, 3);
    EXPECT_EQ(q, (fw::TPoint{10, 5}));
    EXPECT_EQ(p.canvas.Calc3DTPoint3D({7, 8, 3}), (fw::TPoint{10, 5}));

    // Zoom and offsets: scaled about the plot centre (70, 50), then moved.
    p.options.SetZoom(150);
    p.options.SetHorizOffset(4);
    p.options.SetVertOffset(-6);
    p.Start(true, {20, 10, 120, 90}, 30);
    EXPECT_EQ(p.canvas.ScaleFactor(), 1.5);
    // x: (80 - 70 + 10) * 1.5 = 30, + 74; y: (45 - 50 - 10) * 1.5 = -22.5, rounds to -22 (half to even), + 44.
    EXPECT_EQ(p.canvas.Calculate3DPosition(80, 45, 10), (fw::TPoint{104, 22}));
    int x = 104, y = 22;
    p.canvas.Calculate2DPosition(x, y, 10);
    EXPECT_EQ(x, 80);
    EXPECT_EQ(y, 45);
}

TEST(ChartProjection, PixelsBeyondTheRangeStayAtItsEdge) {
    // Zoomed in and moved, the far coordinates round to the range's edge and
    // then move further out: they must stay at the edge, in both directions.
    Projected p(true, {20, 10, 120, 90}, 30);
    p.options.SetZoom(150);
    p.options.SetHorizOffset(4);
    p.options.SetVertOffset(-200);  // origin (74, -150)
    p.Start(true, {20, 10, 120, 90}, 30);
    ASSERT_TRUE(p.canvas.OrthogonalActive());
    EXPECT_EQ(p.canvas.Calculate3DPosition(INT32_MAX, INT32_MIN, 10), (fw::TPoint{INT32_MAX, INT32_MIN}));
    int x = INT32_MAX, y = INT32_MIN;
    p.canvas.Calculate2DPosition(x, y, -INT32_MAX);  // centre (70, 50): 70 + INT32_MAX, 50 - INT32_MAX
    EXPECT_EQ(x, INT32_MAX);
    EXPECT_EQ(y, INT32_MIN);

    // Unrotated 3D is the identity about the centre, moved to the origin.
    p.options.SetOrthogonal(false);
    p.options.SetPerspective(0);
    p.options.SetRotation(0);
    p.options.SetElevation(0);
    p.options.SetTilt(0);
    p.options.SetZoom(100);
    p.Start(true, {20, 10, 120, 90}, 30);
    ASSERT_FALSE(p.canvas.OrthogonalActive());
    EXPECT_EQ(p.canvas.Calculate3DPosition(80, 45, 15), (fw::TPoint{84, -155}));
    EXPECT_EQ(p.canvas.Calculate3DPosition(INT32_MAX, INT32_MIN, 15), (fw::TPoint{INT32_MAX, INT32_MIN}));
    x = INT32_MAX - 10;
    y = INT32_MIN + 10;
    p.canvas.Calculate2DPosition(x, y, 15);  // (x - 74) + 70 and (y + 150) + 50
    EXPECT_EQ(x, INT32_MAX - 14);
    EXPECT_EQ(y, INT32_MIN + 210);
}

TEST(ChartProjection, RotatedMatchesThreePlainRotations) {
    struct Angles {
        int rotation, elevation, tilt;
    };
    for (const Angles a : {Angles{345, 345, 0}, Angles{20, 340, 10}, Angles{0, 345, 0}, Angles{330, 0, 5}}) {
        Projected p(true, {20, 10, 120, 90}, 40);
        p.options.SetOrthogonal(false);
        p.options.SetPerspective(0);
        p.options.SetRotation(a.rotation);
        p.options.SetElevation(a.elevation);
        p.options.SetTilt(a.tilt);
        p.Start(true, {20, 10, 120, 90}, 40);
        ASSERT_FALSE(p.canvas.OrthogonalActive());
        EXPECT_EQ(p.canvas.PerspectiveFactor(), 0);
        for (int x : {20, 63, 120})
            for (int y : {10, 47, 90})
                for (int z : {0, 13, 40}) {
                    // Centre (70, 50, 20): the box's middle stays put.
                    const auto o = RotatedOffsets(x - 70, y - 50, z - 20, a.rotation, a.elevation, a.tilt);
                    const fw::TPoint got = p.canvas.Calculate3DPosition(x, y, z);
                    EXPECT_NEAR(got.X, 70 + o[0], 0.5 + 1e-9) << x << "," << y << "," << z;
                    EXPECT_NEAR(got.Y, 50 + o[1], 0.5 + 1e-9) << x << "," << y << "," << z;
                }
        EXPECT_EQ(p.canvas.Calculate3DPosition(70, 50, 20), (fw::TPoint{70, 50}));
    }
}

TEST(ChartProjection, InverseUndoesRotationsAboutOneAxis) {
    // With no cross terms between screen x and y the inverse is exact up to
    // the rounding of each step.
    for (const auto& [rotation, elevation] : {std::pair{0, 345}, std::pair{345, 0}, std::pair{30, 0}}) {
        Projected p(true, {20, 10, 120, 90}, 40);
        p.options.SetOrthogonal(false);
        p.options.SetPerspective(0);
        p.options.SetRotation(rotation);
        p.options.SetElevation(elevation);
        p.Start(true, {20, 10, 120, 90}, 40);
        for (int x = 20; x <= 120; x += 17)
            for (int y = 10; y <= 90; y += 13)
                for (int z : {0, 20, 40}) {
                    const fw::TPoint s = p.canvas.Calculate3DPosition(x, y, z);
                    int bx = s.X, by = s.Y;
                    p.canvas.Calculate2DPosition(bx, by, z);
                    EXPECT_NEAR(bx, x, 1) << rotation << "/" << elevation << " at " << x << "," << y << "," << z;
                    EXPECT_NEAR(by, y, 1) << rotation << "/" << elevation << " at " << x << "," << y << "," << z;
                }
    }
}

TEST(ChartProjection, PerspectiveFactorAndFrontPlane) {
    Projected p(true, {20, 10, 120, 90}, 40);
    p.options.SetOrthogonal(false);
    p.Start(true, {20, 10, 120, 90}, 40);
    EXPECT_DOUBLE_EQ(p.canvas.PerspectiveFactor(), 15 / 35000.0);
    EXPECT_EQ(p.canvas.Calculate3DPosition(70, 50, 20), (fw::TPoint{70, 50})) << "the centre is a fixed point";
    const fw::TPoint deep = p.canvas.Calculate3DPosition(120, 90, 40);
    EXPECT_NE(deep, (fw::TPoint{120, 90}));

    p.canvas.FrontPlaneBegin();
    EXPECT_EQ(p.canvas.Calculate3DPosition(120, 90, 40), (fw::TPoint{120, 90})) << "flat between the brackets";
    p.canvas.FrontPlaneEnd();
    EXPECT_EQ(p.canvas.Calculate3DPosition(120, 90, 40), deep);

    // Without options a 3D canvas turns nothing and zooms 1.
    TChartCanvas3D bare;
    fw::TBitmap window(50, 50);
    bare.SetUseBuffer(false);
    bare.InitWindow(&window.Canvas(), nullptr, fw::clWhite, true, {0, 0, 50, 50});
    bare.Projection(10, {0, 0, 50, 50}, {0, 0, 50, 50});
    EXPECT_EQ(bare.ScaleFactor(), 1.0);
    EXPECT_EQ(bare.Calculate3DPosition(10, 40, 5), (fw::TPoint{10, 40}));
}

TEST(ChartCanvas3DFigures, LinesAndPlanesAtDepth) {
    Projected p(true, {20, 20, 120, 120}, 20);
    p.canvas.Pen().SetColor(fw::clRed);
    p.canvas.HorizLine3D(30, 60, 50, 10);  // drawn at (40 ... 69, 40)
    EXPECT_EQ(Rgb(p.window.Image(), 40, 40), 0xFF0000u);
    EXPECT_EQ(Rgb(p.window.Image(), 69, 40), 0xFF0000u);
    EXPECT_EQ(Rgb(p.window.Image(), 70, 40), 0xFFFFFFu);
    p.canvas.ZLine3D(100, 100, 0, 10);  // (100, 100) towards (110, 90)
    EXPECT_EQ(Rgb(p.window.Image(), 105, 95), 0xFF0000u);

    p.canvas.Pen().SetStyle(fw::psClear);
    p.canvas.Brush().SetColor(fw::clBlue);
    p.canvas.RectangleWithZ({20, 120, 40, 140}, 5);  // (25, 115) - (45, 135)
    EXPECT_EQ(Rgb(p.window.Image(), 30, 120), 0x0000FFu);
    EXPECT_EQ(Rgb(p.window.Image(), 22, 120), 0xFFFFFFu);
}

TEST(ChartCanvas3DFigures, CubeShadesItsSideAndTopFaces) {
    Projected p(true, {0, 0, 200, 150}, 40);
    p.canvas.Pen().SetStyle(fw::psClear);
    p.canvas.Brush().SetColor(0x00C08040);
    p.canvas.Cube(60, 120, 60, 110, 0, 30, true);
    const QImage& img = p.window.Image();
    auto rgbOf = [](fw::TColor c) {
        return static_cast<uint32_t>(fw::RedOf(c) << 16 | fw::GreenOf(c) << 8 | fw::BlueOf(c));
    };
    EXPECT_EQ(Rgb(img, 90, 85), rgbOf(0x00C08040)) << "front face";
    EXPECT_EQ(Rgb(img, 135, 80), rgbOf(ApplyDark(0x00C08040, DarkerColorQuantity))) << "right side";
    EXPECT_EQ(Rgb(img, 95, 45), rgbOf(ApplyDark(0x00C08040, DarkColorQuantity))) << "top";
    EXPECT_EQ(Rgb(img, 55, 85), 0xFFFFFFu) << "the left side faces away";
    EXPECT_EQ(Rgb(img, 90, 120), 0xFFFFFFu) << "so does the bottom";
    EXPECT_EQ(p.canvas.Brush().Color(), 0x00C08040) << "the brush is given back";
}

TEST(ChartCanvas3DFigures, ClipCubeIn3DOutlinesTheProjectedBox) {
    Projected p(true, {40, 40, 120, 110}, 20);
    p.canvas.ClipCube({40, 40, 120, 110}, 0, 20);
    p.canvas.Brush().SetColor(fw::clRed);
    p.canvas.FillRect({0, 0, 200, 150});
    p.canvas.UnClipRectangle();
    const QImage& img = p.window.Image();
    EXPECT_EQ(Rgb(img, 80, 80), 0xFF0000u);
    EXPECT_EQ(Rgb(img, 135, 30), 0xFF0000u) << "the back top-right corner region";
    EXPECT_EQ(Rgb(img, 45, 25), 0xFFFFFFu) << "above the front-left edge";
    EXPECT_EQ(Rgb(img, 135, 105), 0xFFFFFFu) << "below the back-right edge";
}

TEST(ChartCanvas3DFigures, TextOut3DScalesWithTheZoom) {
    auto inkHeight = [](int zoom) {
        Projected p(true, {0, 0, 200, 150}, 0);
        p.options.SetZoom(zoom);
        p.Start(true, {0, 0, 200, 150}, 0);
        p.canvas.Font().SetPixelsPerInch(96);
        p.canvas.Font().SetName("Arial");
        p.canvas.Font().SetSize(8);
        p.canvas.Brush().SetStyle(fw::bsClear);
        p.canvas.TextOut3D(100, 75, 0, "HH");
        const imagetest::InkBox ink = imagetest::FindInk(p.window.Image());
        return ink.Bottom - ink.Top;
    };
    const int plain = inkHeight(100), doubled = inkHeight(200);
    EXPECT_GT(plain, 4);
    EXPECT_NEAR(doubled, 2 * plain, 2);
}
