#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

// The toolbars and dialogs are widgets: the tests run in a widget
// application on the offscreen platform, with settings in a scratch folder.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellum Editing Tests"));
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    return RUN_ALL_TESTS();
}
