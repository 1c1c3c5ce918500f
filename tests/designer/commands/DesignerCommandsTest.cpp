#include "engine/build/TvlDataset.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/BandType.h"
#include "engine/script/CodePage.h"
#include "tests/designer/commands/CommandsFixture.h"
#include "tests/support/ThreadEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace vltest;

namespace {

std::string Std(const QString& text) {
    return FromQt(text);
}

TvlSubReportView& AddSubReport(TvlPage& page, int subPage) {
    auto view = std::make_unique<TvlSubReportView>();
    view->SubPage = subPage;
    return static_cast<TvlSubReportView&>(page.AddObject(std::move(view)));
}

} // namespace

TEST_F(CommandsFixture, SavingAnUntitledReportAsksForANameAndADictionaryLeavesItUnsaved) {
    host.modified_ = true;
    report.Dictionary().Variables.SetVariable(" Sums", Variant(""));
    report.Dictionary().Variables.SetVariable("Total", Variant("1"));
    ask.file = path("tasks.vlf");
    ask.filterChosen = sfDictionary;
    EXPECT_FALSE(commands.SaveDocument());
    EXPECT_TRUE(QFileInfo::exists(path("tasks.vld")));
    EXPECT_FALSE(QFileInfo::exists(path("tasks.vlf")));
    EXPECT_TRUE(host.modified());
    EXPECT_EQ(host.documentName(), TvlDesignerCommands::UntitledName());

    ask.filterChosen = sfForm;
    ask.file = path("tasks.vld"); // the filter's extension wins
    EXPECT_TRUE(commands.SaveDocument());
    EXPECT_EQ(host.documentName(), Std(path("tasks.vlf")));
    EXPECT_FALSE(host.modified());
    TvlReport reread;
    ASSERT_TRUE(reread.LoadFromFile(path("tasks.vlf")));
    EXPECT_GE(reread.Dictionary().Variables.IndexOf("Total"), 0);

    // Saved under a name, Save writes there without asking.
    host.modified_ = true;
    ask.file.clear();
    report.Pages().Add();
    EXPECT_TRUE(commands.SaveDocument());
    ASSERT_TRUE(reread.LoadFromFile(path("tasks.vlf")));
    EXPECT_EQ(reread.Pages().Count(), 2);

    ask.filterChosen = sfForm3;
    ask.file = path("export.vlf");
    EXPECT_TRUE(commands.SaveDocumentAs());
    EXPECT_EQ(host.documentName(), Std(path("export.vl3")));
    EXPECT_TRUE(QFileInfo::exists(path("export.vl3")));
}

TEST_F(CommandsFixture, ASkeletonGoesIntoTheTemplateFolderAndKeepsTheDocumentName) {
    host.options_.TemplateDir = path("skeletons");
    ASSERT_TRUE(QDir().mkpath(host.options_.TemplateDir));
    host.name_ = Std(path("current.vlf"));
    host.modified_ = true;
    ask.filterChosen = sfTemplate;
    ask.file = path("elsewhere/List.vlf");
    ask.header = {{"A list"}, {}};

    ask.headerOk = false; // Cancel in the description dialog
    EXPECT_FALSE(commands.SaveDocumentAs());
    EXPECT_TRUE(host.modified());

    ask.headerOk = true;
    EXPECT_TRUE(commands.SaveDocumentAs());
    EXPECT_TRUE(QFileInfo::exists(path("skeletons/List.vlt")));
    EXPECT_FALSE(QFileInfo::exists(path("elsewhere/List.vlt")));
    EXPECT_EQ(host.documentName(), Std(path("current.vlf")));
    EXPECT_FALSE(host.modified());
    EXPECT_EQ(ReadTemplateHeader(path("skeletons/List.vlt")).Description, StringList{"A list"});
}

TEST_F(CommandsFixture, OpeningADictionaryKeepsTheNameAndTheModifiedFlag) {
    report.Dictionary().Variables.SetVariable(" Rates", Variant(""));
    report.Dictionary().Variables.SetVariable("Rate", Variant("7"));
    report.Dictionary().SaveToFile(path("shared.vld"));
    report.Dictionary().Clear();
    host.name_ = Std(path("mine.vlf"));
    host.modified_ = true;

    ask.saveAnswers = {TvlAnswer::No};
    ask.filterChosen = ofDictionary;
    ask.file = path("shared.vld");
    commands.Open();
    EXPECT_GE(report.Dictionary().Variables.IndexOf("Rate"), 0);
    EXPECT_EQ(host.documentName(), Std(path("mine.vlf")));
    EXPECT_TRUE(host.modified());
    EXPECT_EQ(host.undoClears, 0);
    EXPECT_FALSE(host.drawingSuspended);

    // A form replaces the report and starts clean on its first page.
    TvlReport other;
    other.Pages().Add();
    other.Pages().Add();
    other.SaveToFile(path("two.vlf"));
    host.page_ = 0;
    ask.saveAnswers = {TvlAnswer::No};
    ask.filterChosen = ofForm;
    ask.file = path("two.vlf");
    commands.Open();
    EXPECT_EQ(report.Pages().Count(), 2);
    EXPECT_EQ(host.documentName(), Std(path("two.vlf")));
    EXPECT_FALSE(host.modified());
    EXPECT_EQ(host.undoClears, 1);
}

TEST_F(CommandsFixture, TheSaveQuestionDecidesWhetherNewGoesOn) {
    report.Pages().Add();
    host.modified_ = true;
    ask.saveAnswers = {TvlAnswer::Cancel};
    commands.New();
    EXPECT_EQ(report.Pages().Count(), 2);
    EXPECT_EQ(ask.questions.value(0), QStringLiteral("Save changes to Untitled?"));

    // Yes on an untitled report runs Save as; cancelling that stops New.
    ask.saveAnswers = {TvlAnswer::Yes};
    ask.file.clear();
    commands.New();
    EXPECT_EQ(report.Pages().Count(), 2);

    ask.saveAnswers = {TvlAnswer::No};
    commands.New();
    EXPECT_EQ(report.Pages().Count(), 1);
    EXPECT_FALSE(host.modified());
    EXPECT_EQ(host.documentName(), TvlDesignerCommands::UntitledName());
    EXPECT_EQ(host.fieldRefreshes, 1);
}

TEST_F(CommandsFixture, ASaveHandlerThatSavedNothingIsNoSuccess) {
    host.name_ = "Stored report";
    host.modified_ = true;
    bool answer = false;
    host.options_.OnSaveReport = [&](std::string& name, bool& saved, bool saveAs) {
        saved = answer;
        if (saveAs) name = "Renamed";
    };
    EXPECT_FALSE(commands.SaveDocument());
    EXPECT_TRUE(host.modified());
    EXPECT_FALSE(commands.SaveDocumentAs());
    EXPECT_EQ(host.documentName(), "Stored report");
    answer = true;
    EXPECT_TRUE(commands.SaveDocumentAs());
    EXPECT_EQ(host.documentName(), "Renamed");
    EXPECT_FALSE(host.modified());
}

TEST_F(CommandsFixture, AddPageFollowsThePageOptionsAnswer) {
    ask.onPageOptions = [](TvlPageOptionValues&) { return false; };
    commands.AddPage();
    EXPECT_EQ(report.Pages().Count(), 1);
    EXPECT_FALSE(host.modified());
    EXPECT_EQ(host.currentPageIndex(), 0);

    ask.onPageOptions = [](TvlPageOptionValues& v) {
        v.columns = QStringLiteral("2");
        return true;
    };
    commands.AddPage();
    ASSERT_EQ(report.Pages().Count(), 2);
    EXPECT_EQ(report.Pages()[1].Columns, 2);
    EXPECT_TRUE(host.modified());
    EXPECT_EQ(host.currentPageIndex(), 1);

    commands.AddDialogForm();
    ASSERT_EQ(report.Pages().Count(), 3);
    EXPECT_EQ(report.Pages()[2].PageType, ptDialog);
    EXPECT_EQ(host.currentPageIndex(), 2);
}

TEST_F(CommandsFixture, RemovingAPageTakesItsSubReportsAndRenumbersTheOthers) {
    report.Pages().Add();
    report.Pages().Add();
    report.Pages().Add();
    TvlPage& first = report.Pages()[0];
    AddSubReport(first, 1).Name = "ShowsRemoved";
    AddSubReport(first, 2).Name = "ShowsLater";
    AddSubReport(report.Pages()[3], 3).Name = "ShowsLast";
    host.page_ = 1;

    ask.removeAnswer = false;
    commands.RemovePage();
    EXPECT_EQ(report.Pages().Count(), 4);

    ask.removeAnswer = true;
    commands.RemovePage();
    ASSERT_EQ(report.Pages().Count(), 3);
    EXPECT_EQ(report.FindObject("ShowsRemoved"), nullptr);
    auto* later = dynamic_cast<TvlSubReportView*>(report.FindObject("ShowsLater"));
    auto* last = dynamic_cast<TvlSubReportView*>(report.FindObject("ShowsLast"));
    ASSERT_TRUE(later && last);
    EXPECT_EQ(later->SubPage, 1);
    EXPECT_EQ(last->SubPage, 2);
    EXPECT_EQ(host.currentPageIndex(), 0);
    EXPECT_EQ(host.undoClears, 1);
    EXPECT_TRUE(host.modified());

    // The last page stays.
    commands.RemovePage();
    commands.RemovePage();
    commands.RemovePage();
    EXPECT_EQ(report.Pages().Count(), 1);
}

TEST_F(CommandsFixture, PageOptionsTakeMillimetresAndFallBackOnBadNumbers) {
    TvlPage& page = report.Pages()[0];
    TvlPageOptionValues v = TvlPageOptionValues::FromPage(page, GlobalPrinter(), false);
    EXPECT_EQ(v.paperWidth, QStringLiteral("210")) << "A4 shows its size";
    EXPECT_EQ(v.paperHeight, QStringLiteral("297"));
    const auto& codes = GlobalPrinter().PaperCodes();
    const auto custom = std::find(codes.begin(), codes.end(), TvlPageOptionValues::kCustomPaper);
    ASSERT_NE(custom, codes.end());
    v.paperIndex = static_cast<int>(custom - codes.begin());
    v.paperWidth = QStringLiteral("150,5");
    v.paperHeight = QStringLiteral("200");
    v.leftMargin = QStringLiteral("10");
    v.topMargin = QStringLiteral("5.5");
    v.rightMargin = v.bottomMargin = v.columnGap = QStringLiteral("0");
    v.ApplyTo(page, GlobalPrinter());
    EXPECT_EQ(page.PaperSize, TvlPageOptionValues::kCustomPaper);
    EXPECT_EQ(page.PaperWidth, 1505);
    EXPECT_EQ(page.PaperHeight, 2000);
    EXPECT_EQ(page.LeftMargin, 36);
    EXPECT_EQ(page.TopMargin, 20); // 19.8 rounds to 20

    // Read back as the dialog shows it.
    const TvlPageOptionValues shown = TvlPageOptionValues::FromPage(page, GlobalPrinter(), false);
    EXPECT_EQ(shown.paperWidth, QStringLiteral("150.5"));
    EXPECT_EQ(shown.leftMargin, QStringLiteral("10"));

    v.paperWidth = QStringLiteral("wide");
    v.columnGap = QStringLiteral("x");
    v.ApplyTo(page, GlobalPrinter());
    EXPECT_EQ(page.PaperSize, TvlPageOptionValues::kA4);
    EXPECT_EQ(page.LeftMargin + page.TopMargin + page.RightMargin + page.BottomMargin +
                  page.ColumnGap,
              0);
}

TEST_F(CommandsFixture, APasswordIsStoredOnlyWhenTypedTwiceAlike) {
    const auto protect = [this](std::deque<std::optional<std::string>> entries) {
        report.Info.Protected = false;
        report.Info.Password.clear();
        ask.passwords = std::move(entries);
        ask.onReportOptions = [](TvlReportOptionValues& v) {
            v.passwordProtected = true;
            v.author = QStringLiteral("Kim");
            return true;
        };
        commands.ReportOptions();
    };
    protect({"secret", "secret"});
    EXPECT_TRUE(report.Info.Protected);
    EXPECT_EQ(report.Info.Password, "secret");
    EXPECT_EQ(report.Info.Author, "Kim");
    EXPECT_TRUE(host.modified());

    protect({"secret", "other"});
    EXPECT_FALSE(report.Info.Protected);
    EXPECT_EQ(report.Info.Password, "");

    protect({std::nullopt});
    EXPECT_FALSE(report.Info.Protected);

    protect({"secret", std::nullopt});
    EXPECT_FALSE(report.Info.Protected);
    EXPECT_EQ(report.Info.Password, "");

    // Unchecking the box drops a stored password.
    report.Info.Protected = true;
    report.Info.Password = "kept";
    ask.onReportOptions = [](TvlReportOptionValues& v) {
        v.passwordProtected = false;
        return true;
    };
    commands.ReportOptions();
    EXPECT_EQ(report.Info.Password, "");
}

TEST_F(CommandsFixture, TheDictionaryEditorMarksTheReportOnlyOnOk) {
    ask.onDictionary = [](TvlReport&) { return false; };
    commands.DataDictionary();
    EXPECT_FALSE(host.modified());
    EXPECT_EQ(host.fieldRefreshes, 0);
    ask.onDictionary = [](TvlReport&) { return true; };
    commands.DataDictionary();
    EXPECT_TRUE(host.modified());
    EXPECT_EQ(host.fieldRefreshes, 1);
}

// Data bands whose data source is not at hand would print nothing: the
// preview names those sources first, and does not open unless asked to.
TEST_F(CommandsFixture, PreviewNamesTheDataSourcesThatHaveNoData) {
    report.ModalPreview = false;
    // sources without records
    const auto noRecords = [](TvlDataset&, bool& eof) { eof = true; };
    TvlDataset tasks("DatasetTask", &form);
    tasks.OnCheckEOF = noRecords;
    const auto band = [&](int type, const char* source, int top) {
        auto view = std::make_unique<TvlBandView>();
        view->FrameTyp = static_cast<std::uint16_t>(type);
        view->FormatStr = source;
        view->SetBounds(0, top, 400, 20);
        report.Pages()[0].AddObject(std::move(view));
    };
    band(btMasterData, "DatasetTask", 10);
    band(btDetailData, "DatasetContacts", 40);
    band(btSubDetailData, "datasetcontacts", 70);
    band(btCrossData, "3", 100);
    ask.previewAnyway = false;
    commands.Preview();
    EXPECT_EQ(ask.missingData, QStringList{QStringLiteral("DatasetContacts")});
    EXPECT_EQ(ask.previews, 0);

    ask.previewAnyway = true;
    commands.Preview();
    EXPECT_EQ(ask.previews, 1);

    TvlDataset contacts("DatasetContacts", &form);
    contacts.OnCheckEOF = noRecords;
    ask.missingData.clear();
    commands.Preview();
    EXPECT_TRUE(ask.missingData.isEmpty()) << "every source is at hand: no question";
    EXPECT_EQ(ask.previews, 2);
}

TEST_F(CommandsFixture, PreviewRestoresTheDesignerAlsoWhenTheBuildFails) {
    report.ModalPreview = false;
    auto title = std::make_unique<TvlBandView>();
    title->FrameTyp = 0; // report title
    title->SetBounds(0, 10, 400, 40);
    report.Pages()[0].AddObject(std::move(title));
    auto memo = std::make_unique<TvlMemoView>();
    memo->Memo = {"Plain text"};
    memo->SetBounds(10, 12, 100, 20);
    TvlView& view = report.Pages()[0].AddObject(std::move(memo));
    commands.Preview();
    EXPECT_EQ(ask.previews, 1);
    EXPECT_FALSE(report.ModalPreview);
    EXPECT_FALSE(host.drawingSuspended);
    EXPECT_FALSE(host.inPreview);

    view.Memo = {"[Nothing]"}; // no such name: the build fails
    const int changes = host.selectionChanges;
    commands.Preview();
    EXPECT_EQ(ask.previews, 1);
    EXPECT_FALSE(report.ModalPreview);
    EXPECT_FALSE(host.drawingSuspended);
    EXPECT_FALSE(host.inPreview);
    EXPECT_EQ(host.selectionChanges, changes + 1);
}

TEST_F(CommandsFixture, NewFromASkeletonKeepsTheModifiedFlagAndNamesTheDocumentUntitled) {
    report.Pages()[0].Name = "FromSkeleton";
    SaveTemplateFile(report, path("skeleton.vlt"), {{"Skeleton"}, {}});
    report.Pages().Add();
    host.name_ = "Something.vlf";
    host.modified_ = true;
    ask.file = path("skeleton.vlt");
    commands.NewFromTemplate(); // no save question: none is queued
    ASSERT_EQ(report.Pages().Count(), 1);
    EXPECT_EQ(report.Pages()[0].Name, "FromSkeleton");
    EXPECT_EQ(host.documentName(), TvlDesignerCommands::UntitledName());
    EXPECT_TRUE(host.modified());
    EXPECT_EQ(host.undoClears, 1);
}

// The options go to the window only on OK; the editor fonts are kept where
// the text editors read them.
TEST_F(CommandsFixture, DesignerOptionsApplyTheSettingsAndKeepTheEditorFonts) {
    ask.onDesignerOptions = [](TvlDesignerSettings& s, TvlEditorFonts& f) {
        s.gridSize = 18;
        f.scriptSize = 13;
        return false;
    };
    commands.DesignerOptions();
    EXPECT_EQ(host.settings_.gridSize, 4);

    ask.onDesignerOptions = [](TvlDesignerSettings& s, TvlEditorFonts& f) {
        s.gridSize = 18;
        f.textName = QStringLiteral("DejaVu Sans");
        f.scriptSize = 13;
        return true;
    };
    commands.DesignerOptions();
    EXPECT_EQ(host.settings_.gridSize, 18);
    TvlEditorFonts stored;
    stored.load();
    EXPECT_EQ(stored.textName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(stored.scriptSize, 13);
    EXPECT_EQ(stored.scriptName, QStringLiteral("Courier New"));
}
