#include "designer/editors/TvlFuncForm.h"

#include "designer/editors/EditorSupport.h"
#include "designer/editors/ExpressionText.h"
#include "engine/build/TvlEngine.h"
#include "engine/script/CodePage.h"
#include "engine/script/FunctionDescriptions.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vl {

TvlFuncForm::TvlFuncForm(const TvlInstalledFunctions& functions, QWidget* parent)
    : QDialog(parent), installed_(functions), tree_(new QTreeWidget(this)),
      functions_(new QListWidget(this)), syntax_(new QLabel(this)), description_(new QLabel(this)) {
    setObjectName(QStringLiteral("TvlFuncForm"));
    setWindowTitle(ResText(53720));
    tree_->setObjectName(QStringLiteral("Tree1"));
    tree_->setHeaderHidden(true);
    tree_->setAccessibleName(QStringLiteral("Categories"));
    functions_->setObjectName(QStringLiteral("FuncLB"));
    functions_->setAccessibleName(QStringLiteral("Functions"));
    functions_->setIconSize(QSize(16, 16));
    tree_->setIconSize(QSize(16, 16));
    syntax_->setObjectName(QStringLiteral("FuncLabel"));
    QFont bold = syntax_->font();
    bold.setBold(true);
    syntax_->setFont(bold);
    syntax_->setTextFormat(Qt::PlainText);
    syntax_->setWordWrap(true);
    description_->setObjectName(QStringLiteral("DescrLabel"));
    description_->setTextFormat(Qt::PlainText);
    description_->setWordWrap(true);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setMinimumHeight(description_->fontMetrics().height() * 4);

    auto* help = new QFrame(this);
    help->setFrameShape(QFrame::StyledPanel);
    auto* helpLayout = new QVBoxLayout(help);
    helpLayout->addWidget(syntax_);
    helpLayout->addWidget(description_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(tree_, 0, 0);
    layout->addWidget(functions_, 0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 3);
    layout->addWidget(help, 1, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    resize(520, 420);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(functions_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &TvlFuncForm::listFunctions);
    connect(functions_, &QListWidget::currentRowChanged, this, &TvlFuncForm::describeFunction);

    const QIcon folder = EditorIcon(QStringLiteral("folder"), QStringLiteral("category"));
    auto* root = new QTreeWidgetItem(tree_, QStringList(ResText(55348)));
    root->setIcon(0, folder);
    StringList categories;
    installed_.GetCategories(categories);
    for (const std::string& category : categories)
        (new QTreeWidgetItem(root, QStringList(ToQt(category))))->setIcon(0, folder);
    tree_->expandAll();
    tree_->setCurrentItem(root);
}

void TvlFuncForm::listFunctions() {
    functions_->clear();
    const QTreeWidgetItem* node = tree_->currentItem();
    if (!node) return;
    StringList names;
    installed_.GetFunctionsOfCategory(FromQt(node->text(0)), names);
    const QIcon icon = EditorIcon({}, QStringLiteral("function"));
    for (const std::string& name : names)
        functions_->addItem(new QListWidgetItem(icon, ToQt(name)));
    if (functions_->count() > 0) functions_->setCurrentRow(0);
}

void TvlFuncForm::describeFunction() {
    const QListWidgetItem* item = functions_->currentItem();
    const TvlFunctionHelp help =
        item ? SplitFunctionDescription(installed_.GetDescription(FromQt(item->text())))
             : TvlFunctionHelp{};
    syntaxText_ = help.syntax;
    descriptionText_ = help.description;
    syntax_->setText(ToQt(syntaxText_));
    description_->setText(ToQt(descriptionText_));
}

std::string TvlFuncForm::functionName() const {
    const QListWidgetItem* item = functions_->currentItem();
    return item ? FromQt(item->text()) : std::string();
}

std::string TvlFuncForm::syntaxText() const {
    return syntaxText_;
}

std::string TvlFuncForm::descriptionText() const {
    return descriptionText_;
}

} // namespace vl
