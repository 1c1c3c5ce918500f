// Reads arbitrary bytes as a report template and builds it against a small
// organizer, exactly as the program does, then reads every page the build
// wrote back. Run with ASan and UBSan; any crash, sanitizer report,
// unexpected exception or timeout is a finding. Templates that fail to load
// or to build with an engine error are expected; pages the engine wrote
// must always read back.
#include "app/OrganizerReport.h"
#include "app/OrganizerStore.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/Stream.h"
#include "engine/script/TvlVariables.h"
#include "tools/samples/SampleData.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// A build may take at most this long and write at most this many pages; the
// engine stops it then, as the progress window's Cancel button would.
constexpr auto kBuildTime = std::chrono::milliseconds(1000);
constexpr int kPagesPerBuild = 200;
constexpr int kPagesReadBack = 4;

struct Organizer {
    QTemporaryDir folder;
    std::unique_ptr<quillet::OrganizerStore> store;
    std::unique_ptr<quillet::OrganizerReport> session;

    Organizer() {
        samples::SampleOptions options;
        options.folder = folder.path() + "/organizer";
        options.taskCount = 14;
        options.contactCount = 9;
        samples::WriteSampleOrganizer(options);
        store = std::make_unique<quillet::OrganizerStore>(options.folder + "/");
        store->startUp();
        session = std::make_unique<quillet::OrganizerReport>(*store);
        session->setNow(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
        session->report().ShowProgress = false;
    }
};

Organizer* organizer = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "build_fuzzer";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    organizer = new Organizer;
    vl::EngineLimits& limits = vl::Globals().script().limits();
    limits.buildTime = kBuildTime;
    limits.pagesPerBuild = kPagesPerBuild;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // each input starts without the script variables of the one before
    vl::Globals().globalVariables().Clear();
    vl::TvlReport& report = organizer->session->report();
    organizer->session->setDataKind(size % 2 ? quillet::DataKind::Tasks
                                             : quillet::DataKind::Contacts);
    vl::MemoryStream in(data, size);
    try {
        report.LoadFromStream(in);
    } catch (const vl::VlError&) {
        return 0;
    }
    report.PrepareReport();
    vl::TvlEMFPages& pages = report.EMFPages();
    for (int i = 0; i < pages.Count() && i < kPagesReadBack; ++i) {
        pages.LoadPageObjects(i);
        pages.ReleasePageObjects(i);
    }
    return 0;
}
