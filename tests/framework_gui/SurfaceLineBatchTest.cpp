// Lines gathered into paths on vector targets: the same pixels as drawing
// them one by one, and one element for each run of one pen.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QPicture>
#include <QSvgGenerator>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "ImageCompare.h"
#include "framework/gui/paint/DrawSurface.h"

using namespace fw;

namespace {

constexpr int kWidth = 90, kHeight = 70;

// The scene recorded into a picture, which gathers lines, and replayed.
// With flushEachStep every step's lines are drawn before the next step, so
// that each segment is an element of its own.
QImage Replayed(const std::function<void(TDrawSurface&, bool)>& scene, bool flushEachStep) {
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, kWidth, kHeight));
    {
        QPainter painter(&picture);
        TDrawSurface dc;
        dc.BindPainter(&painter);
        scene(dc, flushEachStep);
    }
    QImage image = imagetest::WhiteImage(kWidth, kHeight);
    QPainter painter(&image);
    painter.drawPicture(0, 0, picture);
    painter.end();
    return image;
}

QByteArray Svg(const std::function<void(TDrawSurface&)>& scene) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kWidth, kHeight));
    QPainter painter(&svg);
    TDrawSurface dc;
    dc.BindPainter(&painter);
    scene(dc);
    dc.Unbind();
    painter.end();
    return data;
}

qsizetype Elements(const QByteArray& svg) {
    return svg.count("<path") + svg.count("<polyline") + svg.count("<line") + svg.count("<rect");
}

// Segments from the current position, now joined, now jumping, some of no
// length, some far outside; pens of every kind change between them, and now
// and then the clip changes or a fill comes between. One-pixel pens draw
// only along rows and columns.
void RandomScene(TDrawSurface& dc, unsigned seed, bool flushEachStep) {
    std::mt19937 rng(seed);
    const auto pick = [&](int n) { return static_cast<int32_t>(rng() % static_cast<unsigned>(n)); };
    const TPenStyle styles[] = {psSolid, psSolid, psDot, psDash, psDashDot};
    const TPenMode modes[] = {pmCopy, pmCopy, pmCopy, pmNotXor};
    const TColor colors[] = {clNavy, clRed, 0x00804000, clGreen};
    for (int i = 0; i < 120; ++i) {
        const TPoint at = dc.CurrentPosition();
        switch (pick(12)) {
        case 0:
        case 1: dc.SelectPen({colors[pick(4)], pick(4), styles[pick(5)], modes[pick(4)]}); break;
        case 2: dc.MoveTo(pick(kWidth), pick(kHeight)); break;
        case 3: dc.SelectClipRect({pick(30), pick(20), 40 + pick(50), 30 + pick(40)}); break;
        case 4: dc.RemoveClip(); break;
        case 5: {
            dc.SelectBrush({clYellow, bsSolid, nullptr});
            const int32_t x = pick(kWidth), y = pick(kHeight);
            dc.PatBlt({x, y, x + 6, y + 4});
            break;
        }
        case 6: dc.LineTo(pick(2) ? -100000 : 100000, at.Y); break;
        case 7: dc.LineTo(at.X, at.Y); break;
        default: {
            TPoint to{pick(kWidth), pick(kHeight)};
            if (dc.Pen().Width <= 1) (pick(2) ? to.X : to.Y) = pick(2) ? at.X : at.Y;
            if (dc.Pen().Width <= 1 && to.X != at.X && to.Y != at.Y) to.X = at.X;
            dc.LineTo(to.X, to.Y);
            break;
        }
        }
        if (flushEachStep) dc.Flush();
    }
}

TEST(SurfaceLineBatch, GatheredLinesReplayAsTheLinesDrawnOneByOne) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        const auto scene = [seed](TDrawSurface& dc, bool flushEachStep) { RandomScene(dc, seed, flushEachStep); };
        const std::string name = "line-batch-" + std::to_string(seed);
        EXPECT_EQ(imagetest::CompareImages(Replayed(scene, false), Replayed(scene, true), name), 0) << "seed " << seed;
    }
}

TEST(SurfaceLineBatch, GatheredOnePixelPolylinesDifferOnlyWhereSegmentsMeet) {
    // QPainter draws a joined one-pixel polyline's corners a little unlike
    // its segments drawn one by one: at most a pixel beside each corner.
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        std::vector<TPoint> points;
        for (int i = 0; i < 12; ++i)
            points.push_back({static_cast<int32_t>(rng() % kWidth), static_cast<int32_t>(rng() % kHeight)});
        const auto scene = [&](TDrawSurface& dc, bool flushEachStep) {
            dc.SelectPen({clNavy, static_cast<int32_t>(seed % 2), psSolid, pmCopy});
            dc.MoveTo(points[0].X, points[0].Y);
            for (size_t i = 1; i < points.size(); ++i) {
                dc.LineTo(points[i].X, points[i].Y);
                if (flushEachStep) dc.Flush();
            }
        };
        const QImage gathered = Replayed(scene, false), oneByOne = Replayed(scene, true);
        int changed = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                if (gathered.pixel(x, y) == oneByOne.pixel(x, y)) continue;
                ++changed;
                const bool nearCorner = std::any_of(points.begin() + 1, points.end() - 1, [&](TPoint p) {
                    return std::abs(p.X - x) <= 1 && std::abs(p.Y - y) <= 1;
                });
                EXPECT_TRUE(nearCorner) << "seed " << seed << ": " << x << "," << y;
            }
        EXPECT_LE(changed, static_cast<int>(points.size()) - 2) << "seed " << seed;
        EXPECT_FALSE(imagetest::FindInk(gathered).Empty());
    }
}

TEST(SurfaceLineBatch, ARunOfOnePenIsOneElement) {
    const auto polyline = [](TDrawSurface& dc, TDevicePen pen, int32_t y) {
        dc.SelectPen(pen);
        dc.MoveTo(0, y);
        for (int32_t x = 2; x < kWidth; x += 2) dc.LineTo(x, y + (x % 4));
    };
    const TDevicePen thin{clNavy, 1, psSolid, pmCopy}, wide{clRed, 2, psSolid, pmCopy};
    EXPECT_EQ(Elements(Svg([&](TDrawSurface& dc) { polyline(dc, thin, 10); })), 1);
    EXPECT_EQ(Elements(Svg([&](TDrawSurface& dc) { polyline(dc, wide, 10); })), 1);
    // A pen change, a clip change and a fill each end a run.
    EXPECT_EQ(Elements(Svg([&](TDrawSurface& dc) {
                  polyline(dc, thin, 10);
                  polyline(dc, wide, 20);
                  polyline(dc, thin, 30);
                  dc.SelectClipRect({0, 0, 50, 50});
                  polyline(dc, thin, 40);
                  dc.SelectBrush({clYellow, bsSolid, nullptr});
                  dc.PatBlt({0, 60, 4, 64});
                  polyline(dc, thin, 50);
              })),
              6);
    // A dashed grid line is one element, not one a dash.
    EXPECT_EQ(Elements(Svg([](TDrawSurface& dc) {
                  dc.SelectPen({clGray, 1, psDot, pmCopy});
                  dc.MoveTo(0, 5);
                  dc.LineTo(kWidth, 5);
              })),
              1);
}

}  // namespace
