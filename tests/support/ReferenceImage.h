#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>

namespace vltest {

// Pixels whose channels differ by more than tolerance.
inline int DifferentPixels(const QImage& a, const QImage& b, int tolerance) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance ||
                std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++count;
        }
    return count;
}

// Compares a rendering with the committed reference image `name` in
// `folder`. VELLUM_UPDATE_REFERENCES=1 rewrites the reference on purpose.
// Text may render slightly differently with other font versions, so up to
// `allowed` pixels may differ by more than a small tolerance; a failing
// rendering is saved to the temporary folder for a look.
inline void ExpectMatchesReference(const QImage& actual, const QString& folder, const QString& name,
                                   int allowed) {
    const QString reference = folder + QLatin1Char('/') + name;
    if (qEnvironmentVariableIntValue("VELLUM_UPDATE_REFERENCES") == 1) {
        ASSERT_TRUE(actual.save(reference));
        GTEST_SKIP() << "reference written to " << reference.toStdString();
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull())
        << "missing " << reference.toStdString() << " (VELLUM_UPDATE_REFERENCES=1 writes it)";
    ASSERT_EQ(expected.size(), actual.size());
    const int differing = DifferentPixels(actual, expected, 48);
    const QString saved = QDir::temp().filePath(QStringLiteral("actual-") + name);
    if (differing > allowed) actual.save(saved);
    EXPECT_LE(differing, allowed) << "see " << saved.toStdString();
}

} // namespace vltest
