#include "designer/editors/TvlEditorForm1.h"

#include "designer/editors/EditorSupport.h"
#include "designer/editors/ExpressionText.h"
#include "engine/script/CodePage.h"
#include "engine/script/TextUtils.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

namespace vl {

TvlEditorForm1::TvlEditorForm1(TvlEditorHost& host, QWidget* parent)
    : TvlMemoEditorForm(host, parent), script_(new QPlainTextEdit), errorPanel_(new QLabel) {
    setObjectName(QStringLiteral("TvlEditorForm1"));
    script_->setObjectName(QStringLiteral("M2"));
    script_->setAccessibleName(QStringLiteral("Script"));
    script_->setLineWrapMode(QPlainTextEdit::NoWrap);
    script_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    script_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    errorPanel_->setObjectName(QStringLiteral("ErrorPanel"));
    errorPanel_->setTextFormat(Qt::PlainText);
    errorPanel_->setAutoFillBackground(true);
    errorPanel_->setFrameShape(QFrame::StyledPanel);
    QPalette pal = errorPanel_->palette();
    pal.setColor(QPalette::Window, QColor(128, 0, 0));
    pal.setColor(QPalette::WindowText, Qt::white);
    errorPanel_->setPalette(pal);
    errorPanel_->hide();
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(script_, 1);
    layout->addWidget(errorPanel_);
    buildLayout(panel);
}

QWidget* TvlEditorForm1::scriptPane() const {
    return script_;
}

void TvlEditorForm1::setScriptLines(const StringList& lines) {
    script_->setPlainText(LinesToPaneText(lines));
}

StringList TvlEditorForm1::scriptLines() const {
    return PaneTextToLines(script_->toPlainText());
}

bool TvlEditorForm1::scriptIsEmpty() const {
    const StringList lines = scriptLines();
    return lines.size() == 3 && TrimBlanks(lines[0]) == "begin" && TrimBlanks(lines[1]).empty() &&
           TrimBlanks(lines[2]) == "end";
}

void TvlEditorForm1::setScriptReadOnly(bool readOnly) {
    script_->setReadOnly(readOnly);
}

void TvlEditorForm1::clearScriptError() {
    errorPanel_->hide();
}

void TvlEditorForm1::showScriptError(const StringList& errors) {
    QStringList text;
    for (const std::string& e : errors)
        text << ToQt(e);
    errorPanel_->setText(QLatin1Char(' ') + text.join(QLatin1Char('\n')));
    errorPanel_->show();
    // The error's offset counts each line break as two characters.
    const TvlScriptErrorPos pos = ParseScriptError(errors.front());
    const StringList lines = scriptLines();
    long long offset = pos.col - 1;
    for (int i = 0; i + 1 < pos.line && i < static_cast<int>(lines.size()); ++i)
        offset += static_cast<long long>(lines[static_cast<std::size_t>(i)].size()) + 2;
    QTextBlock block = script_->document()->firstBlock();
    for (;;) {
        const int length = block.length() - 1;
        if (offset <= length || !block.next().isValid()) {
            offset = std::clamp<long long>(offset, 0, length);
            break;
        }
        offset -= length + 2;
        block = block.next();
    }
    const int position = block.position() + static_cast<int>(offset);
    QTextCursor cursor = script_->textCursor();
    cursor.setPosition(position);
    script_->setTextCursor(cursor);
    script_->ensureCursorVisible();
    script_->setFocus();
}

void TvlEditorForm1::paneKeyPressed() {
    errorPanel_->hide();
}

void TvlEditorForm1::resizeEvent(QResizeEvent* event) {
    TvlMemoEditorForm::resizeEvent(event);
    errorPanel_->hide();
}

} // namespace vl
