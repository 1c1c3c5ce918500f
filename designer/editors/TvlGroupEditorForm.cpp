#include "designer/editors/TvlGroupEditorForm.h"

#include "designer/editors/EditorHost.h"
#include "designer/editors/EditorSupport.h"
#include "designer/editors/TextInsertions.h"
#include "engine/model/TvlView.h"
#include "engine/script/CodePage.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace vl {

TvlGroupEditorForm::TvlGroupEditorForm(TvlEditorHost& host, QWidget* parent)
    : QDialog(parent), host_(host), condition_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("TvlGroupEditorForm"));
    setWindowTitle(ResText(53490));
    auto* group = new QGroupBox(ResText(53491), this);
    condition_->setObjectName(QStringLiteral("Edit1"));
    condition_->setAccessibleName(QString(ResText(53491)).remove(QLatin1Char('&')));
    condition_->setMinimumWidth(300);
    auto* fieldButton = new QToolButton(group);
    fieldButton->setObjectName(QStringLiteral("FieldBtn"));
    fieldButton->setIcon(EditorIcon({}, QStringLiteral("insert-field")));
    fieldButton->setToolTip(ResText(53492));
    fieldButton->setAccessibleName(ResText(53492));
    connect(fieldButton, &QToolButton::clicked, this, &TvlGroupEditorForm::insertDataField);
    auto* row = new QHBoxLayout(group);
    row->addWidget(condition_, 1);
    row->addWidget(fieldButton);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);
    layout->addWidget(buttons);
}

int TvlGroupEditorForm::ShowEditor(TvlView& view) {
    condition_->setText(ToQt(view.FormatStr));
    condition_->selectAll();
    if (exec() != QDialog::Accepted) return kModalCancel;
    host_.beforeChange();
    view.FormatStr = FromQt(condition_->text());
    return kModalOk;
}

void TvlGroupEditorForm::insertDataField() {
    const std::string field = InsertDataField(host_, this);
    if (!field.empty()) condition_->setText(ToQt(field));
    condition_->setFocus();
}

} // namespace vl
