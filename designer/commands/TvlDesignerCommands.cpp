#include "designer/commands/TvlDesignerCommands.h"

#include "designer/commands/DesignerAsk.h"
#include "designer/commands/DesignerCommandsHost.h"
#include "designer/commands/EditorFonts.h"
#include "designer/commands/FieldBlockInserter.h"
#include "designer/commands/PageOptionValues.h"
#include "designer/commands/ReportOptionValues.h"
#include "designer/commands/TvlDesignerOptions.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TemplateFile.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/output/OutputContext.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/CodePage.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace vl {

namespace {

constexpr int kSaveChangesText = 55306;
constexpr int kToText = 55336;
constexpr int kPasswordPrompt = 55654;
constexpr int kPasswordRetypePrompt = 55655;
constexpr int kErrorCaptionId = 55206;
constexpr int kIconError = 0x10;

const char* const kSaveExtensions[] = {".vlf", ".vl3", ".vlt", ".vld"};

// Runs its action when it goes, also when an exception passes.
template <typename F> class OnExit {
public:
    explicit OnExit(F action) : action_(std::move(action)) {}
    ~OnExit() { action_(); }
    OnExit(const OnExit&) = delete;
    OnExit& operator=(const OnExit&) = delete;

private:
    F action_;
};

QString WithExtension(const QString& path, int filter) {
    const QFileInfo info(path);
    const QString folder = info.path() == QStringLiteral(".") && !path.startsWith('.')
                               ? QString()
                               : info.path() + QLatin1Char('/');
    return folder + info.completeBaseName() + QLatin1String(kSaveExtensions[filter]);
}

} // namespace

TvlDesignerCommands::TvlDesignerCommands(TvlDesignerCommandsHost& host, TvlDesignerAsk& ask)
    : host_(host), ask_(ask) {}

std::string TvlDesignerCommands::UntitledName() {
    return LoadResString(TvlReport::kUntitledId);
}

TvlReport& TvlDesignerCommands::report() {
    return host_.designer().report();
}

int TvlDesignerCommands::currentIndex() {
    return host_.designer().currentPageIndex();
}

bool TvlDesignerCommands::QuerySave() {
    if (!host_.modified()) return true;
    const std::string file = FromQt(QFileInfo(ToQt(host_.documentName())).fileName());
    const std::string question =
        LoadResString(kSaveChangesText) + " " + LoadResString(kToText) + " " + file + "?";
    switch (ask_.saveChanges(ToQt(question))) {
    case TvlAnswer::Yes:
        return SaveDocument();
    case TvlAnswer::No:
        return true;
    case TvlAnswer::Cancel:
        break;
    }
    return false;
}

// A report whose pages were replaced starts again on its first page with
// empty undo lists, also when reading failed half way (the report then
// holds what could be read, or one empty page).
void TvlDesignerCommands::afterLoad(const std::string& name) {
    host_.clearUndo();
    host_.setDocumentName(name);
    host_.designer().setModified(false);
    host_.selectPage(0);
    host_.refreshFields();
}

void TvlDesignerCommands::New() {
    if (!QuerySave()) return;
    host_.designer().unselectAll();
    report().Clear();
    report().Pages().Add();
    afterLoad(UntitledName());
}

QString TvlDesignerCommands::templateFolder() const {
    QString folder = host_.options().TemplateDir;
    if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder;
}

void TvlDesignerCommands::NewFromTemplate() {
    const std::optional<QString> chosen = ask_.chooseTemplate(templateFolder());
    if (!chosen) return;
    if (chosen->isEmpty()) {
        New();
        return;
    }
    const QString& file = *chosen;
    ReadTemplateHeader(file); // a damaged file stops here, the report untouched
    host_.designer().unselectAll();
    const bool modified = host_.modified();
    const OnExit restart([&] {
        host_.clearUndo();
        host_.setDocumentName(UntitledName());
        host_.designer().setModified(modified);
        host_.selectPage(0);
        host_.refreshFields();
    });
    LoadTemplateFile(report(), file);
}

void TvlDesignerCommands::Open() {
    if (!QuerySave()) return;
    TvlDesignerOptions& options = host_.options();
    std::string name;
    bool opened = false;
    host_.designer().unselectAll();
    {
        host_.setDrawingSuspended(true);
        const OnExit resume([this] { host_.setDrawingSuspended(false); });
        if (options.OnLoadReport) {
            opened = true;
            options.OnLoadReport(name, opened);
        } else {
            int filter = ofForm;
            const QString file = ask_.openFile(options.OpenDir, filter);
            if (file.isEmpty()) return;
            if (filter == ofDictionary) {
                report().Dictionary().LoadFromFile(file);
                host_.refreshFields();
                return;
            }
            name = FromQt(file);
            const TvlLoadOutcome loaded = report().LoadFromFile(file);
            if (loaded.kind == TvlLoadOutcome::NoFile) throw VlError(loaded.message);
            if (!loaded) {
                // what was read stays on screen, untitled: saving it cannot replace the file
                afterLoad(UntitledName());
                throw VlError(loaded.fullMessage());
            }
            opened = true;
        }
    }
    if (opened) afterLoad(name);
}

bool TvlDesignerCommands::SaveDocument() {
    const std::string name = host_.documentName();
    if (name == UntitledName()) return SaveDocumentAs();
    if (const auto& handler = host_.options().OnSaveReport) {
        std::string reportName = name;
        bool saved = true;
        handler(reportName, saved, false);
        if (saved) host_.designer().setModified(false);
        return saved;
    }
    report().SaveToFile(ToQt(name));
    host_.designer().setModified(false);
    return true;
}

bool TvlDesignerCommands::SaveDocumentAs() {
    if (const auto& handler = host_.options().OnSaveReport) {
        std::string reportName = host_.documentName();
        bool saved = true;
        handler(reportName, saved, true);
        if (!saved) return false;
        host_.setDocumentName(reportName);
        host_.designer().setModified(false);
        return true;
    }
    int filter = sfForm;
    const QString chosen =
        ask_.saveFile(host_.options().SaveDir, ToQt(host_.documentName()), filter);
    if (chosen.isEmpty() || filter < sfForm || filter > sfDictionary) return false;
    if (!saveAs(WithExtension(chosen, filter), filter)) return false;
    host_.designer().setModified(false);
    return true;
}

bool TvlDesignerCommands::saveAs(const QString& path, int filter) {
    switch (filter) {
    case sfForm:
        report().SaveToFile(path);
        host_.setDocumentName(FromQt(path));
        return true;
    case sfForm3:
        report().ExportXml(path);
        host_.setDocumentName(FromQt(path));
        return true;
    case sfTemplate: {
        const QString folder = host_.options().TemplateDir;
        const QString target =
            folder.isEmpty() ? path : folder + QLatin1Char('/') + QFileInfo(path).fileName();
        TvlTemplateHeader header;
        if (!ask_.describeTemplate(header)) return false;
        SaveTemplateFile(report(), target, header);
        return true;
    }
    default:
        // The dictionary alone: the template itself stays unsaved.
        report().Dictionary().SaveToFile(path);
        return false;
    }
}

void TvlDesignerCommands::Preview() {
    TvlDesignerHost& designer = host_.designer();
    TvlReport& rep = report();
    QStringList missing;
    for (const std::string& name : rep.MissingDataSources())
        missing << ToQt(name);
    if (!missing.isEmpty() && !ask_.previewWithoutData(missing)) return;
    const ScopedValue modal(rep.ModalPreview, true);
    QCoreApplication::processEvents();
    designer.unselectAll();
    host_.redrawPage();
    host_.setDrawingSuspended(true);
    host_.enterPreview();
    const OnExit restore([&] {
        host_.setDrawingSuspended(false);
        host_.leavePreview();
        host_.selectPage(currentIndex());
        designer.selectionChanged();
    });
    if (!rep.PrepareReport()) {
        rep.ShowBuildFailure();
        return;
    }
    // The pages open in the stand-alone preview window, not in a pane.
    ask_.showPrepared(rep);
}

void TvlDesignerCommands::DataDictionary() {
    if (!ask_.editDictionary(report())) return;
    host_.refreshFields();
    host_.designer().setModified(true);
}

bool TvlDesignerCommands::editPage(TvlPage& page) {
    const TvlDesignerSettings& settings = host_.designer().settings();
    TvlPageOptionValues values =
        TvlPageOptionValues::FromPage(page, page.Engine().printer(), settings.unlimitedHeight);
    if (!ask_.pageOptions(values, page.Engine().printer())) return false;
    host_.designer().setModified(true);
    if (values.unlimitedHeight != settings.unlimitedHeight) {
        TvlDesignerSettings changed = settings;
        changed.unlimitedHeight = values.unlimitedHeight;
        host_.applySettings(changed);
    }
    values.ApplyTo(page, page.Engine().printer());
    host_.selectPage(currentIndex());
    return true;
}

bool TvlDesignerCommands::PageOptions() {
    TvlPage* page = host_.designer().currentPage();
    return page && editPage(*page);
}

void TvlDesignerCommands::AddPage() {
    host_.designer().unselectAll();
    host_.redrawPage();
    TvlPages& pages = report().Pages();
    TvlPage& page = pages.Add();
    if (editPage(page)) {
        host_.designer().setModified(true);
        host_.selectPage(pages.Count() - 1);
        return;
    }
    pages.Delete(pages.Count() - 1);
    host_.selectPage(currentIndex());
}

void TvlDesignerCommands::AddDialogForm() {
    host_.designer().unselectAll();
    TvlPages& pages = report().Pages();
    pages.Add().PageType = ptDialog;
    host_.designer().setModified(true);
    host_.selectPage(pages.Count() - 1);
}

// Sub-report objects that showed the removed page go with it; those that
// show later pages follow them one place down.
void TvlDesignerCommands::deleteSubReportsOf(int pageIndex) {
    TvlPages& pages = report().Pages();
    for (int i = 0; i < pages.Count(); ++i) {
        auto& objects = pages[i].Objects;
        std::erase_if(objects, [pageIndex](const std::unique_ptr<TvlView>& view) {
            const auto* sub = dynamic_cast<const TvlSubReportView*>(view.get());
            return sub && sub->SubPage == pageIndex;
        });
        for (auto& view : objects)
            if (auto* sub = dynamic_cast<TvlSubReportView*>(view.get());
                sub && sub->SubPage > pageIndex)
                --sub->SubPage;
    }
}

void TvlDesignerCommands::RemovePage() {
    TvlPages& pages = report().Pages();
    if (pages.Count() <= 1 || !ask_.confirmRemovePage()) return;
    const int index = currentIndex();
    if (index < 0 || index >= pages.Count()) return;
    host_.designer().unselectAll();
    host_.designer().setModified(true);
    pages.Delete(index);
    deleteSubReportsOf(index);
    host_.selectPage(0);
    host_.clearUndo();
}

void TvlDesignerCommands::askPassword(bool& protect) {
    TvlReportInfo& info = report().Info;
    const std::optional<std::string> first = ask_.password(kPasswordPrompt);
    if (!first) {
        info.Password.clear();
        protect = false;
        return;
    }
    const std::optional<std::string> second = ask_.password(kPasswordRetypePrompt);
    if (!second || *second != *first) {
        protect = false;
        return;
    }
    info.Password = *first;
}

void TvlDesignerCommands::ReportOptions() {
    TvlReport& rep = report();
    TvlPrinter& printer = rep.Engine().printer();
    TvlReportOptionValues values = TvlReportOptionValues::FromReport(rep, printer);
    const int oldPrinter = printer.SelectedPrinter();
    if (!ask_.reportOptions(values)) return;
    values.ApplyTexts(rep);
    if (values.printerIndex >= 0 && values.printerIndex != oldPrinter &&
        !rep.ChangePrinter(oldPrinter, values.printerIndex))
        rep.Engine().uiService().messageBox(LoadResString(TvlReport::kInvalidPrinterId),
                                            LoadResString(kErrorCaptionId), kIconError);
    host_.designer().setModified(true);
    bool protect = values.passwordProtected;
    if (rep.Info.Password.empty() && protect) askPassword(protect);
    rep.Info.Protected = protect;
    if (!protect) rep.Info.Password.clear();
    host_.selectPage(currentIndex());
}

void TvlDesignerCommands::DesignerOptions() {
    TvlDesignerSettings settings = host_.designer().settings();
    TvlEditorFonts fonts;
    fonts.load();
    if (!ask_.designerOptions(settings, fonts)) return;
    fonts.save();
    host_.applySettings(settings);
    host_.selectPage(currentIndex());
}

void TvlDesignerCommands::InsertDBFields() {
    TvlDesignerHost& designer = host_.designer();
    TvlPage* page = designer.currentPage();
    if (!page || page->PageType != ptReport) return;
    TvlFieldBlockChoice choice;
    if (!ask_.chooseFields(report(), choice)) return;
    if (choice.dataSet.empty() || choice.fields.empty()) return;
    designer.unselectAll();
    TvlFieldBlockInserter inserter(report(), *page, designer.settings().gridSize,
                                   host_.defaultMemoSize(), designer.session().newObject);
    const std::vector<TvlView*> made = inserter.Insert(choice);
    for (TvlView* view : made)
        designer.session().selected.select(*view);
    TvlDesignerSelection& selection = designer.selection();
    selection.count = static_cast<int>(made.size());
    selection.object = made.size() == 1 ? made.front() : nullptr;
    designer.setModified(true);
    designer.selectionChanged();
    host_.layoutSelection();
    host_.redrawPage();
    designer.takeSnapshot(skInsert);
}

} // namespace vl
