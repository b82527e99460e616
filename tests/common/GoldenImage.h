#pragma once
// Pictures compared with each other or with golden images kept beside the
// tests. Set QUELMAR_UPDATE_GOLDEN=1 to write the pictures as the new golden
// images after checking them by eye.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace golden {

// A channel may differ by this much without the pixel counting as changed
// (text smoothing), and this many pixels may change.
inline constexpr int ChannelTolerance = 48;
inline constexpr int ChangedPixelsAllowed = 60;

// Expects actual to equal expected but for at most `allowed` pixels whose
// channels differ by more than tolerance; beyond that writes the picture and
// a diff image (changed pixels red over a faded copy) to the build folder as
// <name>.png / <name>_diff.png.
inline void ExpectSamePicture(const QImage& actualPicture, const QImage& expectedPicture, const std::string& name,
                              int tolerance = 0, int allowed = 0) {
    const QImage actual = actualPicture.convertToFormat(QImage::Format_RGB32);
    const QImage expected = expectedPicture.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(actual.size(), expected.size()) << name;
    QImage diff = actual;
    int changed = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                                    std::abs(qBlue(a) - qBlue(e))});
            const bool differs = d > tolerance;
            changed += differs;
            const int faded = 128 + qGray(a) / 2;
            diff.setPixel(x, y, differs ? qRgb(255, 0, 0) : qRgb(faded, faded, faded));
        }
    }
    if (changed > allowed) {
        const std::string out = std::string(QUELMAR_BINARY_DIR) + "/" + name;
        actual.save(QString::fromStdString(out + ".png"));
        diff.save(QString::fromStdString(out + "_diff.png"));
        ADD_FAILURE() << changed << " pixels differ for " << name << "; picture and diff written to " << out
                      << ".png / _diff.png";
    }
}

// Compares picture with goldenDir/name.png.
inline void ExpectMatches(const QImage& picture, const std::string& goldenDir, const std::string& name) {
    ASSERT_FALSE(picture.isNull()) << "no picture for " << name;
    const std::string golden = goldenDir + name + ".png";
    if (qEnvironmentVariableIsSet("QUELMAR_UPDATE_GOLDEN")) {
        ASSERT_TRUE(picture.convertToFormat(QImage::Format_RGB32).save(QString::fromStdString(golden)));
        return;
    }
    const QImage expected(QString::fromStdString(golden));
    ASSERT_FALSE(expected.isNull()) << "no golden image " << golden;
    ExpectSamePicture(picture, expected, "golden_" + name, ChannelTolerance, ChangedPixelsAllowed);
}

}  // namespace golden
