#pragma once

#include "engine/script/StreamIO.h"
#include "tools/vellum/JsonWriter.h"

#include <string_view>

namespace vl {
class TvlView;
}

namespace vellum_cli {

// Engine text (Windows-1252) as JSON text.
void WriteEngineText(JsonWriter& json, std::string_view text);
void WriteEngineLines(JsonWriter& json, std::string_view key, const vl::StringList& lines);

// A paper as every command writes it, under the key "paper": the paper
// code, width and height in tenths of a millimetre, the orientation as files
// store it (0 portrait, 1 landscape) and the bin.
struct PaperJson {
    int size = 0;
    int width = 0;
    int height = 0;
    int orientation = 0;
    int bin = 0;
};
void WritePaperJson(JsonWriter& json, const PaperJson& paper);

// Templates show an object's template text ("memo") and script; prepared
// pages show the evaluated text as stored ("text", a paragraph mark as
// \u0001) and have no script.
enum class ObjectJsonMode { Template, Prepared };

// One report object: the fields every view has, then those of its class
// (text objects, bands, pictures, sub-reports).
void WriteObjectJson(JsonWriter& json, vl::TvlView& view,
                     ObjectJsonMode mode = ObjectJsonMode::Template);

} // namespace vellum_cli
