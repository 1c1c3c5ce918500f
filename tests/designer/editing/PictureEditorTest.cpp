#include "designer/editing/TvlGEditorForm.h"
#include "engine/model/TvlGraphic.h"
#include "engine/model/TvlPictureView.h"
#include "tests/designer/editing/FakeDesignerHost.h"
#include "tests/support/ModalDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace vltest {
namespace {

TEST(PictureEditorTest, OkGivesTheLoadedPictureToTheObjectAfterASnapshot) {
    QTemporaryDir dir;
    QImage image(12, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = dir.filePath(QStringLiteral("red.bmp"));
    ASSERT_TRUE(image.save(path, "BMP"));

    TvlPictureView view;
    TvlGEditorForm form;
    form.setFileChooser([&path] { return path; });
    int snapshots = 0;
    vl::test::ModalDialogs dialogs;
    dialogs.expect<TvlGEditorForm>([](TvlGEditorForm& editor) {
        editor.findChild<QPushButton*>(QStringLiteral("B1"))->click();
        editor.accept();
    });
    EXPECT_EQ(form.ShowEditor(view, [&snapshots] { ++snapshots; }), 1);
    EXPECT_EQ(snapshots, 1);
    ASSERT_FALSE(view.Picture.empty());
    EXPECT_EQ(view.Picture.graphic()->size(), QSize(12, 8));

    // Cancel keeps the object's picture; Clear then OK empties it.
    dialogs.expect<TvlGEditorForm>([](TvlGEditorForm& editor) {
        editor.clear();
        editor.reject();
    });
    EXPECT_EQ(form.ShowEditor(view, {}), 2);
    EXPECT_FALSE(view.Picture.empty());
    dialogs.expect<TvlGEditorForm>([](TvlGEditorForm& editor) {
        editor.findChild<QPushButton*>(QStringLiteral("B2"))->click();
        editor.accept();
    });
    form.ShowEditor(view, {});
    EXPECT_TRUE(view.Picture.empty());
    EXPECT_EQ(dialogs.unanswered(), "");
}

TEST(PictureEditorTest, UnreadableFilesAreReportedAndTheClipboardPicturePastes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.jpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    TvlGEditorForm form;
    QStringList errors;
    form.setErrorHandler([&errors](const QString& message) { errors << message; });
    EXPECT_FALSE(form.loadFile(path));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(form.picture().empty());

    QImage image(5, 6, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QApplication::clipboard()->setImage(image);
    QTest::keyClick(&form, Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_FALSE(form.picture().empty());
    EXPECT_EQ(form.picture().graphic()->size(), QSize(5, 6));
}

} // namespace
} // namespace vltest
