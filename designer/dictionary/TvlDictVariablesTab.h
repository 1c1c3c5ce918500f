#pragma once

#include "engine/script/StreamIO.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vl {

class DictNode;
class TvlDataDictionary;
class TvlVariables;

// Opens the expression builder on a text; true when the user confirmed it.
using TvlExpressionBuilder = std::function<bool(QWidget* parent, std::string& expression)>;

// The "Variables" tab of the dictionary editor: the categories and variables
// of a working list as a tree, and the value of the selected variable as a
// data field, a system variable or an expression.
class TvlDictVariablesTab : public QWidget {
public:
    // The built-in variables offered as values: the text shown and the name stored.
    struct SystemVariable {
        int textId;
        const char* value;
    };
    static const std::vector<SystemVariable>& SystemVariables();

    TvlDictVariablesTab(const TvlDataDictionary& dictionary, TvlVariables& variables,
                        QWidget* parent = nullptr);

    // Fills the tree from the working list and the value choices from the
    // dictionary, and selects the first node.
    void Load();
    void setExpressionBuilder(TvlExpressionBuilder builder);

    void NewCategory();
    void NewVariable();
    void EditSelected();
    void DeleteSelected();
    // The variables list editor on the working list; the tree follows on OK.
    void EditList();
    // Stores the expression being typed into its variable.
    void StorePendingExpression();

    QTreeWidget* tree() const { return tree_; }
    QComboBox* valueSets() const { return valueSets_; }
    QListWidget* valueList() const { return valueList_; }
    QCheckBox* expressionBox() const { return expressionBox_; }
    QLineEdit* expressionField() const { return expressionField_; }
    QToolButton* builderButton() const { return builderButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createTreePane();
    QWidget* createValuePane();
    QToolButton* addButton(const char* name, int hintId, const char* theme, const char* icon,
                           void (TvlDictVariablesTab::*command)());
    void rebuildTree();
    void showPlaceholder();
    bool placeholderShown() const;
    DictNode* selectedNode() const;
    void selectNode(QTreeWidgetItem* node);
    void updateButtons();
    void nodeChanged();
    void nodeRenamed(QTreeWidgetItem* item);
    std::string freeName(const char* stem, bool category) const;
    int categoryEnd(int categoryIndex) const;

    void showValue(const DictNode* node);
    bool showDataField(const std::string& value);
    bool showSystemVariable(const std::string& value);
    void fillValueList();
    bool systemVariablesChosen() const;
    void selectValue(int row);
    void valueClicked();
    void expressionToggled(bool checked);
    void openBuilder();

    const TvlDataDictionary& dictionary_;
    TvlVariables& variables_;
    // The variable whose expression is being typed.
    std::optional<std::string> activeVariable_;
    // Set while the tab changes its own controls.
    bool busy_ = false;
    TvlExpressionBuilder builder_;

    QTreeWidget* tree_;
    QComboBox* valueSets_;
    QListWidget* valueList_;
    QCheckBox* expressionBox_;
    QLineEdit* expressionField_;
    QToolButton* builderButton_;
    QToolButton* newVariableButton_ = nullptr;
    QToolButton* editButton_ = nullptr;
    QToolButton* deleteButton_ = nullptr;
};

} // namespace vl
