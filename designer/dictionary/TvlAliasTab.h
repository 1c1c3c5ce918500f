#pragma once

#include "engine/script/StreamIO.h"

#include <QWidget>
#include <string>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

namespace vl {

class DictNode;
enum class DictNodeKind;
class TvlVariables;

// A tab of the dictionary editor that chooses components for the
// dictionary: the chosen ones are nodes under a root, each with its alias in
// the working list, and the others wait in a list beside it. ">", "<", ">>"
// and "<<", a double click or dragging move them between the two.
class TvlAliasTab : public QWidget {
public:
    // listLabel and rootText are text numbers; components are shown with
    // the picture of nodes of that kind.
    TvlAliasTab(TvlVariables& aliases, int listLabel, int rootText, DictNodeKind componentKind,
                QWidget* parent = nullptr);

    // Lays the components out: those with a key in a non-empty working list
    // become nodes, the others list entries.
    void Load(const StringList& components);
    // Stores the alias being typed into the working list.
    void StorePendingAlias();

    void MoveToTree();
    void MoveToList();
    void MoveAllToTree();
    void MoveAllToList();

    QTreeWidget* tree() const { return tree_; }
    QListWidget* list() const { return list_; }
    QLineEdit* aliasField() const { return aliasField_; }
    QTreeWidgetItem* root() const { return root_; }
    // The node of a chosen component, or nullptr.
    DictNode* componentNode(std::string_view name) const;

protected:
    // The node of a chosen component (children included).
    virtual DictNode* createComponentNode(const std::string& name, const std::string& alias) = 0;
    // The working list forgets a component that goes back to the list.
    virtual void forgetComponent(const std::string& name);
    // Stores a typed alias for a node below the root.
    virtual void storeAlias(DictNode& node, const std::string& alias);
    // Shows what belongs to the chosen node beside the alias.
    virtual void showNode(DictNode* node);
    // Space in the tree.
    virtual void toggleNode() {}

    TvlVariables& aliases() { return aliases_; }
    QVBoxLayout* appearanceLayout() const { return appearanceLayout_; }
    DictNode* selectedNode() const;
    bool busy() const { return busy_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addMoveButton(const QString& text, const QString& name, const QString& hint,
                               void (TvlAliasTab::*command)());
    void addNode(const std::string& name, const std::string& alias);
    void insertListEntry(const QString& name);
    void nodeChanged(QTreeWidgetItem* previous);
    void storeAliasOf(QTreeWidgetItem* item);
    bool acceptsDrop(QObject* target, QEvent* event) const;

    TvlVariables& aliases_;
    std::string rootText_;
    DictNodeKind componentKind_;
    bool busy_ = false;
    QListWidget* list_;
    QTreeWidget* tree_;
    QTreeWidgetItem* root_ = nullptr;
    QGroupBox* appearance_;
    QVBoxLayout* appearanceLayout_;
    QLineEdit* aliasField_;
};

} // namespace vl
