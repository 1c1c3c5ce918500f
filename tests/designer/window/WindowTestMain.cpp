#include "tests/support/EngineReset.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

// The designer window needs a widget application, on the offscreen
// platform; settings go to a scratch folder and the engine is reset after
// every test.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellum Designer Window Tests"));
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    ::testing::UnitTest::GetInstance()->listeners().Append(new vltest::EngineResetListener);
    return RUN_ALL_TESTS();
}
