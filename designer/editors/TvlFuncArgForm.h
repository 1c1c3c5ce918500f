#pragma once

#include <QDialog>
#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QToolButton;

namespace vl {

class TvlEditorHost;

// "Function arguments": up to three argument boxes for a function call,
// each with a button that opens the expression builder. The rows offered
// follow the commas of the function's syntax.
class TvlFuncArgForm : public QDialog {
    Q_OBJECT
public:
    TvlFuncArgForm(TvlEditorHost& host, std::string name, const std::string& syntax,
                   const std::string& description, QWidget* parent = nullptr);

    // The function name with the arguments given.
    std::string callText() const;
    QLineEdit* argumentEdit(int row) const { return edits_.at(static_cast<std::size_t>(row)); }

private:
    void buildExpression(int row);

    TvlEditorHost& host_;
    std::string name_;
    std::array<QLabel*, 3> labels_{};
    std::array<QLineEdit*, 3> edits_{};
    std::array<QToolButton*, 3> buttons_{};
};

} // namespace vl
