#pragma once

#include "tools/vellum/DatabaseOptions.h"

namespace vl {
class TvlReport;
}

namespace vellum_cli {

// Applies --var NAME=EXPR to a loaded template: a variable of the report's
// data dictionary takes EXPR as its expression (evaluated wherever the
// report reads it, so it may read fields); any other name becomes a script
// variable holding the value of EXPR, evaluated now.
void ApplyVariables(vl::TvlReport& report, const QList<NamedText>& variables);

} // namespace vellum_cli
