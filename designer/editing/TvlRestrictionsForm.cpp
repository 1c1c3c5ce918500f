#include "designer/editing/TvlRestrictionsForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace vl {

TvlRestrictionsForm::TvlRestrictionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TvlRestrictionsForm"));
    setWindowTitle(QStringLiteral("Object's restrictions"));
    static const char* const captions[kLocks] = {
        "Don't edit memo", "Don't edit script", "Don't edit contents", "Don't modify",
        "Don't size",      "Don't move",        "Don't delete"};
    auto* layout = new QVBoxLayout(this);
    for (int bit = 0; bit < kLocks; ++bit) {
        boxes_[bit] = new QCheckBox(QString::fromLatin1(captions[bit]), this);
        boxes_[bit]->setObjectName(QStringLiteral("CB%1").arg(bit + 1));
        layout->addWidget(boxes_[bit]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TvlRestrictionsForm::setRestrictions(std::uint16_t restrictions) {
    for (int bit = 0; bit < kLocks; ++bit)
        boxes_[bit]->setChecked((restrictions >> bit) & 1);
}

std::uint16_t TvlRestrictionsForm::restrictions() const {
    std::uint16_t result = 0;
    for (int bit = 0; bit < kLocks; ++bit)
        if (boxes_[bit]->isChecked()) result |= static_cast<std::uint16_t>(1u << bit);
    return result;
}

} // namespace vl
