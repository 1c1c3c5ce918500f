#pragma once

#include "engine/script/Variant.h"

#include <string>

namespace vellum_cli {

// A value as the command line prints it: its kind (null, bool, int, double,
// date, str), a tab and its text in UTF-8. Doubles are the shortest text that
// reads back the same, dates yyyy-mm-dd hh:nn:ss (.zzz with milliseconds),
// strings with backslash, CR, LF, tab and other control characters escaped.
std::string ValueLine(const vl::Variant& value);

// The text part alone.
std::string ValueText(const vl::Variant& value);

} // namespace vellum_cli
