#pragma once

#include <QDialog>
#include <string>

class QPlainTextEdit;

namespace vl {

class TvlEditorHost;

// "Expression builder": an expression box with buttons that insert data
// fields, variables, function calls and operators at its caret.
class TvlExprForm : public QDialog {
    Q_OBJECT
public:
    explicit TvlExprForm(TvlEditorHost& host, QWidget* parent = nullptr);

    std::string expression() const;
    void setExpression(const std::string& text);

    // Each replaces the box's selection or goes in at its caret.
    void insertDataField();
    void insertVariable();
    void insertFunction();
    void insertText(const std::string& text);

private:
    QWidget* createInsertGroup();

    TvlEditorHost& host_;
    QPlainTextEdit* memo_;
};

} // namespace vl
