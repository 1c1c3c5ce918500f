#include "designer/inspector/TvlInspForm.h"

#include "designer/inspector/TvlInspRowList.h"
#include "designer/inspector/TvlInspectorHost.h"
#include "designer/inspector/TvlObjectBox.h"
#include "engine/build/TvlPage.h"
#include "engine/model/TvlView.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>

namespace vl {

namespace {

constexpr int kCaptionText = 53059;
// The localized property names: "name=alias" texts from this number on.
constexpr int kFirstPropertyAlias = 58001;
constexpr int kLastTextNumber = 65535;
// The window's size when nothing was saved.
constexpr int kDesignWidth = 250;
constexpr int kDesignHeight = 420;

QString classNameOf(const TvlObject* object) {
    if (const auto* view = dynamic_cast<const TvlView*>(object)) return ToQt(view->className());
    if (dynamic_cast<const TvlPage*>(object)) return QStringLiteral("TvlPage");
    return {};
}

} // namespace

TvlInspForm::TvlInspForm(TvlInspectorHost& host, QWidget* parent)
    : TvlToolWindow(QStringLiteral("TvlInspForm"), parent), host_(host),
      contents_(new QWidget(this)), objectBox_(new TvlObjectBox(contents_)),
      scrollArea_(new QScrollArea(contents_)), rows_(new TvlInspRowList) {
    setWindowTitle(ToQt(LoadResString(kCaptionText)));
    readPropertyAliases();

    scrollArea_->setObjectName(QStringLiteral("PropScroll"));
    scrollArea_->setWidget(rows_);
    scrollArea_->setWidgetResizable(false);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setFrameShape(QFrame::StyledPanel);
    scrollArea_->verticalScrollBar()->setSingleStep(rows_->rowHeight());
    scrollArea_->viewport()->installEventFilter(this);

    auto* contentsLayout = new QVBoxLayout(contents_);
    contentsLayout->setContentsMargins(0, 0, 0, 0);
    contentsLayout->setSpacing(4);
    contentsLayout->addWidget(objectBox_);
    contentsLayout->addWidget(scrollArea_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(contents_);

    rows_->setValueChangedHandler([this](int row) { host_.PropertyChanged(row); });
    rows_->setErrorHandler([this](const std::string& message) { host_.ShowError(message); });
    rows_->setScrollHandler([this](int top, int height) {
        scrollArea_->ensureVisible(0, top + height / 2, 0, height / 2 + 1);
    });
    objectBox_->setRefillHandler([this] { return objectNames(); });
    objectBox_->setChosenHandler([this](const QString& name) {
        host_.SelectByName(FromQt(name));
        if (rows_->valueField()->isVisible()) rows_->valueField()->setFocus();
    });

    resize(kDesignWidth, kDesignHeight);
    rememberDefaultHeight(kDesignHeight);
}

TvlInspForm::~TvlInspForm() = default;

void TvlInspForm::readPropertyAliases() {
    for (int id = kFirstPropertyAlias; id < kLastTextNumber; ++id) {
        const std::string text = LoadResString(id);
        if (text.empty()) break;
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos || equals + 1 == text.size()) continue;
        propertyAliases_.SetVariable(text.substr(0, equals), Variant(text.substr(equals + 1)));
    }
}

void TvlInspForm::SetLocalizedPropNames(bool localized) {
    rows_->setNameAliases(localized ? &propertyAliases_ : nullptr);
}

void TvlInspForm::ClearRows() {
    rows_->clearRows();
}

void TvlInspForm::AddRow(std::string name, const Variant& value, TvlPropEditor editor,
                         const StringList* enumNames, std::vector<Variant> enumValues,
                         std::uint16_t kinds) {
    auto row =
        std::make_unique<TvlInspRow>(std::move(name), kinds, std::move(editor),
                                     enumNames ? *enumNames : StringList{}, std::move(enumValues));
    row->setValue(value, decimalSeparator_);
    rows_->addRow(std::move(row));
}

Variant TvlInspForm::GetRowValue(int index) const {
    return rows_->row(index).value();
}

int TvlInspForm::RowCount() const {
    return rows_->rowCount();
}

void TvlInspForm::ShowRows() {
    rows_->clearCurrentRow();
    layoutRows();
    const int last = rows_->rowIndexOf(rows_->lastProperty());
    rows_->setCurrentRow(last < 0 ? 0 : last);
    if (HideProperties()) {
        objectBox_->selectName({});
    } else if (objectBox_->currentText() != ToQt(objectName_)) {
        objectBox_->fill(objectNames(), ToQt(objectName_));
    }
    objectBox_->setClassName(classNameOf(object_));
}

void TvlInspForm::layoutRows() {
    const int height = rows_->rowCount() * rows_->rowHeight();
    rows_->resize(scrollArea_->viewport()->width(), std::max(height, 1));
}

QStringList TvlInspForm::objectNames() const {
    StringList names;
    host_.FillObjectList(names);
    QStringList result;
    for (const std::string& name : names)
        result << ToQt(name);
    return result;
}

void TvlInspForm::SetObject(std::string name, TvlObject* object) {
    objectName_ = std::move(name);
    object_ = object;
    rows_->setInspectedObject(object);
}

void TvlInspForm::SetHideProperties(bool hide) {
    rows_->setHideProperties(hide);
}

bool TvlInspForm::HideProperties() const {
    return rows_->hideProperties();
}

int TvlInspForm::SplitPos() const {
    return rows_->divider();
}

void TvlInspForm::SetSplitPos(int x) {
    rows_->setDivider(std::max(x, kMinimumSplitPos));
}

bool TvlInspForm::LoadSettings() {
    const auto settings = OpenFormSettings(className());
    restoreWindowGeometry(*settings);
    rememberDefaultHeight(kDesignHeight);
    bool ok = false;
    const int splitPos = settings->value(QStringLiteral("SplitPos")).toInt(&ok);
    // names such as "BottomMargin" fit the first column
    const int namesWidth = fontMetrics().horizontalAdvance(QStringLiteral("BottomMargin")) + 12;
    SetSplitPos(ok ? splitPos : std::max(kDefaultSplitPos, namesWidth));
    return settings->value(QStringLiteral("isVisible"), true).toBool();
}

void TvlInspForm::SaveSettings() const {
    const auto settings = OpenFormSettings(className());
    saveWindowGeometry(*settings);
    settings->setValue(QStringLiteral("isVisible"), isVisible());
    settings->setValue(QStringLiteral("SplitPos"), SplitPos());
}

void TvlInspForm::showContents(bool shown) {
    contents_->setVisible(shown);
}

void TvlInspForm::changeEvent(QEvent* event) {
    TvlToolWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        QLineEdit* field = rows_->valueField();
        if (field->isVisible() && field->isEnabled()) field->setFocus();
    } else if (!rows_->dropDownList()->isVisible()) {
        rows_->FocusLost();
    }
}

bool TvlInspForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollArea_->viewport() && event->type() == QEvent::Resize) layoutRows();
    return TvlToolWindow::eventFilter(watched, event);
}

} // namespace vl
