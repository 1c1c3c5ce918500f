#pragma once

#include <QIcon>
#include <QTreeWidgetItem>
#include <string>

namespace vl {

// The kinds of node in the trees of the dictionary editor, each shown with
// its own picture.
enum class DictNodeKind {
    Placeholder, // "[None]": an empty list, or a data set not yet expanded
    Root,
    Category,
    Variable,
    DataSet,
    Field,
    ExcludedField,
    DataSource,
};

// The pictures of the dictionary windows; themes may supply the button
// pictures, the project's own drawings serve otherwise.
QIcon DictNodeIcon(DictNodeKind kind);
QIcon DictButtonIcon(const char* themeName, const char* fallback);

// A tree node that carries its kind, the engine name it stands for (for a
// category its key: a blank and the title) and its alias. Categories and
// variables can be renamed in place.
class DictNode : public QTreeWidgetItem {
public:
    DictNode(DictNodeKind kind, std::string name, std::string alias = {});

    DictNodeKind kind() const { return kind_; }
    void setKind(DictNodeKind kind);
    const std::string& name() const { return name_; }
    void setName(std::string name);
    const std::string& alias() const { return alias_; }
    // Shows the name, followed by " {alias}" when the alias is not empty.
    void setAlias(std::string alias);

private:
    void refresh();

    DictNodeKind kind_;
    std::string name_;
    std::string alias_;
};

// The node as a dictionary node, or nullptr.
DictNode* AsDictNode(QTreeWidgetItem* item);

} // namespace vl
