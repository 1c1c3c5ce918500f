#include "designer/commands/TvlDocOptForm.h"

#include "designer/commands/DialogSupport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vl {

namespace {
constexpr int kCaptionText = 55871;
} // namespace

TvlDocOptForm::TvlDocOptForm(const TvlReportOptionValues& values, QWidget* parent)
    : QDialog(parent), initial_(values), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("TvlDocOptForm"));
    setWindowTitle(ResText(kCaptionText));
    tabs_->setObjectName(QStringLiteral("TabControl1"));
    tabs_->addTab(generalPage(), tr("General"));
    tabs_->addTab(documentPage(), tr("Document"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(OkCancelButtons(this));
    resize(420, 380);
}

QWidget* TvlDocOptForm::generalPage() {
    auto* page = new QWidget;
    auto* printer = new QGroupBox(tr("Printer"), page);
    select_ = new QCheckBox(tr("&Select when report loaded"), printer);
    select_->setObjectName(QStringLiteral("CB1"));
    select_->setChecked(initial_.selectWhenLoaded);
    printers_ = new QListWidget(printer);
    printers_->setObjectName(QStringLiteral("LB1"));
    printers_->setAccessibleName(tr("Printer"));
    printers_->addItems(initial_.printers);
    printers_->setCurrentRow(initial_.printerIndex);
    auto* printerLayout = new QVBoxLayout(printer);
    printerLayout->addWidget(printers_, 1);
    printerLayout->addWidget(select_);

    twoPass_ = new QCheckBox(tr("&Two-pass report"), page);
    twoPass_->setObjectName(QStringLiteral("CB2"));
    twoPass_->setChecked(initial_.twoPass);
    password_ = new QCheckBox(tr("Pass&word protected"), page);
    password_->setObjectName(QStringLiteral("CB3"));
    password_->setChecked(initial_.passwordProtected);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(printer, 1);
    layout->addWidget(twoPass_);
    layout->addWidget(password_);
    return page;
}

QWidget* TvlDocOptForm::documentPage() {
    auto* page = new QWidget;
    const QString labels[] = {tr("&Name"),    tr("&Author"), tr("Ma&jor"),  tr("M&inor"),
                              tr("R&elease"), tr("&Build"),  tr("&Comment")};
    const QString values[] = {initial_.name,    initial_.author, initial_.major,  initial_.minor,
                              initial_.release, initial_.build,  initial_.comment};
    auto* form = new QFormLayout(page);
    for (int i = 0; i < 7; ++i) {
        texts_[i] = new QLineEdit(values[i], page);
        texts_[i]->setObjectName(QStringLiteral("E%1").arg(i + 1));
        form->addRow(labels[i], texts_[i]);
    }
    form->addRow(tr("Created"), new QLabel(initial_.created, page));
    form->addRow(tr("Modified"), new QLabel(initial_.lastChange, page));
    return page;
}

TvlReportOptionValues TvlDocOptForm::values() const {
    TvlReportOptionValues v = initial_;
    v.selectWhenLoaded = select_->isChecked();
    v.printerIndex = printers_->currentRow();
    v.twoPass = twoPass_->isChecked();
    v.passwordProtected = password_->isChecked();
    QString* texts[] = {&v.name, &v.author, &v.major, &v.minor, &v.release, &v.build, &v.comment};
    for (int i = 0; i < 7; ++i)
        *texts[i] = texts_[i]->text();
    return v;
}

} // namespace vl
