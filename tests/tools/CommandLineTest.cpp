#include "engine/build/TvlReport.h"
#include "engine/model/TvlLineView.h"
#include "tests/engine/model/ViewTestSupport.h"
#include "tests/engine/output/PreparedPagesTestSupport.h"
#include "tools/vellum/Commands.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
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

} // namespace
} // namespace vl::test
