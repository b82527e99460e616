#pragma once
// Pixel expectations on an axis test image. Each check names a pixel and the
// colour it must (or must not) have; when any check fails the image and a
// diff image (failed pixels red, passed ones green, over a faded copy) are
// written to the build folder for a look.

#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "AxisTestChart.h"

namespace chart::testing {

class AxisPixelChecks {
public:
    AxisPixelChecks(AxisTestChart& chart, std::string name) : chart_(chart), name_(std::move(name)) {}
    ~AxisPixelChecks() { Finish(); }
    AxisPixelChecks(const AxisPixelChecks&) = delete;
    AxisPixelChecks& operator=(const AxisPixelChecks&) = delete;

    void Is(int32_t x, int32_t y, fw::TColor color, const std::string& what) { Check(x, y, color, true, what); }
    void IsNot(int32_t x, int32_t y, fw::TColor color, const std::string& what) { Check(x, y, color, false, what); }

    void Finish() {
        if (finished_) return;
        finished_ = true;
        bool failed = false;
        for (const Result& r : results_) failed = failed || !r.passed;
        if (!failed) return;
        const QImage& image = chart_.bitmap.Image();
        QImage diff = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < diff.height(); ++y) {
            for (int x = 0; x < diff.width(); ++x) {
                const QRgb p = diff.pixel(x, y);
                diff.setPixel(x, y, qRgb(128 + qRed(p) / 2, 128 + qGreen(p) / 2, 128 + qBlue(p) / 2));
            }
        }
        for (const Result& r : results_) {
            if (r.x >= 0 && r.y >= 0 && r.x < diff.width() && r.y < diff.height())
                diff.setPixel(r.x, r.y, r.passed ? qRgb(0, 200, 0) : qRgb(255, 0, 0));
        }
        const std::string base = std::string(QUELMAR_BINARY_DIR) + "/axis_" + name_;
        image.save(QString::fromStdString(base + ".png"));
        diff.save(QString::fromStdString(base + "_diff.png"));
        ADD_FAILURE() << "pixel checks failed; image and diff written to " << base << ".png / _diff.png";
    }

private:
    struct Result {
        int32_t x, y;
        bool passed;
    };

    void Check(int32_t x, int32_t y, fw::TColor color, bool equal, const std::string& what) {
        const fw::TColor got = chart_.PixelAt(x, y);
        const bool passed = (got == color) == equal;
        results_.push_back({x, y, passed});
        EXPECT_TRUE(passed) << what << " at (" << x << ", " << y << "): pixel " << std::hex << got
                            << (equal ? " should be " : " should not be ") << color << std::dec;
    }

    AxisTestChart& chart_;
    std::string name_;
    std::vector<Result> results_;
    bool finished_ = false;
};

}  // namespace chart::testing
