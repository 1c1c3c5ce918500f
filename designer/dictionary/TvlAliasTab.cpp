#include "designer/dictionary/TvlAliasTab.h"

#include "designer/dictionary/DictNode.h"
#include "engine/script/CodePage.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlVariables.h"

#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kAppearanceText = 53354;
constexpr int kAliasText = 53355;

QString text(int id) {
    return ToQt(LoadResString(id));
}

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

} // namespace

TvlAliasTab::TvlAliasTab(TvlVariables& aliases, int listLabel, int rootText,
                         DictNodeKind componentKind, QWidget* parent)
    : QWidget(parent), aliases_(aliases), rootText_(LoadResString(rootText)),
      componentKind_(componentKind), list_(new QListWidget(this)), tree_(new QTreeWidget(this)),
      appearance_(new QGroupBox(text(kAppearanceText), this)),
      appearanceLayout_(new QVBoxLayout(appearance_)), aliasField_(new QLineEdit(appearance_)) {
    auto* listTitle = new QLabel(text(listLabel), this);
    listTitle->setBuddy(list_);
    list_->setObjectName(QStringLiteral("ComponentsLB"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The pictures of the list as small as the tree's.
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
    list_->setIconSize(QSize(iconSize, iconSize));
    list_->setDragDropMode(QAbstractItemView::DragOnly);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { MoveToTree(); });

    tree_->setObjectName(QStringLiteral("ChosenTree"));
    tree_->setAccessibleName(ToQt(rootText_));
    tree_->setHeaderHidden(true);
    tree_->setDragDropMode(QAbstractItemView::DragOnly);
    tree_->installEventFilter(this);
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem*, QTreeWidgetItem* previous) { nodeChanged(previous); });
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(list_), static_cast<QAbstractItemView*>(tree_)}) {
        view->setAcceptDrops(true);
        view->viewport()->setAcceptDrops(true);
        view->viewport()->installEventFilter(this);
    }

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(addMoveButton(QStringLiteral(">"), QStringLiteral("AddBtn"),
                                     tr("Choose the selected entries"), &TvlAliasTab::MoveToTree));
    buttons->addWidget(addMoveButton(QStringLiteral("<"), QStringLiteral("RemoveBtn"),
                                     tr("Give the selected node back"), &TvlAliasTab::MoveToList));
    buttons->addSpacing(8);
    buttons->addWidget(addMoveButton(QStringLiteral(">>"), QStringLiteral("AddAllBtn"),
                                     tr("Choose all entries"), &TvlAliasTab::MoveAllToTree));
    buttons->addWidget(addMoveButton(QStringLiteral("<<"), QStringLiteral("RemoveAllBtn"),
                                     tr("Give every node back"), &TvlAliasTab::MoveAllToList));
    buttons->addStretch();

    appearance_->setObjectName(QStringLiteral("AppearanceGB"));
    auto* aliasLabel = new QLabel(text(kAliasText), appearance_);
    aliasLabel->setBuddy(aliasField_);
    aliasField_->setObjectName(QStringLiteral("AliasE"));
    aliasField_->installEventFilter(this);
    auto* aliasRow = new QHBoxLayout;
    aliasRow->addWidget(aliasLabel);
    aliasRow->addWidget(aliasField_, 1);
    appearanceLayout_->addLayout(aliasRow);

    auto* layout = new QGridLayout(this);
    layout->addWidget(listTitle, 0, 0);
    layout->addWidget(list_, 1, 0, 2, 1);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(tree_, 0, 2, 2, 1);
    layout->addWidget(appearance_, 2, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(1, 1);
}

QPushButton* TvlAliasTab::addMoveButton(const QString& caption, const QString& name,
                                        const QString& hint, void (TvlAliasTab::*command)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setAutoDefault(false);
    button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral(">>")) + 28);
    connect(button, &QPushButton::clicked, this, [this, command] { (this->*command)(); });
    return button;
}

void TvlAliasTab::Load(const StringList& components) {
    {
        const BusyScope busy(busy_);
        list_->clear();
        tree_->clear();
        root_ = new DictNode(DictNodeKind::Root, rootText_);
        tree_->addTopLevelItem(root_);
        for (const std::string& name : components) {
            const Variant* alias = aliases_.Count() > 0 ? aliases_.Find(name) : nullptr;
            if (alias) {
                addNode(name, alias->toString());
            } else {
                insertListEntry(ToQt(name));
            }
        }
        root_->setExpanded(true);
        tree_->setCurrentItem(root_);
    }
    nodeChanged(nullptr);
}

void TvlAliasTab::addNode(const std::string& name, const std::string& alias) {
    root_->addChild(createComponentNode(name, alias));
}

void TvlAliasTab::insertListEntry(const QString& name) {
    const std::string engineName = FromQt(name);
    int row = 0;
    while (row < list_->count() && CompareText(FromQt(list_->item(row)->text()), engineName) < 0)
        ++row;
    list_->insertItem(row, new QListWidgetItem(DictNodeIcon(componentKind_), name));
}

DictNode* TvlAliasTab::selectedNode() const {
    return AsDictNode(tree_->currentItem());
}

DictNode* TvlAliasTab::componentNode(std::string_view name) const {
    if (!root_) return nullptr;
    for (int i = 0; i < root_->childCount(); ++i) {
        DictNode* node = AsDictNode(root_->child(i));
        if (node && SameText(node->name(), name)) return node;
    }
    return nullptr;
}

void TvlAliasTab::nodeChanged(QTreeWidgetItem* previous) {
    if (busy_) return;
    // What was typed belongs to the node that was chosen before.
    storeAliasOf(previous);
    DictNode* node = selectedNode();
    const bool named = node && node != root_ && node->kind() != DictNodeKind::Placeholder;
    {
        const BusyScope busy(busy_);
        aliasField_->setText(named ? ToQt(node->alias()) : QString());
        aliasField_->setModified(false);
        aliasField_->setEnabled(named);
        showNode(node);
    }
}

void TvlAliasTab::showNode(DictNode*) {}

void TvlAliasTab::StorePendingAlias() {
    storeAliasOf(tree_->currentItem());
}

void TvlAliasTab::storeAliasOf(QTreeWidgetItem* item) {
    if (!aliasField_->isModified()) return;
    aliasField_->setModified(false);
    DictNode* node = AsDictNode(item);
    if (!node || node == root_ || node->kind() == DictNodeKind::Placeholder) return;
    storeAlias(*node, FromQt(aliasField_->text()));
}

void TvlAliasTab::storeAlias(DictNode& node, const std::string& alias) {
    aliases_.SetVariable(node.name(), Variant(alias));
    node.setAlias(alias);
}

void TvlAliasTab::forgetComponent(const std::string& name) {
    const int index = aliases_.IndexOf(name);
    if (index >= 0) aliases_.Delete(index);
}

void TvlAliasTab::MoveToTree() {
    StorePendingAlias();
    QList<QListWidgetItem*> chosen = list_->selectedItems();
    if (chosen.isEmpty() || !root_) return;
    int firstRow = list_->count();
    for (QListWidgetItem* item : chosen)
        firstRow = std::min(firstRow, list_->row(item));
    {
        const BusyScope busy(busy_);
        for (int row = 0; row < list_->count();) {
            QListWidgetItem* item = list_->item(row);
            if (!item->isSelected()) {
                ++row;
                continue;
            }
            const std::string name = FromQt(item->text());
            aliases_.SetVariable(name, Variant(std::string()));
            addNode(name, {});
            delete item;
        }
        root_->setExpanded(true);
        tree_->setCurrentItem(root_);
        // The selection stays where the entries were, or just before.
        if (list_->count() > 0) list_->setCurrentRow(std::min(firstRow, list_->count() - 1));
    }
    nodeChanged(nullptr);
}

void TvlAliasTab::MoveToList() {
    StorePendingAlias();
    DictNode* node = selectedNode();
    if (!node || node->parent() != root_) return;
    const std::string name = node->name();
    forgetComponent(name);
    {
        const BusyScope busy(busy_);
        delete node;
        insertListEntry(ToQt(name));
        tree_->setCurrentItem(root_);
    }
    nodeChanged(nullptr);
}

void TvlAliasTab::MoveAllToTree() {
    list_->selectAll();
    MoveToTree();
}

void TvlAliasTab::MoveAllToList() {
    StorePendingAlias();
    if (!root_) return;
    {
        const BusyScope busy(busy_);
        while (root_->childCount() > 0) {
            std::unique_ptr<QTreeWidgetItem> child(root_->takeChild(0));
            if (const DictNode* node = AsDictNode(child.get())) insertListEntry(ToQt(node->name()));
        }
        aliases_.Clear();
        tree_->setCurrentItem(root_);
    }
    nodeChanged(nullptr);
}

bool TvlAliasTab::acceptsDrop(QObject* target, QEvent* event) const {
    const auto* drop = static_cast<QDropEvent*>(event);
    return (target == tree_->viewport() && drop->source() == list_) ||
           (target == list_->viewport() && drop->source() == tree_);
}

bool TvlAliasTab::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((watched == tree_->viewport() || watched == list_->viewport()) &&
        (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!acceptsDrop(watched, event)) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (type == QEvent::Drop) {
            if (watched == tree_->viewport()) {
                MoveToTree();
            } else {
                MoveToList();
            }
        }
        return true;
    }
    if (watched == aliasField_) {
        if (type == QEvent::FocusOut) StorePendingAlias();
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                StorePendingAlias();
                tree_->setFocus();
                return true;
            }
        }
        return false;
    }
    if (watched == tree_ && type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && aliasField_->isEnabled()) {
            aliasField_->setFocus();
            aliasField_->selectAll();
            return true;
        }
        if (key == Qt::Key_Space) {
            toggleNode();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vl
