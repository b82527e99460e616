// The batch tests draw pictures of the charts in this process, which needs a
// GUI application (fontconfig, the offscreen platform in CI); the batch starts
// none of its own when one runs.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
