#include "designer/commands/TvlInsertFieldsForm.h"

#include "designer/commands/DialogSupport.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlDataDictionary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vl {

namespace {
constexpr int kCaptionText = 55870;
} // namespace

TvlInsertFieldsForm::TvlInsertFieldsForm(const TvlDataDictionary& dictionary, QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), dataSets_(new QComboBox(this)),
      fields_(new QListWidget(this)), horizontal_(new QRadioButton(tr("&Horizontal"), this)),
      vertical_(new QRadioButton(tr("&Vertical"), this)),
      headers_(new QCheckBox(tr("Include &headers"), this)),
      bands_(new QCheckBox(tr("Include &bands"), this)) {
    setObjectName(QStringLiteral("TvlInsertFieldsForm"));
    setWindowTitle(ResText(kCaptionText));
    dataSets_->setObjectName(QStringLiteral("DatasetCB"));
    fields_->setObjectName(QStringLiteral("FieldsLB"));
    fields_->setAccessibleName(tr("Fields"));
    fields_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    horizontal_->setObjectName(QStringLiteral("HorzRB"));
    vertical_->setObjectName(QStringLiteral("VertRB"));
    headers_->setObjectName(QStringLiteral("HeaderCB"));
    bands_->setObjectName(QStringLiteral("BandCB"));
    horizontal_->setChecked(true);

    auto* dataSetLabel = new QLabel(tr("&Datasets"), this);
    dataSetLabel->setBuddy(dataSets_);
    auto* left = new QVBoxLayout;
    left->addWidget(dataSetLabel);
    left->addWidget(dataSets_);
    left->addWidget(fields_, 1);

    auto* placement = new QGroupBox(tr("Placement"), this);
    auto* placementLayout = new QVBoxLayout(placement);
    placementLayout->addWidget(horizontal_);
    placementLayout->addWidget(vertical_);
    auto* right = new QVBoxLayout;
    right->addWidget(placement);
    right->addWidget(headers_);
    right->addWidget(bands_);
    right->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(OkCancelButtons(this));

    StringList names;
    dictionary_.GetDataSetList(names);
    for (const std::string& name : names)
        dataSets_->addItem(ToQt(name));
    connect(dataSets_, &QComboBox::currentIndexChanged, this, [this] { fillFields(); });
    fillFields();
    resize(400, 320);
}

void TvlInsertFieldsForm::fillFields() {
    fields_->clear();
    if (dataSets_->currentIndex() < 0) return;
    StringList names;
    dictionary_.GetFieldList(FromQt(dataSets_->currentText()), names);
    for (const std::string& name : names)
        fields_->addItem(ToQt(name));
}

TvlFieldBlockChoice TvlInsertFieldsForm::choice() const {
    TvlFieldBlockChoice c;
    if (dataSets_->currentIndex() >= 0) c.dataSet = FromQt(dataSets_->currentText());
    for (int i = 0; i < fields_->count(); ++i)
        if (fields_->item(i)->isSelected()) c.fields.push_back(FromQt(fields_->item(i)->text()));
    c.horizontal = horizontal_->isChecked();
    c.headers = headers_->isChecked();
    c.bands = bands_->isChecked();
    return c;
}

} // namespace vl
