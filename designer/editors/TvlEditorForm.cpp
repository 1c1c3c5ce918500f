#include "designer/editors/TvlEditorForm.h"

#include "designer/editors/EditorSupport.h"
#include "designer/editors/ExpressionText.h"
#include "designer/editors/TvlAttrEditorForm.h"
#include "designer/editors/TvlSyntaxMemo.h"

#include <QAction>
#include <QFrame>
#include <QToolBar>
#include <QVBoxLayout>

namespace vl {

TvlEditorForm::TvlEditorForm(TvlEditorHost& host, QWidget* parent)
    : TvlMemoEditorForm(host, parent), script_(new TvlSyntaxMemo) {
    setObjectName(QStringLiteral("TvlEditorForm"));
    script_->setObjectName(QStringLiteral("M2"));
    script_->setAccessibleName(QStringLiteral("Script"));
    script_->setSyntaxType(stPascal);
    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(script_);
    toolBar()->addSeparator();
    QAction* tag =
        toolBar()->addAction(EditorIcon({}, QStringLiteral("object-tag")), ResText(53740));
    tag->setObjectName(QStringLiteral("EditTag"));
    tag->setToolTip(ResText(53740));
    connect(tag, &QAction::triggered, this, &TvlEditorForm::editTag);
    buildLayout(panel);
}

QWidget* TvlEditorForm::scriptPane() const {
    return script_;
}

void TvlEditorForm::setScriptLines(const StringList& lines) {
    script_->setLines(lines);
}

StringList TvlEditorForm::scriptLines() const {
    return script_->lines();
}

bool TvlEditorForm::scriptIsEmpty() const {
    std::string rest;
    for (const std::string& line : script_->lines())
        for (char c : line)
            if (static_cast<unsigned char>(c) > ' ')
                rest += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return rest.empty() || rest == "beginend";
}

void TvlEditorForm::setScriptReadOnly(bool readOnly) {
    script_->setReadOnly(readOnly);
}

void TvlEditorForm::clearScriptError() {
    script_->setMessage({});
}

void TvlEditorForm::showScriptError(const StringList& errors) {
    const TvlScriptErrorPos pos = ParseScriptError(errors.front());
    script_->setFocus();
    script_->moveCaret(pos.col, pos.line);
    script_->setMessage(errors.front());
}

void TvlEditorForm::editTag() {
    if (!currentView()) return;
    TvlAttrEditorForm(host(), this).ShowEditor(*currentView());
}

} // namespace vl
