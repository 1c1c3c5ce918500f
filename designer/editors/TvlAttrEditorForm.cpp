#include "designer/editors/TvlAttrEditorForm.h"

#include "designer/editors/EditorHost.h"
#include "designer/editors/EditorSupport.h"
#include "designer/editors/TvlExprForm.h"
#include "engine/model/TvlView.h"
#include "engine/script/CodePage.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace vl {

TvlAttrEditorForm::TvlAttrEditorForm(TvlEditorHost& host, QWidget* parent)
    : TvlObjEditorForm(parent), host_(host), edit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("TvlAttrEditorForm"));
    setWindowTitle(ResText(53740));
    edit_->setObjectName(QStringLiteral("E1"));
    edit_->setMinimumWidth(320);
    auto* label = new QLabel(QStringLiteral("&Tag"), this);
    label->setBuddy(edit_);
    auto* exprButton = new QToolButton(this);
    exprButton->setObjectName(QStringLiteral("ExprBtn"));
    exprButton->setIcon(EditorIcon({}, QStringLiteral("insert-expression")));
    exprButton->setToolTip(ResText(53575));
    exprButton->setAccessibleName(ResText(53575));
    connect(exprButton, &QToolButton::clicked, this, &TvlAttrEditorForm::insertExpression);
    auto* row = new QHBoxLayout;
    row->addWidget(edit_, 1);
    row->addWidget(exprButton);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addStretch(1);
    layout->addWidget(buttons);
}

int TvlAttrEditorForm::ShowEditor(TvlView& view) {
    if (view.Restrictions & rsNoEditContents) return kModalCancel;
    edit_->setText(ToQt(view.Tag));
    edit_->selectAll();
    if (exec() != QDialog::Accepted) return kModalCancel;
    host_.beforeChange();
    view.Tag = FromQt(edit_->text());
    host_.afterChange();
    return kModalOk;
}

void TvlAttrEditorForm::insertExpression() {
    TvlExprForm builder(host_, this);
    if (builder.exec() == QDialog::Accepted) edit_->insert(ToQt(builder.expression()));
    edit_->setFocus();
}

} // namespace vl
