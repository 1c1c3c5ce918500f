#pragma once

#include "designer/editors/TvlMemoEditorForm.h"

class QLabel;

namespace vl {

// The memo editor with a plain script box; compile errors show in the
// strip ErrorPanel under it until the next key or resize.
class TvlEditorForm1 : public TvlMemoEditorForm {
    Q_OBJECT
public:
    TvlEditorForm1(TvlEditorHost& host, QWidget* parent = nullptr);

    QWidget* scriptPane() const override;
    QLabel* errorPanel() const { return errorPanel_; }

protected:
    QString formClass() const override { return QStringLiteral("TvlEditorForm1"); }
    void setScriptLines(const StringList& lines) override;
    // The box's lines as they stand.
    StringList scriptLines() const override;
    // Empty when the box holds exactly "begin", an empty line and "end".
    bool scriptIsEmpty() const override;
    void setScriptReadOnly(bool readOnly) override;
    void clearScriptError() override;
    void showScriptError(const StringList& errors) override;
    void paneKeyPressed() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPlainTextEdit* script_;
    QLabel* errorPanel_;
};

} // namespace vl
