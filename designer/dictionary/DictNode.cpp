#include "designer/dictionary/DictNode.h"

#include "engine/script/CodePage.h"

namespace vl {

namespace {

const char* iconFile(DictNodeKind kind) {
    switch (kind) {
    case DictNodeKind::Placeholder:
        return "dict-none.svg";
    case DictNodeKind::Root:
        return "dict-root.svg";
    case DictNodeKind::Category:
        return "dict-category.svg";
    case DictNodeKind::Variable:
        return "dict-variable.svg";
    case DictNodeKind::DataSet:
        return "dict-dataset.svg";
    case DictNodeKind::Field:
        return "dict-field.svg";
    case DictNodeKind::ExcludedField:
        return "dict-field-excluded.svg";
    case DictNodeKind::DataSource:
        return "dict-datasource.svg";
    }
    return "dict-none.svg";
}

QIcon resourceIcon(const char* file) {
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(file));
}

} // namespace

QIcon DictNodeIcon(DictNodeKind kind) {
    return resourceIcon(iconFile(kind));
}

QIcon DictButtonIcon(const char* themeName, const char* fallback) {
    return QIcon::fromTheme(QLatin1String(themeName), resourceIcon(fallback));
}

DictNode::DictNode(DictNodeKind kind, std::string name, std::string alias)
    : kind_(kind), name_(std::move(name)), alias_(std::move(alias)) {
    if (kind == DictNodeKind::Category || kind == DictNodeKind::Variable)
        setFlags(flags() | Qt::ItemIsEditable);
    // Only chosen data sets and data sources can be dragged back to their list.
    if (kind != DictNodeKind::DataSet && kind != DictNodeKind::DataSource)
        setFlags(flags() & ~Qt::ItemIsDragEnabled);
    refresh();
}

void DictNode::setKind(DictNodeKind kind) {
    kind_ = kind;
    refresh();
}

void DictNode::setName(std::string name) {
    name_ = std::move(name);
    refresh();
}

void DictNode::setAlias(std::string alias) {
    alias_ = std::move(alias);
    refresh();
}

void DictNode::refresh() {
    // A category's name in the list is its title after a leading blank.
    const bool category = kind_ == DictNodeKind::Category && name_.starts_with(' ');
    QString text = ToQt(category ? std::string_view(name_).substr(1) : std::string_view(name_));
    if (!alias_.empty()) text += QStringLiteral(" {") + ToQt(alias_) + QLatin1Char('}');
    setText(0, text);
    setIcon(0, DictNodeIcon(kind_));
}

DictNode* AsDictNode(QTreeWidgetItem* item) {
    return dynamic_cast<DictNode*>(item);
}

} // namespace vl
