#pragma once
// Pixel expectations on an image; on failure the image and a diff image
// (failed pixels red, passed green, over a faded copy) go to the build folder.

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/Colors.h"

namespace chart::testing {

class PixelChecks {
public:
    PixelChecks(std::function<const QImage&()> image, std::string name)
        : image_(std::move(image)), name_(std::move(name)) {}
    ~PixelChecks() { Finish(); }
    PixelChecks(const PixelChecks&) = delete;
    PixelChecks& operator=(const PixelChecks&) = delete;

    void Is(int32_t x, int32_t y, fw::TColor color, const std::string& what) { Check(x, y, color, true, what); }
    void IsNot(int32_t x, int32_t y, fw::TColor color, const std::string& what) { Check(x, y, color, false, what); }

    void Finish() {
        if (finished_) return;
        finished_ = true;
        bool failed = false;
        for (const Result& r : results_) failed = failed || !r.passed;
        if (!failed) return;
        const QImage image = image_().convertToFormat(QImage::Format_RGB32);
        QImage diff = image;
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
        const std::string base = std::string(QUELMAR_BINARY_DIR) + "/chart_" + name_;
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
        const QImage& image = image_();
        fw::TColor got = fw::clNone;
        if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
            const QRgb p = image.pixel(x, y);
            got = fw::RGBColor(qRed(p), qGreen(p), qBlue(p));
        }
        const bool passed = (got == color) == equal;
        results_.push_back({x, y, passed});
        EXPECT_TRUE(passed) << what << " at (" << x << ", " << y << "): got 0x" << std::hex << got << ", "
                            << (equal ? "expected 0x" : "must not be 0x") << color << std::dec;
    }

    std::function<const QImage&()> image_;
    std::string name_;
    std::vector<Result> results_;
    bool finished_ = false;
};

}  // namespace chart::testing
