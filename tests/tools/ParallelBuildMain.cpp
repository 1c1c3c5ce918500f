#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Builds measure text, which needs a GUI application (without a display).
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
