#pragma once

#include "engine/build/BuildOutcome.h"
#include "engine/build/LoadOutcome.h"
#include "engine/build/PreviewZoom.h"
#include "engine/build/PrintOutcome.h"
#include "engine/build/TvlDataset.h"
#include "engine/build/TvlPages.h"
#include "engine/build/TvlReportInfo.h"
#include "engine/model/ViewServices.h"
#include "engine/output/PrintOrder.h"
#include "engine/script/Component.h"
#include "engine/script/ComponentRef.h"
#include "engine/script/EmptyReportBinding.h"
#include "engine/script/Errors.h"
#include "engine/script/TvlDataDictionary.h"

#include <QDateTime>
#include <QString>
#include <Qt>
#include <functional>
#include <memory>
#include <string>

namespace vl {

class Stream;
class MemoryStream;
class TvlBand;
class TvlBuildRun;
class TvlDataset;
class TvlEngine;
class TvlEMFPages;
class TemplateSnapshot;

enum TvlReportType : std::uint8_t { rtSimple = 0, rtMultiple = 1 };
enum TvlPreviewButton : std::uint8_t {
    pbZoom = 0x01,
    pbLoad = 0x02,
    pbSave = 0x04,
    pbPrint = 0x08,
    pbFind = 0x10,
    pbHelp = 0x20,
    pbExit = 0x40,
    pbPageSetup = 0x80,
};

// The report's events; unassigned ones are skipped.
struct TvlReportEvents {
    std::function<void()> OnBeginDoc;
    std::function<void()> OnEndDoc;
    std::function<void(int pgNo)> OnBeginPage;
    std::function<void(int pgNo)> OnEndPage;
    std::function<void(TvlBand& Band)> OnBeginBand;
    std::function<void(TvlBand& Band)> OnEndBand;
    // First step of every name lookup: leave ParValue empty to let the
    // engine go on.
    std::function<void(std::string_view ParName, Variant& ParValue)> OnGetValue;
    // Before each object is written, with the lines it is about to output.
    std::function<void(StringList& Memo, TvlView& View)> OnBeforePrint;
    // Last step of every function call.
    std::function<void(std::string_view Name, const Variant& p1, const Variant& p2,
                       const Variant& p3, Variant& Val)>
        OnUserFunction;
    // Replaces the progress window's page counter.
    std::function<void(int n)> OnProgress;
    std::function<void(TvlBand& Band)> OnBeginColumn;
    std::function<void(int ColNo, int& Width)> OnPrintColumn;
    // Replaces a report page's own band run.
    std::function<void(TvlPage& Page)> OnManualBuild;
    std::function<void(TvlView& View)> OnObjectClick;
    std::function<void(TvlView& View, Qt::CursorShape& Cursor)> OnMouseOverObject;
    std::function<void()> OnPrintReport;
    std::function<void(TvlReport& Sender)> OnCustomizeObject;
};

// A template stream this engine cannot read: a version it does not know,
// or damaged contents.
// The message stays the same; the engine error that made the stream
// unreadable, when there was one, is kept as the cause.
class UnsupportedTemplateError : public VlError {
public:
    explicit UnsupportedTemplateError(std::string cause = {})
        : VlError("Unsupported VLF format"), cause_(std::move(cause)) {}
    const std::string& cause() const { return cause_; }

private:
    std::string cause_;
};

// A protected template read without its password (a wrong one, or none
// given): the report is left empty, with one page, and says so instead of
// passing for an empty template.
class WrongPasswordError : public VlError {
public:
    explicit WrongPasswordError(bool entered)
        : VlError(entered ? "The password is wrong, so the template was not opened"
                          : "The template is protected by a password, and none was given") {}
};

// The report component: it owns the template (pages with their objects, the
// data dictionary and the report information) and reads and writes it.
// While it loads it is the engine's current report (the view host).
class TvlReport : public TvlComponent,
                  public TvlViewHost,
                  public TvlDictionaryContext,
                  public EmptyReportBinding {
public:
    // The stream caption of the password dialog and its prompt.
    static constexpr int kPasswordCaptionId = 55653;
    static constexpr int kPasswordPromptId = 55654;
    static constexpr int kUntitledId = 55209;
    static constexpr int kInvalidPrinterId = 55777; // "Printer selected is not valid"

    // A report of the engine instance the calling thread works for.
    explicit TvlReport(std::string name = "Report1", TvlComponent* owner = nullptr);
    // A report of the given engine instance: its builds, loads and print
    // runs use that instance's parts, whichever thread runs them.
    TvlReport(TvlEngine& engine, std::string name, TvlComponent* owner = nullptr);
    ~TvlReport() override;

    // The engine instance the report belongs to.
    TvlEngine& Engine() const { return engine_; }
    // The build that runs, while PrepareReport runs; none otherwise.
    TvlBuildRun* Run() const { return run_; }

    TvlPages& Pages() { return pages_; }
    const TvlPages& Pages() const { return pages_; }
    TvlDataDictionary& Dictionary() { return dictionary_; }
    const TvlDataDictionary& Dictionary() const { return dictionary_; }
    TvlReportInfo Info;

    // The pages the last build produced (or that were loaded from a file).
    TvlEMFPages& EMFPages() { return *emfPages_; }
    const TvlEMFPages& EMFPages() const { return *emfPages_; }
    // Hands the prepared pages to a preview, which shows them while the
    // report keeps a new empty store; GiveBackPages returns them (an empty
    // pointer leaves the report's store as it is).
    std::unique_ptr<TvlEMFPages> TakeEMFPages();
    void GiveBackPages(std::unique_ptr<TvlEMFPages> pages);

    // Published settings.
    // Cleared when the data set is destroyed.
    ComponentRef<TvlDataset> Dataset;
    TvlReportType ReportType = rtSimple;
    std::string Title;
    bool ShowProgress = true;
    bool PrintIfEmpty = true;
    bool ModalPreview = true;
    bool MDIPreview = false;
    bool ModifyPrepared = true;
    std::uint8_t PreviewButtons = 0x7F;
    TvlPreviewZoom InitialZoom = pzDefault;
    bool GrayedButtons = false;
    std::int32_t DefaultCopies = 1;
    bool DefaultCollate = true;
    bool ShowPrintDialog = true;
    bool RebuildPrinter = false;
    bool UseDefaultDataSetName = false;
    TvlReportEvents Events;

    // Builds the template into the prepared pages. True when it was built
    // (LastOutcome tells what else happened); the template is the same,
    // object for object, afterwards.
    bool PrepareReport();
    // How the last build ended. The engine shows nothing itself: a window
    // that built the report tells a failure with ShowBuildFailure.
    const TvlBuildOutcome& LastOutcome() const { return outcome_; }
    // Why a build asked for while another runs in the engine is refused.
    static constexpr const char* kBuildRunningText =
        "A report is being built; another build can start when it has finished";
    // Shows the message of a last build that failed (or was refused) in the
    // message box of the report's engine; false when it did not fail.
    bool ShowBuildFailure();
    // Whether a build runs in the report's engine instance (PrepareReport
    // refuses to start another until it ends).
    bool BuildRunning() const;
    // The moment a build takes as "now" (DATE, TIME); the clock when unset.
    std::function<QDateTime()> Now;
    // The error text of the last build that failed; empty after a good one.
    const std::string& LastBuildError() const { return outcome_.message; }
    // The object of that name on the first page that has one.
    TvlView* FindObject(std::string_view name) const { return findObject(name); }
    // The text of a bracket as a text object shows it: the name or
    // expression resolved, then formatted.
    std::string EvaluateField(std::string_view text, TvlView& view);
    // Shows the page count in the progress window (or tells OnProgress).
    void ReportProgress(int n);

    // Steps of a build that its pages and bands call.
    void FireBeginBand(TvlBand& band);
    void FireEndBand(TvlBand& band);
    void FireBeginColumn(TvlBand& band);
    void FirePrintColumn(int column, int& width);
    void FireEndPage(int pageIndex);
    // Records the error of an object or script with the object's text and
    // stops the build. The first error of a build is the one kept.
    void HandleBuildError(const std::exception& error);
    // The stream of the prepared page being written.
    Stream& PreparedStream();
    // Opens a new prepared page with the paper of a template page.
    void AppendPreparedPage(const TvlPage& page);

    // The prepared-report file (".vlp"). A loaded report cannot be built
    // again until its template builds anew.
    void LoadPreparedReport(const QString& path);
    void SavePreparedReport(const QString& path);

    // Opens the installed designer modally on the template (a report
    // without pages gets one empty page first) and returns its modal
    // result: 1 closed through Exit, 2 through the close box; 2 as well
    // when no designer is installed.
    int DesignReport();
    // Lets the installed designer edit prepared page i: the template is
    // put aside while the page's objects stand alone on one template page;
    // when the designer changed them and the user agrees they replace the
    // prepared page's objects. The template is restored afterwards, also
    // when the designer fails. False without a designer or with an index
    // outside the prepared pages.
    bool EditPreparedPage(int i);

    // The data sources that data bands of the template name but that lead
    // nowhere here (no such data source or table), each once, in page
    // order: their bands would print nothing.
    StringList MissingDataSources() const;

    // True while the pass that writes the real output runs.
    bool FinalPass() const { return finalPass_; }
    // Set by the last build; cleared when prepared pages are loaded.
    bool Rebuildable() const { return rebuildable_; }

    // Stored in the template: build twice (the first pass counts pages),
    // keep the default printer, and the printer the report was laid out on.
    bool TwoPass = false;
    bool PrintToDefault = false;
    std::string PrinterName;
    std::string FileName;
    // When set, SaveToStream writes the XML document of the later format.
    bool XmlExport = false;
    // Keep the template inside the form that holds the report.
    bool StoreInDFM = false;

    // Empties the template: pages, dictionary lists and report information.
    void Clear();

    // Replaces the template by the stream's contents. Raises
    // UnsupportedTemplateError for versions above 25 (only the dictionary
    // was emptied) and for damaged streams (one empty page remains), and
    // ClassNotFoundError with the non-plugged components text when add-in
    // classes are missing (the objects that could be read remain), and
    // WrongPasswordError when a protected file is not unlocked.
    void LoadFromStream(Stream& stream);
    void SaveToStream(Stream& stream);
    // Reads the template file and says how that went; it raises nothing.
    // Nothing changes when the file does not exist. A template that is not
    // loaded whole keeps its previous file name (or becomes untitled after a
    // wrong password), so that saving cannot replace the file with less.
    [[nodiscard]] TvlLoadOutcome LoadFromFile(const QString& path);
    // The page part alone (pages, objects and dictionary, no version byte
    // and no report information), as report skeleton files keep it. Reading
    // empties the report first and takes the stream as the current version.
    void LoadPagePart(Stream& stream);
    void SavePagePart(Stream& stream);
    // Raises VlError when the file cannot be written; the file that was
    // there before stays as it was.
    void SaveToFile(const QString& path);
    // Writes the XML document next to path, with the extension ".vl3"
    // (replacing an older one only when the whole document was written).
    void ExportXml(const QString& path);

    // The form property "ReportForm": the number 25 and, with StoreInDFM,
    // the byte count and the template. Reading keeps the template until the
    // form has finished loading (FormLoaded).
    void WriteFormProperty(Stream& stream);
    void ReadFormProperty(Stream& stream);
    void FormLoaded();

    // Selects the printer of that name unless the report keeps the default
    // printer; remembers the name in every case.
    void SetPrinterName(const std::string& name);
    // Moves the report to the printer at index newIndex of the printer
    // list, its pages taking their paper there. When that fails the old
    // printer comes back and the result is false; the caller tells the
    // user (kInvalidPrinterId).
    bool ChangePrinter(int oldIndex, int newIndex);

    // Prints the prepared pages: the page list ("1,3,5-12", empty for
    // all), copies, collation and parity (TvlPrintParity), in the progress
    // window when the report shows progress, and says how that went; it
    // raises nothing. The page list is checked before anything is printed;
    // a printer's error ends the run after the window closed.
    TvlPrintOutcome PrintPreparedReport(const std::string& pageList, int copies, bool collate,
                                        int parity);
    // The request of the print run in progress (or of the last one).
    const TvlPrintRequest& PrintRequest() const { return printRequest_; }
    // Every object of every page, in page and object order.
    template <typename F> void ForEachObject(F&& visit) const {
        for (int i = 0; i < pages_.Count(); ++i)
            for (const auto& view : pages_[i].Objects)
                visit(*view);
    }

    // TvlViewHost
    std::string componentName() const override { return name(); }
    TvlView* findObject(std::string_view name) const override;
    bool hasBeforePrintHandler() const override { return static_cast<bool>(Events.OnBeforePrint); }
    bool isFirstOfTwoPasses() const override { return building_ && TwoPass && !finalPass_; }
    Variant evaluate(std::string_view expression) override;
    std::string expandBracket(std::string_view bracketText, TvlView& view) override;
    void runScript(TvlView& view, const StringList& script) override;
    void beforeObjectOutput(TvlView& view) override;
    bool resolveDataField(std::string_view reference, TvlComponent*& dataSet,
                          std::string& field) override;

    // TvlDictionaryContext
    const ComponentDirectory& dictionaryComponents() const override;
    TvlScriptContext& dictionaryEngine() const override;
    const TvlComponent* dictionaryOwner() const override { return owner(); }
    TvlComponent* bandContextTable() const override;

    // ScriptReportBinding
    TvlObject* findObject(std::string_view name) override;
    int pageCount() const override { return pages_.Count(); }
    TvlObject* page(int index) override;
    TvlObject* findObjectOnPage(int index, std::string_view name) override;
    TvlScriptObject* runningObject() override;
    bool setDictionaryVariable(std::string_view name, const Variant& value) override;
    void setModalResult(int value) override;
    void setCurY(int value) override;
    void showProgress(const std::string& text) override;
    void resolveName(std::string_view name, Variant& value) override;
    void callFunction(std::string_view name, const Variant& p1, const Variant& p2,
                      const Variant& p3, Variant& val) override;

protected:
    // One pass: every page of the template run once (or once per record of
    // Dataset for rtMultiple).
    virtual void BuildPages();
    // The page loop of a print run; false when it was stopped.
    virtual bool PrintPages(const std::string& pageList, int copies, bool collate, int parity);
    // The run in the progress window when the report shows one; false when
    // it was cancelled, and the run's errors reach the caller.
    bool printWithProgress(const std::string& pageList, int copies, bool collate, int parity);
    bool builtInValue(std::string_view name, Variant& value) override;
    bool systemValue(std::string_view name, Variant& value) override;
    void reportProcedure(std::string_view name, const Variant& p1) override;

private:
    void connectPages();
    void loadTemplate(Stream& stream);
    void readTrailer(Stream& stream);
    void checkPassword(const Stream& stream);
    // Pages removed and one empty page added.
    void resetToEmptyPage();
    bool RunPasses();
    void RunBuildPass();
    void runPageLoop();
    void initPages();
    void donePages();
    void alignObjectsToBands();
    void restoreTemplate(TemplateSnapshot& saved);
    TvlBuildOutcome::Kind outcomeKind(bool result) const;
    bool refuseNestedBuild();
    void dictionaryValue(std::string_view name, Variant& value);

    TvlEngine& engine_;
    TvlBuildRun* run_ = nullptr;
    TvlPages pages_;
    TvlDataDictionary dictionary_;
    std::vector<std::uint8_t> formTemplate_;
    std::unique_ptr<TvlEMFPages> emfPages_;
    bool finalPass_ = false;
    bool rebuildable_ = false;
    bool building_ = false;
    bool twoPassAtStart_ = false;
    TvlBuildOutcome outcome_;
    TvlPrintRequest printRequest_;
    // "VALUE": the result of the last bracket evaluated.
    Variant currentValue_;
    // How deep dictionary variables are being resolved inside each other.
    int dictionaryDepth_ = 0;
};

} // namespace vl
