#include "tools/vellum/OrganizerBuild.h"

#include "engine/script/CodePage.h"
#include "tools/vellum/CommandStop.h"
#include "tools/vellum/OrganizerOptions.h"
#include "tools/vellum/TemplateFile.h"

#include <QFileInfo>
#include <cstdio>

namespace vellum_cli {

namespace {

// The engine separates the lines of its error text by carriage returns.
std::string terminalText(std::string text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) text[i] = '\n';
    return text;
}

} // namespace

OrganizerBuild::OrganizerBuild(const CommandArgs& cmd, const QString& templatePath)
    : templatePath_(templatePath), store_(organizerFolder(cmd)), organizer_(store_) {
    organizer_.setDataKind(sourceOption(cmd, templatePath));
    if (const std::optional<QDateTime> now = nowOption(cmd)) organizer_.setNow(*now);
}

void OrganizerBuild::loadData() {
    if (!store_.dataFolder().isEmpty()) loadOrganizer(store_);
}

void OrganizerBuild::load() {
    loadData();
    vl::TvlReport& report = organizer_.report();
    RequireTemplate(report, templatePath_);
}

bool OrganizerBuild::prepare(const CommandStop* stop) {
    return PrepareLoadedReport(organizer_.report(), stop);
}

bool PrepareLoadedReport(vl::TvlReport& report, const CommandStop* stop) {
    // As the window builds a chosen template: without the progress window.
    report.ShowProgress = false;
    // The engine shows its error text in a box that nobody sees here.
    report.PrepareReport();
    const vl::TvlBuildOutcome& outcome = report.LastOutcome();
    if (outcome.built()) return true;
    // A timeout or Ctrl-C says so instead of "cancelled".
    if (outcome.cancelled() && stop) stop->ThrowIfStopped();
    const std::string error =
        outcome.failed() ? terminalText(outcome.message) : std::string("the build was cancelled");
    std::fprintf(stderr, "vellum: %s\n", vl::ToQt(error).toUtf8().constData());
    return false;
}

} // namespace vellum_cli
