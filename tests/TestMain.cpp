#include "tests/support/EngineReset.h"

#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// The engine measures text and paints pictures, which needs a GUI
// application; tests run it on the offscreen platform. Every test ends with
// the engine reset, so that tests pass in any order (ctest runs the program
// once more with --gtest_shuffle).
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new vltest::EngineResetListener);
    return RUN_ALL_TESTS();
}
