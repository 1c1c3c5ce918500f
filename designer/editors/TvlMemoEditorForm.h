#pragma once

#include "designer/editors/TvlObjEditorForm.h"
#include "engine/script/StreamIO.h"

#include <memory>

class QAction;
class QKeySequence;
class QPlainTextEdit;
class QSplitter;
class QToolBar;

namespace vl {

class TvlEditorHost;

// The memo editor ("Text editor"): a text pane M1 for an object's Memo
// above a script pane M2 for its Script. The script is compiled on OK and
// the dialog stays open on the first error. Band views and dialog controls
// show only the script pane. The two concrete classes differ in the
// script pane: TvlEditorForm highlights syntax, TvlEditorForm1 is a plain
// edit box with an error strip.
class TvlMemoEditorForm : public TvlObjEditorForm {
    Q_OBJECT
public:
    // The class the "SyntaxHighlight" designer setting asks for.
    static std::unique_ptr<TvlMemoEditorForm> Create(bool syntaxHighlight, TvlEditorHost& host,
                                                     QWidget* parent);
    ~TvlMemoEditorForm() override;

    int ShowEditor(TvlView& view) override;
    // OK: closes only when the script pane compiles.
    void accept() override;

    QPlainTextEdit* memoPane() const { return memo_; }
    virtual QWidget* scriptPane() const = 0;
    // The pane that last had the focus: the target of clipboard and inserts.
    QWidget* activePane() const { return activePane_; }
    // Replaces the active pane's selection, or inserts at its caret.
    void insertIntoActivePane(const std::string& text);
    bool scriptShown() const { return showScript_; }

protected:
    TvlMemoEditorForm(TvlEditorHost& host, QWidget* parent);
    // Builds the dialog around the script pane the subclass made.
    void buildLayout(QWidget* scriptPanel);
    TvlEditorHost& host() const { return host_; }
    QToolBar* toolBar() const { return toolBar_; }
    // The view being edited while the dialog is open.
    TvlView* currentView() const { return view_; }

    virtual QString formClass() const = 0;
    virtual void setScriptLines(const StringList& lines) = 0;
    virtual StringList scriptLines() const = 0;
    virtual bool scriptIsEmpty() const = 0;
    virtual void setScriptReadOnly(bool readOnly) = 0;
    virtual void clearScriptError() = 0;
    virtual void showScriptError(const StringList& errors) = 0;
    // A key in either pane.
    virtual void paneKeyPressed() {}

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void prepare(TvlView& view);
    void finish(TvlView& view, bool accepted);
    void applyFonts(TvlView& view);
    void placeSplitter();
    void toggleScript(bool shown);
    void clipboard(int op);
    QAction* addTool(const char* name, int hint, const QString& theme, const QString& own,
                     const QKeySequence& keys = {});

    TvlEditorHost& host_;
    QToolBar* toolBar_;
    QWidget* memoPanel_;
    QPlainTextEdit* memo_;
    QWidget* scriptPanel_ = nullptr;
    QSplitter* splitter_;
    QAction* wordWrap_ = nullptr;
    QAction* scriptBtn_ = nullptr;
    QWidget* activePane_ = nullptr;
    TvlView* view_ = nullptr;
    bool scriptOnly_ = false;
    bool showScript_ = true;
    int splitterPos_ = 100;
};

} // namespace vl
