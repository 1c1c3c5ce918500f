#include "app/OrganizerReport.h"
#include "app/OrganizerStore.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/TvlEMFPages.h"
#include "tools/samples/SampleData.h"
#include "tools/templates/SampleTemplates.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <thread>
#include <vector>

namespace {

// The organizer of a busy user: many contacts (with portraits) and tasks,
// with the sample templates beside them.
class LargeOrganizer {
public:
    LargeOrganizer(int contacts, int tasks) {
        samples::SampleOptions options;
        options.folder = dir_.path() + "/organizer";
        options.contactCount = contacts;
        options.taskCount = tasks;
        samples::WriteSampleOrganizer(options);
        templates::WriteSampleTemplates(dir_.path() + "/Reports");
    }
    QString dataFolder() const { return dir_.path() + "/organizer/"; }
    QString report(const QString& name) const { return dir_.path() + "/Reports/" + name; }

private:
    QTemporaryDir dir_;
};

// Bytes the prepared pages hold in memory, and the bytes of their streams.
struct StoreSize {
    double held = 0, streams = 0;
};

StoreSize measure(const vl::TvlEMFPages& pages) {
    StoreSize size;
    for (int i = 0; i < pages.Count(); ++i) {
        const vl::PreparedPage& page = pages.PageAt(i);
        size.streams += static_cast<double>(page.Stream.data().size());
        size.held += static_cast<double>(sizeof(vl::PreparedPage) + page.Stream.data().capacity());
    }
    return size;
}

// The organizer of that size, made once for the benchmarks that use it.
const LargeOrganizer& organizerOf(int contacts, int tasks) {
    static LargeOrganizer* organizer = nullptr;
    static std::pair<int, int> made;
    if (!organizer || made != std::make_pair(contacts, tasks)) {
        delete organizer;
        organizer = new LargeOrganizer(contacts, tasks);
        made = {contacts, tasks};
    }
    return *organizer;
}

void buildOrganizerReport(benchmark::State& state, quillet::DataKind kind, const QString& folder,
                          const QString& name, int contacts, int tasks) {
    const LargeOrganizer* organizer = &organizerOf(contacts, tasks);
    quillet::OrganizerStore store(organizer->dataFolder());
    store.startUp();
    quillet::OrganizerReport session(store);
    session.setDataKind(kind);
    session.setNow(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
    vl::TvlReport& report = session.report();
    report.ShowProgress = false;
    const QString path = organizer->report(folder + "/" + name + ".vlf");
    int pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!report.LoadFromFile(path)) {
            state.SkipWithError("the template does not load");
            return;
        }
        state.ResumeTiming();
        if (!report.PrepareReport() || !report.LastBuildError().empty()) {
            state.SkipWithError(report.LastBuildError().c_str());
            break;
        }
        pages = report.EMFPages().Count();
    }
    const StoreSize size = measure(report.EMFPages());
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["held/streams"] = size.streams > 0 ? size.held / size.streams : 0;
    state.counters["stream MB"] = size.streams / 1e6;
}

void BM_ContactList10000(benchmark::State& state) {
    buildOrganizerReport(state, quillet::DataKind::Contacts, "Contacts", "Contact List", 10000, 10);
}
BENCHMARK(BM_ContactList10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Four builds of the 10,000-contact list, one after the other on one
// thread or two at a time on two threads, each thread in an engine
// instance of its own with its own copy of the organizer's data.
void BM_ContactList10000FourBuilds(benchmark::State& state) {
    constexpr int kBuilds = 4;
    const int threads = static_cast<int>(state.range(0));
    const LargeOrganizer& organizer = organizerOf(10000, 10);
    const QString path = organizer.report("Contacts/Contact List.vlf");
    std::atomic<int> failures{0};
    for (auto _ : state) {
        std::vector<std::thread> running;
        for (int t = 0; t < threads; ++t)
            running.emplace_back([&] {
                vl::TvlEngine engine;
                const vl::TvlEngineScope scope(engine);
                quillet::OrganizerStore store(organizer.dataFolder());
                store.startUp();
                quillet::OrganizerReport session(store);
                session.setDataKind(quillet::DataKind::Contacts);
                session.setNow(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
                vl::TvlReport& report = session.report();
                report.ShowProgress = false;
                for (int i = 0; i < kBuilds / threads; ++i)
                    if (!report.LoadFromFile(path) || !report.PrepareReport()) ++failures;
            });
        for (std::thread& thread : running)
            thread.join();
    }
    if (failures > 0) state.SkipWithError("a build failed");
    state.counters["builds/s"] =
        benchmark::Counter(kBuilds, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ContactList10000FourBuilds)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

void BM_GroupedTaskList100000(benchmark::State& state) {
    buildOrganizerReport(state, quillet::DataKind::Tasks, "TaskList", "Task List", 10, 100000);
}
BENCHMARK(BM_GroupedTaskList100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
