#pragma once
// Pictures compared pixel by pixel. When they differ, the picture, the one it
// was compared with and a difference image (changed pixels red over a faded
// copy) are written to the build folder's test-images/ for a look by eye.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace imagetest {

inline QString OutputDir() {
    const QString dir = QString(QUELMAR_BINARY_DIR) + "/test-images";
    QDir().mkpath(dir);
    return dir;
}

inline QString OutputPath(const std::string& name) { return OutputDir() + "/" + QString::fromStdString(name) + ".png"; }

inline void SaveImage(const QImage& image, const std::string& name) { image.save(OutputPath(name)); }

// Counts the pixels where a colour channel differs by more than tolerance;
// when more than `allowed` do, saves name-actual, name-expected and name-diff.
// Alpha is not compared. -1 (and a failure) when the sizes differ.
inline int CountChangedPixels(const QImage& actual, const QImage& expected, const std::string& name, int tolerance,
                              int allowed) {
    if (actual.size() != expected.size()) {
        ADD_FAILURE() << name << ": sizes differ";
        return -1;
    }
    QImage diff = actual.convertToFormat(QImage::Format_RGB32);
    int changed = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            const int d =
                std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)), std::abs(qBlue(a) - qBlue(e))});
            const bool differs = d > tolerance;
            changed += differs;
            const int faded = 128 + qGray(a) / 2;
            diff.setPixel(x, y, differs ? qRgb(255, 0, 0) : qRgb(faded, faded, faded));
        }
    }
    if (changed > allowed) {
        SaveImage(actual, name + "-actual");
        SaveImage(expected, name + "-expected");
        SaveImage(diff, name + "-diff");
    }
    return changed;
}

// The number of pixels whose colour differs at all.
inline int CompareImages(const QImage& actual, const QImage& expected, const std::string& name) {
    return CountChangedPixels(actual, expected, name, 0, 0);
}

inline QImage WhiteImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// 0x00RRGGBB of a pixel.
inline uint32_t Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

// The smallest rectangle holding every pixel that differs from background,
// as (left, top, right, bottom) with right and bottom exclusive; all zero
// when there is none.
struct InkBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty() const { return Right <= Left; }
};

inline InkBox FindInk(const QImage& image, uint32_t background = 0xFFFFFF) {
    InkBox box{image.width(), image.height(), 0, 0};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Rgb(image, x, y) != background) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    if (box.Right == 0) return {};
    return box;
}

}  // namespace imagetest
