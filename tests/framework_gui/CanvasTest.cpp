#include <gtest/gtest.h>

#include "ImageCompare.h"
#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/SystemColors.h"

using namespace fw;

TEST(FrameworkCanvas, DrawsWithItsOwnPenBrushAndFont) {
    TBitmap bitmap(40, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect({0, 0, 40, 30});
    canvas.Pen().SetColor(clRed);
    canvas.Pen().SetWidth(2);
    canvas.MoveTo(5, 10);
    canvas.LineTo(30, 10);
    EXPECT_EQ(canvas.PenPos(), (TPoint{30, 10}));
    EXPECT_EQ(canvas.Pixel(4, 9), clRed) << "two pixels wide: one up and left";
    EXPECT_EQ(canvas.Pixel(29, 10), clRed);
    EXPECT_EQ(canvas.Pixel(30, 10), clWhite);
    EXPECT_EQ(canvas.Pixel(5, 11), clWhite);

    // A system colour is drawn as the palette has it.
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect({0, 20, 10, 30});
    EXPECT_EQ(canvas.Pixel(3, 25), ColorToRGB(clBtnFace));

    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-11);
    canvas.Font().SetColor(clBlue);
    const TPoint e = canvas.TextExtent("W");
    EXPECT_GT(e.X, 5);
    EXPECT_EQ(canvas.TextWidth("WW"), canvas.TextWidth("W") * 2);
    canvas.TextOut(12, 15, "W");
    bool blue = false;
    for (int y = 15; y < 15 + e.Y; ++y)
        for (int x = 12; x < 12 + e.X; ++x) blue = blue || canvas.Pixel(x, y) == clBlue;
    EXPECT_TRUE(blue) << "the font colour is the text colour";
}

TEST(FrameworkCanvas, BrushBitmapIsThePattern) {
    TBitmap pattern(2, 2);
    pattern.Canvas().SetPixel(0, 0, clRed);
    pattern.Canvas().SetPixel(1, 1, clRed);
    pattern.Canvas().SetPixel(1, 0, clYellow);
    pattern.Canvas().SetPixel(0, 1, clYellow);
    TBitmap bitmap(8, 8);
    bitmap.Canvas().Brush().SetBitmap(&pattern);
    bitmap.Canvas().FillRect({0, 0, 8, 8});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(bitmap.Canvas().Pixel(x, y), (x + y) % 2 ? clYellow : clRed);
}

TEST(FrameworkBitmap, SizeMonochromeAndCopies) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    bitmap.Canvas().LineTo(5, 5);  // nothing to draw on: no harm
    bitmap.SetSize(12, 7);
    EXPECT_EQ(bitmap.Width(), 12);
    EXPECT_EQ(bitmap.Height(), 7);
    EXPECT_EQ(bitmap.Canvas().Pixel(11, 6), clBlack) << "new pixels are black";
    bitmap.Canvas().SetPixel(2, 2, clYellow);
    bitmap.SetSize(12, 7);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 2), clYellow) << "the same size keeps the picture";

    TBitmap target(20, 20);
    target.Canvas().Draw(3, 4, bitmap);
    EXPECT_EQ(target.Canvas().Pixel(5, 6), clYellow);
    target.Canvas().StretchDraw({0, 0, 20, 20}, bitmap);
    EXPECT_EQ(target.Canvas().Pixel(19, 19), clBlack);

    bitmap.SetMonochrome(true);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 2), clWhite) << "yellow is nearer to white";
    bitmap.Canvas().Brush().SetColor(clMaroon);
    bitmap.Canvas().FillRect({0, 0, 3, 3});
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clBlack);
}
