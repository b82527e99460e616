// The chart tests draw text and measure fonts, which needs a GUI application
// (fontconfig, the offscreen platform in CI).
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
