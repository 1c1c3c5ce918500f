#include "tools/vellum/CommandLine.h"

#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlLineView.h"
#include "tests/engine/model/ViewTestSupport.h"
#include "tests/engine/output/PreparedPagesTestSupport.h"
#include "tools/vellum/CommandStop.h"
#include "tools/vellum/Commands.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>

namespace vl::test {
namespace {

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { Globals().startPrinter(nullptr); }

    // Runs "vellum ARGS"; returns the exit status and keeps both outputs.
    int run(const QStringList& args) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = vellum_cli::RunCommandLine(args);
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return status;
    }
    QJsonObject json() const {
        return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // A prepared report of three pages, the last in landscape.
    QString writePreparedReport() {
        TvlEMFPages pages;
        pages.AddPage(Paper());
        pages.AddPage(Paper());
        pages.AddPage(Paper(9, 2970, 2100, 1));
        for (int i = 0; i < 3; ++i)
            Put(pages, i, *Make<TvlLineView>("Line1", 0, 10 * i, 300, 0));
        const QString file = path("three.vlp");
        pages.SaveToFile(file);
        return file;
    }
    // A template of one empty landscape page.
    QString writeTemplate() {
        TvlReport report;
        report.Pages().Add().SetPaper(11, 0, 0, -1, poLandscape);
        const QString file = path("landscape.vlf");
        report.SaveToFile(file);
        return file;
    }

    ViewStateGuard guard;
    QTemporaryDir dir;
    std::string out, err;
};

TEST_F(CommandLineTest, ShowPrintsThePagesOfATruncatedFileBeforeItsError) {
    const QString file = writePreparedReport();
    QFile vlp(file);
    ASSERT_TRUE(vlp.resize(vlp.size() - 20)); // inside the third page
    EXPECT_EQ(run({QStringLiteral("show"), file}), 1);
    EXPECT_EQ(json()[QStringLiteral("pages")].toArray().size(), 2);
    EXPECT_EQ(err, "vellum: Stream read error\n");

    EXPECT_EQ(run({QStringLiteral("show"), file, QStringLiteral("--png"), path("png")}), 1);
    EXPECT_TRUE(QFile::exists(path("png/page-2.png")));
    EXPECT_FALSE(QFile::exists(path("png/page-3.png")));
    EXPECT_EQ(err, "vellum: Stream read error\n");

    EXPECT_EQ(run({QStringLiteral("show"), path("missing.vlp")}), 1);
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(err.empty());
}

// Every command that writes pages or papers writes them with the same keys,
// the orientation as the number files store.
TEST_F(CommandLineTest, AllCommandsWritePapersAlike) {
    const QStringList keys = {QStringLiteral("bin"), QStringLiteral("height"),
                              QStringLiteral("orientation"), QStringLiteral("size"),
                              QStringLiteral("width")};
    const auto lastPaper = [&] {
        const QJsonArray pages = json()[QStringLiteral("pages")].toArray();
        return pages.last()[QStringLiteral("paper")].toObject();
    };
    const QString vlf = writeTemplate();
    ASSERT_EQ(run({QStringLiteral("info"), vlf}), 0) << err;
    EXPECT_EQ(lastPaper().keys(), keys);
    EXPECT_EQ(lastPaper()[QStringLiteral("orientation")], 1);

    ASSERT_EQ(run({QStringLiteral("build"), vlf}), 0) << err;
    EXPECT_EQ(lastPaper().keys(), keys);
    EXPECT_EQ(lastPaper()[QStringLiteral("orientation")], 1);

    ASSERT_EQ(run({QStringLiteral("show"), writePreparedReport()}), 0) << err;
    EXPECT_EQ(lastPaper().keys(), keys);
    EXPECT_EQ(lastPaper()[QStringLiteral("orientation")], 1);

    ASSERT_EQ(run({QStringLiteral("printers"), QStringLiteral("--landscape")}), 0) << err;
    const QJsonObject printerPaper = json()[QStringLiteral("paper")].toObject();
    EXPECT_EQ(printerPaper.keys(), keys);
    EXPECT_EQ(printerPaper[QStringLiteral("orientation")], 1);
}

TEST_F(CommandLineTest, EverySubcommandExplainsItselfOnAskingForHelp) {
    for (const auto& command : vellum_cli::Commands()) {
        const QString name = QString::fromLatin1(command.name);
        for (const char* ask : {"--help", "-h"}) {
            SCOPED_TRACE(name.toStdString() + " " + ask);
            EXPECT_EQ(run({name, QString::fromLatin1(ask)}), 0);
            EXPECT_EQ(out.rfind("usage: vellum " + std::string(command.usage) + "\n", 0), 0u);
            EXPECT_TRUE(err.empty());
        }
    }
    // also after other arguments, which are then not looked at
    EXPECT_EQ(run({QStringLiteral("show"), path("missing.vlp"), QStringLiteral("--help")}), 0);
    EXPECT_TRUE(err.empty());
}

TEST_F(CommandLineTest, VersionAndOverview) {
    EXPECT_EQ(run({QStringLiteral("--version")}), 0);
    EXPECT_EQ(out, "vellum " VELLUM_VERSION "\n");
    EXPECT_EQ(run({QStringLiteral("-h")}), 0);
    EXPECT_NE(out.find("vellum <command> --help"), std::string::npos);
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({QStringLiteral("nonsense")}), 2);
    EXPECT_EQ(err, "vellum: unknown command \"nonsense\"; see vellum --help\n");
}

// A template whose report title runs a script that never ends.
QString writeEndlessTemplate(const QString& file) {
    TvlReport report;
    TvlPage& page = report.Pages().Add();
    auto title = std::make_unique<TvlBandView>();
    title->FrameTyp = btReportTitle;
    title->SetBounds(0, 20, 700, 20);
    title->Name = "Title";
    title->Script = {"while 1 = 1 do i := 1"};
    page.AddObject(std::move(title));
    report.SaveToFile(file);
    return file;
}

TEST_F(CommandLineTest, BuildStopsAtItsTimeoutWithAMessage) {
    const QString file = writeEndlessTemplate(path("endless.vlf"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(
        run({QStringLiteral("build"), file, QStringLiteral("--timeout"), QStringLiteral("1")}), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(err, "vellum: stopped after 1 seconds (--timeout)\n");
    EXPECT_TRUE(out.empty());
    // the deadline ends with the command: the engine builds without it again
    EXPECT_EQ(ScriptGlobals().deadline(), 0);
    EXPECT_EQ(
        run({QStringLiteral("build"), file, QStringLiteral("--timeout"), QStringLiteral("0")}), 2);
    EXPECT_NE(err.find("--timeout takes a number of seconds"), std::string::npos) << err;
}

// Ctrl-C while a command runs stops the engine until the command ends.
TEST_F(CommandLineTest, CtrlCInterruptsTheRunningCommandOnly) {
    {
        const vellum_cli::CommandArgs args({}, {vellum_cli::CommandStop::Option()}, {});
        const vellum_cli::CommandStop stop(args);
        EXPECT_FALSE(stop.Stopped());
        std::raise(SIGINT);
        EXPECT_TRUE(stop.Stopped());
        EXPECT_TRUE(ScriptGlobals().stopDue());
        // a build that clears the stop flag as it starts is still stopped
        ScriptGlobals().stopRequested() = false;
        EXPECT_TRUE(ScriptGlobals().stopDue());
        try {
            stop.ThrowIfStopped();
            ADD_FAILURE() << "no error";
        } catch (const VlError& e) {
            EXPECT_STREQ(e.what(), "interrupted");
        }
    }
    EXPECT_FALSE(ScriptGlobals().interrupted());
    ScriptGlobals().stopRequested() = false;
    EXPECT_FALSE(ScriptGlobals().stopDue());
}

// A page image larger than the pixel budget stops with the reason instead
// of a failed write.
TEST_F(CommandLineTest, ShowRefusesPageImagesBeyondThePixelBudget) {
    TvlEMFPages pages;
    pages.AddPage(Paper(256, 20000, 20000)); // two metres of custom paper
    const QString file = path("huge.vlp");
    pages.SaveToFile(file);
    EXPECT_EQ(run({QStringLiteral("show"), file, QStringLiteral("--png"), path("png"),
                   QStringLiteral("--dpi"), QStringLiteral("1200")}),
              1);
    EXPECT_NE(err.find("pixels one page image may take; choose a lower resolution"),
              std::string::npos)
        << err;
    EXPECT_FALSE(QFile::exists(path("png/page-1.png")));
}

} // namespace
} // namespace vl::test
