#include "designer/commands/TvlDesOptionsForm.h"

#include "designer/commands/DialogSupport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kCaptionText = 55872;

constexpr int kPixelsText = 55330;
constexpr int kMillimetresText = 55331;
constexpr int kInchesText = 55332;

// A group box of radio buttons, one per (text, id), the one with `checked`
// chosen.
QGroupBox* RadioGroup(QWidget* parent, const QString& title, QButtonGroup*& group,
                      const std::vector<std::pair<QString, int>>& entries, int checked) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (const auto& [text, id] : entries) {
        auto* button = new QRadioButton(text, box);
        group->addButton(button, id);
        layout->addWidget(button);
        button->setChecked(id == checked);
    }
    return box;
}

// A font family box and a size box side by side.
QWidget* FontRow(QWidget* parent, QFontComboBox*& family, QSpinBox*& size, const QString& name,
                 int points) {
    auto* row = new QWidget(parent);
    family = new QFontComboBox(row);
    family->setCurrentFont(QFont(name));
    family->setProperty("initialFamily", family->currentText());
    size = new QSpinBox(row);
    size->setRange(1, 400);
    size->setValue(points);
    size->setAccessibleName(QObject::tr("Size"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(family, 1);
    layout->addWidget(size);
    return row;
}

} // namespace

TvlDesOptionsForm::TvlDesOptionsForm(const TvlDesignerSettings& settings,
                                     const TvlEditorFonts& fonts, QWidget* parent)
    : QDialog(parent), initial_(settings), initialFonts_(fonts), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("TvlDesOptionsForm"));
    setWindowTitle(ResText(kCaptionText));
    tabs_->setObjectName(QStringLiteral("TabControl1"));
    tabs_->addTab(designerPage(), tr("Designer"));
    tabs_->addTab(editorPage(), tr("Editor"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(OkCancelButtons(this));
}

QCheckBox* TvlDesOptionsForm::check(QWidget* parent, const QString& text, const char* name,
                                    bool checked) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

QWidget* TvlDesOptionsForm::designerPage() {
    auto* page = new QWidget;
    const TvlDesignerSettings& s = initial_;
    auto* gridBox = new QGroupBox(tr("Grid"), page);
    auto* gridLayout = new QVBoxLayout(gridBox);
    showGrid_ = check(gridBox, tr("Show &grid"), "CB1", s.gridShow);
    alignGrid_ = check(gridBox, tr("&Align to grid"), "CB2", s.gridAlign);
    gridLayout->addWidget(showGrid_);
    gridLayout->addWidget(alignGrid_);
    auto* sizes = RadioGroup(
        page, tr("Grid size"), grid_,
        {{tr("&4 pixels"), 4}, {tr("&8 pixels"), 8}, {tr("&18 pixels (5mm)"), 18}}, s.gridSize);
    auto* units = RadioGroup(page, tr("Report units"), units_,
                             {{ResText(kPixelsText), duPixels},
                              {ResText(kMillimetresText), duMillimetres},
                              {ResText(kInchesText), duInches}},
                             s.units);
    auto* position =
        RadioGroup(page, tr("Page position"), position_,
                   {{tr("Ce&nter"), 5}, {tr("&Left"), 3}, {tr("&Right"), 4}}, s.pagePosition);

    auto* other = new QGroupBox(tr("Other"), page);
    auto* otherLayout = new QVBoxLayout(other);
    contents_ =
        check(other, tr("Show object &contents when moving or resizing"), "CB3", s.selection == 1);
    colored_ = check(other, tr("C&olored buttons"), "CB4", !s.grayButtons);
    editAfterInsert_ = check(other, tr("&Editing after insert"), "CB5", s.editAfterInsert);
    bandTitles_ = check(other, tr("Show &band titles"), "CB6", s.bandTitles);
    localized_ = check(other, tr("Locali&zed property names"), "CB7", s.localizedPropNames);
    disableUndo_ = check(other, tr("&Disable undo"), "CB8", s.disableUndo);
    for (QCheckBox* box :
         {contents_, colored_, editAfterInsert_, bandTitles_, localized_, disableUndo_})
        otherLayout->addWidget(box);

    auto* layout = new QGridLayout(page);
    layout->addWidget(gridBox, 0, 0);
    layout->addWidget(sizes, 1, 0);
    layout->addWidget(units, 0, 1);
    layout->addWidget(position, 1, 1);
    layout->addWidget(other, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    return page;
}

QWidget* TvlDesOptionsForm::editorPage() {
    auto* page = new QWidget;
    highlight_ = check(page, tr("&Syntax highlight enabled"), "CB9", initial_.syntaxHighlight);
    auto* fonts = new QGroupBox(tr("Fonts"), page);
    auto* form = new QFormLayout(fonts);
    const TvlEditorFonts& f = initialFonts_;
    form->addRow(tr("&Text"), FontRow(fonts, textFont_, textSize_, f.textName, f.textSize));
    form->addRow(tr("S&cript"),
                 FontRow(fonts, scriptFont_, scriptSize_, f.scriptName, f.scriptSize));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(highlight_);
    layout->addWidget(fonts);
    layout->addStretch(1);
    return page;
}

// A family the system substitutes (Arial shown as another sans font) stays
// as stored unless another family was chosen.
static QString ChosenFamily(const QFontComboBox& box, const QString& stored) {
    return box.currentText() == box.property("initialFamily").toString()
               ? stored
               : box.currentFont().family();
}

TvlEditorFonts TvlDesOptionsForm::fonts() const {
    TvlEditorFonts f;
    f.textName = ChosenFamily(*textFont_, initialFonts_.textName);
    f.textSize = textSize_->value();
    f.scriptName = ChosenFamily(*scriptFont_, initialFonts_.scriptName);
    f.scriptSize = scriptSize_->value();
    return f;
}

TvlDesignerSettings TvlDesOptionsForm::settings() const {
    TvlDesignerSettings s = initial_;
    s.gridShow = showGrid_->isChecked();
    s.gridAlign = alignGrid_->isChecked();
    s.gridSize = grid_->checkedId() > 0 ? grid_->checkedId() : s.gridSize;
    s.selection = contents_->isChecked() ? 1 : 0;
    s.units = units_->checkedId() >= 0 ? units_->checkedId() : s.units;
    s.grayButtons = !colored_->isChecked();
    s.editAfterInsert = editAfterInsert_->isChecked();
    s.bandTitles = bandTitles_->isChecked();
    s.localizedPropNames = localized_->isChecked();
    s.disableUndo = disableUndo_->isChecked();
    s.pagePosition = position_->checkedId() > 0 ? position_->checkedId() : s.pagePosition;
    s.syntaxHighlight = highlight_->isChecked();
    return s;
}

} // namespace vl
