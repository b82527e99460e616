#pragma once
// Pictures compared with each other or with golden images kept beside the
// tests. Set QUELMAR_UPDATE_GOLDEN=1 to write the pictures as the new golden
// images after checking them by eye.

#include <string>

#include "ImageCompare.h"

namespace golden {

// A channel may differ by this much without the pixel counting as changed
// (text smoothing), and this many pixels may change.
inline constexpr int ChannelTolerance = 48;
inline constexpr int ChangedPixelsAllowed = 60;

// Expects actual to equal expected but for at most `allowed` pixels whose
// channels differ by more than tolerance; beyond that the pictures and their
// difference are written to the build folder.
inline void ExpectSamePicture(const QImage& actual, const QImage& expected, const std::string& name, int tolerance = 0,
                              int allowed = 0) {
    const int changed =
        imagetest::CountChangedPixels(actual.convertToFormat(QImage::Format_RGB32),
                                      expected.convertToFormat(QImage::Format_RGB32), name, tolerance, allowed);
    ASSERT_GE(changed, 0) << name;
    if (changed > allowed) {
        ADD_FAILURE() << changed << " pixels differ for " << name << "; pictures written to "
                      << imagetest::OutputPath(name + "-diff").toStdString() << " and beside it";
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
