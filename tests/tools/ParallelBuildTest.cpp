#include "engine/build/TvlEngine.h"
#include "tools/vellum/Commands.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <atomic>
#include <gtest/gtest.h>
#include <map>
#include <thread>
#include <vector>

// Engine instances build at the same time: the sample templates built on
// four threads, each with an instance of its own, give the pages a build
// of one template after the other gives.
namespace vltest {
namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 10;

struct Job {
    QString name;
    QStringList args;
};

// `vellum build` of every sample template: the organizer's on the sample
// organizer, the invoices on the sample shop database, at a fixed moment
// and locale.
std::vector<Job> SampleJobs() {
    const QStringList fixed{QStringLiteral("--now"), QStringLiteral("2026-12-01 09:00:00"),
                            QStringLiteral("--locale"), QStringLiteral("en_US")};
    std::vector<Job> jobs;
    for (const char* kind : {"TaskList", "Contacts"}) {
        const QDir folder(QStringLiteral(SAMPLE_REPORTS "/") + QLatin1String(kind));
        for (const QString& file : folder.entryList({QStringLiteral("*.vlf")}, QDir::Files))
            jobs.push_back(
                {QLatin1String(kind) + QLatin1Char('/') + file,
                 QStringList{QStringLiteral("build"), folder.filePath(file),
                             QStringLiteral("--organizer"), QStringLiteral(SAMPLE_ORGANIZER)} +
                     fixed});
    }
    const QDir shop(QStringLiteral(SAMPLE_SHOP));
    QFile queries(shop.filePath(QStringLiteral("Invoices.args")));
    if (queries.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QStringList args{QStringLiteral("build"), shop.filePath(QStringLiteral("Invoices.vlf")),
                         QStringLiteral("--database"),
                         shop.filePath(QStringLiteral("shop.sqlite"))};
        QTextStream lines(&queries);
        while (!lines.atEnd())
            if (const QString line = lines.readLine(); !line.isEmpty()) args << line;
        jobs.push_back({QStringLiteral("Invoices"), args + fixed});
    }
    return jobs;
}

// The pages of a job as JSON, built in the engine instance of the calling
// thread; empty when the build failed.
QByteArray Build(const Job& job, const QString& out) {
    QFile::remove(out);
    if (vellum_cli::RunCommandLine(job.args + QStringList{QStringLiteral("--json"), out}) != 0)
        return {};
    QFile file(out);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ParallelBuildTest, FourInstancesBuildTheSamplesAsOneBuildsThemInTurn) {
    const std::vector<Job> jobs = SampleJobs();
    ASSERT_GE(jobs.size(), 9u) << "the eight organizer templates and the invoices";
    QTemporaryDir scratch;
    std::map<QString, QByteArray> expected;
    {
        vl::TvlEngine engine;
        const vl::TvlEngineScope scope(engine);
        for (const Job& job : jobs) {
            expected[job.name] = Build(job, scratch.filePath(QStringLiteral("sequential.json")));
            ASSERT_FALSE(expected[job.name].isEmpty()) << job.name.toStdString();
        }
    }

    // every command loads and builds in the engine of the thread that runs
    // it, which numbers the objects it reads and takes its --locale
    vl::LocaleService& defaultLocale = vl::TvlEngine::Default().localeService();
    const QString localeBefore = defaultLocale.qlocale().name();
    defaultLocale.select(QStringLiteral("de_DE"));
    const std::int32_t defaultObjects = vl::TvlEngine::Default().views().sequence;
    std::atomic<int> builds{0};
    std::int32_t ownObjects[kThreads] = {};
    QString ownLocales[kThreads];
    std::vector<std::string> differences[kThreads];
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            vl::TvlEngine engine;
            const vl::TvlEngineScope scope(engine);
            const QString out = scratch.filePath(QStringLiteral("thread%1.json").arg(t));
            for (int round = 0; round < kRounds; ++round)
                // each thread starts elsewhere in the list, so that
                // different templates build at the same time
                for (std::size_t i = 0; i < jobs.size(); ++i) {
                    const Job& job = jobs[(i + static_cast<std::size_t>(t) * 2) % jobs.size()];
                    if (Build(job, out) != expected.at(job.name))
                        differences[t].push_back(job.name.toStdString() + " in round " +
                                                 std::to_string(round));
                    ++builds;
                }
            ownObjects[t] = engine.views().sequence;
            ownLocales[t] = engine.localeService().qlocale().name();
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(builds, kThreads * kRounds * static_cast<int>(jobs.size()));
    EXPECT_EQ(vl::TvlEngine::Default().views().sequence, defaultObjects)
        << "a thread loaded templates in the default engine";
    EXPECT_EQ(defaultLocale.qlocale().name(), QStringLiteral("de_DE"))
        << "a command selected its locale in the default engine";
    defaultLocale.select(localeBefore);
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_GT(ownObjects[t], 0) << "thread " << t << " did not load in its own engine";
        EXPECT_EQ(ownLocales[t], QStringLiteral("en_US")) << "thread " << t;
    }
    for (int t = 0; t < kThreads; ++t)
        EXPECT_TRUE(differences[t].empty())
            << "thread " << t << " built otherwise: " << differences[t].front();
}

} // namespace
} // namespace vltest
