#include "designer/dictionary/TvlDictForm.h"

#include "designer/dictionary/TvlFieldAliasTab.h"
#include "engine/build/TvlDataset.h"
#include "engine/script/CodePage.h"
#include "engine/script/DataFieldRef.h"
#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlDataDictionary.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlTable.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace vl {

namespace {

constexpr int kCaptionText = 53340;
constexpr int kVariablesTab = 53341;
constexpr int kFieldAliasesTab = 53342;
constexpr int kDataSourcesTab = 53343;
constexpr int kOkText = 55000;
constexpr int kCancelText = 55001;

QString text(int id) {
    return ToQt(LoadResString(id));
}

void sortText(StringList& list) {
    std::sort(list.begin(), list.end(),
              [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
}

} // namespace

TvlDictForm::TvlDictForm(TvlDataDictionary& dictionary, const TvlDictionaryContext& context,
                         QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), context_(context), tabs_(new QTabWidget(this)),
      variablesTab_(new TvlDictVariablesTab(dictionary, variables_)),
      fieldAliasTab_(new TvlFieldAliasTab(
          fieldAliases_, [this](const std::string& dataSet) { return fieldsOf(dataSet); })),
      dataSourceTab_(new TvlDataSourceAliasTab(dataSourceAliases_)) {
    setObjectName(QStringLiteral("TvlDictForm"));
    setWindowTitle(text(kCaptionText));
    tabs_->setObjectName(QStringLiteral("Pages"));
    tabs_->addTab(variablesTab_, text(kVariablesTab));
    tabs_->addTab(fieldAliasTab_, text(kFieldAliasesTab));
    tabs_->addTab(dataSourceTab_, text(kDataSourcesTab));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(text(kOkText));
    buttons->button(QDialogButtonBox::Cancel)->setText(text(kCancelText));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons);
    resize(620, 460);
}

TvlDictForm::~TvlDictForm() {
    // The tabs work on the working lists: they go first, before an open
    // in-place editor can hand its text to a list that is gone.
    delete tabs_;
}

void TvlDictForm::setExpressionBuilder(TvlExpressionBuilder builder) {
    variablesTab_->setExpressionBuilder(std::move(builder));
}

void TvlDictForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) loadWorkingState();
}

void TvlDictForm::loadWorkingState() {
    variables_.Assign(dictionary_.Variables);
    fieldAliases_.Assign(dictionary_.FieldAliases);
    dataSourceAliases_.Assign(dictionary_.DataSourceAliases);
    variablesTab_->Load();
    fieldAliasTab_->Load(dataSets());
    dataSourceTab_->Load(dataSources());
}

void TvlDictForm::accept() {
    variablesTab_->StorePendingExpression();
    fieldAliasTab_->StorePendingAlias();
    dataSourceTab_->StorePendingAlias();
    dictionary_.Variables.Assign(variables_);
    dictionary_.FieldAliases.Assign(fieldAliases_);
    dictionary_.DataSourceAliases.Assign(dataSourceAliases_);
    QDialog::accept();
}

StringList TvlDictForm::dataSets() const {
    StringList all;
    GetComponentList(
        context_.dictionaryComponents(), context_.dictionaryOwner(),
        [](const TvlComponent& c) { return dynamic_cast<const TvlTable*>(&c) != nullptr; }, all);
    StringList result;
    for (const std::string& name : all) {
        if (!dictionary_.IsDataSetEnabled(name)) continue;
        try {
            if (FindComponentByPath(context_.dictionaryComponents(), context_.dictionaryOwner(),
                                    name))
                result.push_back(name);
        } catch (const VlError&) {
        }
    }
    sortText(result);
    return result;
}

StringList TvlDictForm::dataSources() const {
    StringList all;
    GetComponentList(
        context_.dictionaryComponents(), context_.dictionaryOwner(),
        [](const TvlComponent& c) { return dynamic_cast<const TvlDataset*>(&c) != nullptr; }, all);
    sortText(all);
    return all;
}

StringList TvlDictForm::fieldsOf(const std::string& dataSet) const {
    try {
        const auto* table = dynamic_cast<const TvlTable*>(FindComponentByPath(
            context_.dictionaryComponents(), context_.dictionaryOwner(), dataSet));
        if (table) return table->GetFieldNames();
    } catch (const VlError&) {
    }
    return {};
}

} // namespace vl
