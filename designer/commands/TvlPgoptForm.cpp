#include "designer/commands/TvlPgoptForm.h"

#include "designer/commands/DialogSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vl {

namespace {
constexpr int kCaptionText = 53101;

QLineEdit* NumberEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaximumWidth(90);
    return edit;
}
} // namespace

TvlPgoptForm::TvlPgoptForm(const TvlPageOptionValues& values, const QStringList& paperNames,
                           const QStringList& binNames, QWidget* parent)
    : QDialog(parent), initial_(values), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("TvlPgoptForm"));
    setWindowTitle(ResText(kCaptionText));
    tabs_->setObjectName(QStringLiteral("TabControl1"));
    tabs_->addTab(paperPage(paperNames), tr("Paper"));
    tabs_->addTab(sourcePage(binNames), tr("Source"));
    tabs_->addTab(marginsPage(), tr("Margins"));
    tabs_->addTab(otherPage(), tr("Other"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(OkCancelButtons(this));
    load(values);
}

QWidget* TvlPgoptForm::paperPage(const QStringList& paperNames) {
    auto* page = new QWidget;
    auto* orientation = new QGroupBox(tr("Orientation"), page);
    portrait_ = new QRadioButton(tr("&Portrait"), orientation);
    landscape_ = new QRadioButton(tr("&Landscape"), orientation);
    portrait_->setObjectName(QStringLiteral("RB1"));
    landscape_->setObjectName(QStringLiteral("RB2"));
    auto* orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->addWidget(portrait_);
    orientationLayout->addWidget(landscape_);

    paper_ = new QComboBox(page);
    paper_->setObjectName(QStringLiteral("ComB1"));
    paper_->addItems(paperNames);
    width_ = NumberEdit(page, "E1");
    height_ = NumberEdit(page, "E2");
    unlimited_ = new QCheckBox(tr("&Unlimited height"), page);
    unlimited_->setObjectName(QStringLiteral("CB3"));
    auto* size = new QGroupBox(tr("Size"), page);
    auto* sizeLayout = new QFormLayout(size);
    sizeLayout->addRow(paper_);
    sizeLayout->addRow(tr("&Width, mm"), width_);
    sizeLayout->addRow(tr("&Height, mm"), height_);
    sizeLayout->addRow(unlimited_);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(orientation);
    layout->addWidget(size);
    layout->addStretch(1);
    return page;
}

QWidget* TvlPgoptForm::sourcePage(const QStringList& binNames) {
    auto* page = new QWidget;
    bin_ = new QComboBox(page);
    bin_->setObjectName(QStringLiteral("ComB2"));
    bin_->addItems(binNames);
    auto* layout = new QFormLayout(page);
    layout->addRow(tr("Paper &source"), bin_);
    return page;
}

QWidget* TvlPgoptForm::marginsPage() {
    auto* page = new QWidget;
    const char* names[] = {"E3", "E4", "E5", "E6"};
    const QString labels[] = {tr("&Left, mm"), tr("&Top, mm"), tr("&Right, mm"), tr("&Bottom, mm")};
    auto* box = new QGroupBox(tr("Margins"), page);
    auto* form = new QFormLayout(box);
    for (int i = 0; i < 4; ++i) {
        margins_[i] = NumberEdit(box, names[i]);
        form->addRow(labels[i], margins_[i]);
    }
    stretch_ = new QCheckBox(tr("&Stretch to print area"), page);
    stretch_->setObjectName(QStringLiteral("CB5"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addWidget(stretch_);
    layout->addStretch(1);
    return page;
}

QWidget* TvlPgoptForm::otherPage() {
    auto* page = new QWidget;
    previous_ = new QCheckBox(tr("Print to &previous page"), page);
    previous_->setObjectName(QStringLiteral("CB1"));
    columns_ = NumberEdit(page, "E7");
    gap_ = NumberEdit(page, "E8");
    auto* box = new QGroupBox(tr("Columns"), page);
    auto* form = new QFormLayout(box);
    form->addRow(tr("&Number"), columns_);
    form->addRow(tr("&Gap, mm"), gap_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(previous_);
    layout->addWidget(box);
    layout->addStretch(1);
    return page;
}

QLineEdit* TvlPgoptForm::marginEdit(int side) const {
    return side >= 0 && side < 4 ? margins_[side] : nullptr;
}

void TvlPgoptForm::load(const TvlPageOptionValues& v) {
    (v.landscape ? landscape_ : portrait_)->setChecked(true);
    paper_->setCurrentIndex(v.paperIndex);
    width_->setText(v.paperWidth);
    height_->setText(v.paperHeight);
    unlimited_->setChecked(v.unlimitedHeight);
    bin_->setCurrentIndex(v.binIndex);
    const QString* margins[] = {&v.leftMargin, &v.topMargin, &v.rightMargin, &v.bottomMargin};
    for (int i = 0; i < 4; ++i)
        margins_[i]->setText(*margins[i]);
    gap_->setText(v.columnGap);
    stretch_->setChecked(v.stretchToPrintArea);
    previous_->setChecked(v.printToPrevPage);
    columns_->setText(v.columns);
}

TvlPageOptionValues TvlPgoptForm::values() const {
    TvlPageOptionValues v = initial_;
    v.landscape = landscape_->isChecked();
    v.paperIndex = paper_->currentIndex();
    v.paperWidth = width_->text();
    v.paperHeight = height_->text();
    v.unlimitedHeight = unlimited_->isChecked();
    v.binIndex = bin_->currentIndex();
    v.leftMargin = margins_[0]->text();
    v.topMargin = margins_[1]->text();
    v.rightMargin = margins_[2]->text();
    v.bottomMargin = margins_[3]->text();
    v.columnGap = gap_->text();
    v.stretchToPrintArea = stretch_->isChecked();
    v.printToPrevPage = previous_->isChecked();
    v.columns = columns_->text();
    return v;
}

} // namespace vl
