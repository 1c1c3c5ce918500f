#pragma once

#include "designer/editors/TvlMemoEditorForm.h"

namespace vl {

class TvlSyntaxMemo;

// The memo editor with a syntax-highlighting script pane; a compile error
// shows in the pane's footer. Offers the object-tag dialog.
class TvlEditorForm : public TvlMemoEditorForm {
    Q_OBJECT
public:
    TvlEditorForm(TvlEditorHost& host, QWidget* parent = nullptr);

    QWidget* scriptPane() const override;
    TvlSyntaxMemo* syntaxMemo() const { return script_; }

protected:
    QString formClass() const override { return QStringLiteral("TvlEditorForm"); }
    void setScriptLines(const StringList& lines) override;
    StringList scriptLines() const override;
    // Empty when nothing but blanks is left, or only "begin" "end".
    bool scriptIsEmpty() const override;
    void setScriptReadOnly(bool readOnly) override;
    void clearScriptError() override;
    void showScriptError(const StringList& errors) override;

private:
    void editTag();

    TvlSyntaxMemo* script_;
};

} // namespace vl
