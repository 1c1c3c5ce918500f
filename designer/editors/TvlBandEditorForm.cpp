#include "designer/editors/TvlBandEditorForm.h"

#include "designer/editors/EditorHost.h"
#include "designer/editors/EditorSupport.h"
#include "engine/model/TvlView.h"
#include "engine/script/CodePage.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace vl {

TvlBandEditorForm::TvlBandEditorForm(TvlEditorHost& host, QWidget* parent)
    : TvlObjEditorForm(parent), host_(host), list_(new QListWidget(this)),
      countLabel_(new QLabel(ResText(53482), this)), count_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("TvlBandEditorForm"));
    setWindowTitle(ResText(53480));
    list_->setObjectName(QStringLiteral("DataSourceLB"));
    list_->setAccessibleName(ResText(53487));
    list_->setIconSize(QSize(16, 16));
    countLabel_->setObjectName(QStringLiteral("CountLabel"));
    countLabel_->setBuddy(count_);
    count_->setObjectName(QStringLiteral("CountEdit"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(list_, 0, 0, 1, 2);
    layout->addWidget(countLabel_, 1, 0);
    layout->addWidget(count_, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    resize(300, 320);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(list_, &QListWidget::currentRowChanged, this, &TvlBandEditorForm::updateCountEnabled);
}

TvlBandEditorForm::~TvlBandEditorForm() = default;

int TvlBandEditorForm::ShowEditor(TvlView& view) {
    entries_ = std::make_unique<TvlDataSourceEntries>(host_.dictionary());
    list_->clear();
    const QIcon icon = EditorIcon({}, QStringLiteral("data-source"));
    for (int i = 0; i < entries_->count(); ++i) {
        const QString text = ToQt(entries_->texts()[static_cast<std::size_t>(i)]);
        const bool none = i == TvlDataSourceEntries::kNone;
        list_->addItem(new QListWidgetItem(none ? BlankListIcon() : icon, text));
    }
    count_->setText(QStringLiteral("1"));
    showStored(view.FormatStr);
    if (exec() != QDialog::Accepted) return kModalCancel;
    host_.beforeChange();
    view.FormatStr = entries_->storedText(list_->currentRow(), FromQt(count_->text()));
    return kModalOk;
}

void TvlBandEditorForm::showStored(const std::string& stored) {
    const int entry = entries_->entryOf(stored);
    if (entry == TvlDataSourceEntries::kVirtual) count_->setText(ToQt(stored));
    list_->setCurrentRow(entry);
    updateCountEnabled();
}

void TvlBandEditorForm::updateCountEnabled() {
    const bool virtualSource = list_->currentRow() == TvlDataSourceEntries::kVirtual;
    countLabel_->setEnabled(virtualSource);
    count_->setEnabled(virtualSource);
}

} // namespace vl
