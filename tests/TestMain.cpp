#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// The engine measures text and paints pictures, which needs a GUI
// application; tests run it on the offscreen platform.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
