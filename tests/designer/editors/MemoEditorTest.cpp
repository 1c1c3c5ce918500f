#include "designer/editors/EditorSupport.h"
#include "designer/editors/TvlEditorForm.h"
#include "designer/editors/TvlEditorForm1.h"
#include "designer/editors/TvlFieldsForm.h"
#include "designer/editors/TvlSyntaxMemo.h"
#include "engine/model/TvlMemoView.h"
#include "tests/designer/editors/EditorTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextBlock>

namespace vltest {
namespace {

// Runs each case with both memo editor classes.
class MemoEditorTest : public ::testing::TestWithParam<bool> {
protected:
    MemoEditorTest() : editor(TvlMemoEditorForm::Create(GetParam(), host, nullptr)) {
        OpenFormSettings(editor->objectName())->setValue(QStringLiteral("Maximized"), false);
        view.Name = "Memo1";
        view.Memo = {"Hello [Name]"};
    }
    bool highlighting() const { return GetParam(); }

    void setScript(TvlMemoEditorForm& form, const StringList& lines) {
        if (auto* memo = qobject_cast<TvlSyntaxMemo*>(form.scriptPane())) {
            memo->setLines(lines);
            return;
        }
        static_cast<QPlainTextEdit*>(form.scriptPane())->setPlainText(LinesToPaneText(lines));
    }
    // A dialog no case asked for fails the case that met it.
    void TearDown() override {
        if (!HasFailure()) EXPECT_EQ(dialogs.unanswered(), "");
    }

    // Opens the editor on a view, answers it with act, and returns the
    // modal result.
    int edit(TvlView& v, std::function<void(TvlMemoEditorForm&)> act) {
        dialogs.expect<TvlMemoEditorForm>(std::move(act));
        const int result = editor->ShowEditor(v);
        EXPECT_EQ(dialogs.unanswered(), "");
        return result;
    }
    static void clickOk(TvlMemoEditorForm& form) { Child<QPushButton>(form, "OkBtn")->click(); }

    FakeEditorHost host;
    std::unique_ptr<TvlMemoEditorForm> editor;
    TvlMemoView view;
    ModalDialogs dialogs;
};

TEST_P(MemoEditorTest, UntouchedScriptStaysEmptyAndMemoIsStored) {
    const int result = edit(view, [](TvlMemoEditorForm& form) {
        EXPECT_TRUE(form.focusWidget() == form.memoPane());
        form.memoPane()->setPlainText(QStringLiteral("one\ntwo"));
        clickOk(form);
    });
    EXPECT_EQ(result, kModalOk);
    EXPECT_EQ(view.Memo, (StringList{"one", "two"}));
    EXPECT_TRUE(view.Script.empty());
    EXPECT_EQ(host.snapshots, 1);
}

TEST_P(MemoEditorTest, BeginEndOnOneLineIsEmptyOnlyWhenHighlighting) {
    edit(view, [this](TvlMemoEditorForm& form) {
        setScript(form, {"BEGIN END"});
        clickOk(form);
    });
    EXPECT_EQ(view.Script, highlighting() ? StringList{} : StringList{"BEGIN END"});
    edit(view, [this](TvlMemoEditorForm& form) {
        setScript(form, {"begin", "  x := 1", "end"});
        clickOk(form);
    });
    EXPECT_EQ(view.Script, (StringList{"begin", "  x := 1", "end"}));
}

TEST_P(MemoEditorTest, FaultyScriptKeepsTheDialogOpenAtTheError) {
    view.Script = {"begin", "  b", "    c", "end"};
    const int result = edit(view, [this](TvlMemoEditorForm& form) {
        clickOk(form);
        ASSERT_TRUE(form.isVisible());
        EXPECT_TRUE(form.focusWidget() == form.scriptPane());
        if (highlighting()) {
            const auto* memo = static_cast<TvlSyntaxMemo*>(form.scriptPane());
            EXPECT_EQ(memo->text().caret(), (TvlTextPoint{5, 3}));
            EXPECT_EQ(memo->text().message(), "Line 3/5: Need \":=\" here");
        } else {
            const auto* panel = Child<QLabel>(form, "ErrorPanel");
            EXPECT_TRUE(panel->isVisible());
            EXPECT_EQ(panel->text(), QStringLiteral(" Line 3/5: Need \":=\" here"));
            const QTextCursor c = static_cast<QPlainTextEdit*>(form.scriptPane())->textCursor();
            EXPECT_EQ(c.blockNumber(), 2);
            EXPECT_EQ(c.positionInBlock(), 4);
            QTest::keyClick(form.scriptPane(), Qt::Key_Right);
            EXPECT_FALSE(panel->isVisible());
        }
        form.reject();
    });
    EXPECT_EQ(result, kModalCancel);
    EXPECT_EQ(view.Script, (StringList{"begin", "  b", "    c", "end"}));
    EXPECT_EQ(view.Memo, StringList{"Hello [Name]"});
    EXPECT_EQ(host.snapshots, 0);
}

TEST_P(MemoEditorTest, OverlongScriptGivesTheCompilerLimitMessage) {
    StringList script{"begin"};
    while (script.size() < 1000)
        script.push_back("  x := x + 1; { a remark that makes the line long }");
    script.push_back("end");
    view.Script = script;
    edit(view, [](TvlMemoEditorForm& form) {
        clickOk(form);
        EXPECT_TRUE(form.isVisible());
        form.reject();
    });
    EXPECT_EQ(view.Script, script);
}

TEST_P(MemoEditorTest, BandViewsShowOnlyTheScriptPane) {
    TvlBandView& band = host.addBand(5, "MasterData1");
    edit(band, [](TvlMemoEditorForm& form) {
        EXPECT_FALSE(Child<QWidget>(form, "MemoPanel")->isVisible());
        EXPECT_TRUE(form.scriptPane()->isVisible());
        EXPECT_TRUE(form.focusWidget() == form.scriptPane());
        auto* scriptBtn = Child<QAction>(form, "ScriptBtn");
        EXPECT_TRUE(scriptBtn->isChecked());
        scriptBtn->trigger();
        EXPECT_TRUE(scriptBtn->isChecked());
        EXPECT_TRUE(form.scriptPane()->isVisible());
        form.reject();
    });
    // The text object opened next shows both panes.
    edit(view, [](TvlMemoEditorForm& form) {
        EXPECT_TRUE(Child<QWidget>(form, "MemoPanel")->isVisible());
        EXPECT_TRUE(form.scriptPane()->isVisible());
        form.reject();
    });
}

TEST_P(MemoEditorTest, HiddenScriptAndSplitterCarryOver) {
    edit(view, [](TvlMemoEditorForm& form) {
        Child<QAction>(form, "ScriptBtn")->trigger();
        form.reject();
    });
    EXPECT_FALSE(editor->scriptShown());
    edit(view, [](TvlMemoEditorForm& form) {
        EXPECT_FALSE(form.scriptPane()->isVisible());
        EXPECT_FALSE(Child<QAction>(form, "ScriptBtn")->isChecked());
        Child<QAction>(form, "ScriptBtn")->trigger();
        EXPECT_TRUE(form.scriptPane()->isVisible());
        form.reject();
    });
    EXPECT_TRUE(editor->scriptShown());
    const auto s = OpenFormSettings(QLatin1String(kDesignerFormClass));
    EXPECT_TRUE(s->contains(QStringLiteral("SplitterPos")));
    EXPECT_FALSE(
        OpenFormSettings(editor->objectName())->value(QStringLiteral("Maximized")).toBool());
}

TEST_P(MemoEditorTest, RestrictionsMakePanesReadOnly) {
    view.Restrictions = rsNoEditMemo | rsNoEditScript;
    edit(view, [](TvlMemoEditorForm& form) {
        EXPECT_TRUE(form.memoPane()->isReadOnly());
        QTest::keyClicks(form.scriptPane(), "xyz");
        clickOk(form);
    });
    EXPECT_TRUE(view.Script.empty());
    EXPECT_EQ(view.Memo, StringList{"Hello [Name]"});
}

TEST_P(MemoEditorTest, InsertKeyAddsADataFieldToTheActivePane) {
    edit(view, [this](TvlMemoEditorForm& form) {
        form.memoPane()->moveCursor(QTextCursor::End);
        dialogs.expect<TvlFieldsForm>([](TvlFieldsForm& chooser) {
            auto* fields = Child<QListWidget>(chooser, "FieldsLB");
            fields->setCurrentRow(0);
            chooser.accept();
        });
        QTest::keyClick(form.memoPane(), Qt::Key_Insert);
        clickOk(form);
    });
    EXPECT_EQ(view.Memo, StringList{"Hello [Name][DatasetTask.\"Name\"]"});
}

TEST_P(MemoEditorTest, EscapeCancelsAndCtrlEnterAccepts) {
    int result = edit(view, [](TvlMemoEditorForm& form) {
        form.memoPane()->setPlainText(QStringLiteral("changed"));
        QTest::keyClick(form.scriptPane(), Qt::Key_Escape);
    });
    EXPECT_EQ(result, kModalCancel);
    EXPECT_EQ(view.Memo, StringList{"Hello [Name]"});
    result = edit(view, [](TvlMemoEditorForm& form) {
        form.memoPane()->setPlainText(QStringLiteral("changed"));
        QTest::keyClick(form.memoPane(), Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_EQ(result, kModalOk);
    EXPECT_EQ(view.Memo, StringList{"changed"});
}

INSTANTIATE_TEST_SUITE_P(BothClasses, MemoEditorTest, ::testing::Bool(), [](const auto& info) {
    return info.param ? "TvlEditorForm" : "TvlEditorForm1";
});

} // namespace
} // namespace vltest
