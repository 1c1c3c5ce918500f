#include "app/window/TFormPreview.h"

#include "app/window/ZoomMenu.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlHelpWindow.h"
#include "engine/output/preview/TvlPreview.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/UiService.h"

#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillet {

namespace {

// Message box flags and results as the engine's message box takes them.
constexpr int kOkButton = 0x00;
constexpr int kOkCancelButtons = 0x01;
constexpr int kErrorIcon = 0x10;
constexpr int kQuestionIcon = 0x20;
constexpr int kResultOk = 1;

constexpr int kLeftColumnWidth = 167;
constexpr int kButtonRowHeight = 32;

QPushButton* columnButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

} // namespace

TFormPreview::TFormPreview(const StartupOptions& options, QWidget* parent)
    : QWidget(parent), store_(options.dataFolder), templates_(options.programFolder) {
    setObjectName(QStringLiteral("FormPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    organizer_ = std::make_unique<OrganizerReport>(store_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createLeftColumn());
    layout->addWidget(createRightPart(), 1);
    createReportMenu();
    connectControls();
    resize(669, 530);

    formCreate(options);
}

TFormPreview::~TFormPreview() {
    // the pane and the pages it shows go before the report they came from
    delete Preview;
}

QWidget* TFormPreview::createLeftColumn() {
    auto* column = new QWidget(this);
    column->setFixedWidth(kLeftColumnWidth);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(5, 5, 5, 5);
    PageControl1 = new QTabWidget(column);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(createReportsPage(), QStringLiteral("Reports"));
    layout->addWidget(PageControl1);
    return column;
}

QWidget* TFormPreview::createReportsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto* group = new QGroupBox(QStringLiteral("Data Source"), page);
    group->setObjectName(QStringLiteral("GroupBox1"));
    rbContacts = new QRadioButton(QStringLiteral("&Contacts"), group);
    rbContacts->setObjectName(QStringLiteral("rbContacts"));
    rbTaskList = new QRadioButton(QStringLiteral("&Task List"), group);
    rbTaskList->setObjectName(QStringLiteral("rbTaskList"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(rbContacts);
    groupLayout->addWidget(rbTaskList);

    lbReports = new QListWidget(page);
    lbReports->setObjectName(QStringLiteral("lbReports"));
    lbReports->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* label = new QLabel(QStringLiteral("Select Report:"), page);
    label->setBuddy(lbReports);

    // templates can be edited when the program installed a designer
    bEdit = columnButton(QStringLiteral("&Edit report"), "bEdit", page);
    bEdit->setEnabled(static_cast<bool>(engine().designer().designReport));
    bDublicate = columnButton(QStringLiteral("D&uplicate report"), "bDublicate", page);
    bDelete = columnButton(QStringLiteral("&Delete current report"), "bDelete", page);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addWidget(label);
    layout->addWidget(lbReports, 1);
    layout->addWidget(bEdit);
    layout->addWidget(bDublicate);
    layout->addWidget(bDelete);
    return page;
}

QWidget* TFormPreview::createRightPart() {
    auto* right = new QWidget(this);
    auto* layout = new QVBoxLayout(right);
    layout->setContentsMargins(0, 5, 5, 5);
    layout->setSpacing(2);
    layout->addWidget(createButtonRow());
    Preview = new vl::TvlPreview(right);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->SetScrollBars(vl::ssBoth);
    Preview->SetShowToolbar(false);
    layout->addWidget(Preview, 1);
    return right;
}

QPushButton* TFormPreview::rowButton(const QString& caption, const char* name, int width) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(width);
    return button;
}

QWidget* TFormPreview::createButtonRow() {
    auto* row = new QWidget(this);
    row->setMinimumHeight(kButtonRowHeight);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QPushButton* prev = rowButton(QStringLiteral("<<"), "Button2", 26);
    prev->setAccessibleName(QStringLiteral("Previous page"));
    prev->setToolTip(QStringLiteral("Previous page"));
    QPushButton* next = rowButton(QStringLiteral(">>"), "Button11", 28);
    next->setAccessibleName(QStringLiteral("Next page"));
    next->setToolTip(QStringLiteral("Next page"));
    bZoom = rowButton(QStringLiteral("100%"), "bZoom", 88);
    bZoom->setAccessibleName(QStringLiteral("Zoom"));
    bZoom->setToolTip(QStringLiteral("Zoom"));
    QPushButton* plus = rowButton(QStringLiteral("+"), "Button7", 24);
    plus->setAccessibleName(QStringLiteral("Zoom in"));
    plus->setToolTip(QStringLiteral("Zoom in"));
    QPushButton* minus = rowButton(QStringLiteral("-"), "Button6", 26);
    minus->setAccessibleName(QStringLiteral("Zoom out"));
    minus->setToolTip(QStringLiteral("Zoom out"));
    QPushButton* setup = rowButton(QStringLiteral("Page Setup"), "Button5", 75);
    QPushButton* print = rowButton(QStringLiteral("&Print"), "Button4", 75);
    print->setDefault(true);
    QPushButton* close = rowButton(QStringLiteral("Close"), "Button3", 75);
    QPushButton* help = rowButton(QStringLiteral("&Help"), "bHelp", 75);
    help->setToolTip(QStringLiteral("The user guide (F1)"));
    for (QPushButton* b : {prev, next, bZoom, plus, minus, setup, print, close, help})
        layout->addWidget(b);
    layout->addStretch(1);

    PopupMenu = new ZoomMenu(this);
    connect(prev, &QPushButton::clicked, this, [this] { Preview->PrevPage(); });
    connect(next, &QPushButton::clicked, this, [this] { Preview->NextPage(); });
    connect(bZoom, &QPushButton::clicked, this, [this] { PopupMenu->popup(QCursor::pos()); });
    connect(plus, &QPushButton::clicked, this, [this] { ZoomBy(25); });
    connect(minus, &QPushButton::clicked, this, [this] { ZoomBy(-25); });
    connect(setup, &QPushButton::clicked, this, [this] { Preview->PageSetup(); });
    connect(print, &QPushButton::clicked, this, [this] { Preview->Print(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelp(); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { ShowHelp(); });
    return row;
}

void TFormPreview::ShowHelp() {
    vl::TvlHelpWindow::Show(this);
}

void TFormPreview::createReportMenu() {
    pmReportList = new QMenu(this);
    pmReportList->setObjectName(QStringLiteral("pmReportList"));
    QAction* edit = pmReportList->addAction(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("pmEdit"));
    // as the "Edit report" button: only with a designer to edit in
    connect(pmReportList, &QMenu::aboutToShow, this, [this, edit] {
        edit->setEnabled(static_cast<bool>(engine().designer().designReport));
    });
    connect(edit, &QAction::triggered, this, [this] { EditReport(); });
    connect(pmReportList->addAction(QStringLiteral("Duplicate")), &QAction::triggered, this,
            [this] { DublicateReport(); });
    connect(pmReportList->addAction(QStringLiteral("Delete")), &QAction::triggered, this,
            [this] { DeleteReport(); });
    connect(lbReports, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmReportList->popup(lbReports->mapToGlobal(at)); });
}

void TFormPreview::connectControls() {
    connect(rbTaskList, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rbTaskListClick();
    });
    connect(rbContacts, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rbContactsClick();
    });
    connect(lbReports, &QListWidget::currentRowChanged, this, [this] {
        rowJustChanged_ = true;
        lbReportsClick();
    });
    // a click on the template already shown builds it again
    connect(lbReports, &QListWidget::itemClicked, this, [this] {
        if (!rowJustChanged_) lbReportsClick();
        rowJustChanged_ = false;
    });
    connect(bEdit, &QPushButton::clicked, this, [this] { EditReport(); });
    connect(bDublicate, &QPushButton::clicked, this, [this] { DublicateReport(); });
    connect(bDelete, &QPushButton::clicked, this, [this] { DeleteReport(); });
    connect(PopupMenu, &QMenu::triggered, this,
            [this](QAction* action) { Zoom(action->data().toInt()); });
}

void TFormPreview::formCreate(const StartupOptions& options) {
    try {
        store_.startUp();
    } catch (const std::exception& e) {
        // without the photo store no data source is chosen; the user picks one
        showError(e.what());
        return;
    }
    if (options.initialSource == DataSourceKind::Contacts)
        rbContacts->setChecked(true);
    else
        rbTaskList->setChecked(true);
}

void TFormPreview::rbTaskListClick() {
    selectDataSource(DataSourceKind::TaskList);
}

void TFormPreview::rbContactsClick() {
    selectDataSource(DataSourceKind::Contacts);
}

void TFormPreview::selectDataSource(DataSourceKind kind) {
    kind_ = kind;
    organizer_->setDataKind(kind == DataSourceKind::Contacts ? DataKind::Contacts
                                                             : DataKind::Tasks);
    EnumerateReports();
}

void TFormPreview::EnumerateReports() {
    {
        const QSignalBlocker quiet(lbReports);
        lbReports->clear();
        if (kind_) lbReports->addItems(templates_.names(*kind_));
        if (lbReports->count() > 0) lbReports->setCurrentRow(0);
    }
    lbReportsClick();
}

QString TFormPreview::selectedName() const {
    const int row = lbReports->currentRow();
    if (row < 0 || row >= lbReports->count()) return {};
    return lbReports->item(row)->text();
}

QString TFormPreview::SelectedTemplatePath() const {
    const QString name = selectedName();
    if (name.isEmpty() || !kind_) return {};
    return templates_.path(*kind_, name);
}

void TFormPreview::lbReportsClick() {
    const QString path = SelectedTemplatePath();
    if (path.isEmpty()) return;
    vl::TvlReport& report = organizer_->report();
    const vl::ScopedValue<bool> noProgress(report.ShowProgress, false);
    // a template deleted meanwhile loads nothing: the last one is built again
    const vl::TvlLoadOutcome loaded = report.LoadFromFile(path);
    if (loaded.kind != vl::TvlLoadOutcome::NoFile && !loaded) {
        showError(loaded.fullMessage());
        return;
    }
    vl::ShowReport(report, {.pane = Preview});
}

void TFormPreview::EditReport() {
    vl::TvlReport& report = organizer_->report();
    try {
        report.DesignReport();
    } catch (const std::exception& e) {
        showError(e.what());
    }
    // the designer may have changed the template or loaded another one
    vl::ShowReport(report, {.pane = Preview});
}

// Asks for the copy's name until it is one that can be used or the user
// cancels; after a refused name the question comes back with that name.
void TFormPreview::DublicateReport() {
    const QString name = selectedName();
    if (name.isEmpty() || !kind_) return;
    vl::UiService& ui = engine().uiService();
    QString proposed = name;
    // a service that answers without a user could refuse for ever
    constexpr int kMaxQuestions = 20;
    for (int asked = 0; asked < kMaxQuestions; ++asked) {
        const std::optional<std::string> answer =
            ui.inputQuery("Report name", "Report name:", vl::FromQt(proposed));
        if (!answer) return;
        proposed = vl::ToQt(*answer);
        if (templates_.exists(*kind_, proposed)) {
            ui.messageBox("Already exists!", "Error", kOkButton | kErrorIcon);
            continue;
        }
        if (!TemplateFolder::validName(proposed)) {
            ui.messageBox("A report name cannot be empty or hold \".\", \"/\" or \"\\\".", "Error",
                          kOkButton | kErrorIcon);
            continue;
        }
        templates_.duplicate(*kind_, name, proposed);
        EnumerateReports();
        return;
    }
}

void TFormPreview::DeleteReport() {
    const QString name = selectedName();
    if (name.isEmpty() || !kind_) return;
    const std::string question = "Delete report " + vl::FromQt(name) + "?";
    if (engine().uiService().messageBox(question, "Confirm", kOkCancelButtons | kQuestionIcon) !=
        kResultOk)
        return;
    templates_.remove(*kind_, name);
    EnumerateReports();
}

void TFormPreview::Zoom(int tag) {
    const QString caption = ZoomMenu::apply(tag, *Preview);
    if (!caption.isEmpty()) bZoom->setText(caption);
}

void TFormPreview::ZoomBy(double percent) {
    Preview->SetZoomPercent(Preview->ZoomPercent() + percent);
    bZoom->setText(ZoomMenu::percentCaption(Preview->ZoomPercent()));
}

void TFormPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // the first showing lists the templates again, as the page's show does
    EnumerateReports();
    lbReports->setFocus();
}

void TFormPreview::keyPressEvent(QKeyEvent* event) {
    // "&Print" is the default button: Enter prints
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Preview->Print();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFormPreview::showError(const std::string& text) {
    engine().uiService().messageBox(text, "Error", kOkButton | kErrorIcon);
}

} // namespace quillet
