#include "designer/dictionary/TvlDictVariablesTab.h"

#include "designer/dictionary/DictNode.h"
#include "designer/dictionary/TvlVaredForm.h"
#include "engine/script/CodePage.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlDataDictionary.h"
#include "engine/script/TvlLocale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kVariablesLabel = 53344;
constexpr int kValuesLabel = 53345;
constexpr int kExpressionText = 53346;
constexpr int kNewCategoryHint = 53347;
constexpr int kNewVariableHint = 53348;
constexpr int kEditHint = 53349;
constexpr int kDeleteHint = 53350;
constexpr int kEditListHint = 53351;
constexpr int kSystemVariablesText = 55075;
constexpr int kNoneText = 55076;
// New names try the numbers up to this one.
constexpr int kMaxNameNumber = 1000;

QString text(int id) {
    return ToQt(LoadResString(id));
}

// Marks the span in which the tab changes its own controls.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy), saved_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = saved_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
    bool saved_;
};

bool isCategoryEnd(const std::string& name) {
    return name.empty() || name.starts_with(' ');
}

} // namespace

const std::vector<TvlDictVariablesTab::SystemVariable>& TvlDictVariablesTab::SystemVariables() {
    static const std::vector<SystemVariable> variables{
        {kNoneText, ""},    {55110, "PAGE#"},    {55112, "DATE"},
        {55113, "TIME"},    {55114, "LINE#"},    {55115, "LINETHROUGH#"},
        {55116, "COLUMN#"}, {55117, "CURRENT#"}, {55118, "TOTALPAGES"}};
    return variables;
}

TvlDictVariablesTab::TvlDictVariablesTab(const TvlDataDictionary& dictionary,
                                         TvlVariables& variables, QWidget* parent)
    : QWidget(parent), dictionary_(dictionary), variables_(variables), tree_(new QTreeWidget(this)),
      valueSets_(new QComboBox(this)), valueList_(new QListWidget(this)),
      expressionBox_(new QCheckBox(text(kExpressionText), this)),
      expressionField_(new QLineEdit(this)), builderButton_(new QToolButton(this)) {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(createTreePane());
    splitter->addWidget(createValuePane());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
}

QWidget* TvlDictVariablesTab::createTreePane() {
    auto* pane = new QWidget(this);
    auto* label = new QLabel(text(kVariablesLabel), pane);
    label->setBuddy(tree_);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(addButton("NewCatBtn", kNewCategoryHint, "folder-new",
                                 "dict-new-category.svg", &TvlDictVariablesTab::NewCategory));
    newVariableButton_ = addButton("NewVarBtn", kNewVariableHint, "list-add",
                                   "dict-new-variable.svg", &TvlDictVariablesTab::NewVariable);
    editButton_ = addButton("EditBtn", kEditHint, "edit-rename", "dict-rename.svg",
                            &TvlDictVariablesTab::EditSelected);
    deleteButton_ = addButton("DelBtn", kDeleteHint, "edit-delete", "dict-delete.svg",
                              &TvlDictVariablesTab::DeleteSelected);
    buttons->addWidget(newVariableButton_);
    buttons->addWidget(editButton_);
    buttons->addWidget(deleteButton_);
    buttons->addSpacing(8);
    buttons->addWidget(addButton("EditListBtn", kEditListHint, "document-edit",
                                 "dict-edit-list.svg", &TvlDictVariablesTab::EditList));
    buttons->addStretch();

    tree_->setObjectName(QStringLiteral("VarTree"));
    tree_->setHeaderHidden(true);
    tree_->setEditTriggers(QAbstractItemView::EditKeyPressed);
    tree_->installEventFilter(this);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { nodeChanged(); });
    connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (!busy_) nodeRenamed(item);
    });

    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addLayout(buttons);
    layout->addWidget(tree_, 1);
    return pane;
}

QToolButton* TvlDictVariablesTab::addButton(const char* name, int hintId, const char* theme,
                                            const char* icon,
                                            void (TvlDictVariablesTab::*command)()) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setIcon(DictButtonIcon(theme, icon));
    button->setToolTip(text(hintId));
    button->setAccessibleName(text(hintId));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, [this, command] { (this->*command)(); });
    return button;
}

QWidget* TvlDictVariablesTab::createValuePane() {
    auto* pane = new QWidget(this);
    auto* label = new QLabel(text(kValuesLabel), pane);
    label->setBuddy(valueSets_);
    valueSets_->setObjectName(QStringLiteral("ValueSetsCB"));
    valueSets_->setAccessibleName(tr("Data set of the value"));
    connect(valueSets_, &QComboBox::activated, this, [this] { fillValueList(); });

    valueList_->setObjectName(QStringLiteral("ValueLB"));
    valueList_->setAccessibleName(tr("Value"));
    connect(valueList_, &QListWidget::itemClicked, this, [this] { valueClicked(); });
    connect(valueList_, &QListWidget::currentRowChanged, this, [this] {
        if (!busy_) valueClicked();
    });

    expressionBox_->setObjectName(QStringLiteral("ExprCB"));
    connect(expressionBox_, &QCheckBox::toggled, this,
            [this](bool checked) { expressionToggled(checked); });
    expressionField_->setObjectName(QStringLiteral("ExprE"));
    expressionField_->setAccessibleName(text(kExpressionText).remove(QLatin1Char('&')));
    expressionField_->setEnabled(false);
    expressionField_->installEventFilter(this);
    builderButton_->setObjectName(QStringLiteral("ExprBtn"));
    builderButton_->setText(QStringLiteral("\u2026"));
    builderButton_->setAccessibleName(tr("Expression builder"));
    builderButton_->setEnabled(false);
    builderButton_->setToolTip(tr("The expression builder is not available yet"));
    connect(builderButton_, &QToolButton::clicked, this, [this] { openBuilder(); });

    auto* expressionRow = new QHBoxLayout;
    expressionRow->addWidget(expressionField_, 1);
    expressionRow->addWidget(builderButton_);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(valueSets_);
    layout->addWidget(valueList_, 1);
    layout->addWidget(expressionBox_);
    layout->addLayout(expressionRow);
    return pane;
}

void TvlDictVariablesTab::setExpressionBuilder(TvlExpressionBuilder builder) {
    builder_ = std::move(builder);
    if (builder_) builderButton_->setToolTip(tr("Expression builder"));
    builderButton_->setEnabled(builder_ && expressionField_->isEnabled());
}

void TvlDictVariablesTab::Load() {
    {
        const BusyScope busy(busy_);
        StringList dataSets;
        dictionary_.GetDataSetList(dataSets);
        valueSets_->clear();
        for (const std::string& name : dataSets)
            valueSets_->addItem(ToQt(name));
        valueSets_->addItem(text(kSystemVariablesText));
        valueSets_->setCurrentIndex(0);
        fillValueList();
    }
    rebuildTree();
    tree_->setFocus();
}

// The tree

void TvlDictVariablesTab::rebuildTree() {
    activeVariable_.reset();
    {
        const BusyScope busy(busy_);
        tree_->clear();
        DictNode* category = nullptr;
        for (int i = 0; i < variables_.Count(); ++i) {
            const std::string name = variables_.GetName(i);
            if (name.starts_with(' ')) {
                category = new DictNode(DictNodeKind::Category, name);
                tree_->addTopLevelItem(category);
            } else if (name.empty()) {
                category = nullptr;
            } else if (category) {
                category->addChild(new DictNode(DictNodeKind::Variable, name));
            }
        }
    }
    if (tree_->topLevelItemCount() == 0) {
        showPlaceholder();
        return;
    }
    tree_->setRootIsDecorated(true);
    tree_->expandAll();
    selectNode(tree_->topLevelItem(0));
}

void TvlDictVariablesTab::showPlaceholder() {
    {
        const BusyScope busy(busy_);
        tree_->clear();
        tree_->addTopLevelItem(new DictNode(DictNodeKind::Placeholder, LoadResString(kNoneText)));
        tree_->setRootIsDecorated(false);
    }
    selectNode(tree_->topLevelItem(0));
}

bool TvlDictVariablesTab::placeholderShown() const {
    const DictNode* first = AsDictNode(tree_->topLevelItem(0));
    return first && first->kind() == DictNodeKind::Placeholder;
}

DictNode* TvlDictVariablesTab::selectedNode() const {
    return AsDictNode(tree_->currentItem());
}

void TvlDictVariablesTab::selectNode(QTreeWidgetItem* node) {
    {
        const BusyScope busy(busy_);
        tree_->setCurrentItem(node);
    }
    nodeChanged();
}

void TvlDictVariablesTab::updateButtons() {
    const DictNode* node = selectedNode();
    const bool real = node && node->kind() != DictNodeKind::Placeholder;
    newVariableButton_->setEnabled(real);
    editButton_->setEnabled(real);
    deleteButton_->setEnabled(real);
}

void TvlDictVariablesTab::nodeChanged() {
    if (busy_) return;
    StorePendingExpression();
    showValue(selectedNode());
    updateButtons();
}

std::string TvlDictVariablesTab::freeName(const char* stem, bool category) const {
    for (int n = 1; n <= kMaxNameNumber; ++n) {
        const std::string name = stem + std::to_string(n);
        if (variables_.IndexOf(category ? ' ' + name : name) < 0) return name;
    }
    return {};
}

int TvlDictVariablesTab::categoryEnd(int categoryIndex) const {
    int end = categoryIndex + 1;
    while (end < variables_.Count() && !isCategoryEnd(variables_.GetName(end)))
        ++end;
    return end;
}

void TvlDictVariablesTab::NewCategory() {
    StorePendingExpression();
    const std::string name = freeName("Category", true);
    if (name.empty()) return;
    if (placeholderShown()) {
        const BusyScope busy(busy_);
        tree_->clear();
    }
    tree_->setRootIsDecorated(true);
    variables_.SetVariable(' ' + name, Variant(std::string()));
    auto* node = new DictNode(DictNodeKind::Category, ' ' + name);
    {
        const BusyScope busy(busy_);
        tree_->addTopLevelItem(node);
    }
    selectNode(node);
    tree_->editItem(node, 0);
}

void TvlDictVariablesTab::NewVariable() {
    StorePendingExpression();
    DictNode* node = selectedNode();
    if (!node || node->kind() == DictNodeKind::Placeholder) return;
    DictNode* category = node->kind() == DictNodeKind::Category ? node : AsDictNode(node->parent());
    const std::string name = freeName("Variable", false);
    if (!category || name.empty()) return;
    // At the end of the category, with the empty text wherever that is.
    const int end = categoryEnd(variables_.IndexOf(category->name()));
    if (end < variables_.Count()) variables_.Insert(end, name);
    variables_.SetVariable(name, Variant(std::string()));
    auto* child = new DictNode(DictNodeKind::Variable, name);
    {
        const BusyScope busy(busy_);
        category->addChild(child);
        category->setExpanded(true);
    }
    selectNode(child);
    tree_->editItem(child, 0);
}

void TvlDictVariablesTab::EditSelected() {
    DictNode* node = selectedNode();
    if (node && node->kind() != DictNodeKind::Placeholder) tree_->editItem(node, 0);
}

void TvlDictVariablesTab::DeleteSelected() {
    StorePendingExpression();
    DictNode* node = selectedNode();
    if (!node || node->kind() == DictNodeKind::Placeholder) return;
    const int index = variables_.IndexOf(node->name());
    if (index >= 0) {
        const int end = node->kind() == DictNodeKind::Category ? categoryEnd(index) : index + 1;
        for (int i = index; i < end; ++i)
            variables_.Delete(index);
    }
    {
        const BusyScope busy(busy_);
        delete node;
    }
    if (tree_->topLevelItemCount() == 0) {
        showPlaceholder();
    } else {
        selectNode(tree_->currentItem() ? tree_->currentItem() : tree_->topLevelItem(0));
    }
}

void TvlDictVariablesTab::nodeRenamed(QTreeWidgetItem* item) {
    DictNode* node = AsDictNode(item);
    if (!node || (node->kind() != DictNodeKind::Category && node->kind() != DictNodeKind::Variable))
        return;
    const bool category = node->kind() == DictNodeKind::Category;
    const std::string title(TrimBlanks(FromQt(item->text(0))));
    const std::string oldTitle = category ? node->name().substr(1) : node->name();
    const std::string key = category ? ' ' + title : title;
    const int index = variables_.IndexOf(node->name());
    // A name of another entry is refused; a case variant of its own is not.
    const bool accepted =
        !title.empty() && index >= 0 && (SameText(title, oldTitle) || variables_.IndexOf(key) < 0);
    const BusyScope busy(busy_);
    if (accepted) {
        variables_.SetName(index, key);
        node->setName(key);
    } else {
        node->setName(node->name());
    }
}

void TvlDictVariablesTab::EditList() {
    StorePendingExpression();
    TvlVaredForm editor(variables_, this);
    if (editor.exec() == QDialog::Accepted) rebuildTree();
}

// The value of the selected variable

void TvlDictVariablesTab::showValue(const DictNode* node) {
    const BusyScope busy(busy_);
    const bool variable = node && node->kind() == DictNodeKind::Variable;
    expressionBox_->setEnabled(variable);
    const std::string value = variable ? variables_.GetVariable(node->name()).toString() : "";
    bool listChoice = value.find('.') != std::string::npos && showDataField(value);
    if (!listChoice && !TrimBlanks(value).empty()) {
        listChoice = showSystemVariable(value);
        if (!listChoice) {
            expressionField_->setText(ToQt(value));
            expressionBox_->setChecked(true);
        }
    } else if (!listChoice) {
        selectValue(0);
        expressionBox_->setChecked(false);
        expressionField_->clear();
    }
    if (listChoice) {
        expressionBox_->setChecked(false);
        expressionField_->clear();
    }
    expressionField_->setEnabled(expressionBox_->isChecked());
    builderButton_->setEnabled(builder_ && expressionField_->isEnabled());
}

bool TvlDictVariablesTab::showDataField(const std::string& value) {
    std::string dataSet, field;
    TvlDataDictionary::SplitFieldName(value, dataSet, field);
    if (dataSet.empty()) return false;
    for (int i = 0; i + 1 < valueSets_->count(); ++i) {
        if (!SameText(dictionary_.RealDataSetName(FromQt(valueSets_->itemText(i))), dataSet))
            continue;
        valueSets_->setCurrentIndex(i);
        fillValueList();
        for (int row = 1; row < valueList_->count(); ++row) {
            if (SameText(dictionary_.RealFieldName(FromQt(valueList_->item(row)->text())), field)) {
                selectValue(row);
                return true;
            }
        }
        return false;
    }
    return false;
}

bool TvlDictVariablesTab::showSystemVariable(const std::string& value) {
    const std::string_view trimmed = TrimBlanks(value);
    const auto& variables = SystemVariables();
    for (std::size_t row = 1; row < variables.size(); ++row) {
        if (!SameText(trimmed, variables[row].value)) continue;
        valueSets_->setCurrentIndex(valueSets_->count() - 1);
        fillValueList();
        selectValue(static_cast<int>(row));
        return true;
    }
    return false;
}

bool TvlDictVariablesTab::systemVariablesChosen() const {
    return valueSets_->currentIndex() == valueSets_->count() - 1;
}

void TvlDictVariablesTab::fillValueList() {
    const BusyScope busy(busy_);
    valueList_->clear();
    if (systemVariablesChosen()) {
        for (const SystemVariable& variable : SystemVariables())
            valueList_->addItem(text(variable.textId));
        return;
    }
    valueList_->addItem(text(kNoneText));
    StringList fields;
    dictionary_.GetFieldList(FromQt(valueSets_->currentText()), fields);
    for (const std::string& field : fields)
        valueList_->addItem(ToQt(field));
}

void TvlDictVariablesTab::selectValue(int row) {
    const BusyScope busy(busy_);
    valueList_->setCurrentRow(row);
}

void TvlDictVariablesTab::valueClicked() {
    const DictNode* node = selectedNode();
    if (!node || node->kind() != DictNodeKind::Variable) return;
    {
        const BusyScope busy(busy_);
        expressionBox_->setChecked(false);
    }
    const int row = valueList_->currentRow();
    std::string value;
    if (row > 0 && systemVariablesChosen()) {
        if (static_cast<std::size_t>(row) < SystemVariables().size())
            value = SystemVariables()[static_cast<std::size_t>(row)].value;
    } else if (row > 0) {
        value = dictionary_.RealDataSetName(FromQt(valueSets_->currentText())) + ".\"" +
                dictionary_.RealFieldName(FromQt(valueList_->item(row)->text())) + '"';
    }
    variables_.SetVariable(node->name(), Variant(value));
}

void TvlDictVariablesTab::expressionToggled(bool checked) {
    expressionField_->setEnabled(checked);
    builderButton_->setEnabled(builder_ && checked);
    if (checked) {
        if (busy_) return;
        if (!tree_->hasFocus()) expressionField_->setFocus();
        selectValue(0);
        return;
    }
    activeVariable_.reset();
    expressionField_->clear();
    if (busy_) return;
    selectValue(0);
    valueClicked();
}

void TvlDictVariablesTab::StorePendingExpression() {
    if (!activeVariable_) return;
    const std::string name = *activeVariable_;
    activeVariable_.reset();
    // The variable may have gone since the field was entered.
    if (expressionField_->isEnabled() && variables_.IndexOf(name) >= 0)
        variables_.SetVariable(name, Variant(FromQt(expressionField_->text())));
}

void TvlDictVariablesTab::openBuilder() {
    if (!builder_) return;
    std::string expression = FromQt(expressionField_->text());
    if (!builder_(this, expression)) return;
    expressionField_->setText(ToQt(expression));
    const DictNode* node = selectedNode();
    if (node && node->kind() == DictNodeKind::Variable && expressionField_->isEnabled())
        variables_.SetVariable(node->name(), Variant(expression));
}

bool TvlDictVariablesTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == expressionField_) {
        if (event->type() == QEvent::FocusIn) {
            const DictNode* node = selectedNode();
            if (node && node->kind() == DictNodeKind::Variable) activeVariable_ = node->name();
        } else if (event->type() == QEvent::FocusOut) {
            StorePendingExpression();
        }
        return false;
    }
    // While a node is edited in place its editor takes the keys.
    if (watched != tree_ || event->type() != QEvent::KeyPress ||
        tree_->indexWidget(tree_->currentIndex()))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Insert:
        if ((key->modifiers() & Qt::ControlModifier) || !selectedNode() || placeholderShown()) {
            NewCategory();
        } else {
            NewVariable();
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EditSelected();
        return true;
    case Qt::Key_Delete:
        DeleteSelected();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace vl
