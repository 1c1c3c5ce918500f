#include "designer/dictionary/TvlInsFieldsForm.h"
#include "designer/editors/TvlMemoEditorForm.h"
#include "designer/inspector/TvlInspForm.h"
#include "designer/window/DesignerParts.h"
#include "designer/window/TvlDesignerForm.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/script/BandType.h"
#include "engine/script/FormSettings.h"
#include "tests/designer/window/DesignerTestReport.h"
#include "tests/support/ModalDialogs.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QTest>
#include <memory>

// The designer's tool windows as a window manager frames, places and stacks
// them (these tests run on a display of their own with openbox): beside
// the page at a first start, above the designer whatever the user does
// there, and stacked when the fields window is moved onto the inspector.
namespace vltest {
namespace {

constexpr int kTolerance = 3;

class ToolWindowsOnScreenTest : public DesignerTestReport {
protected:
    ToolWindowsOnScreenTest() {
        for (const char* window : {"TvlDesignerForm", "TvlInspForm", "TvlInsFieldsForm"})
            OpenFormSettings(QString::fromLatin1(window))->remove(QString());
        TvlPage& page = addPage();
        band(page, "Title", btReportTitle, 20);
        memo(page, "Heading", 40, 30, "Tasks");
    }
    ~ToolWindowsOnScreenTest() override { form.reset(); }

    // The designer maximized, as programs open it, with both tool windows
    // shown and settled where they go.
    TvlDesignerForm& open() {
        form = std::make_unique<TvlDesignerForm>(report, false);
        form->showMaximized();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->parts().showFieldsWindow(true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return settled(); }, 5000));
        return *form;
    }
    TvlInspForm& inspector() { return *form->parts().inspector(); }
    TvlInsFieldsForm& fields() { return *form->parts().fieldsWindow(); }
    QRect view() const {
        const QWidget& v = *form->workspace().viewport();
        return QRect(v.mapToGlobal(QPoint(0, 0)), v.size());
    }
    // Both windows shown, and at the right of the page's view.
    bool settled() {
        if (!form->parts().inspector() || !form->parts().fieldsWindow()) return false;
        for (QWidget* tool :
             {static_cast<QWidget*>(&inspector()), static_cast<QWidget*>(&fields())})
            if (!tool->windowHandle() || !tool->windowHandle()->isExposed() ||
                std::abs(tool->frameGeometry().right() - view().right()) > kTolerance)
                return false;
        QTest::qWait(100);
        return true;
    }

    std::unique_ptr<TvlDesignerForm> form;
};

// How much of a window the screen shows: the share of its pixels that the
// screen has where the window is. A window under another one shows little.
double ShareOnScreen(QWidget& window) {
    const QImage own = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect at(window.mapToGlobal(QPoint(0, 0)), window.size());
    const QImage screen = QGuiApplication::primaryScreen()
                              ->grabWindow(0, at.x(), at.y(), at.width(), at.height())
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    if (screen.size() != own.size() || own.isNull()) return 0;
    int same = 0;
    for (int y = 0; y < own.height(); ++y)
        for (int x = 0; x < own.width(); ++x)
            same += own.pixel(x, y) == screen.pixel(x, y);
    return double(same) / (own.width() * own.height());
}

void ExpectAboveTheDesigner(TvlInspForm& inspector, TvlInsFieldsForm& fields, const char* when) {
    QTest::qWait(200);
    EXPECT_GT(ShareOnScreen(inspector), 0.9) << "the inspector " << when;
    EXPECT_GT(ShareOnScreen(fields), 0.9) << "the fields window " << when;
}

TEST_F(ToolWindowsOnScreenTest, AFirstStartPutsThemBesideThePageBelowTheToolbars) {
    open();
    const QRect fieldsFrame = fields().frameGeometry();
    const QRect inspectorFrame = inspector().frameGeometry();
    EXPECT_NEAR(fieldsFrame.top(), view().top(), kTolerance);
    EXPECT_NEAR(inspectorFrame.top(), fieldsFrame.bottom() + 1, kTolerance);
    EXPECT_NEAR(inspectorFrame.right(), view().right(), kTolerance);
    EXPECT_LE(inspectorFrame.bottom(), view().bottom() + kTolerance);
    // the caption has room for the whole title
    EXPECT_EQ(fields().width(), inspector().width());
    ExpectAboveTheDesigner(inspector(), fields(), "at the start");
}

TEST_F(ToolWindowsOnScreenTest, TheyStayAboveTheDesignerAfterAnEditorAndF11) {
    TvlDesignerForm& designer = open();
    vl::test::ModalDialogs dialogs;
    dialogs.expect<TvlMemoEditorForm>([](TvlMemoEditorForm& editor) {
        QTest::qWait(100);
        editor.reject();
    });
    const TvlView& heading = *report.Pages()[0].Objects.back();
    QTest::mouseClick(&designer.surface(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(heading.Left + 10, heading.Top + 5));
    QTest::mouseDClick(&designer.surface(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(heading.Left + 10, heading.Top + 5));
    EXPECT_EQ(dialogs.unanswered(), "");
    ExpectAboveTheDesigner(inspector(), fields(), "after the text editor");

    QTest::keyClick(&designer.surface(), Qt::Key_F11);
    ExpectAboveTheDesigner(inspector(), fields(), "after F11");

    designer.activateWindow();
    designer.raise();
    ExpectAboveTheDesigner(inspector(), fields(), "after the designer was raised");
}

TEST_F(ToolWindowsOnScreenTest, TheFieldsWindowMovedOntoTheInspectorStacksWithIt) {
    open();
    // a person takes a moment before moving a window that just appeared;
    // moves before that are the window system's, and are undone
    QTest::qWait(1200);
    const QRect inspectorBefore = inspector().frameGeometry();
    const int fieldsHeight = fields().frameGeometry().height();
    // the user drags the fields window below the inspector's top, across it
    fields().move(inspectorBefore.left() - 40, inspectorBefore.top() + 60);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return std::abs(fields().frameGeometry().bottom() - view().bottom()) <= kTolerance; },
        3000))
        << "the fields window went to the bottom";
    QTest::qWait(300);
    const QRect fieldsFrame = fields().frameGeometry();
    const QRect inspectorFrame = inspector().frameGeometry();
    EXPECT_NEAR(fieldsFrame.height(), fieldsHeight, kTolerance);
    EXPECT_NEAR(fieldsFrame.left(), inspectorBefore.left() - 40, kTolerance) << "it keeps its side";
    EXPECT_NEAR(inspectorFrame.top(), view().top(), kTolerance);
    EXPECT_NEAR(inspectorFrame.bottom() + 1, fieldsFrame.top(), kTolerance);

    // moved away from the inspector, the fields window stays where it is put
    const QPoint away(view().left() + 20, view().top() + 40);
    fields().move(away);
    QTest::qWait(500);
    EXPECT_NEAR(fields().frameGeometry().left(), away.x(), kTolerance);
    EXPECT_NEAR(fields().frameGeometry().top(), away.y(), kTolerance);
    EXPECT_EQ(inspector().frameGeometry(), inspectorFrame);
}

} // namespace
} // namespace vltest
