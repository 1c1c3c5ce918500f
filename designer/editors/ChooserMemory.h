#pragma once

#include <string>

namespace vl {

// What the designer's choosers remember while a designer session lasts:
// the last data set of the fields chooser and the last category of the
// variables chooser.
struct TvlChooserMemory {
    std::string dataSet;
    std::string category;
};

} // namespace vl
