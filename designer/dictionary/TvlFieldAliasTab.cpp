#include "designer/dictionary/TvlFieldAliasTab.h"

#include "designer/dictionary/DictNode.h"
#include "engine/script/CodePage.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlVariables.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace vl {

namespace {

constexpr int kAllDataSetsText = 53353;
constexpr int kDataSetsRootText = 53352;
constexpr int kExcludeText = 53356;
constexpr int kAllDataSourcesText = 53358;
constexpr int kDataSourcesRootText = 53357;
constexpr int kNoneText = 55076;

bool startsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

} // namespace

TvlFieldAliasTab::TvlFieldAliasTab(TvlVariables& aliases, FieldLister fields, QWidget* parent)
    : TvlAliasTab(aliases, kAllDataSetsText, kDataSetsRootText, DictNodeKind::DataSet, parent),
      fields_(std::move(fields)), excludeBox_(new QCheckBox(ToQt(LoadResString(kExcludeText)))) {
    excludeBox_->setObjectName(QStringLiteral("ExcludeCB"));
    excludeBox_->setEnabled(false);
    appearanceLayout()->addWidget(excludeBox_);
    connect(excludeBox_, &QCheckBox::toggled, this, [this](bool on) { excludeToggled(on); });
    connect(tree(), &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { ExpandDataSet(item); });
}

std::string TvlFieldAliasTab::FieldKey(const std::string& dataSet, const std::string& field) {
    return dataSet + '.' + field;
}

bool TvlFieldAliasTab::isField(const DictNode* node) {
    return node &&
           (node->kind() == DictNodeKind::Field || node->kind() == DictNodeKind::ExcludedField);
}

std::string TvlFieldAliasTab::keyOf(const DictNode& field) const {
    const DictNode* dataSet = AsDictNode(field.parent());
    return FieldKey(dataSet ? dataSet->name() : std::string(), field.name());
}

DictNode* TvlFieldAliasTab::createComponentNode(const std::string& name, const std::string& alias) {
    auto* node = new DictNode(DictNodeKind::DataSet, name, alias);
    // Fields are listed when the node is first expanded.
    node->addChild(new DictNode(DictNodeKind::Placeholder, LoadResString(kNoneText)));
    return node;
}

void TvlFieldAliasTab::ExpandDataSet(QTreeWidgetItem* item) {
    DictNode* dataSet = AsDictNode(item);
    if (!dataSet || dataSet->kind() != DictNodeKind::DataSet || dataSet->childCount() != 1) return;
    const DictNode* only = AsDictNode(dataSet->child(0));
    if (!only || only->kind() != DictNodeKind::Placeholder) return;
    delete dataSet->takeChild(0);
    StringList names = fields_ ? fields_(dataSet->name()) : StringList{};
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    for (const std::string& field : names) {
        const Variant* alias = aliases().Find(FieldKey(dataSet->name(), field));
        const std::string text = alias ? alias->toString() : std::string();
        const bool excluded = alias && text.empty();
        dataSet->addChild(new DictNode(excluded ? DictNodeKind::ExcludedField : DictNodeKind::Field,
                                       field, text));
    }
}

void TvlFieldAliasTab::forgetComponent(const std::string& name) {
    TvlAliasTab::forgetComponent(name);
    const std::string prefix = name + '.';
    for (int i = aliases().Count() - 1; i >= 0; --i)
        if (startsWithText(aliases().GetName(i), prefix)) aliases().Delete(i);
}

void TvlFieldAliasTab::storeAlias(DictNode& node, const std::string& alias) {
    if (!isField(&node)) {
        TvlAliasTab::storeAlias(node, alias);
        return;
    }
    const std::string key = keyOf(node);
    if (alias.empty()) {
        // No alias: an excluded field stays hidden, any other loses its key.
        const int index = aliases().IndexOf(key);
        if (node.kind() == DictNodeKind::Field && index >= 0) aliases().Delete(index);
    } else {
        // A field with an alias is shown under it, so it is no longer excluded.
        aliases().SetVariable(key, Variant(alias));
        node.setKind(DictNodeKind::Field);
    }
    node.setAlias(alias);
    showNode(&node);
}

void TvlFieldAliasTab::showNode(DictNode* node) {
    const QSignalBlocker blocker(excludeBox_);
    excludeBox_->setEnabled(isField(node));
    excludeBox_->setChecked(node && node->kind() == DictNodeKind::ExcludedField);
}

void TvlFieldAliasTab::toggleNode() {
    if (isField(selectedNode())) excludeBox_->toggle();
}

void TvlFieldAliasTab::excludeToggled(bool excluded) {
    DictNode* node = selectedNode();
    if (busy() || !isField(node)) return;
    StorePendingAlias();
    const std::string key = keyOf(*node);
    if (excluded) {
        // An empty alias hides the field from the designer's lists.
        aliases().SetVariable(key, Variant(std::string()));
        node->setKind(DictNodeKind::ExcludedField);
    } else {
        const int index = aliases().IndexOf(key);
        if (index >= 0) aliases().Delete(index);
        node->setKind(DictNodeKind::Field);
    }
    node->setAlias({});
    aliasField()->clear();
    aliasField()->setModified(false);
}

TvlDataSourceAliasTab::TvlDataSourceAliasTab(TvlVariables& aliases, QWidget* parent)
    : TvlAliasTab(aliases, kAllDataSourcesText, kDataSourcesRootText, DictNodeKind::DataSource,
                  parent) {}

DictNode* TvlDataSourceAliasTab::createComponentNode(const std::string& name,
                                                     const std::string& alias) {
    return new DictNode(DictNodeKind::DataSource, name, alias);
}

} // namespace vl
