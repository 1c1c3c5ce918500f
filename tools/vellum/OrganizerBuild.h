#pragma once

#include "app/OrganizerReport.h"
#include "app/OrganizerStore.h"
#include "tools/vellum/CommandLine.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace vellum_cli {

class CommandStop;

// A template built against the organizer's data exactly as the Print
// Preview window builds it, from the options --organizer, --source and
// --now: the organizer's lists, the report component and its build.
class OrganizerBuild {
public:
    // Reads the options; UsageError for values they do not take.
    OrganizerBuild(const CommandArgs& cmd, const QString& templatePath);

    vl::TvlReport& report() { return organizer_.report(); }
    // Loads the organizer's lists and the template.
    void load();
    // Loads the organizer's lists alone (none without --organizer).
    void loadData();
    // Builds the loaded template. A failed or cancelled build prints the
    // engine's error text on standard error and returns false; a build that
    // the command's timeout or Ctrl-C stopped raises the stop's error.
    bool prepare(const CommandStop* stop = nullptr);
    bool build() {
        load();
        return prepare();
    }

private:
    QString templatePath_;
    quillet::OrganizerStore store_;
    quillet::OrganizerReport organizer_;
};

// Builds a loaded template without the progress window, as the Print Preview
// window builds a chosen one. A failed or cancelled build prints the
// engine's error text on standard error and returns false; a build that the
// command's timeout or Ctrl-C stopped raises the stop's error.
bool PrepareLoadedReport(vl::TvlReport& report, const CommandStop* stop);

} // namespace vellum_cli
