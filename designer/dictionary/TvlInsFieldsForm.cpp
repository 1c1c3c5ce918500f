#include "designer/dictionary/TvlInsFieldsForm.h"

#include "designer/dictionary/DataFieldMime.h"
#include "designer/dictionary/DictNode.h"
#include "engine/build/TvlEngine.h"
#include "engine/script/CodePage.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlDataDictionary.h"
#include "engine/script/TvlLocale.h"

#include <QDrag>
#include <QListWidget>
#include <QSettings>
#include <QSplitter>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kCaptionText = 53450;
// The window's size when nothing was saved.
// as wide as the inspector, so that the two stack into one column
constexpr int kDesignWidth = 250;
constexpr int kDesignHeight = 360;
constexpr int kRolledDownFallback = 300;

// The field list: dragging a field takes its payload from the window.
class FieldList : public QListWidget {
public:
    FieldList(std::function<std::unique_ptr<QMimeData>()> payload, QWidget* parent)
        : QListWidget(parent), payload_(std::move(payload)) {}

protected:
    void startDrag(Qt::DropActions) override {
        std::unique_ptr<QMimeData> data = payload_();
        if (!data) return;
        auto* drag = new QDrag(this);
        drag->setMimeData(data.release());
        if (const QListWidgetItem* item = currentItem()) drag->setPixmap(item->icon().pixmap(16));
        drag->exec(Qt::CopyAction);
    }

private:
    std::function<std::unique_ptr<QMimeData>()> payload_;
};

} // namespace

TvlInsFieldsForm::TvlInsFieldsForm(const TvlDataDictionary& dictionary, std::string& lastDataSet,
                                   QWidget* parent)
    : TvlToolWindow(QStringLiteral("TvlInsFieldsForm"), parent), dictionary_(dictionary),
      lastDataSet_(lastDataSet), splitter_(new QSplitter(Qt::Vertical, this)),
      dataSets_(new QListWidget(splitter_)),
      fields_(new FieldList([this] { return StartFieldDrag(); }, splitter_)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ToQt(LoadResString(kCaptionText)));

    dataSets_->setObjectName(QStringLiteral("DatasetsLB"));
    dataSets_->setAccessibleName(tr("Data sets"));
    fields_->setObjectName(QStringLiteral("FieldsLB"));
    fields_->setAccessibleName(tr("Fields"));
    fields_->setToolTip(tr("Drag a field onto the page to show it there"));
    fields_->setDragEnabled(true);
    fields_->setDragDropMode(QAbstractItemView::DragOnly);
    splitter_->setObjectName(QStringLiteral("Splitter"));
    splitter_->setChildrenCollapsible(false);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    connect(dataSets_, &QListWidget::currentRowChanged, this, [this] { fillFields(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(splitter_);

    resize(kDesignWidth, kDesignHeight);
    const auto settings = OpenFormSettings(className());
    restoreWindowGeometry(*settings);
    rememberDefaultHeight(kRolledDownFallback);
    bool ok = false;
    int listHeight = settings->value(QStringLiteral("SplitterPos")).toInt(&ok);
    if (!ok || listHeight < 0) listHeight = kDefaultSplitterPos;
    splitter_->setSizes({listHeight, std::max(1, height() - listHeight)});
}

TvlInsFieldsForm::~TvlInsFieldsForm() = default;

void TvlInsFieldsForm::showEvent(QShowEvent* event) {
    TvlToolWindow::showEvent(event);
    fillLists();
}

void TvlInsFieldsForm::Refresh() {
    rememberChoice();
    fillLists();
}

void TvlInsFieldsForm::fillLists() {
    StringList names;
    dictionary_.GetDataSetList(names);
    const QSignalBlocker blocker(dataSets_);
    dataSets_->clear();
    for (const std::string& name : names)
        new QListWidgetItem(DictNodeIcon(DictNodeKind::DataSet), ToQt(name), dataSets_);
    if (names.empty()) {
        fields_->clear();
        return;
    }
    int row = 0;
    const std::string& last = lastDataSet_;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], last)) row = static_cast<int>(i);
    dataSets_->setCurrentRow(row);
    fillFields();
}

void TvlInsFieldsForm::fillFields() {
    fields_->clear();
    const QListWidgetItem* dataSet = dataSets_->currentItem();
    if (!dataSet) return;
    StringList names;
    dictionary_.GetFieldList(FromQt(dataSet->text()), names);
    for (const std::string& name : names)
        new QListWidgetItem(DictNodeIcon(DictNodeKind::Field), ToQt(name), fields_);
}

void TvlInsFieldsForm::rememberChoice() {
    const QListWidgetItem* dataSet = dataSets_->currentItem();
    if (!dataSet) return;
    lastDataSet_ = FromQt(dataSet->text());
    if (const QListWidgetItem* field = fields_->currentItem())
        dbField_ = FromQt(dataSet->text()) + ".\"" + FromQt(field->text()) + '"';
}

std::unique_ptr<QMimeData> TvlInsFieldsForm::StartFieldDrag() {
    dbField_.clear();
    rememberChoice();
    if (dbField_.empty()) return nullptr;
    return CreateDataFieldMimeData(dbField_);
}

void TvlInsFieldsForm::hideEvent(QHideEvent* event) {
    TvlToolWindow::hideEvent(event);
    saveSettings();
    rememberChoice();
    if (QWidget* designer = parentWidget(); designer && designer->isVisible())
        designer->activateWindow();
}

void TvlInsFieldsForm::saveSettings() const {
    const auto settings = OpenFormSettings(className());
    saveWindowGeometry(*settings);
    settings->setValue(QStringLiteral("SplitterPos"), dataSets_->height());
}

void TvlInsFieldsForm::showContents(bool shown) {
    splitter_->setVisible(shown);
}

} // namespace vl
