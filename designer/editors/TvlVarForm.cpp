#include "designer/editors/TvlVarForm.h"

#include "designer/editors/ChooserMemory.h"
#include "designer/editors/EditorSupport.h"
#include "engine//build/TvlEngine.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlDataDictionary.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

namespace vl {

namespace {

// The display texts of the system variables (55111, "Expression", is not
// one of them).
constexpr int kSystemTextIds[] = {55110, 55112, 55113, 55114, 55115, 55116, 55117, 55118};

QListWidget* iconList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setIconSize(QSize(16, 16));
    list->setUniformItemSizes(true);
    return list;
}

} // namespace

const StringList& TvlVarForm::SystemVariableNames() {
    static const StringList names = {"PAGE#",        "DATE",    "TIME",     "LINE#",
                                     "LINETHROUGH#", "COLUMN#", "CURRENT#", "TOTALPAGES"};
    return names;
}

TvlVarForm::TvlVarForm(const TvlDataDictionary& dictionary, TvlChooserMemory& memory,
                       QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), memory_(memory),
      categories_(iconList(this, "CategoryLB")), variables_(iconList(this, "VarLB")) {
    setObjectName(QStringLiteral("TvlVarForm"));
    setWindowTitle(ResText(53440));
    auto* layout = new QGridLayout(this);
    auto* categoryLabel = new QLabel(QStringLiteral("&Categories"), this);
    categoryLabel->setBuddy(categories_);
    auto* varLabel = new QLabel(QStringLiteral("&Variables"), this);
    varLabel->setBuddy(variables_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(categoryLabel, 0, 0);
    layout->addWidget(varLabel, 0, 1);
    layout->addWidget(categories_, 1, 0);
    layout->addWidget(variables_, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    resize(420, 320);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(categories_, &QListWidget::currentRowChanged, this, &TvlVarForm::listVariables);
    connect(variables_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    StringList names;
    dictionary_.GetCategoryList(names);
    const QIcon icon = EditorIcon(QStringLiteral("folder"), QStringLiteral("category"));
    for (const std::string& name : names)
        categories_->addItem(new QListWidgetItem(icon, ToQt(name)));
    categories_->addItem(new QListWidgetItem(icon, ResText(55075)));
    const QString remembered = ToQt(memory_.category);
    const auto found = categories_->findItems(remembered, Qt::MatchFixedString);
    categories_->setCurrentItem(!found.isEmpty() && !remembered.isEmpty() ? found.front()
                                                                          : categories_->item(0));
}

bool TvlVarForm::systemSelected() const {
    return categories_->currentRow() == categories_->count() - 1;
}

void TvlVarForm::listVariables() {
    variables_->clear();
    const QIcon icon = EditorIcon({}, QStringLiteral("variable"));
    if (systemSelected()) {
        for (int id : kSystemTextIds)
            variables_->addItem(new QListWidgetItem(icon, ResText(id)));
        return;
    }
    const QListWidgetItem* category = categories_->currentItem();
    if (!category) return;
    StringList names;
    dictionary_.GetVariablesList(FromQt(category->text()), names);
    for (const std::string& name : names)
        variables_->addItem(new QListWidgetItem(icon, ToQt(name)));
}

std::string TvlVarForm::result() const {
    const QList<QListWidgetItem*> selected = variables_->selectedItems();
    if (systemSelected()) {
        const int row = selected.isEmpty() ? 0 : variables_->row(selected.front());
        return SystemVariableNames().at(static_cast<std::size_t>(row));
    }
    return selected.isEmpty() ? std::string() : FromQt(selected.front()->text());
}

void TvlVarForm::done(int r) {
    if (const QListWidgetItem* category = categories_->currentItem())
        memory_.category = FromQt(category->text());
    QDialog::done(r);
}

} // namespace vl
