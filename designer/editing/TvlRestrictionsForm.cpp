#include "designer/editing/TvlRestrictionsForm.h"

#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kCaptionText = 55852;
// "Don't edit memo" for bit 1 up to "Don't delete" for bit 64.
constexpr int kFirstLockText = 55853;

} // namespace

TvlRestrictionsForm::TvlRestrictionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TvlRestrictionsForm"));
    setWindowTitle(ToQt(LoadResString(kCaptionText)));
    auto* layout = new QVBoxLayout(this);
    for (int bit = 0; bit < kLocks; ++bit) {
        boxes_[bit] = new QCheckBox(ToQt(LoadResString(kFirstLockText + bit)), this);
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
