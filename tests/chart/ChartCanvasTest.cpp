#include <gtest/gtest.h>

#include <set>

#include "ImageCompare.h"
#include "chart/ChartCanvas.h"
#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/SystemColors.h"

using namespace chart;
using imagetest::Rgb;

namespace {

// A chart canvas drawing straight onto an off-screen window image.
struct Direct {
    fw::TBitmap window;
    TChartCanvas3D canvas;
    Direct(int w, int h) : window(w, h) {
        window.Canvas().Brush().SetColor(fw::clWhite);
        window.Canvas().FillRect({0, 0, w, h});
        canvas.SetUseBuffer(false);
        canvas.InitWindow(&window.Canvas(), nullptr, fw::clWhite, false, {0, 0, w, h});
    }
    const QImage& Pixels() { return window.Image(); }
};

}  // namespace

TEST(ChartCanvasBuffer, StatesAcrossPaints) {
    fw::TBitmap window(120, 80);
    TChartCanvas3D canvas;
    canvas.SetCanvas(&window.Canvas());
    EXPECT_FALSE(canvas.ReDrawBitmap()) << "nothing drawn yet";
    EXPECT_TRUE(canvas.UseBuffer());
    EXPECT_FALSE(canvas.Monochrome());

    const fw::TRect bounds = canvas.InitWindow(&window.Canvas(), nullptr, fw::clWhite, false, {0, 0, 120, 80});
    EXPECT_EQ(bounds, (fw::TRect{0, 0, 120, 80}));
    ASSERT_NE(canvas.BufferBitmap(), nullptr);
    EXPECT_NE(&canvas.ReferenceCanvas(), &window.Canvas()) << "drawing goes to the buffer";
    canvas.Brush().SetColor(fw::clRed);
    canvas.FillRect({0, 0, 120, 80});
    EXPECT_EQ(window.Canvas().Pixel(5, 5), fw::clBlack) << "the window waits for the end of the paint";
    canvas.ResetState();
    canvas.ShowImage(&window.Canvas(), &window.Canvas(), {0, 0, 120, 80});
    EXPECT_EQ(window.Canvas().Pixel(5, 5), fw::clRed);
    EXPECT_EQ(&canvas.ReferenceCanvas(), &window.Canvas());

    // An exposure: the picture comes back by one copy.
    window.Canvas().Brush().SetColor(fw::clBlue);
    window.Canvas().FillRect({0, 0, 120, 80});
    EXPECT_TRUE(canvas.ReDrawBitmap());
    EXPECT_EQ(window.Canvas().Pixel(100, 70), fw::clRed);
    EXPECT_TRUE(canvas.ReDrawBitmap());

    canvas.Invalidate();
    EXPECT_FALSE(canvas.ReDrawBitmap());

    // The same size keeps the bitmap; another size makes a new one.
    const fw::TBitmap* first = canvas.BufferBitmap();
    canvas.InitWindow(&window.Canvas(), nullptr, fw::clWhite, false, {0, 0, 120, 80});
    EXPECT_EQ(canvas.BufferBitmap(), first);
    canvas.ShowImage(&window.Canvas(), &window.Canvas(), {0, 0, 120, 80});
    const fw::TRect smaller = canvas.InitWindow(&window.Canvas(), nullptr, fw::clWhite, false, {10, 10, 70, 50});
    EXPECT_EQ(smaller, (fw::TRect{0, 0, 60, 40}));
    EXPECT_EQ(canvas.BufferBitmap()->Width(), 60);
    EXPECT_EQ(canvas.BufferBitmap()->Height(), 40);
    EXPECT_EQ(canvas.BufferBounds(), (fw::TRect{10, 10, 70, 50}));
}

TEST(ChartCanvasBuffer, SwitchingBufferingOrMonochromeInvalidates) {
    fw::TBitmap window(40, 30);
    TChartCanvas3D canvas;
    canvas.SetCanvas(&window.Canvas());
    int repaints = 0;
    TView3DOptions options([&] { ++repaints; });
    canvas.InitWindow(&window.Canvas(), &options, fw::clWhite, false, {0, 0, 40, 30});
    canvas.ShowImage(&window.Canvas(), &window.Canvas(), {0, 0, 40, 30});
    EXPECT_TRUE(canvas.ReDrawBitmap());

    canvas.SetMonochrome(false);
    EXPECT_TRUE(canvas.ReDrawBitmap()) << "an unchanged value changes nothing";
    canvas.SetMonochrome(true);
    EXPECT_EQ(canvas.BufferBitmap(), nullptr);
    EXPECT_FALSE(canvas.ReDrawBitmap());
    EXPECT_EQ(repaints, 1);

    canvas.InitWindow(&window.Canvas(), &options, fw::clWhite, false, {0, 0, 40, 30});
    EXPECT_TRUE(canvas.BufferBitmap()->Monochrome());
    canvas.ShowImage(&window.Canvas(), &window.Canvas(), {0, 0, 40, 30});
    canvas.SetUseBuffer(true);
    EXPECT_TRUE(canvas.ReDrawBitmap());
    canvas.SetUseBuffer(false);
    EXPECT_EQ(canvas.BufferBitmap(), nullptr);
    EXPECT_FALSE(canvas.ReDrawBitmap());

    // Unbuffered: the paint goes straight to the destination.
    const fw::TRect r = canvas.InitWindow(&window.Canvas(), &options, fw::clWhite, false, {5, 5, 35, 25});
    EXPECT_EQ(r, (fw::TRect{5, 5, 35, 25}));
    EXPECT_EQ(&canvas.ReferenceCanvas(), &window.Canvas());

    TChartCanvas3D other;
    other.Assign(canvas);
    EXPECT_TRUE(other.Monochrome());
}

TEST(ChartCanvasClip, ClipCubeIn2DKeepsThePlotFrame) {
    Direct d(700, 300);
    d.canvas.ClipCube({21, 40, 676, 270}, 0, 0);
    d.canvas.Brush().SetColor(fw::clRed);
    d.canvas.FillRect({0, 0, 700, 300});
    d.canvas.UnClipRectangle();
    const imagetest::InkBox box = imagetest::FindInk(d.Pixels());
    EXPECT_EQ(box.Left, 22);
    EXPECT_EQ(box.Top, 41);
    EXPECT_EQ(box.Right, 676);
    EXPECT_EQ(box.Bottom, 269);
    EXPECT_EQ(Rgb(d.Pixels(), 21, 100), 0xFFFFFFu) << "left frame column untouched";
    EXPECT_EQ(Rgb(d.Pixels(), 300, 40), 0xFFFFFFu) << "top frame row untouched";
    EXPECT_EQ(Rgb(d.Pixels(), 300, 269), 0xFFFFFFu) << "bottom frame row untouched";
    EXPECT_EQ(Rgb(d.Pixels(), 675, 268), 0xFF0000u);

    d.canvas.FillRect({0, 0, 5, 5});
    EXPECT_EQ(Rgb(d.Pixels(), 2, 2), 0xFF0000u) << "unclipped again";
}

TEST(ChartCanvasLines, EndPixelStampAndInvertingRectangle) {
    Direct d(60, 40);
    d.canvas.Pen().SetColor(fw::clBlack);
    d.canvas.Pen().SetWidth(2);
    d.canvas.MoveTo(10, 10);
    d.canvas.LineTo(20, 10);
    const QImage& img = d.Pixels();
    for (int x = 0; x < 30; ++x)
        for (int y = 8; y < 12; ++y)
            EXPECT_EQ(Rgb(img, x, y) == 0, x >= 9 && x <= 19 && (y == 9 || y == 10)) << x << "," << y;

    // The zoom rectangle: black not-xor pen, hollow brush, drawn twice.
    d.canvas.Pen().SetWidth(1);
    d.canvas.Pen().SetMode(fw::pmNotXor);
    d.canvas.Brush().SetStyle(fw::bsClear);
    const QImage before = d.Pixels().copy();
    d.canvas.Rectangle(12, 8, 40, 30);
    EXPECT_EQ(Rgb(d.Pixels(), 20, 8), 0u) << "white under the outline turns black";
    EXPECT_EQ(Rgb(d.Pixels(), 39, 29), 0u);
    EXPECT_EQ(Rgb(d.Pixels(), 12, 9), 0xFFFFFFu) << "the black line under the outline turns white";
    EXPECT_EQ(Rgb(d.Pixels(), 12, 10), 0xFFFFFFu);
    EXPECT_EQ(Rgb(d.Pixels(), 13, 9), 0u) << "inside: untouched";
    d.canvas.Rectangle(12, 8, 40, 30);
    EXPECT_EQ(imagetest::CompareImages(d.Pixels(), before, "zoom-rectangle"), 0);
}

TEST(ChartCanvasPens, VisibleDottedSmallDotsAndHidden) {
    Direct d(100, 20);
    TDottedGrayPen grid;
    d.canvas.AssignVisiblePen(grid);
    d.canvas.DoHorizLine(10, 90, 5);
    for (int x = 0; x < 100; ++x) {
        const bool on = x >= 10 && x < 90 && (x - 10) % 6 < 3;
        EXPECT_EQ(Rgb(d.Pixels(), x, 5), on ? 0x808080u : 0xFFFFFFu) << x;
    }

    TChartPen dots;
    dots.SetSmallDots(true);
    dots.SetColor(fw::clBtnShadow);
    d.canvas.AssignVisiblePen(dots);
    EXPECT_EQ(d.canvas.Pen().Color(), fw::ColorToRGB(fw::clBtnShadow)) << "resolved to RGB";
    d.canvas.DoHorizLine(10, 30, 10);
    for (int x = 10; x < 30; ++x) EXPECT_EQ(Rgb(d.Pixels(), x, 10) != 0xFFFFFF, x % 2 == 0) << x;

    dots.SetWidth(2);  // an ordinary two-pixel pen
    dots.SetColor(fw::clBlue);
    d.canvas.AssignVisiblePen(dots);
    EXPECT_EQ(d.canvas.Pen().Style(), fw::psSolid);
    d.canvas.DoHorizLine(40, 60, 15);
    for (int x = 39; x < 60; ++x) EXPECT_EQ(Rgb(d.Pixels(), x, 15), 0x0000FFu) << x;

    TChartHiddenPen frame;
    frame.SetColor(fw::clRed);
    d.canvas.AssignVisiblePen(frame);
    d.canvas.DoVertLine(70, 0, 20);
    EXPECT_EQ(Rgb(d.Pixels(), 70, 3), 0xFFFFFFu) << "a hidden frame is not drawn";
    frame.SetVisible(true);
    d.canvas.AssignVisiblePen(frame);
    d.canvas.DoVertLine(70, 0, 20);
    EXPECT_EQ(Rgb(d.Pixels(), 70, 3), 0xFF0000u);
}

TEST(ChartCanvasFrame3D, SidesTakeTheirColoursAndTheRectShrinks) {
    Direct d(30, 20);
    fw::TRect r{2, 3, 22, 15};
    d.canvas.Frame3D(r, fw::clRed, fw::clBlue, 2);
    EXPECT_EQ(r, (fw::TRect{4, 5, 20, 13}));
    const QImage& img = d.Pixels();
    for (int ring = 0; ring < 2; ++ring) {
        const int l = 2 + ring, t = 3 + ring, rr = 21 - ring, b = 14 - ring;
        SCOPED_TRACE(ring);
        for (int y = t; y < b; ++y) EXPECT_EQ(Rgb(img, l, y), 0xFF0000u) << "left " << y;
        for (int x = l; x < rr; ++x) EXPECT_EQ(Rgb(img, x, t), 0xFF0000u) << "top " << x;
        for (int y = t; y <= b; ++y) EXPECT_EQ(Rgb(img, rr, y), 0x0000FFu) << "right " << y;
        for (int x = l; x <= rr; ++x) EXPECT_EQ(Rgb(img, x, b), 0x0000FFu) << "bottom " << x;
    }
    EXPECT_EQ(Rgb(img, 4, 5), 0xFFFFFFu) << "inside the frames";
    EXPECT_EQ(Rgb(img, 1, 3), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, 22, 14), 0xFFFFFFu);
}

TEST(ChartCanvasState, ResetStateAndTheBackground) {
    Direct d(10, 10);
    d.canvas.Pen().SetColor(fw::clRed);
    d.canvas.Pen().SetWidth(3);
    d.canvas.Pen().SetStyle(fw::psDot);
    d.canvas.Brush().SetStyle(fw::bsCross);
    d.canvas.Brush().SetColor(fw::clGreen);
    d.canvas.Font().SetColor(fw::clBlue);
    d.canvas.Font().SetSize(14);
    d.canvas.SetBackMode(cbmOpaque);
    d.canvas.SetBackColor(fw::clYellow);
    d.canvas.ResetState();
    EXPECT_EQ(d.canvas.Pen().Color(), fw::clBlack);
    EXPECT_EQ(d.canvas.Pen().Width(), 1);
    EXPECT_EQ(d.canvas.Pen().Style(), fw::psSolid);
    EXPECT_EQ(d.canvas.Brush().Color(), fw::clWhite);
    EXPECT_EQ(d.canvas.Brush().Style(), fw::bsSolid);
    EXPECT_EQ(d.canvas.Font().Color(), fw::clBlack);
    EXPECT_EQ(d.canvas.Font().Size(), 10);
    EXPECT_EQ(d.canvas.BackColor(), fw::clWhite);
    EXPECT_EQ(d.canvas.BackMode(), cbmTransparent);

    d.canvas.SetTextAlign(fw::TA_CENTER | fw::TA_BOTTOM);
    EXPECT_EQ(d.canvas.TextAlign(), fw::TA_CENTER | fw::TA_BOTTOM);
}

TEST(ChartCanvasText, FontHeightAndRotatedLabels) {
    Direct d(200, 200);
    d.canvas.Font().SetPixelsPerInch(96);
    d.canvas.Font().SetName("Arial");
    d.canvas.Font().SetSize(8);
    EXPECT_EQ(d.canvas.FontHeight(), d.canvas.TextHeight("W"));
    EXPECT_GT(d.canvas.FontHeight(), 8);
    EXPECT_GT(d.canvas.TextWidth("1,000"), d.canvas.TextWidth("100"));

    auto label = [](int angle) {
        Direct l(200, 200);
        l.canvas.Font().SetPixelsPerInch(96);
        l.canvas.Font().SetName("Arial");
        l.canvas.Font().SetSize(8);
        l.canvas.RotateLabel(100, 100, "Label 42", angle);
        EXPECT_EQ(l.canvas.Brush().Style(), fw::bsClear);
        return l.Pixels().copy();
    };
    const QImage at90 = label(90);
    EXPECT_EQ(imagetest::CompareImages(label(450), at90, "rotate-450"), 0) << "450 degrees draw at 90";
    const imagetest::InkBox up = imagetest::FindInk(at90);
    EXPECT_LE(up.Bottom, 101) << "at 90 degrees the text rises from the point";
    EXPECT_GT(up.Bottom - up.Top, up.Right - up.Left);

    Direct plain(200, 200);
    plain.canvas.Font().SetPixelsPerInch(96);
    plain.canvas.Font().SetName("Arial");
    plain.canvas.Font().SetSize(8);
    plain.canvas.Brush().SetStyle(fw::bsClear);
    plain.canvas.TextOut(100, 100, "Label 42");
    EXPECT_EQ(imagetest::CompareImages(label(360), plain.Pixels(), "rotate-360"), 0)
        << "360 degrees draw as a whole turn";
}
