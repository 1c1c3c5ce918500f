#include "designer/editors/TvlVBandEditorForm.h"

#include "designer/editors/EditorHost.h"
#include "designer/editors/EditorSupport.h"
#include "engine/model/TvlBandView.h"
#include "engine/script/CodePage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace vl {

namespace {

// Bands that take a column source: all but title, summary, page header
// and footer, overlay and the cross bands.
bool takesColumnSource(int type) {
    return (type >= 4 && type <= 12) || (type >= 14 && type <= 17) || type == 21;
}

} // namespace

TvlVBandEditorForm::TvlVBandEditorForm(TvlEditorHost& host, QWidget* parent)
    : TvlObjEditorForm(parent), host_(host), bandList_(new QListWidget(this)),
      sources_(new QComboBox(this)), countLabel_(new QLabel(ResText(53488), this)),
      count_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("TvlVBandEditorForm"));
    setWindowTitle(ResText(53485));
    bandList_->setObjectName(QStringLiteral("BandsLB"));
    bandList_->setIconSize(QSize(16, 16));
    bandList_->setAccessibleName(ResText(53486));
    sources_->setObjectName(QStringLiteral("DataSourceCB"));
    sources_->setIconSize(QSize(16, 16));
    sources_->setAccessibleName(ResText(53487));
    countLabel_->setObjectName(QStringLiteral("CountLabel"));
    countLabel_->setBuddy(count_);
    count_->setObjectName(QStringLiteral("CountEdit"));

    auto* bandsBox = new QGroupBox(ResText(53486), this);
    (new QVBoxLayout(bandsBox))->addWidget(bandList_);
    auto* sourceBox = new QGroupBox(ResText(53487), this);
    auto* sourceLayout = new QGridLayout(sourceBox);
    sourceLayout->addWidget(sources_, 0, 0, 1, 2);
    sourceLayout->addWidget(countLabel_, 1, 0);
    sourceLayout->addWidget(count_, 1, 1);
    sourceLayout->setRowStretch(2, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(bandsBox, 0, 0);
    layout->addWidget(sourceBox, 0, 1);
    layout->setColumnStretch(0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
    resize(520, 300);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(bandList_, &QListWidget::currentRowChanged, this, &TvlVBandEditorForm::showBand);
    connect(sources_, &QComboBox::currentIndexChanged, this, [this] {
        updateCountEnabled();
        storeChoice();
    });
    connect(count_, &QLineEdit::textEdited, this, &TvlVBandEditorForm::storeChoice);
}

TvlVBandEditorForm::~TvlVBandEditorForm() = default;

int TvlVBandEditorForm::ShowEditor(TvlView& view) {
    listBands(view.FormatStr);
    if (bands_.empty()) return kModalCancel;
    entries_ = std::make_unique<TvlDataSourceEntries>(host_.dictionary());
    {
        const QSignalBlocker block(sources_);
        sources_->clear();
        const QIcon icon = EditorIcon({}, QStringLiteral("data-source"));
        for (int i = 0; i < entries_->count(); ++i) {
            const QString text = ToQt(entries_->texts()[static_cast<std::size_t>(i)]);
            sources_->addItem(i == TvlDataSourceEntries::kNone ? BlankListIcon() : icon, text);
        }
    }
    shownBand_ = -1;
    bandList_->setCurrentRow(-1);
    bandList_->setCurrentRow(0);
    if (exec() != QDialog::Accepted) return kModalCancel;
    storeChoice();
    host_.beforeChange();
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const BandSource& b : bands_)
        pairs.emplace_back(b.name, b.source);
    view.FormatStr = TvlCrossSources::Compose(pairs);
    return kModalOk;
}

void TvlVBandEditorForm::listBands(const std::string& list) {
    bands_.clear();
    bandList_->clear();
    TvlViewPage* page = host_.currentPage();
    if (!page) return;
    const QIcon icon = EditorIcon({}, QStringLiteral("band"));
    for (int i = 0; i < page->viewCount(); ++i) {
        const auto* band = dynamic_cast<const TvlBandView*>(page->viewAt(i));
        if (!band || !takesColumnSource(band->bandType())) continue;
        bands_.push_back({band->Name, TvlCrossSources::SourceOf(list, band->Name)});
        bandList_->addItem(new QListWidgetItem(
            icon, ToQt(band->Name + ": " + TvlBandView::BandTitle(band->bandType()))));
    }
}

void TvlVBandEditorForm::showBand(int row) {
    if (row < 0 || row >= static_cast<int>(bands_.size())) return;
    shownBand_ = row;
    const std::string& stored = bands_[static_cast<std::size_t>(row)].source;
    const int entry = entries_->entryOf(stored);
    showing_ = true;
    count_->setText(entry == TvlDataSourceEntries::kVirtual ? ToQt(stored) : QStringLiteral("1"));
    sources_->setCurrentIndex(entry);
    showing_ = false;
    updateCountEnabled();
}

void TvlVBandEditorForm::storeChoice() {
    if (showing_ || shownBand_ < 0 || shownBand_ >= static_cast<int>(bands_.size())) return;
    bands_[static_cast<std::size_t>(shownBand_)].source =
        entries_->storedText(sources_->currentIndex(), FromQt(count_->text()));
}

void TvlVBandEditorForm::updateCountEnabled() {
    const bool virtualSource = sources_->currentIndex() == TvlDataSourceEntries::kVirtual;
    countLabel_->setEnabled(virtualSource);
    count_->setEnabled(virtualSource);
}

} // namespace vl
