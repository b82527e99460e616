#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "ImageCompare.h"
#include "framework/gui/paint/LineRasterizer.h"
#include "framework/gui/paint/RasterOps.h"

using fw::TRect;

namespace {

using Pixel = std::pair<int64_t, int64_t>;

// The documented rule, step by step in closed form: step i of n = |major|
// lands on the nearest pixel of the minor axis, a half going away from the start.
std::vector<Pixel> ReferenceLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const int64_t dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const int64_t n = std::llabs(major);
    std::vector<Pixel> pixels;
    for (int64_t i = 0; i < n; ++i) {
        const int64_t along = major > 0 ? i : -i;
        const __int128 num = static_cast<__int128>(2) * i * std::llabs(minor) + n;
        const int64_t q = static_cast<int64_t>(num / (2 * n));
        const int64_t across = minor >= 0 ? q : -q;
        pixels.push_back(xMajor ? Pixel{x0 + along, y0 + across} : Pixel{x0 + across, y0 + along});
    }
    return pixels;
}

struct RasterImage {
    QImage image;
    fw::TRasterImage target;
    RasterImage(int w, int h, TRect clip) : image(imagetest::WhiteImage(w, h)) {
        target.Bits = reinterpret_cast<uint32_t*>(image.bits());
        target.Stride = image.bytesPerLine() / 4;
        target.Clip = clip;
    }
};

constexpr uint32_t kBlack = 0xFF000000u;

}  // namespace

TEST(ThinLine, LeavesOutTheEndPixel) {
    RasterImage r(20, 20, {0, 0, 20, 20});
    fw::RasterThinLine(r.target, 2, 5, 8, 5, kBlack, fw::pmCopy);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(imagetest::Rgb(r.image, x, 5) == 0, x >= 2 && x <= 7) << x;
    fw::RasterThinLine(r.target, 10, 9, 10, 3, kBlack, fw::pmCopy);  // upwards
    for (int y = 0; y < 20; ++y) EXPECT_EQ(imagetest::Rgb(r.image, 10, y) == 0, y >= 4 && y <= 9) << y;
    const QImage before = r.image.copy();
    fw::RasterThinLine(r.target, 15, 15, 15, 15, kBlack, fw::pmCopy);
    EXPECT_EQ(r.image, before) << "a line to its own start draws nothing";
}

TEST(ThinLine, RandomLinesMatchTheReferenceInsideTheClip) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-30, 90);
    const TRect clip{5, 8, 55, 47};
    for (int t = 0; t < 400; ++t) {
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        RasterImage r(60, 60, clip);
        fw::RasterThinLine(r.target, x0, y0, x1, y1, kBlack, fw::pmCopy);
        QImage expected = imagetest::WhiteImage(60, 60);
        for (auto [x, y] : ReferenceLine(x0, y0, x1, y1))
            if (x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom)
                expected.setPixel(static_cast<int>(x), static_cast<int>(y), kBlack);
        ASSERT_EQ(imagetest::CompareImages(r.image, expected, "thin-random"), 0)
            << "(" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << ")";
    }
}

TEST(ThinLine, FarAwayEndsAreClippedWithoutWalkingTheWholeLine) {
    // Four billion steps long; only the part over the image may cost time.
    const int64_t x0 = -2000000000, y0 = -1000000000, x1 = 2000000000, y1 = 1000000001;
    RasterImage r(64, 32, {0, 0, 64, 32});
    fw::RasterThinLine(r.target, static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x1),
                       static_cast<int32_t>(y1), kBlack, fw::pmCopy);
    const int64_t n = x1 - x0, m = y1 - y0;
    int drawn = 0;
    for (int x = 0; x < 64; ++x) {
        const int64_t i = x - x0;
        const int64_t y = y0 + static_cast<int64_t>((static_cast<__int128>(2) * i * m + n) / (2 * n));
        for (int yy = 0; yy < 32; ++yy) EXPECT_EQ(imagetest::Rgb(r.image, x, yy) == 0, yy == y) << x << "," << yy;
        drawn += (y >= 0 && y < 32);
    }
    EXPECT_GT(drawn, 0);
}

TEST(ThinLine, ShortAndLongLinesOfEverySlopeMatchTheReference) {
    // Minor lengths for the longest line the fixed-point walk takes and for
    // the first one it leaves to the error-term walk, in all eight octants.
    for (int major : {1023, 1024}) {
        for (int minor = 0; minor <= major; minor = minor < 16 ? minor + 1 : std::min(minor + 97, major)) {
            for (int octant = 0; octant < 8; ++octant) {
                const int sx = (octant & 1) ? -1 : 1, sy = (octant & 2) ? -1 : 1;
                const bool steep = octant & 4;
                const int w = (steep ? minor : major) + 3, h = (steep ? major : minor) + 3;
                const int x0 = sx > 0 ? 1 : w - 2, y0 = sy > 0 ? 1 : h - 2;
                const int x1 = x0 + sx * (w - 3), y1 = y0 + sy * (h - 3);
                RasterImage r(w, h, {0, 0, w, h});
                fw::RasterThinLine(r.target, x0, y0, x1, y1, kBlack, fw::pmCopy);
                for (auto [x, y] : ReferenceLine(x0, y0, x1, y1)) {
                    uint32_t& pixel = r.target.Bits[y * r.target.Stride + x];
                    ASSERT_EQ(pixel, kBlack) << major << "/" << minor << " octant " << octant;
                    pixel = 0xFFFFFFFFu;
                }
                const uint32_t* bits = r.target.Bits;
                const auto white =
                    static_cast<size_t>(std::count(bits, bits + static_cast<size_t>(r.target.Stride) * h, 0xFFFFFFFFu));
                ASSERT_EQ(white, static_cast<size_t>(r.target.Stride) * h)
                    << "stray pixels " << major << "/" << minor << " octant " << octant;
            }
            if (minor == major) break;
        }
    }
}

TEST(WideLine, IsTheThinLineStampedByTwoByTwoSquares) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-10, 70);
    const TRect clip{3, 4, 57, 52};
    for (int t = 0; t < 300; ++t) {
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        RasterImage r(60, 60, clip);
        fw::RasterWideLine2(r.target, x0, y0, x1, y1, kBlack, fw::pmCopy);
        // Oracle: QPainter fills a 2 x 2 square up and left of each reference pixel.
        QImage expected = imagetest::WhiteImage(60, 60);
        {
            QPainter p(&expected);
            p.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
            for (auto [x, y] : ReferenceLine(x0, y0, x1, y1))
                p.fillRect(QRect(static_cast<int>(x) - 1, static_cast<int>(y) - 1, 2, 2), Qt::black);
        }
        ASSERT_EQ(imagetest::CompareImages(r.image, expected, "wide-random"), 0)
            << "(" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << ")";
    }
}

TEST(WideLine, CombinesEachCoveredPixelOnceInXorMode) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> coord(0, 40);
    for (int t = 0; t < 100; ++t) {
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        RasterImage copy(40, 40, {0, 0, 40, 40});
        fw::RasterWideLine2(copy.target, x0, y0, x1, y1, kBlack, fw::pmCopy);
        RasterImage xored(40, 40, {0, 0, 40, 40});
        // White xor white is black: a pixel combined twice would turn white again.
        fw::RasterWideLine2(xored.target, x0, y0, x1, y1, 0xFFFFFFFFu, fw::pmXor);
        ASSERT_EQ(imagetest::CompareImages(xored.image, copy.image, "wide-xor"), 0);
    }
}

TEST(LinePatterns, DotsDashesAndAlternatePixels) {
    struct Case {
        fw::TPenStyle style;
        std::vector<int> runs;  // on, off, on, off ... of one period
    };
    const Case cases[] = {{fw::psDot, {3, 3}},
                          {fw::psDash, {18, 6}},
                          {fw::psDashDot, {9, 6, 3, 6}},
                          {fw::psDashDotDot, {9, 3, 3, 3, 3, 3}},
                          {fw::psAlternate, {1, 1}}};
    for (const Case& c : cases) {
        std::vector<bool> period;
        for (size_t k = 0; k < c.runs.size(); ++k) period.insert(period.end(), c.runs[k], k % 2 == 0);
        RasterImage r(100, 3, {0, 0, 100, 3});
        fw::RasterThinLine(r.target, 0, 1, 100, 1, kBlack, fw::pmCopy, fw::ThinPenPattern(c.style));
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(imagetest::Rgb(r.image, x, 1) == 0, period[x % period.size()]) << c.style << " at " << x;
    }
    EXPECT_EQ(fw::ThinPenPattern(fw::psSolid).Period, 0u);
}

TEST(LinePatterns, PhaseCarriesOverToTheNextSegment) {
    RasterImage r(20, 3, {0, 0, 20, 3});
    const fw::TLinePattern dots = fw::ThinPenPattern(fw::psDot);
    const uint64_t phase = fw::RasterThinLine(r.target, 0, 1, 4, 1, kBlack, fw::pmCopy, dots);
    EXPECT_EQ(phase, 4u);
    fw::RasterThinLine(r.target, 4, 1, 12, 1, kBlack, fw::pmCopy, dots, phase);
    const bool expected[12] = {1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0};
    for (int x = 0; x < 12; ++x) EXPECT_EQ(imagetest::Rgb(r.image, x, 1) == 0, expected[x]) << x;
}

TEST(RasterModes, MatchTheirTruthTables) {
    // Each mode on every combination of a pen bit and a pixel bit.
    struct Mode {
        fw::TPenMode mode;
        int table[4];  // result for (pen, pixel) = (0,0), (0,1), (1,0), (1,1)
    };
    const Mode modes[] = {
        {fw::pmBlack, {0, 0, 0, 0}},       {fw::pmWhite, {1, 1, 1, 1}},      {fw::pmNop, {0, 1, 0, 1}},
        {fw::pmNot, {1, 0, 1, 0}},         {fw::pmCopy, {0, 0, 1, 1}},       {fw::pmNotCopy, {1, 1, 0, 0}},
        {fw::pmMergePenNot, {1, 0, 1, 1}}, {fw::pmMaskPenNot, {0, 0, 1, 0}}, {fw::pmMergeNotPen, {1, 1, 0, 1}},
        {fw::pmMaskNotPen, {0, 1, 0, 0}},  {fw::pmMerge, {0, 1, 1, 1}},      {fw::pmNotMerge, {1, 0, 0, 0}},
        {fw::pmMask, {0, 0, 0, 1}},        {fw::pmNotMask, {1, 1, 1, 0}},    {fw::pmXor, {0, 1, 1, 0}},
        {fw::pmNotXor, {1, 0, 0, 1}}};
    for (const Mode& m : modes)
        for (int pen = 0; pen < 2; ++pen)
            for (int pixel = 0; pixel < 2; ++pixel) {
                const uint32_t result = fw::ApplyRasterMode(m.mode, pen ? 0xFFFFFF : 0, pixel ? 0xFFFFFF : 0);
                EXPECT_EQ(result, m.table[pen * 2 + pixel] ? 0xFFFFFFFFu : 0xFF000000u)
                    << "mode " << m.mode << " pen " << pen << " pixel " << pixel;
            }
}
