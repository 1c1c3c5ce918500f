#include "designer/editors/TSynMemoSearch.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vl {

TSynMemoSearch::TSynMemoSearch(QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("TSynMemoSearch"));
    setWindowTitle(QStringLiteral("Search"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Text to find"), this);
    label->setBuddy(edit_);
    edit_->setObjectName(QStringLiteral("Edit1"));
    edit_->setMinimumWidth(260);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* search =
        buttons->addButton(QStringLiteral("&Search"), QDialogButtonBox::AcceptRole);
    search->setObjectName(QStringLiteral("SearchBtn"));
    search->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
}

QString TSynMemoSearch::searchText() const {
    return edit_->text();
}

void TSynMemoSearch::setSearchText(const QString& text) {
    edit_->setText(text);
    edit_->selectAll();
}

} // namespace vl
