#include "app/OrganizerReport.h"
#include "app/OrganizerStore.h"
#include "app/TemplateFolder.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "tests/designer/commands/CommandsFixture.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

using namespace vltest;

namespace {

constexpr int kMasterData = 5;

// What a drop on the surface makes: a text object showing the field.
void DropField(TvlPage& page, const TvlView& band, int left, const std::string& field) {
    auto memo = std::make_unique<TvlMemoView>();
    memo->SetBounds(left, band.Top + 2, 160, 18);
    memo->Memo = {"[" + field + "]"};
    page.AddObject(std::move(memo)).MakeUniqueName();
}

QString RunProgram(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(120000);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// A person starts from New, puts a master data band on DatasetTask with
// two fields, saves into the task list's folder, and the template builds on
// the organizer's tasks and is listed for the task list.
TEST(TaskListFromScratchTest, ANewTemplateBuildsOnTheOrganizersTasks) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    RunProgram(QStringLiteral(VELLUM_SAMPLES_PROGRAM),
               {data, QStringLiteral("--count"), QStringLiteral("5")});

    quillet::OrganizerStore store(data + QLatin1Char('/'));
    store.loadTasks();
    ASSERT_FALSE(store.tasks().empty());
    quillet::OrganizerReport organizer(store);
    organizer.setDataKind(quillet::DataKind::Tasks); // the window's task list
    RecordingHost host(organizer.report());
    ScriptedAsk ask;
    TvlDesignerCommands commands(host, ask);
    host.modified_ = false;

    commands.New();
    TvlReport& report = organizer.report();
    ASSERT_EQ(report.Pages().Count(), 1);
    TvlPage& page = report.Pages()[0];
    auto band = std::make_unique<TvlBandView>();
    band->FrameTyp = kMasterData;
    band->FormatStr = "DatasetTask";
    band->SetBounds(0, page.TopEdge() + 20, page.RightEdge(), 24);
    TvlView& master = page.AddObject(std::move(band));
    master.MakeUniqueName();
    DropField(page, master, page.LeftEdge(), "Name");
    DropField(page, master, page.LeftEdge() + 200, "Status");
    host.setModified(true);

    commands.Preview();
    EXPECT_EQ(ask.previews, 1) << report.LastBuildError();

    const quillet::TemplateFolder folders(dir.path());
    const QString kindFolder = folders.folder(quillet::DataSourceKind::TaskList);
    ASSERT_TRUE(QDir().mkpath(kindFolder));
    ask.file = kindFolder + QStringLiteral("/My tasks.vlf");
    ask.filterChosen = sfForm;
    ASSERT_TRUE(commands.SaveDocument());
    EXPECT_TRUE(
        folders.names(quillet::DataSourceKind::TaskList).contains(QStringLiteral("My tasks")));

    const QString json =
        RunProgram(QStringLiteral(VELLUM_PROGRAM),
                   {QStringLiteral("build"), ask.file, QStringLiteral("--organizer"), data,
                    QStringLiteral("--source"), QStringLiteral("tasks")});
    for (const auto& task : store.tasks())
        EXPECT_TRUE(json.contains(ToQt(task->name()))) << task->name();
    EXPECT_FALSE(json.contains(QStringLiteral("[Name]")));
    EXPECT_TRUE(json.contains(QStringLiteral("Waiting")) ||
                json.contains(QStringLiteral("Deferred")) ||
                json.contains(QStringLiteral("Completed")) ||
                json.contains(QStringLiteral("Not started")) ||
                json.contains(QStringLiteral("In progress")));
}
