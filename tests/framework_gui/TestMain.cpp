// The framework GUI tests need a QApplication (fonts, widgets, dialogs).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // Headless unless a platform is asked for, so listing the tests needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
