#include "designer/editors/TvlMemoEditorForm.h"

#include "designer/editors/EditorHost.h"
#include "designer/editors/EditorSupport.h"
#include "designer/editors/ExpressionText.h"
#include "designer/editors/TextInsertions.h"
#include "designer/editors/TvlEditorForm.h"
#include "designer/editors/TvlEditorForm1.h"
#include "designer/editors/TvlSyntaxMemo.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlControl.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/CodePage.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlDataDictionary.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace vl {

namespace {

enum ClipOp { kCut, kCopy, kPaste };

QFont settingFont(const QSettings& s, const char* nameKey, const char* sizeKey,
                  const QString& defaultName) {
    QString name = s.value(QLatin1String(nameKey), defaultName).toString();
    if (name.isEmpty()) name = defaultName;
    int size = s.value(QLatin1String(sizeKey), 10).toInt();
    if (size < 1 || size > 400) size = 10;
    return QFont(name, size);
}

bool isScriptOnly(const TvlView& view) {
    return dynamic_cast<const TvlBandView*>(&view) || dynamic_cast<const TvlControl*>(&view);
}

} // namespace

std::unique_ptr<TvlMemoEditorForm> TvlMemoEditorForm::Create(bool syntaxHighlight,
                                                             TvlEditorHost& host, QWidget* parent) {
    if (syntaxHighlight) return std::make_unique<TvlEditorForm>(host, parent);
    return std::make_unique<TvlEditorForm1>(host, parent);
}

TvlMemoEditorForm::TvlMemoEditorForm(TvlEditorHost& host, QWidget* parent)
    : TvlObjEditorForm(parent), host_(host), toolBar_(new QToolBar(this)),
      memoPanel_(new QWidget(this)), memo_(new QPlainTextEdit(memoPanel_)),
      splitter_(new QSplitter(Qt::Vertical, this)) {
    setWindowTitle(ResText(53060));
    setSizeGripEnabled(true);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    memoPanel_->setObjectName(QStringLiteral("MemoPanel"));
    memo_->setObjectName(QStringLiteral("M1"));
    memo_->setAccessibleName(QStringLiteral("Text"));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setTabChangesFocus(false);
    auto* memoLayout = new QVBoxLayout(memoPanel_);
    memoLayout->setContentsMargins(0, 0, 0, 0);
    memoLayout->addWidget(memo_);
    splitter_->setObjectName(QStringLiteral("Splitter"));
    splitter_->setChildrenCollapsible(false);
    memo_->installEventFilter(this);

    connect(addTool("InsExprBtn", 53061, {}, QStringLiteral("insert-expression"),
                    QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this,
            [this] { insertIntoActivePane(InsertExpression(host_, this)); });
    QAction* insertField = addTool("InsDBBtn", 53062, {}, QStringLiteral("insert-field"));
    // The Insert key of either pane runs it (see eventFilter).
    insertField->setToolTip(insertField->toolTip() + QStringLiteral(" (Ins)"));
    connect(insertField, &QAction::triggered, this,
            [this] { insertIntoActivePane(InsertDataField(host_, this)); });
    toolBar_->addSeparator();
    connect(addTool("CutBtn", 53091, QStringLiteral("edit-cut"), QStringLiteral("edit-cut")),
            &QAction::triggered, this, [this] { clipboard(kCut); });
    connect(addTool("CopyBtn", 53092, QStringLiteral("edit-copy"), QStringLiteral("edit-copy")),
            &QAction::triggered, this, [this] { clipboard(kCopy); });
    connect(addTool("PasteBtn", 53093, QStringLiteral("edit-paste"), QStringLiteral("edit-paste")),
            &QAction::triggered, this, [this] { clipboard(kPaste); });
    toolBar_->addSeparator();
    wordWrap_ = addTool("WordWrapBtn", 53063, {}, QStringLiteral("word-wrap"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    wordWrap_->setCheckable(true);
    connect(wordWrap_, &QAction::toggled, this, [this](bool on) {
        memo_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    });
    scriptBtn_ = addTool("ScriptBtn", 53064, {}, QStringLiteral("script"),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    scriptBtn_->setCheckable(true);
    connect(scriptBtn_, &QAction::toggled, this, &TvlMemoEditorForm::toggleScript);

    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &TvlMemoEditorForm::accept);
}

TvlMemoEditorForm::~TvlMemoEditorForm() = default;

QAction* TvlMemoEditorForm::addTool(const char* name, int hint, const QString& theme,
                                    const QString& own, const QKeySequence& keys) {
    QAction* action = toolBar_->addAction(EditorIcon(theme, own), ResText(hint));
    action->setObjectName(QString::fromLatin1(name));
    QString tip = ResText(hint);
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        tip += QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')');
    }
    action->setToolTip(tip);
    return action;
}

void TvlMemoEditorForm::buildLayout(QWidget* scriptPanel) {
    scriptPanel_ = scriptPanel;
    scriptPanel_->setObjectName(QStringLiteral("ScriptPanel"));
    scriptPane()->installEventFilter(this);
    splitter_->addWidget(memoPanel_);
    splitter_->addWidget(scriptPanel_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setText(ResText(55000));
    ok->setAutoDefault(false);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setText(ResText(55001));
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &TvlMemoEditorForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(toolBar_);
    layout->addWidget(splitter_, 1);
    layout->addWidget(buttons);
    resize(560, 420);
}

int TvlMemoEditorForm::ShowEditor(TvlView& view) {
    prepare(view);
    const bool accepted = exec() == QDialog::Accepted;
    finish(view, accepted);
    return accepted ? kModalOk : kModalCancel;
}

void TvlMemoEditorForm::prepare(TvlView& view) {
    view_ = &view;
    RestoreFormBounds(*this, formClass(), true);
    splitterPos_ = OpenFormSettings(QLatin1String(kDesignerFormClass))
                       ->value(QStringLiteral("SplitterPos"), 100)
                       .toInt();
    scriptOnly_ = isScriptOnly(view);
    memoPanel_->setVisible(!scriptOnly_);
    {
        const QSignalBlocker block(scriptBtn_);
        scriptBtn_->setChecked(scriptOnly_ || showScript_);
    }
    scriptPanel_->setVisible(scriptOnly_ || showScript_);
    memo_->setPlainText(LinesToPaneText(view.Memo));
    setScriptLines(view.Script.empty() ? StringList{"begin", "", "end"} : view.Script);
    memo_->setLineWrapMode(wordWrap_->isChecked() ? QPlainTextEdit::WidgetWidth
                                                  : QPlainTextEdit::NoWrap);
    clearScriptError();
    applyFonts(view);
    memo_->setReadOnly(view.Restrictions & rsNoEditMemo);
    setScriptReadOnly(view.Restrictions & rsNoEditScript);
    activePane_ = scriptOnly_ ? scriptPane() : memo_;
    memo_->moveCursor(QTextCursor::Start);
}

void TvlMemoEditorForm::applyFonts(TvlView& view) {
    const auto s = OpenFormSettings(QLatin1String(kDesignerFormClass));
    QFont text = settingFont(*s, "TextFontName", "TextFontSize", QStringLiteral("Arial"));
    const auto* memoView = dynamic_cast<const TvlMemoView*>(&view);
    if (memoView && s->value(QStringLiteral("UseDefaultFont"), true).toBool() &&
        !memoView->Font.name.empty())
        text = QFont(ToQt(memoView->Font.name), 10);
    memo_->setFont(text);
    QFont script =
        settingFont(*s, "ScriptFontName", "ScriptFontSize", QStringLiteral("Courier New"));
    script.setStyleHint(QFont::TypeWriter);
    scriptPane()->setFont(script);
}

void TvlMemoEditorForm::finish(TvlView& view, bool accepted) {
    if (accepted) {
        host_.beforeChange();
        view.Memo = PaneTextToLines(memo_->toPlainText());
        if (scriptIsEmpty())
            view.Script.clear();
        else
            view.Script = scriptLines();
    }
    if (!scriptOnly_) showScript_ = scriptBtn_->isChecked();
    if (!scriptOnly_ && showScript_) splitterPos_ = splitter_->sizes().value(0, splitterPos_);
    OpenFormSettings(QLatin1String(kDesignerFormClass))
        ->setValue(QStringLiteral("SplitterPos"), splitterPos_);
    SaveFormBounds(*this, formClass());
    view_ = nullptr;
}

void TvlMemoEditorForm::accept() {
    StringList compiled, errors;
    host_.dictionary().engine().globalInterpretator().CompileScript(scriptLines(), compiled,
                                                                    errors);
    if (errors.empty()) {
        QDialog::accept();
        return;
    }
    showScriptError(errors);
}

// ---- panes ----

void TvlMemoEditorForm::insertIntoActivePane(const std::string& text) {
    if (text.empty() || !activePane_) return;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(activePane_)) {
        if (!edit->isReadOnly()) edit->insertPlainText(ToQt(text));
    } else if (auto* memo = qobject_cast<TvlSyntaxMemo*>(activePane_)) {
        memo->insertText(text);
    }
    activePane_->setFocus();
}

void TvlMemoEditorForm::clipboard(int op) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(activePane_)) {
        if (op == kCut) edit->cut();
        if (op == kCopy) edit->copy();
        if (op == kPaste) edit->paste();
    } else if (auto* memo = qobject_cast<TvlSyntaxMemo*>(activePane_)) {
        if (op == kCut) memo->cutToClipboard();
        if (op == kCopy) memo->copyToClipboard();
        if (op == kPaste) memo->pasteFromClipboard();
    }
    if (activePane_) activePane_->setFocus();
}

bool TvlMemoEditorForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != memo_ && watched != scriptPane())
        return TvlObjEditorForm::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) activePane_ = static_cast<QWidget*>(watched);
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    paneKeyPressed();
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
        activePane_ = static_cast<QWidget*>(watched);
        insertIntoActivePane(InsertDataField(host_, this));
        return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        mods == Qt::ControlModifier) {
        accept();
        return true;
    }
    return false;
}

// ---- script pane and splitter ----

void TvlMemoEditorForm::toggleScript(bool shown) {
    if (scriptOnly_) {
        if (!shown) {
            const QSignalBlocker block(scriptBtn_);
            scriptBtn_->setChecked(true);
        }
        return;
    }
    scriptPanel_->setVisible(shown);
    if (shown) placeSplitter();
}

void TvlMemoEditorForm::placeSplitter() {
    if (scriptOnly_ || !scriptPanel_->isVisible()) return;
    const int total = splitter_->height() - splitter_->handleWidth();
    if (total <= 0) return;
    int memoHeight = std::clamp(splitterPos_, 0, total);
    if (total - 40 < total - memoHeight) memoHeight = total / 2;
    splitter_->setSizes({memoHeight, total - memoHeight});
}

void TvlMemoEditorForm::showEvent(QShowEvent* event) {
    TvlObjEditorForm::showEvent(event);
    if (layout()) layout()->activate();
    placeSplitter();
    (scriptOnly_ ? scriptPane() : static_cast<QWidget*>(memo_))->setFocus();
}

void TvlMemoEditorForm::resizeEvent(QResizeEvent* event) {
    TvlObjEditorForm::resizeEvent(event);
    if (!memoPanel_->isVisible() || !scriptPanel_ || !scriptPanel_->isVisible()) return;
    const QList<int> sizes = splitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total - 40 < sizes.value(1)) splitter_->setSizes({total - total / 2, total / 2});
}

} // namespace vl
