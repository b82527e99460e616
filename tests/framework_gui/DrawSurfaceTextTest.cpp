#include <gtest/gtest.h>

#include "ImageCompare.h"
#include "framework/gui/paint/DrawSurface.h"

using namespace fw;

namespace {

constexpr const char* kText = "Wag 17";

// Text drawn on a fresh white image with the given alignment and modes.
QImage Render(int x, int y, uint32_t align, int32_t escapement = 0, int32_t bkMode = bkTransparent) {
    QImage image = imagetest::WhiteImage(120, 120);
    TDrawSurface dc;
    dc.BindImage(&image);
    TLogFont font;
    font.FaceName = "Arial";
    font.Height = -11;
    font.Escapement = escapement;
    dc.SelectFont(font);
    dc.SetTextAlign(align);
    dc.SetBkMode(bkMode);
    dc.SetBkColor(clRed);
    dc.TextOut(x, y, kText);
    dc.Flush();
    return image;
}

TPoint Extent() {
    QImage image(1, 1, QImage::Format_RGB32);
    TDrawSurface dc;
    dc.BindImage(&image);
    TLogFont font;
    font.FaceName = "Arial";
    font.Height = -11;
    dc.SelectFont(font);
    return dc.TextExtent(kText);
}

TTextMetrics Metrics() {
    QImage image(1, 1, QImage::Format_RGB32);
    TDrawSurface dc;
    dc.BindImage(&image);
    TLogFont font;
    font.FaceName = "Arial";
    font.Height = -11;
    dc.SelectFont(font);
    return dc.TextMetrics();
}

}  // namespace

TEST(SurfaceText, ArialMeasuresLikeItsMetricTwin) {
    const TPoint extent = Extent();
    const QFontMetrics twin([] {
        QFont f("Liberation Sans");
        f.setPixelSize(11);
        f.setKerning(false);
        f.setHintingPreference(QFont::PreferFullHinting);
        return f;
    }());
    EXPECT_EQ(extent.X, twin.horizontalAdvance(kText));
    EXPECT_EQ(extent.Y, twin.ascent() + twin.descent());
    EXPECT_GT(extent.X, 20);
    EXPECT_EQ(Metrics().Height(), extent.Y);
}

TEST(SurfaceText, LeftTopTextLiesInsideItsExtentBox) {
    const TPoint e = Extent();
    const imagetest::InkBox ink = imagetest::FindInk(Render(30, 40, TA_LEFT | TA_TOP));
    ASSERT_FALSE(ink.Empty());
    EXPECT_GE(ink.Left, 29);
    EXPECT_LE(ink.Right, 30 + e.X + 1);
    EXPECT_GE(ink.Top, 40);
    EXPECT_LE(ink.Bottom, 40 + e.Y);
    EXPECT_LT(ink.Top, 40 + 4) << "the capitals reach near the top";
}

TEST(SurfaceText, AlignmentFlagsMoveTheBoxExactly) {
    const TPoint e = Extent();
    const TTextMetrics m = Metrics();
    const QImage reference = Render(20, 30, TA_LEFT | TA_TOP);
    EXPECT_EQ(imagetest::CompareImages(Render(20 + e.X, 30, TA_RIGHT | TA_TOP), reference, "align-right"), 0);
    EXPECT_EQ(imagetest::CompareImages(Render(20 + e.X / 2, 30, TA_CENTER | TA_TOP), reference, "align-centre"), 0);
    EXPECT_EQ(imagetest::CompareImages(Render(20, 30 + e.Y, TA_LEFT | TA_BOTTOM), reference, "align-bottom"), 0);
    EXPECT_EQ(imagetest::CompareImages(Render(20, 30 + m.Ascent, TA_LEFT | TA_BASELINE), reference, "align-base"), 0);
    EXPECT_EQ(imagetest::CompareImages(Render(20 + e.X, 30 + e.Y, TA_RIGHT | TA_BOTTOM), reference, "align-rb"), 0);
}

TEST(SurfaceText, OpaqueBackgroundFillsTheExtentBox) {
    const TPoint e = Extent();
    const QImage image = Render(50, 60, TA_RIGHT | TA_BOTTOM, 0, bkOpaque);
    imagetest::InkBox red{120, 120, 0, 0};
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x)
            if (imagetest::Rgb(image, x, y) == 0xFF0000) {
                red.Left = std::min(red.Left, x);
                red.Top = std::min(red.Top, y);
                red.Right = std::max(red.Right, x + 1);
                red.Bottom = std::max(red.Bottom, y + 1);
            }
    EXPECT_EQ(red.Left, 50 - e.X);
    EXPECT_EQ(red.Right, 50);
    EXPECT_EQ(red.Top, 60 - e.Y);
    EXPECT_EQ(red.Bottom, 60);
    EXPECT_EQ(imagetest::FindInk(image).Right, 50) << "nothing outside the box";
}

TEST(SurfaceText, EscapementTurnsTextCounterClockwise) {
    const TPoint e = Extent();
    // 90 degrees: the text runs upwards from the point, its top to the left.
    const imagetest::InkBox up = imagetest::FindInk(Render(60, 100, TA_LEFT | TA_TOP, 900));
    ASSERT_FALSE(up.Empty());
    EXPECT_GE(up.Left, 59);
    EXPECT_LE(up.Right, 60 + e.Y + 1);
    EXPECT_LE(up.Bottom, 101);
    EXPECT_GE(up.Top, 100 - e.X - 1);
    EXPECT_GT(up.Bottom - up.Top, up.Right - up.Left) << "taller than wide";

    // 180 degrees: upside down, to the left of and above the point.
    const imagetest::InkBox down = imagetest::FindInk(Render(100, 60, TA_LEFT | TA_TOP, 1800));
    EXPECT_LE(down.Right, 101);
    EXPECT_GE(down.Left, 100 - e.X - 1);
    EXPECT_LE(down.Bottom, 61);

    // A whole turn draws like no turn.
    EXPECT_EQ(
        imagetest::CompareImages(Render(20, 30, TA_LEFT | TA_TOP, 3600), Render(20, 30, TA_LEFT | TA_TOP), "turn-360"),
        0);
}
