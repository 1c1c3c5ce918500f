#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

// The commands' dialogs need a widget application; tests run it on the
// offscreen platform and keep their settings in a folder of their own.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Designer command tests"));
    QTemporaryDir settingsDir;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    return RUN_ALL_TESTS();
}
