#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// The print dialog needs a widget application; tests run it on the
// offscreen platform.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Print dialog tests"));
    return RUN_ALL_TESTS();
}
