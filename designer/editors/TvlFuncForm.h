#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QListWidget;
class QTreeWidget;

namespace vl {

class TvlInstalledFunctions;

// "Available functions": the categories of the installed function
// libraries in a tree, the functions of the selected category, and the
// syntax and explanation of the selected function.
class TvlFuncForm : public QDialog {
    Q_OBJECT
public:
    // Lists the functions the engine's libraries describe.
    explicit TvlFuncForm(const TvlInstalledFunctions& functions, QWidget* parent = nullptr);

    // The selected function's name, or empty.
    std::string functionName() const;
    std::string syntaxText() const;
    std::string descriptionText() const;

private:
    void listFunctions();
    const TvlInstalledFunctions& installed_;
    void describeFunction();

    QTreeWidget* tree_;
    QListWidget* functions_;
    QLabel* syntax_;
    QLabel* description_;
    std::string syntaxText_, descriptionText_;
};

} // namespace vl
