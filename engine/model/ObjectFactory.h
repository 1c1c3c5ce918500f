#pragma once

#include "engine/model/TvlView.h"

#include <functional>
#include <memory>
#include <string_view>

namespace vl {

// Builds, as an object of engine, the class of an object type code; for otAddIn the registered
// add-in class of that exact class name. Every object built gets the next
// value of the sequence counter. Codes outside the table give none. An
// add-in class that is not registered sets the error flag, appends its name
// and a carriage return to the error text and raises ClassNotFoundError
// with the whole error text.
std::unique_ptr<TvlView> CreateObject(TvlModelContext& engine, int typeCode,
                                      std::string_view className = {});

// Replaces the class that a built-in type code creates.
using TvlViewFactory = std::function<std::unique_ptr<TvlView>()>;
void SetBuiltInClass(int typeCode, TvlViewFactory factory);

// The message the template reader shows for the collected add-in class
// names (each ending in a carriage return).
std::string NonPluggedComponentsText(std::string_view collected);

// Sets the error flag and the error text of an error raised while an object
// was evaluated during a build of the named report.
void SetCalculationError(TvlViewState& state, std::string_view message,
                         std::string_view reportName);

} // namespace vl
