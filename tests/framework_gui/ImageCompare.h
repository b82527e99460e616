#pragma once
// Helpers for pixel tests: compare two images and, when they differ, write
// both and a difference image (red where they differ) into the build folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QString>
#include <string>

namespace imagetest {

inline QString OutputDir() {
    const QString dir = QString(QUELMAR_BINARY_DIR) + "/test-images";
    QDir().mkpath(dir);
    return dir;
}

inline void SaveImage(const QImage& image, const std::string& name) {
    image.save(OutputDir() + "/" + QString::fromStdString(name) + ".png");
}

// Counts differing pixels (colour bits only); on a difference saves
// name-actual.png, name-expected.png and name-diff.png.
inline int CompareImages(const QImage& actual, const QImage& expected, const std::string& name) {
    if (actual.size() != expected.size()) {
        ADD_FAILURE() << name << ": sizes differ";
        return -1;
    }
    QImage diff(actual.size(), QImage::Format_RGB32);
    diff.fill(Qt::white);
    int count = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if ((actual.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF)) {
                ++count;
                diff.setPixel(x, y, qRgb(255, 0, 0));
            }
    if (count) {
        SaveImage(actual, name + "-actual");
        SaveImage(expected, name + "-expected");
        SaveImage(diff, name + "-diff");
    }
    return count;
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
