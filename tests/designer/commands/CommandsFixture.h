#pragma once

#include "designer/commands/DesignerAsk.h"
#include "designer/commands/DesignerCommandsHost.h"
#include "designer/commands/EditorFonts.h"
#include "designer/commands/FieldBlockInserter.h"
#include "designer/commands/PageOptionValues.h"
#include "designer/commands/ReportOptionValues.h"
#include "designer/commands/TvlDesignerCommands.h"
#include "designer/commands/TvlDesignerOptions.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TemplateFile.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/OutputContext.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/CodePage.h"

#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace vltest {

using namespace vl;

// The designer window as the commands see it: it keeps the document name,
// the modified flag, the current page and the selection, and counts what
// the commands ask of it.
class RecordingHost : public TvlDesignerHost, public TvlDesignerCommandsHost {
public:
    explicit RecordingHost(TvlReport& report) : report_(report) {}

    TvlReport& report() override { return report_; }
    TvlPage* currentPage() override {
        return page_ >= 0 && page_ < report_.Pages().Count() ? &report_.Pages()[page_] : nullptr;
    }
    int currentPageIndex() const override { return page_; }
    TvlDesignerSelection& selection() override { return selection_; }
    const TvlDesignerSettings& settings() const override { return settings_; }
    TvlDesignerSession& session() override { return session_; }
    TvlDesignerSession session_;
    void unselectAll() override {
        session_.selected.clear();
        selection_.count = 0;
        selection_.object = nullptr;
    }
    void selectionChanged() override { ++selectionChanges; }
    void setModified(bool modified) override { modified_ = modified; }
    void takeSnapshot(TvlSnapshotKind kind) override { snapshots.push_back(kind); }
    void editObject(bool) override {}
    void pageOptions() override {}
    int chooseBandType() override { return -1; }
    void showContextMenu(const QPoint&) override {}
    void updateStatus() override {}
    void pagesChanged() override {}
    void selectTool(int) override {}
    QSize workspaceSize() const override { return {800, 600}; }
    QPoint workspaceOffset() const override { return {}; }
    void scrollWorkspace(const QPoint&) override {}

    TvlDesignerHost& designer() override { return *this; }
    TvlDesignerOptions& options() override { return options_; }
    QWidget* dialogParent() override { return nullptr; }
    std::string documentName() const override { return name_; }
    void setDocumentName(const std::string& name) override { name_ = name; }
    bool modified() const override { return modified_; }
    void selectPage(int index) override { page_ = index; }
    void clearUndo() override { ++undoClears; }
    void refreshFields() override { ++fieldRefreshes; }
    void setDrawingSuspended(bool suspended) override { drawingSuspended = suspended; }
    void redrawPage() override {}
    void layoutSelection() override {}
    QSize defaultMemoSize() const override { return {72, 18}; }
    void applySettings(const TvlDesignerSettings& settings) override { settings_ = settings; }
    void enterPreview() override { inPreview = true; }
    void leavePreview() override { inPreview = false; }

    TvlDesignerOptions options_;
    TvlDesignerSettings settings_;
    std::string name_ = TvlDesignerCommands::UntitledName();
    bool modified_ = false;
    int page_ = 0;
    TvlDesignerSelection selection_;
    std::vector<TvlSnapshotKind> snapshots;
    int selectionChanges = 0, undoClears = 0, fieldRefreshes = 0;
    bool drawingSuspended = false, inPreview = false;

private:
    TvlReport& report_;
};

// Answers the commands' questions from what the test queued; a question
// nobody queued an answer for fails the test.
class ScriptedAsk : public TvlDesignerAsk {
public:
    std::deque<TvlAnswer> saveAnswers;
    bool removeAnswer = true;
    QString file;
    int filterChosen = 0;
    TvlTemplateHeader header;
    bool headerOk = true;
    std::function<bool(TvlPageOptionValues&)> onPageOptions;
    std::function<bool(TvlReportOptionValues&)> onReportOptions;
    std::deque<std::optional<std::string>> passwords;
    std::function<bool(TvlReport&)> onDictionary;
    std::function<bool(TvlFieldBlockChoice&)> onFields;
    QStringList questions;
    int previews = 0;

    TvlAnswer saveChanges(const QString& question) override {
        questions << question;
        if (saveAnswers.empty()) {
            ADD_FAILURE() << "unexpected save question";
            return TvlAnswer::Cancel;
        }
        const TvlAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    bool confirmRemovePage() override { return removeAnswer; }
    QString openFile(const QString&, int& filter) override {
        filter = filterChosen;
        return file;
    }
    QString saveFile(const QString&, const QString&, int& filter) override {
        filter = filterChosen;
        return file;
    }
    // The file, the blank report when blankTemplate is set, else Cancel.
    std::optional<QString> chooseTemplate(const QString&) override {
        if (blankTemplate) return QString();
        return file.isEmpty() ? std::nullopt : std::optional<QString>(file);
    }
    bool blankTemplate = false;
    bool describeTemplate(TvlTemplateHeader& h) override {
        h = header;
        return headerOk;
    }
    bool pageOptions(TvlPageOptionValues& v, const TvlPrinter&) override {
        return onPageOptions && onPageOptions(v);
    }
    bool reportOptions(TvlReportOptionValues& v) override {
        return onReportOptions && onReportOptions(v);
    }
    std::optional<std::string> password(int) override {
        if (passwords.empty()) return std::nullopt;
        auto entry = passwords.front();
        passwords.pop_front();
        return entry;
    }
    std::function<bool(TvlDesignerSettings&, TvlEditorFonts&)> onDesignerOptions;
    bool designerOptions(TvlDesignerSettings& s, TvlEditorFonts& f) override {
        return onDesignerOptions && onDesignerOptions(s, f);
    }
    bool editDictionary(TvlReport& report) override { return onDictionary && onDictionary(report); }
    bool chooseFields(const TvlReport&, TvlFieldBlockChoice& c) override {
        return onFields && onFields(c);
    }
    void showPrepared(TvlReport&) override { ++previews; }
    bool previewWithoutData(const QStringList& sources) override {
        missingData = sources;
        return previewAnyway;
    }
    QStringList missingData;
    bool previewAnyway = true;
};

// A report on a form, one empty page, the host and the commands.
class CommandsFixture : public ::testing::Test {
protected:
    CommandsFixture() {
        Globals().components().add(&form);
        report.Pages().Add();
    }
    ~CommandsFixture() override { Globals().components().remove(&form); }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    TvlComponent form{"Form1"};
    TvlReport report{"Report1", &form};
    RecordingHost host{report};
    ScriptedAsk ask;
    TvlDesignerCommands commands{host, ask};
};

} // namespace vltest
