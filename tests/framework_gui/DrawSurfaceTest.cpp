#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <functional>
#include <random>
#include <utility>

#include "ImageCompare.h"
#include "framework/gui/paint/DrawSurface.h"

using namespace fw;
using imagetest::Rgb;

namespace {

struct Surface {
    QImage image;
    TDrawSurface dc;
    explicit Surface(int w = 40, int h = 30) : image(imagetest::WhiteImage(w, h)) { dc.BindImage(&image); }
    const QImage& Pixels() {
        dc.Flush();
        return image;
    }
};

// A background of varied colours, so that raster modes show what they did.
QImage Noise(int w, int h, unsigned seed) {
    QImage image(w, h, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
    return image;
}

}  // namespace

TEST(SurfaceRectangle, RightAndBottomEdgesAreExclusive) {
    Surface s;
    s.dc.SelectPen({clBlack, 1, psSolid, pmCopy});
    s.dc.SelectBrush({clRed, bsSolid, nullptr});
    s.dc.Rectangle(10, 5, 20, 15);
    const QImage& img = s.Pixels();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 10 && x < 20 && y >= 5 && y < 15;
            const bool border = inside && (x == 10 || x == 19 || y == 5 || y == 14);
            const uint32_t expected = !inside ? 0xFFFFFF : border ? 0x000000 : 0xFF0000;
            ASSERT_EQ(Rgb(img, x, y), expected) << x << "," << y;
        }
}

TEST(SurfaceRectangle, WithoutAPenFillsOnePixelLess) {
    Surface s;
    s.dc.SelectPen({clBlack, 1, psClear, pmCopy});
    s.dc.SelectBrush({clBlue, bsSolid, nullptr});
    s.dc.Rectangle(20, 15, 10, 5);  // corners in any order
    const imagetest::InkBox box = imagetest::FindInk(s.Pixels());
    EXPECT_EQ(box.Left, 10);
    EXPECT_EQ(box.Top, 5);
    EXPECT_EQ(box.Right, 19);
    EXPECT_EQ(box.Bottom, 14);
}

TEST(SurfaceRectangle, NotXorTwiceLeavesNoTrace) {
    QImage image = Noise(50, 40, 5);
    const QImage original = image.copy();
    TDrawSurface dc;
    dc.BindImage(&image);
    dc.SelectPen({clBlack, 1, psSolid, pmNotXor});
    dc.SelectBrush({clWhite, bsClear, nullptr});
    dc.Rectangle(5, 6, 30, 25);
    dc.Flush();
    // Once: every outline pixel inverted exactly once, corners included.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) {
            const bool border = x >= 5 && x < 30 && y >= 6 && y < 25 && (x == 5 || x == 29 || y == 6 || y == 24);
            const uint32_t expected = border ? (~Rgb(original, x, y) & 0xFFFFFF) : Rgb(original, x, y);
            ASSERT_EQ(Rgb(image, x, y), expected) << x << "," << y;
        }
    dc.Rectangle(5, 6, 30, 25);
    dc.Flush();
    EXPECT_EQ(imagetest::CompareImages(image, original, "notxor-twice"), 0);

    // Thin rectangles are single lines: still each pixel once.
    dc.Rectangle(40, 2, 41, 20);
    dc.Rectangle(40, 2, 41, 20);
    dc.Rectangle(2, 35, 45, 36);
    dc.Rectangle(2, 35, 45, 36);
    dc.Flush();
    EXPECT_EQ(imagetest::CompareImages(image, original, "notxor-thin"), 0);
}

TEST(SurfaceLines, DrawnOnlyInsideTheClipRectangle) {
    Surface s;
    s.dc.SelectPen({clBlack, 1, psSolid, pmCopy});
    s.dc.SelectClipRect({5, 5, 15, 12});
    s.dc.MoveTo(0, 8);
    s.dc.LineTo(40, 8);
    s.dc.SelectPen({clBlack, 2, psSolid, pmCopy});
    s.dc.MoveTo(10, 0);
    s.dc.LineTo(10, 30);
    s.dc.SelectBrush({clRed, bsSolid, nullptr});
    s.dc.PatBlt({0, 0, 40, 3});  // wholly outside
    const imagetest::InkBox box = imagetest::FindInk(s.Pixels());
    EXPECT_EQ(box.Left, 5);
    EXPECT_EQ(box.Top, 5);
    EXPECT_EQ(box.Right, 15);
    EXPECT_EQ(box.Bottom, 12);
    EXPECT_EQ(s.dc.CurrentPosition(), (TPoint{10, 30}));

    s.dc.RemoveClip();
    EXPECT_FALSE(s.dc.HasClip());
    s.dc.PatBlt({0, 0, 40, 3});
    EXPECT_EQ(Rgb(s.Pixels(), 0, 0), 0xFF0000u);
}

TEST(SurfaceLines, PolygonClipRegionLimitsEveryPath) {
    Surface s(60, 60);
    const TPoint triangle[] = {{5, 5}, {55, 5}, {5, 55}};
    s.dc.SelectClipPolygon(triangle);
    s.dc.SelectPen({clBlack, 1, psSolid, pmCopy});
    for (int y = 0; y < 60; y += 3) {
        s.dc.MoveTo(0, y);
        s.dc.LineTo(60, y);
    }
    s.dc.SelectPen({clBlack, 5, psSolid, pmCopy});  // a QPainter line
    s.dc.MoveTo(0, 58);
    s.dc.LineTo(58, 0);
    const QRegion region(QPolygon({QPoint(5, 5), QPoint(55, 5), QPoint(5, 55)}), Qt::OddEvenFill);
    const QImage& img = s.Pixels();
    int inked = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            if (Rgb(img, x, y) != 0xFFFFFF) {
                ++inked;
                ASSERT_TRUE(region.contains(QPoint(x, y))) << x << "," << y;
            }
    EXPECT_GT(inked, 300);
}

// The scene drawn on white images of one size, once through the image
// rasteriser and once through a painter: {direct, painted}.
std::pair<QImage, QImage> DrawOnBothPaths(int width, int height, const std::function<void(TDrawSurface&)>& scene) {
    QImage direct = imagetest::WhiteImage(width, height);
    {
        TDrawSurface dc;
        dc.BindImage(&direct);
        scene(dc);
    }
    QImage painted = imagetest::WhiteImage(width, height);
    {
        QPainter painter(&painted);
        TDrawSurface dc;
        dc.BindPainter(&painter);
        scene(dc);
    }
    return {direct, painted};
}

TEST(SurfacePaths, ImageAndPainterTargetsAgreeOnStraightShapes) {
    auto scene = [](TDrawSurface& dc) {
        dc.SelectBrush({0x00FFCC, bsSolid, nullptr});
        dc.PatBlt({0, 0, 80, 60});
        dc.SelectPen({clNavy, 1, psSolid, pmCopy});
        dc.SelectBrush({clYellow, bsSolid, nullptr});
        dc.Rectangle(5, 5, 40, 30);
        dc.SelectPen({clRed, 1, psSolid, pmCopy});
        dc.MoveTo(2, 45);
        dc.LineTo(70, 45);
        dc.LineTo(70, 10);
        dc.SelectPen({clBlue, 1, psDot, pmCopy});
        dc.MoveTo(75, 58);
        dc.LineTo(3, 58);
        const TPoint frame[] = {{3, 50}, {60, 50}, {60, 55}, {3, 55}};
        dc.Polygon(frame);
        dc.SelectClipRect({10, 0, 60, 60});
        dc.SelectPen({clBlack, 1, psSolid, pmNotXor});
        dc.SelectBrush({clWhite, bsClear, nullptr});
        dc.Rectangle(0, 20, 79, 55);
        dc.SelectPen({clGreen, 1, psClear, pmCopy});
        dc.SelectBrush({clGreen, bsSolid, nullptr});
        dc.Rectangle(50, 2, 70, 8);
        dc.SetPixel(55, 50, clPurple);
    };
    const auto [direct, painted] = DrawOnBothPaths(80, 60, scene);
    EXPECT_EQ(imagetest::CompareImages(direct, painted, "image-vs-painter"), 0);
}

TEST(SurfacePaths, StraightLinesFarLongerThanAPainterTargetDrawWhatShows) {
    // Lines running some 2·10^9 pixels past the target: a painter target
    // must draw the same visible pixels as the image rasteriser, which clips.
    constexpr int32_t far = 2000000000;
    struct Segment {
        TPoint From, To;
    };
    const Segment segments[] = {{{10, 0}, {10, far}},
                                {{12, far}, {12, -far}},
                                {{-far, 7}, {far, 7}},
                                {{far, 9}, {3, 9}},
                                {{10, -far}, {10, 30}}};
    const auto scene = [&](TDrawSurface& dc) {
        for (const TPenStyle style : {psSolid, psDash, psDot}) {
            dc.SelectPen({clNavy, 1, style, pmCopy});
            for (const Segment& s : segments) {
                dc.MoveTo(s.From.X, s.From.Y);
                dc.LineTo(s.To.X, s.To.Y);
            }
        }
    };
    for (const bool clipped : {false, true}) {
        const std::string name = clipped ? "far-lines-clipped" : "far-lines";
        const auto draw = [&](TDrawSurface& dc) {
            if (clipped) dc.SelectClipRect({4, 3, 30, 25});
            scene(dc);
        };
        const auto [direct, painted] = DrawOnBothPaths(40, 30, draw);
        EXPECT_EQ(imagetest::CompareImages(painted, direct, name), 0);

        // A picture given its size before recording, as a metafile is.
        QPicture picture;
        picture.setBoundingRect(QRect(0, 0, 40, 30));
        {
            QPainter painter(&picture);
            TDrawSurface dc;
            dc.BindPainter(&painter);
            draw(dc);
        }
        QImage replayed = imagetest::WhiteImage(40, 30);
        {
            QPainter painter(&replayed);
            painter.drawPicture(0, 0, picture);
        }
        EXPECT_EQ(imagetest::CompareImages(replayed, direct, name + "-picture"), 0);
    }

    // By hand: a solid line down from (10, 0) inks exactly column 10.
    QImage column = imagetest::WhiteImage(40, 30);
    {
        QPainter painter(&column);
        TDrawSurface dc;
        dc.BindPainter(&painter);
        dc.SelectPen({clBlack, 1, psSolid, pmCopy});
        dc.MoveTo(10, 0);
        dc.LineTo(10, far);
    }
    const imagetest::InkBox box = imagetest::FindInk(column);
    EXPECT_EQ(box.Left, 10);
    EXPECT_EQ(box.Right, 11);
    EXPECT_EQ(box.Top, 0);
    EXPECT_EQ(box.Bottom, 30);
}

TEST(SurfacePaths, RasterModesOfLinesAndFillsAgree) {
    // Each mode: a horizontal line by our rasteriser against a one-row fill
    // by QPainter's raster operations, over the same varied pixels.
    for (int mode = pmBlack; mode <= pmNotXor; ++mode) {
        if (mode == pmCopy) continue;
        QImage lines = Noise(30, 8, 9), fills = lines.copy();
        TDrawSurface a, b;
        a.BindImage(&lines);
        b.BindImage(&fills);
        a.SelectPen({0x3366CC, 1, psSolid, static_cast<TPenMode>(mode)});
        a.MoveTo(2, 3);
        a.LineTo(28, 3);
        b.SelectPen({0, 1, psClear, static_cast<TPenMode>(mode)});
        b.SelectBrush({0x3366CC, bsSolid, nullptr});
        b.Rectangle(2, 3, 29, 5);  // no pen: fills (2, 3)-(28, 4), one row
        a.Flush();
        b.Flush();
        EXPECT_EQ(imagetest::CompareImages(lines, fills, "mode-" + std::to_string(mode)), 0) << "mode " << mode;
    }
}

TEST(SurfacePixels, SetGetAndMonochrome) {
    Surface s(10, 10);
    s.dc.SetPixel(3, 4, 0x123456);
    EXPECT_EQ(s.dc.GetPixel(3, 4), 0x123456);
    EXPECT_EQ(s.dc.GetPixel(-1, 4), clNone);
    s.dc.SetMonochrome(true);
    s.dc.SetPixel(1, 1, clYellow);
    s.dc.SetPixel(2, 1, clRed);
    s.dc.SetPixel(3, 1, clSilver);
    s.dc.SetPixel(4, 1, clNavy);
    EXPECT_EQ(s.dc.GetPixel(1, 1), clWhite);
    EXPECT_EQ(s.dc.GetPixel(2, 1), clBlack);
    EXPECT_EQ(s.dc.GetPixel(3, 1), clWhite);
    EXPECT_EQ(s.dc.GetPixel(4, 1), clBlack);
}

TEST(SurfaceImages, BitBltCopiesABlockAndSurvivesSharedPixels) {
    QImage source(4, 3, QImage::Format_RGB32);
    source.fill(qRgb(10, 20, 30));
    source.setPixel(0, 0, qRgb(200, 0, 0));
    Surface s(10, 10);
    s.dc.BitBlt(5, 6, source, {0, 0, 4, 3});
    QImage snapshot = s.Pixels();  // shares the pixels with the surface's image
    EXPECT_EQ(Rgb(snapshot, 5, 6), 0xC80000u);
    EXPECT_EQ(Rgb(snapshot, 8, 8), 0x0A141Eu);
    EXPECT_EQ(Rgb(snapshot, 9, 9), 0xFFFFFFu);
    s.dc.SelectPen({clBlack, 1, psSolid, pmCopy});
    s.dc.MoveTo(0, 0);
    s.dc.LineTo(10, 0);
    EXPECT_EQ(Rgb(snapshot, 1, 0), 0xFFFFFFu) << "a copy taken earlier does not change";
    EXPECT_EQ(Rgb(s.Pixels(), 1, 0), 0u);
}

TEST(SurfaceState, ModesAndSelectionsAnswerTheirPredecessors) {
    TDrawSurface dc;
    EXPECT_EQ(dc.SetBkMode(bkTransparent), bkOpaque);
    EXPECT_EQ(dc.SetBkMode(7), bkTransparent) << "unknown modes are refused";
    EXPECT_EQ(dc.BkMode(), bkTransparent);
    EXPECT_EQ(dc.SetBkColor(clRed), clWhite);
    EXPECT_EQ(dc.SetTextAlign(TA_RIGHT | TA_BOTTOM), TA_LEFT | TA_TOP);
    const TDevicePen old = dc.SelectPen({clBlue, 3, psDash, pmXor});
    EXPECT_EQ(old, TDevicePen{});
    EXPECT_EQ(dc.Pen().Width, 3);
    EXPECT_EQ(dc.TextExtent("W"), (TPoint{0, 0})) << "no target: nothing measured";
}

TEST(SurfacePaths, DrawsOnVectorDevicesThroughQPainter) {
    auto scene = [](TDrawSurface& dc) {
        dc.SelectPen({clNavy, 1, psSolid, pmCopy});
        dc.SelectBrush({clYellow, bsSolid, nullptr});
        dc.Rectangle(5, 5, 40, 30);
        dc.MoveTo(2, 45);
        dc.LineTo(70, 45);
        TLogFont font;
        font.FaceName = "Arial";
        dc.SelectFont(font);
        dc.SetBkMode(bkTransparent);
        dc.TextOut(10, 50, "Vector");
    };
    // A recorded picture replays as the same pixels where QPainter and the
    // rasteriser agree (straight edges, fills).
    QPicture picture;
    {
        QPainter painter(&picture);
        TDrawSurface dc;
        dc.BindPainter(&painter);
        scene(dc);
        EXPECT_GT(dc.TextExtent("Vector").X, 0);
    }
    QImage replayed = imagetest::WhiteImage(80, 70);
    {
        QPainter painter(&replayed);
        painter.drawPicture(0, 0, picture);
    }
    QImage direct = imagetest::WhiteImage(80, 70);
    {
        TDrawSurface dc;
        dc.BindImage(&direct);
        dc.SelectPen({clNavy, 1, psSolid, pmCopy});
        dc.SelectBrush({clYellow, bsSolid, nullptr});
        dc.Rectangle(5, 5, 40, 30);
        dc.MoveTo(2, 45);
        dc.LineTo(70, 45);
    }
    EXPECT_EQ(imagetest::CompareImages(replayed.copy(0, 0, 80, 48), direct.copy(0, 0, 80, 48), "picture"), 0);
    EXPECT_FALSE(imagetest::FindInk(replayed.copy(0, 48, 80, 22)).Empty()) << "the text was recorded";

    const QString path = QString(QUELMAR_BINARY_DIR) + "/test-images/surface.pdf";
    imagetest::OutputDir();
    {
        QPdfWriter pdf(path);
        QPainter painter(&pdf);
        TDrawSurface dc;
        dc.BindPainter(&painter);
        scene(dc);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_GT(file.size(), 500);
}
