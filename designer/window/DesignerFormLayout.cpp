#include "designer/window/DesignerActions.h"
#include "designer/window/DesignerParts.h"
#include "designer/window/DesignerStatus.h"
#include "designer/window/DesignerTabBar.h"
#include "designer/window/TvlDesignerForm.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlDialogControl.h"
#include "engine/model/ViewState.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vl {

namespace {

// Add-in buttons carry their registry index after this base.
constexpr int kAddInTagBase = dtAddInBase;
constexpr const char* kDialogControlTool = "vellumDialogControl";

QString HintText(const std::string& hint) {
    bool number = !hint.empty() && hint.size() <= 6;
    for (char c : hint)
        number = number && c >= '0' && c <= '9';
    return ToQt(number ? LoadResString(std::stoi(hint)) : hint);
}

} // namespace

QToolBar* TvlDesignerForm::addBar(const char* objectName, int captionId, Qt::ToolBarArea area) {
    auto* bar = new QToolBar(DesignerText(captionId), this);
    bar->setObjectName(QString::fromLatin1(objectName));
    bar->setIconSize(QSize(16, 16));
    addToolBar(area, bar);
    return bar;
}

void TvlDesignerForm::createToolbars() {
    TvlDesignerActions& a = *actions_;
    standardBar_ = addBar("StandardBar", 53082, Qt::TopToolBarArea);
    for (QAction* action : {a.newButton, a.openButton, a.saveButton, a.previewButton})
        standardBar_->addAction(action);
    standardBar_->addSeparator();
    standardBar_->addActions({a.cutButton, a.copyButton, a.pasteButton});
    standardBar_->addSeparator();
    standardBar_->addActions({a.undoButton, a.redoButton});
    standardBar_->addSeparator();
    standardBar_->addActions({a.frontButton, a.backButton, a.selectAllButton});
    standardBar_->addSeparator();
    standardBar_->addActions(
        {a.addPageButton, a.addDialogButton, a.removePageButton, a.pageOptionsButton});
    standardBar_->addSeparator();
    standardBar_->addActions({a.gridButton, a.gridAlignButton, a.fitGridButton});
    standardBar_->addSeparator();
    standardBar_->addActions({a.helpButton, a.exitButton});
    for (QAction* action : standardBar_->actions())
        if (QWidget* w = standardBar_->widgetForAction(action);
            w && !action->objectName().isEmpty())
            w->setObjectName(action->objectName());
    if (QWidget* exitWidget = standardBar_->widgetForAction(a.exitButton))
        static_cast<QToolButton*>(exitWidget)->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    // The formatting bars and the alignment palette are filled by the
    // formatting part of the designer (Text: C2, C3, FnB1-3...; Rectangle:
    // FrB1-6, ClB1, ClB3, StB1, C4; Alignment: Align1-10).
    // the formatting bars take a second row: one row holds too few buttons
    addToolBarBreak(Qt::TopToolBarArea);
    textBar_ = addBar("TextBar", 53083, Qt::TopToolBarArea);
    rectangleBar_ = addBar("RectangleBar", 53081, Qt::TopToolBarArea);
    toolsBar_ = addBar("ToolsBar", 53086, Qt::TopToolBarArea);
    toolsBar_->setMinimumSize(26, 26);
    if (!pageEditMode_) toolsBar_->addAction(a.insertFieldsButton);

    objectsBar_ = addBar("ObjectsBar", 53084, Qt::LeftToolBarArea);
    objectsBar_->setOrientation(Qt::Vertical);
    for (QAction* tool : a.toolActions)
        objectsBar_->addAction(tool);
    TvlAddInRegistry& addIns = report_.Engine().views().addIns;
    for (std::size_t i = 0; i < addIns.size(); ++i) {
        const TvlAddInEntry& entry = *addIns.at(i);
        // a class without a picture of its own gets the generic control's
        const QIcon icon = entry.buttonPicture.isNull()
                               ? DesignerIcon("tool-control")
                               : QIcon(QPixmap::fromImage(entry.buttonPicture));
        auto* action = new QAction(icon, HintText(entry.hint), actions_);
        action->setObjectName(ToQt(entry.className));
        action->setToolTip(HintText(entry.hint));
        action->setCheckable(true);
        action->setData(kAddInTagBase + static_cast<int>(i));
        const auto probe = entry.create ? entry.create() : nullptr;
        const bool dialogControl = dynamic_cast<TvlDialogControl*>(probe.get()) != nullptr;
        action->setProperty(kDialogControlTool, dialogControl);
        action->setVisible(!dialogControl);
        a.tools->addAction(action);
        a.toolActions.push_back(action);
        objectsBar_->addAction(action);
    }
    alignmentBar_ = addBar("AlignmentBar", 53085, Qt::RightToolBarArea);
    alignmentBar_->setOrientation(Qt::Vertical);
}

void TvlDesignerForm::showObjectTools(bool standard) {
    const auto& tools = actions_->toolActions;
    for (std::size_t i = 1; i < tools.size(); ++i) {
        const bool dialogControl = tools[i]->property(kDialogControlTool).toBool();
        tools[i]->setVisible(standard != dialogControl);
    }
    // page editing inserts no bands and no sub-reports
    if (pageEditMode_ && standard)
        for (QAction* hidden : {tools[2], tools[4]})
            hidden->setVisible(false);
}

void TvlDesignerForm::connectToolbarEntry(QAction* entry, QToolBar* bar) {
    connect(entry, &QAction::toggled, bar, &QWidget::setVisible);
    connect(bar, &QToolBar::visibilityChanged, entry, &QAction::setChecked);
}

void TvlDesignerForm::createMenus() {
    TvlDesignerActions& a = *actions_;
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(DesignerText(53154));
    file->addActions({a.newEntry, a.openEntry, a.saveEntry, a.saveAsEntry});
    file->addSeparator();
    file->addAction(a.dictionaryEntry);
    file->addSeparator();
    file->addActions({a.reportOptionsEntry, a.pageOptionsEntry, a.previewEntry});
    file->addSeparator();
    file->addAction(a.exitEntry);

    QMenu* edit = bar->addMenu(DesignerText(53163));
    edit->addActions({a.undoEntry, a.redoEntry});
    edit->addSeparator();
    edit->addActions(
        {a.cutEntry, a.copyEntry, a.pasteEntry, a.deleteEntry, a.selectAllEntry, a.editEntry});
    edit->addSeparator();
    edit->addActions({a.addPageEntry, a.addDialogEntry, a.removePageEntry});
    edit->addSeparator();
    edit->addActions({a.frontEntry, a.backEntry});

    QMenu* tools = bar->addMenu(DesignerText(53176));
    QMenu* toolbars = tools->addMenu(DesignerText(53177));
    toolbars->setObjectName(QStringLiteral("ToolbarsMenu"));
    toolbars->addActions({a.standardBarEntry, a.textBarEntry, a.rectangleBarEntry,
                          a.objectsBarEntry, a.alignmentBarEntry, a.toolsBarEntry, a.inspectorEntry,
                          a.fieldsWindowEntry});
    // each entry shows whether its bar is visible when the menu opens
    connect(toolbars, &QMenu::aboutToShow, this, [this] {
        const TvlDesignerActions& bars = *actions_;
        const std::pair<QAction*, QToolBar*> entries[] = {
            {bars.standardBarEntry, standardBar_},   {bars.textBarEntry, textBar_},
            {bars.rectangleBarEntry, rectangleBar_}, {bars.objectsBarEntry, objectsBar_},
            {bars.alignmentBarEntry, alignmentBar_}, {bars.toolsBarEntry, toolsBar_}};
        for (const auto& [entry, bar] : entries) {
            const QSignalBlocker quiet(entry);
            entry->setChecked(bar->isVisible());
        }
    });
    QMenu* extra = tools->addMenu(DesignerText(53178));
    extra->setObjectName(QStringLiteral("ExtraToolsMenu"));
    if (!pageEditMode_) extra->addAction(a.insertFieldsEntry);
    extra->menuAction()->setEnabled(!extra->actions().isEmpty());
    tools->addAction(a.optionsEntry);

    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    help->addActions({a.helpEntry, a.helpToolEntry});
    help->addSeparator();
    help->addAction(a.aboutEntry);

    connectToolbarEntry(a.standardBarEntry, standardBar_);
    connectToolbarEntry(a.textBarEntry, textBar_);
    connectToolbarEntry(a.rectangleBarEntry, rectangleBar_);
    connectToolbarEntry(a.objectsBarEntry, objectsBar_);
    connectToolbarEntry(a.alignmentBarEntry, alignmentBar_);
    connectToolbarEntry(a.toolsBarEntry, toolsBar_);

    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("WorkspaceMenu"));
    tabMenu_ = new QMenu(this);
    tabMenu_->setObjectName(QStringLiteral("TabMenu"));
    tabMenu_->addActions({a.addPageTab, a.addDialogTab, a.removePageTab, a.pageOptionsTab});
}

void TvlDesignerForm::createWorkspace() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tabs_ = new TvlDesignerTabBar(central);
    workspace_ = new QScrollArea(central);
    workspace_->setObjectName(QStringLiteral("Workspace"));
    workspace_->setWidgetResizable(false);
    workspace_->setBackgroundRole(QPalette::Dark);
    canvas_ = new QWidget;
    canvas_->setObjectName(QStringLiteral("WorkspaceCanvas"));
    QPalette grey = canvas_->palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    canvas_->setPalette(grey);
    canvas_->setAutoFillBackground(true);
    workspace_->setWidget(canvas_);
    workspace_->viewport()->installEventFilter(this);
    layout->addWidget(tabs_);
    layout->addWidget(workspace_, 1);
    setCentralWidget(central);

    surface_ = new TvlDesignerPage(*this, canvas_);
    surface_->setObjectName(QStringLiteral("DesignerPage"));
    status_ = new TvlDesignerStatusBar(this);
    setStatusBar(status_);
}

void TvlDesignerForm::applyPageEditMode() {
    if (!pageEditMode_) return;
    for (QAction* action : actions_->pageEditButtons()) {
        if (parts_->options().HideDisabledButtons)
            action->setVisible(false);
        else
            actions_->markUnavailable(action);
    }
    for (QAction* action : actions_->pageEditEntries())
        actions_->markUnavailable(action);
}

} // namespace vl
