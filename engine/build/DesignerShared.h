#pragma once

#include <functional>
#include <string>

namespace vl {

class TvlReport;

// The engine's designer hook: the commands that open the designer window
// on a report, installed by the program's designer (TvlDesigner) while it
// exists; without them a report cannot be designed.
struct TvlDesignerShared {
    // Opens the designer modally; returns the window's modal result
    // (1 closed through Exit, 2 through the close box or No to saving).
    std::function<int(TvlReport& report)> designReport;
    // Opens the designer modally in page-edit mode on the report, whose
    // page list holds the one page rebuilt from a prepared page; answers
    // whether the changed page replaces the prepared one (the designer asks
    // the user).
    std::function<bool(TvlReport& report)> editPage;
};

} // namespace vl
