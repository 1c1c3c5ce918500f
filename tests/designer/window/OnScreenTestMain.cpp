#include "tests/support/EngineReset.h"
#include "tests/support/PrivateDisplay.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

// Windows on a display of the tests' own with a window manager; settings
// go to a scratch folder and the engine is reset after every test. Listing
// the tests needs no display.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    vl::test::PrivateDisplay display;
    std::string reason;
    if (!display.start(1600, 1200, reason)) {
        std::fprintf(stderr, "no display for the tests: %s\n", reason.c_str());
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellum Designer On Screen Tests"));
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    ::testing::UnitTest::GetInstance()->listeners().Append(new vltest::EngineResetListener);
    return RUN_ALL_TESTS();
}
