#include "engine/build/TvlPage.h"
#include "engine/model/TvlDialogControl.h"
#include "engine/output/preview/DialogPageForm.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/output/preview/TvlProgressForm.h"
#include "engine/output/preview/WidgetUiService.h"
#include "tests/preview/PreviewTestSupport.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/ThreadEngine.h"
#include "tools/vellum/Commands.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace vl::test {
namespace {

// Records the progress lines a build shows.
class RecordingProgress : public WidgetProgressWindow {
public:
    RecordingProgress() : WidgetProgressWindow(Globals().stopRequested()) {}
    void SetFirstLine(const std::string& line) override {
        lines.push_back(line);
        WidgetProgressWindow::SetFirstLine(line);
    }
    std::vector<std::string> lines;
};

class WindowServicesTest : public vltest::ReportFixture {
protected:
    WindowServicesTest() {
        RegisterDialogControls(ViewState().addIns);
        auto progress = std::make_unique<RecordingProgress>();
        progressWindow = progress.get();
        Globals().setProgressWindow(std::move(progress));
        Globals().setUiService(std::make_unique<WidgetUiService>());
    }
    ~WindowServicesTest() override {
        Globals().setProgressWindow(std::make_unique<TvlProgressWindow>());
        Globals().setUiService(std::make_unique<HeadlessUiService>());
    }

    void rows(int count) {
        addSource("Rows", numbered(count));
        band(btMasterData, 60, 20, "Data", "Rows");
        memo("R[N]", 20, 62);
    }
    TvlDialogControl& control(TvlPage& on, TvlControlKind kind, const char* name, int top,
                              const std::string& text = {}) {
        auto view = std::make_unique<TvlDialogControl>(kind);
        view->Name = name;
        view->SetBounds(10, top, 120, 24);
        view->Text = text;
        return static_cast<TvlDialogControl&>(on.AddObject(std::move(view)));
    }
    // A dialog page asking for a name, with OK and Cancel.
    TvlPage& askName() {
        TvlPage& dialog = report.Pages().Add();
        dialog.PageType = ptDialog;
        dialog.Dialog.Caption = "Who?";
        control(dialog, TvlControlKind::Label, "Label1", 10, "Name:");
        control(dialog, TvlControlKind::Edit, "Edit1", 40, "nobody");
        control(dialog, TvlControlKind::CheckBox, "Check1", 70, "Loud").Checked = false;
        control(dialog, TvlControlKind::Button, "OkButton", 100, "OK").ModalResult = 1;
        control(dialog, TvlControlKind::Button, "CancelButton", 130, "Cancel").ModalResult = 2;
        band(btReportTitle, 20, 20, "Title");
        memo("Hello [Edit1.Text] [Check1.Checked]", 20, 22, 300);
        return dialog;
    }

    RecordingProgress* progressWindow = nullptr;
};

TEST_F(WindowServicesTest, ProgressWindowShowsPagesAndTheirTotal) {
    rows(120);
    report.ShowProgress = true;
    report.TwoPass = true;
    ModalDialogs dialogs;
    QString title;
    dialogs.expect<TvlProgressForm>([&](TvlProgressForm& form) { title = form.windowTitle(); });
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(title, QStringLiteral("Preparing report"));
    const int total = pageCount();
    ASSERT_GT(total, 1);
    const std::string last =
        "Processing page:  " + std::to_string(total) + " from " + std::to_string(total);
    EXPECT_NE(std::find(progressWindow->lines.begin(), progressWindow->lines.end(), last),
              progressWindow->lines.end());
    EXPECT_EQ(progressWindow->form(), nullptr); // gone after the run
}

TEST_F(WindowServicesTest, CancelInTheProgressWindowStopsTheBuild) {
    rows(3000);
    report.ShowProgress = true;
    ModalDialogs dialogs;
    dialogs.expect<TvlProgressForm>([](TvlProgressForm& form) { form.CancelBtn->click(); });
    EXPECT_FALSE(build());
    EXPECT_EQ(dialogs.unanswered(), "");
    // clicked while the pages were being made, not before the first
    EXPECT_FALSE(progressWindow->lines.empty());
    EXPECT_TRUE(Globals().stopRequested().load());
    EXPECT_LT(pageCount(), 50); // 3000 rows make about 70 pages
}

TEST_F(WindowServicesTest, ProgressFormRethrowsTheWorksError) {
    TvlProgressForm form(Globals().stopRequested());
    EXPECT_THROW(
        form.Run(QStringLiteral("x"), QStringLiteral("y"), [] { throw VlError("broken"); }),
        VlError);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Run(QStringLiteral("x"), QStringLiteral("y"), [] {}), TvlProgressWindow::kOk);
}

TEST_F(WindowServicesTest, DialogPageAnswersReachTheReport) {
    askName();
    ModalDialogs dialogs;
    dialogs.expect<DialogPageForm>([](DialogPageForm& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Who?"));
        auto* edit = w.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        auto* check = w.findChild<QCheckBox*>(QStringLiteral("Check1"));
        auto* label = w.findChild<QLabel*>(QStringLiteral("Label1"));
        auto* ok = w.findChild<QPushButton*>(QStringLiteral("OkButton"));
        if (!edit || !check || !label || !ok) {
            ADD_FAILURE() << "the dialog page lacks its controls";
            return w.reject();
        }
        EXPECT_EQ(edit->text(), QStringLiteral("nobody"));
        EXPECT_EQ(label->geometry(), QRect(10, 10, 120, 24));
        edit->setText(QStringLiteral("Smith"));
        check->setChecked(true);
        ok->click();
    });
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(dialogs.unanswered(), "");
    ASSERT_EQ(pageCount(), 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Hello Smith True"}));
}

TEST_F(WindowServicesTest, CancelOrClosingTheDialogBuildsNothing) {
    askName();
    ModalDialogs dialogs;
    dialogs.expect<DialogPageForm>([](DialogPageForm& w) {
        if (auto* b = w.findChild<QPushButton*>(QStringLiteral("CancelButton"))) return b->click();
        ADD_FAILURE() << "no Cancel button";
        w.reject();
    });
    EXPECT_FALSE(build());
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(pageCount(), 0);
    // closed as the window system closes it: not through a button
    dialogs.expect<DialogPageForm>([](DialogPageForm& w) { w.close(); });
    EXPECT_FALSE(build());
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(pageCount(), 0);
}

TEST_F(WindowServicesTest, MessageBoxesAnswerWithModalResults) {
    const MessageBoxLook question = MessageBoxLookOf(4 | 32);
    EXPECT_EQ(question.buttons, int(QMessageBox::Yes | QMessageBox::No));
    EXPECT_EQ(question.icon, int(QMessageBox::Question));
    EXPECT_EQ(MessageBoxLookOf(1).buttons, int(QMessageBox::Ok | QMessageBox::Cancel));
    EXPECT_EQ(MessageBoxLookOf(0x10).icon, int(QMessageBox::Critical));
    EXPECT_EQ(MessageBoxLookOf(3).buttons,
              int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
    EXPECT_EQ(ModalResultOf(QMessageBox::Yes), 6);
    EXPECT_EQ(ModalResultOf(QMessageBox::No), 7);
    EXPECT_EQ(ModalResultOf(QMessageBox::Cancel), 2);

    WidgetUiService ui;
    ModalDialogs dialogs;
    dialogs.expect<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Confirm"));
        EXPECT_EQ(box.text(), QStringLiteral("first\nsecond"));
        if (QAbstractButton* no = box.button(QMessageBox::No)) return no->click();
        ADD_FAILURE() << "no No button";
        box.reject();
    });
    EXPECT_EQ(ui.messageBox("first\rsecond", "Confirm", 4 | 32), 7);

    dialogs.expect<QInputDialog>([](QInputDialog& input) {
        EXPECT_EQ(input.textValue(), QStringLiteral("start"));
        input.setTextValue(QStringLiteral("typed"));
        input.accept();
    });
    EXPECT_EQ(ui.inputBox("Input", "Value:", "start"), "typed");
    dialogs.expect<QInputDialog>([](QInputDialog& input) {
        input.setTextValue(QStringLiteral("typed"));
        input.reject();
    });
    EXPECT_EQ(ui.inputBox("Input", "Value:", "start"), "start");
    dialogs.expect<QInputDialog>([](QInputDialog& input) {
        EXPECT_EQ(input.textEchoMode(), QLineEdit::Password);
        input.setTextValue(QStringLiteral("secret"));
        input.reject();
    });
    EXPECT_EQ(ui.askPassword("Password", "Enter"), std::nullopt);
    EXPECT_EQ(dialogs.unanswered(), "");
}

TEST_F(WindowServicesTest, ThePreviewCommandShowsTheDialogAndThenThePages) {
    askName();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ask.vlf"));
    report.SaveToFile(path);

    const auto click = [](const char* button) {
        return [button](DialogPageForm& w) {
            if (auto* b = w.findChild<QPushButton*>(QLatin1String(button))) return b->click();
            ADD_FAILURE() << "no " << button;
            w.reject();
        };
    };
    ModalDialogs dialogs;
    // the command's build shows its progress as it likes
    dialogs.leaveAlone<TvlProgressForm>();
    dialogs.expect<DialogPageForm>(click("OkButton"));
    int shown = -1;
    dialogs.expect<TvlPreviewForm>([&shown](TvlPreviewForm& preview) {
        shown = preview.PageCount();
        preview.HandleKey(Qt::Key_Escape, {});
    });
    EXPECT_EQ(vellum_cli::RunPreview({path}), 0);
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(shown, 1);
    // Cancel: no preview follows; one would be an unexpected window
    dialogs.expect<DialogPageForm>(click("CancelButton"));
    EXPECT_EQ(vellum_cli::RunPreview({path}), 1);
    EXPECT_EQ(dialogs.unanswered(), "");
    // the engine is headless again
    EXPECT_EQ(dynamic_cast<WidgetUiService*>(&Globals().uiService()), nullptr);
}

} // namespace
} // namespace vl::test
