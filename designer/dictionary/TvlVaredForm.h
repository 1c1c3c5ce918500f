#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace vl {

class TvlVariables;

// The variables list editor: the names and order of all categories and
// variables of a dictionary's list as plain text, one per line; a variable's
// line begins with a blank. OK rebuilds the list in the new order, keeping
// the values of the names that stay.
class TvlVaredForm : public QDialog {
public:
    // A variable's name is cut to this many characters.
    static constexpr int kMaxNameLength = 255;

    explicit TvlVaredForm(TvlVariables& variables, QWidget* parent = nullptr);

    // The lines of a list: categories as their names, variables as a blank
    // and their names.
    static QStringList LinesOf(const TvlVariables& variables);
    // Replaces the list by the one the lines describe; blank lines are left
    // out.
    static void ApplyLines(const QStringList& lines, TvlVariables& variables);

    QPlainTextEdit* editor() const { return editor_; }
    void accept() override;

private:
    TvlVariables& variables_;
    QPlainTextEdit* editor_;
};

} // namespace vl
