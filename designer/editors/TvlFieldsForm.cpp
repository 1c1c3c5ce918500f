#include "designer/editors/TvlFieldsForm.h"

#include "designer/editors/ChooserMemory.h"
#include "designer/editors/EditorSupport.h"
#include "designer/editors/ExpressionText.h"
#include "engine//build/TvlEngine.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlDataDictionary.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

namespace vl {

namespace {

QListWidget* iconList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setIconSize(QSize(16, 16));
    list->setUniformItemSizes(true);
    return list;
}

} // namespace

TvlFieldsForm::TvlFieldsForm(const TvlDataDictionary& dictionary, TvlChooserMemory& memory,
                             QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), memory_(memory),
      dataSets_(iconList(this, "DatasetsLB")), fields_(iconList(this, "FieldsLB")) {
    setObjectName(QStringLiteral("TvlFieldsForm"));
    setWindowTitle(ResText(53450));
    auto* layout = new QGridLayout(this);
    auto* setsLabel = new QLabel(QStringLiteral("Data &sets"), this);
    setsLabel->setBuddy(dataSets_);
    auto* fieldsLabel = new QLabel(QStringLiteral("&Fields"), this);
    fieldsLabel->setBuddy(fields_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(setsLabel, 0, 0);
    layout->addWidget(fieldsLabel, 0, 1);
    layout->addWidget(dataSets_, 1, 0);
    layout->addWidget(fields_, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    resize(420, 320);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(dataSets_, &QListWidget::currentRowChanged, this, &TvlFieldsForm::listFields);
    connect(fields_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    StringList sets;
    dictionary_.GetDataSetList(sets);
    const QIcon icon = EditorIcon({}, QStringLiteral("data-source"));
    for (const std::string& name : sets)
        dataSets_->addItem(new QListWidgetItem(icon, ToQt(name)));
    const QString remembered = ToQt(memory_.dataSet);
    const auto found = dataSets_->findItems(remembered, Qt::MatchFixedString);
    if (!found.isEmpty() && !remembered.isEmpty())
        dataSets_->setCurrentItem(found.front());
    else if (dataSets_->count() > 0)
        dataSets_->setCurrentRow(0);
}

void TvlFieldsForm::listFields() {
    fields_->clear();
    const QListWidgetItem* set = dataSets_->currentItem();
    if (!set) return;
    StringList names;
    dictionary_.GetFieldList(FromQt(set->text()), names);
    const QIcon icon = EditorIcon({}, QStringLiteral("field"));
    for (const std::string& name : names)
        fields_->addItem(new QListWidgetItem(icon, ToQt(name)));
}

std::string TvlFieldsForm::result() const {
    const QListWidgetItem* set = dataSets_->currentItem();
    const QList<QListWidgetItem*> field = fields_->selectedItems();
    if (!set || field.isEmpty()) return {};
    return FieldReference(FromQt(set->text()), FromQt(field.front()->text()));
}

void TvlFieldsForm::done(int r) {
    if (const QListWidgetItem* set = dataSets_->currentItem())
        memory_.dataSet = FromQt(set->text());
    QDialog::done(r);
}

} // namespace vl
