#pragma once

#include "tools/vellum/JsonWriter.h"

namespace vl {
class TvlView;
}

namespace vellum_cli {

// One report object as the command line shows it, in templates and in
// prepared pages alike: "type", "class", "name", "left", "top", "width",
// "height", "text" (one string per line as the object holds it, a
// paragraph mark as \u0001), "tag" when set, then the keys of its kind
// (text objects: "font", "alignment", "fillColor", "frameTyp"; pictures:
// "graphic"; bands: "bandType"; sub-reports: "subPage"; lines: "frameTyp").
void WriteObjectJson(JsonWriter& json, vl::TvlView& view);

} // namespace vellum_cli
