#include "engine/output/preview/TvlPreviewSearchForm.h"

#include "engine/output/preview/PreviewTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vl {

TvlPreviewSearchForm::TvlPreviewSearchForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TvlPreviewSearchForm"));
    setWindowTitle(PlainText(text_id::kFindText));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(ResourceText(text_id::kTextToFind), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    label->setBuddy(Edit1);
    layout->addWidget(label);
    layout->addWidget(Edit1);

    auto* row = new QHBoxLayout;
    auto* options = new QGroupBox(ResourceText(text_id::kOptions), this);
    auto* optionsLayout = new QVBoxLayout(options);
    CB1 = new QCheckBox(ResourceText(text_id::kCaseSensitive), options);
    CB1->setObjectName(QStringLiteral("CB1"));
    optionsLayout->addWidget(CB1);
    optionsLayout->addStretch();
    auto* origin = new QGroupBox(ResourceText(text_id::kOrigin), this);
    auto* originLayout = new QVBoxLayout(origin);
    RB1 = new QRadioButton(ResourceText(text_id::kFirstPage), origin);
    RB1->setObjectName(QStringLiteral("RB1"));
    RB2 = new QRadioButton(ResourceText(text_id::kCurrentPage), origin);
    RB2->setObjectName(QStringLiteral("RB2"));
    RB1->setChecked(true);
    originLayout->addWidget(RB1);
    originLayout->addWidget(RB2);
    row->addWidget(options);
    row->addWidget(origin);
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(ResourceText(text_id::kOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(ResourceText(text_id::kCancel));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(QSize(262, 158).expandedTo(sizeHint()));
}

QString TvlPreviewSearchForm::SearchText() const {
    return Edit1->text();
}

bool TvlPreviewSearchForm::CaseSensitive() const {
    return CB1->isChecked();
}

bool TvlPreviewSearchForm::FromFirstPage() const {
    return RB1->isChecked();
}

void TvlPreviewSearchForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}

} // namespace vl
