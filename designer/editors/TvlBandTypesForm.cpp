#include "designer/editors/TvlBandTypesForm.h"

#include "designer/editors/EditorSupport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/ViewServices.h"
#include "engine/script/BandType.h"
#include "engine/script/CodePage.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kTypeCount = 22;
// The first column holds types 0..10, the second 11..21.
constexpr int kFirstColumnTypes = 11;

// Types a page may hold any number of.
bool RepeatableType(int type) {
    return (type >= btMasterHeader && type <= btSubDetailFooter) || type == btGroupHeader ||
           type == btGroupFooter || type == btChild;
}

// Types a sub-report's page never holds: its bands print inside the
// sub-report object, not on pages of their own.
bool PageLevelType(int type) {
    return type <= btPageFooter || (type >= btColumnHeader && type <= btGroupFooter);
}

} // namespace

TvlBandTypesForm::TvlBandTypesForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TvlBandTypesForm"));
    setWindowTitle(ResText(53510));
    auto* group = new QGroupBox(ResText(53511), this);
    auto* grid = new QGridLayout(group);
    auto* exclusive = new QButtonGroup(this);
    for (int type = 0; type < kTypeCount; ++type) {
        auto* button = new QRadioButton(ToQt(TvlBandView::BandTitle(type)), group);
        button->setObjectName(QStringLiteral("Band%1").arg(type));
        exclusive->addButton(button, type);
        grid->addWidget(button, type % kFirstColumnTypes, type / kFirstColumnTypes);
        buttons_.push_back(button);
    }
    connect(exclusive, &QButtonGroup::idToggled, this, [this](int type, bool checked) {
        if (checked) ChosenType = type;
    });
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::vector<bool> TvlBandTypesForm::EnabledTypes(const TvlViewPage* page, bool forSubReportPage) {
    std::vector<bool> present(kTypeCount, false);
    for (int i = 0; page && i < page->viewCount(); ++i) {
        const auto* band = dynamic_cast<const TvlBandView*>(page->viewAt(i));
        if (band && band->bandType() >= 0 && band->bandType() < kTypeCount)
            present[static_cast<std::size_t>(band->bandType())] = true;
    }
    std::vector<bool> enabled(kTypeCount, false);
    for (int type = 0; type < kTypeCount; ++type) {
        bool on = RepeatableType(type) || !present[static_cast<std::size_t>(type)];
        if (forSubReportPage && PageLevelType(type)) on = false;
        enabled[static_cast<std::size_t>(type)] = on;
    }
    return enabled;
}

int TvlBandTypesForm::ShowForPage(const TvlViewPage* page) {
    const std::vector<bool> enabled = EnabledTypes(page, ForSubReportPage);
    ChosenType = -1;
    for (int type = 0; type < kTypeCount; ++type) {
        QRadioButton* button = buttons_[static_cast<std::size_t>(type)];
        button->setEnabled(enabled[static_cast<std::size_t>(type)]);
        if (ChosenType < 0 && button->isEnabled()) {
            ChosenType = type;
            button->setChecked(true);
            button->setFocus();
        }
    }
    return exec() == QDialog::Accepted ? kModalOk : kModalCancel;
}

} // namespace vl
