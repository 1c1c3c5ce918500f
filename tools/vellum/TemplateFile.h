#pragma once

#include "tools/vellum/CommandLine.h"

#include <QString>
#include <optional>
#include <string>

namespace vl {
class TvlReport;
}

namespace vellum_cli {

// Loads a template file into the report. A protected template is opened
// with the --password option's text; without it the template is emptied as
// for a cancelled password dialog. Returns the engine's message when
// loading failed part way (the report keeps what was loaded); raises when
// the file does not exist.
std::optional<std::string> LoadTemplate(vl::TvlReport& report, const QString& path,
                                        const CommandArgs& args);

// Loads a template file whole or raises: "template ... does not exist", or
// the engine's message for a damaged, partly readable or locked template.
void RequireTemplate(vl::TvlReport& report, const QString& path);

} // namespace vellum_cli
