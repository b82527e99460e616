// Frames and gradients of the chart canvas.
#include <algorithm>
#include <cmath>

#include "chart/canvas/CanvasUtils.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "framework/core/Rounding.h"

namespace chart {

void TChartCanvas3D::Frame3D(fw::TRect& rect, fw::TColor topColor, fw::TColor bottomColor, int32_t width) {
    Pen().SetWidth(1);
    fw::TRect r{rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1};
    for (int32_t i = 0; i < width; ++i) {
        // Top and left, then right and bottom; each line leaves out its end,
        // so the bottom-left pixel goes to the bottom colour.
        Pen().SetColor(topColor);
        const fw::TPoint upper[] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
        target_->Polyline(upper);
        Pen().SetColor(bottomColor);
        const fw::TPoint lower[] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
        target_->Polyline(lower);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    rect = {r.Left, r.Top, r.Right + 1, r.Bottom + 1};
}

namespace {

// The colour i / n of the way from start to end, per byte; i is held to
// 0 ... n, and n = 0 (a one-band gradient) gives the start colour.
fw::TColor Blend(fw::TColor start, fw::TColor end, int32_t i, int32_t n) {
    if (n <= 0) return start;
    i = std::clamp(i, 0, n);
    auto byte = [&](int32_t s, int32_t e) { return s + fw::MulDiv(e - s, i, n); };
    return fw::RGBColor(byte(fw::RedOf(start), fw::RedOf(end)), byte(fw::GreenOf(start), fw::GreenOf(end)),
                        byte(fw::BlueOf(start), fw::BlueOf(end)));
}

// Fills with one solid brush per colour, made only when the colour changes;
// the surface's brush from before comes back at the end.
class BandPainter {
public:
    explicit BandPainter(fw::TDrawSurface& dc) : dc_(dc), saved_(dc.Brush()) {}
    ~BandPainter() { dc_.SelectBrush(saved_); }
    BandPainter(const BandPainter&) = delete;
    BandPainter& operator=(const BandPainter&) = delete;

    void Fill(fw::TColor color, int32_t x, int32_t y, int32_t w, int32_t h) {
        if (w <= 0 || h <= 0) return;
        if (!hasColor_ || color != color_) {
            dc_.SelectBrush({color, fw::bsSolid, nullptr});
            color_ = color;
            hasColor_ = true;
        }
        dc_.PatBlt({x, y, x + w, y + h});
    }

private:
    fw::TDrawSurface& dc_;
    fw::TDeviceBrush saved_;
    fw::TColor color_ = 0;
    bool hasColor_ = false;
};

}  // namespace

void TChartCanvas3D::GradientFill(const fw::TRect& rect, fw::TColor startColor, fw::TColor endColor,
                                  TGradientDirection direction) {
    const fw::TRect r{std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom), std::max(rect.Left, rect.Right),
                      std::max(rect.Top, rect.Bottom)};
    const int32_t w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0) return;
    // Colours are taken as they are, without system colour resolution.
    const fw::TColor start = startColor & 0xFFFFFF, end = endColor & 0xFFFFFF;
    BandPainter bands(target_->Handle());

    switch (direction) {
    case gdTopBottom:
    case gdBottomTop: {
        // Bands laid from the bottom edge up: the start colour at the bottom.
        const int32_t n = std::min(h, 256);
        for (int32_t i = 0; i < n; ++i) {
            const int32_t top = r.Bottom - fw::MulDiv(i + 1, h, n);
            const int32_t bottom = r.Bottom - fw::MulDiv(i, h, n);
            bands.Fill(Blend(start, end, i, n - 1), r.Left, top, w, bottom - top);
        }
        break;
    }
    case gdLeftRight:
    case gdRightLeft: {
        // Bands laid from the right edge leftwards: the start colour at the right.
        const int32_t n = std::min(w, 256);
        for (int32_t i = 0; i < n; ++i) {
            const int32_t left = r.Right - fw::MulDiv(i + 1, w, n);
            const int32_t right = r.Right - fw::MulDiv(i, w, n);
            bands.Fill(Blend(start, end, i, n - 1), left, r.Top, right - left, h);
        }
        break;
    }
    case gdFromCenter: {
        // Rings from the outer edge inwards, each ChartGradientPrecision thick.
        const int32_t p = std::max(ChartGradientPrecision, 1);
        const int32_t halfW = w / 2, halfH = h / 2;
        int32_t c = 0, d = 0;
        while (true) {
            const fw::TColor color = Blend(start, end, c + d, halfW + halfH);
            bands.Fill(color, r.Left + d, r.Top + c, p, h - 2 * c);
            bands.Fill(color, r.Right - d - p, r.Top + c, p, h - 2 * c);
            bands.Fill(color, r.Left + d, r.Top + c, w - 2 * d, p);
            bands.Fill(color, r.Left + d, r.Bottom - c - p, w - 2 * d, p);
            const bool growC = c < halfH, growD = d < halfW;
            if (!growC && !growD) break;
            if (growC) c += p;
            if (growD) d += p;
        }
        break;
    }
    case gdFromTopLeft:
    case gdFromBottomLeft: {
        // A sweep along the diagonal: round j draws a row of j + 1 pixels
        // and a column back to the starting row, one step further away.
        const bool fromTop = direction == gdFromTopLeft;
        const long double w2 = static_cast<long double>(w) * w, h2 = static_cast<long double>(h) * h;
        const int32_t diagonal = static_cast<int32_t>(fw::Round(std::sqrt(w2 + h2)));
        const int32_t startRow = fromTop ? r.Top : r.Bottom - 1;
        const int32_t rounds = std::max(w, h);
        for (int32_t round = 0; round < rounds; ++round) {
            const int32_t j = std::min(round, w - 1);
            const int32_t rowsAway = std::min(round, h - 1);
            const int32_t y = fromTop ? startRow + rowsAway : startRow - rowsAway;
            const fw::TColor color = Blend(start, end, j, diagonal);
            bands.Fill(color, r.Left, y, j + 1, 1);
            bands.Fill(color, r.Left + j, std::min(y, startRow), 1, rowsAway + 1);
        }
        break;
    }
    }
}

}  // namespace chart
