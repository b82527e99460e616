#pragma once
// Pictures compared with golden images kept beside the tests. Set
// QUELMAR_UPDATE_GOLDEN=1 to write the pictures as the new golden images
// after checking them by eye.

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

// Compares picture with goldenDir/name.png; on a difference writes the
// picture and a diff image (changed pixels red over a faded copy) to the
// build folder.
inline void ExpectMatches(const QImage& picture, const std::string& goldenDir, const std::string& name) {
    ASSERT_FALSE(picture.isNull()) << "no picture for " << name;
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    const std::string golden = goldenDir + name + ".png";
    if (qEnvironmentVariableIsSet("QUELMAR_UPDATE_GOLDEN")) {
        ASSERT_TRUE(actual.save(QString::fromStdString(golden)));
        return;
    }
    const QImage expected = QImage(QString::fromStdString(golden)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "no golden image " << golden;
    ASSERT_EQ(actual.size(), expected.size());
    QImage diff = actual;
    int changed = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                                    std::abs(qBlue(a) - qBlue(e))});
            const bool differs = d > ChannelTolerance;
            changed += differs;
            const int faded = 128 + qGray(a) / 2;
            diff.setPixel(x, y, differs ? qRgb(255, 0, 0) : qRgb(faded, faded, faded));
        }
    }
    if (changed > ChangedPixelsAllowed) {
        const std::string out = std::string(QUELMAR_BINARY_DIR) + "/golden_" + name;
        actual.save(QString::fromStdString(out + ".png"));
        diff.save(QString::fromStdString(out + "_diff.png"));
        ADD_FAILURE() << changed << " pixels differ from " << golden << "; picture and diff written to " << out
                      << ".png / _diff.png";
    }
}

}  // namespace golden
