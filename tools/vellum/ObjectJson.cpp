#include "tools/vellum/ObjectJson.h"

#include "engine/model/TvlBandView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/model/ViewState.h"
#include "engine/script/CodePage.h"
#include "engine/script/Stream.h"

namespace vellum_cli {

namespace {

void writeCommon(JsonWriter& json, const vl::TvlView& v, ObjectJsonMode mode) {
    json.field("type", static_cast<int>(v.Typ));
    json.key("class");
    WriteEngineText(json, v.className());
    json.key("name");
    WriteEngineText(json, v.Name);
    json.field("left", v.Left);
    json.field("top", v.Top);
    json.field("width", v.Width);
    json.field("height", v.Height);
    json.field("flags", static_cast<int>(v.Flags));
    json.field("frameTyp", static_cast<int>(v.FrameTyp));
    json.field("frameWidth", static_cast<double>(v.FrameWidth));
    json.field("frameColor", v.FrameColor);
    json.field("frameStyle", static_cast<int>(v.FrameStyle));
    json.field("fillColor", v.FillColor);
    json.field("format", v.Format);
    json.key("formatText");
    WriteEngineText(json, v.FormatStr);
    json.field("visible", v.Visible);
    if (mode == ObjectJsonMode::Template) {
        WriteEngineLines(json, "memo", v.Memo);
        WriteEngineLines(json, "script", v.Script);
    } else {
        WriteEngineLines(json, "text", v.Memo);
    }
    json.key("tag");
    WriteEngineText(json, v.Tag);
    json.field("gapX", v.GapX);
    json.field("gapY", v.GapY);
    json.field("restrictions", static_cast<int>(v.Restrictions));
    json.field("bandAlign", static_cast<int>(v.BandAlign));
}

// A text object's own fields as its record holds them: whatever class
// reads text objects, its record follows the common record of every view.
void writeText(JsonWriter& json, vl::TvlView& v) {
    vl::TvlViewState& state = v.viewState();
    const int version = state.templateVersion;
    const vl::TvlWriteMode mode = v.WriteMode;
    state.templateVersion = vl::kCurrentTemplateVersion;
    v.WriteMode = vl::wmTemplate;
    vl::MemoryStream common, record;
    v.TvlView::SaveToStream(common);
    v.SaveToStream(record);
    state.templateVersion = version;
    v.WriteMode = mode;
    if (record.size() <= common.size()) return;
    record.seek(common.size());
    json.key("font");
    json.beginObject();
    json.key("name");
    WriteEngineText(json, vl::ReadString(record));
    json.field("size", vl::ReadInteger(record));
    json.field("style", static_cast<int>(vl::ReadUWord(record)));
    json.field("color", vl::ReadInteger(record));
    const std::int32_t alignment = vl::ReadInteger(record);
    json.field("charset", static_cast<int>(vl::ReadUWord(record)));
    json.endObject();
    json.field("alignment", alignment);
    json.key("highlight");
    json.beginObject();
    json.field("style", static_cast<int>(vl::ReadUWord(record)));
    json.field("color", vl::ReadInteger(record));
    json.field("fill", vl::ReadInteger(record));
    json.key("condition");
    WriteEngineText(json, vl::ReadString(record));
    json.endObject();
    json.field("lineSpacing", vl::ReadInteger(record));
    json.field("charSpacing", vl::ReadInteger(record));
}

void writeBand(JsonWriter& json, const vl::TvlBandView& b) {
    json.key("childBand");
    WriteEngineText(json, b.ChildBand);
    json.key("master");
    WriteEngineText(json, b.Master);
    json.field("columns", b.Columns);
    json.field("columnWidth", b.ColumnWidth);
    json.field("columnGap", b.ColumnGap);
    json.field("newColumnAfter", b.NewColumnAfter);
}

const char* graphicName(vl::TvlGraphicKind kind) {
    switch (kind) {
    case vl::TvlGraphicKind::Bitmap:
        return "bitmap";
    case vl::TvlGraphicKind::Metafile:
        return "metafile";
    case vl::TvlGraphicKind::Icon:
        return "icon";
    case vl::TvlGraphicKind::Jpeg:
        return "jpeg";
    case vl::TvlGraphicKind::None:
        break;
    }
    return "none";
}

void writePicture(JsonWriter& json, const vl::TvlPictureView& p) {
    const vl::TvlGraphic* graphic = p.Picture.empty() ? nullptr : p.Picture.graphic();
    json.field("graphic", graphicName(graphic ? graphic->kind() : vl::TvlGraphicKind::None));
    json.field("blobType", static_cast<int>(p.BlobType));
    json.field("graphicBytes",
               static_cast<std::int64_t>(graphic ? graphic->save().size() : std::size_t{0}));
}

} // namespace

void WriteEngineText(JsonWriter& json, std::string_view text) {
    json.value(vl::ToQt(text));
}

void WriteEngineLines(JsonWriter& json, std::string_view key, const vl::StringList& lines) {
    json.key(key);
    json.beginArray();
    for (const std::string& line : lines)
        WriteEngineText(json, line);
    json.endArray();
}

void WriteObjectJson(JsonWriter& json, vl::TvlView& view, ObjectJsonMode mode) {
    json.beginObject();
    writeCommon(json, view, mode);
    if (view.Typ == vl::otMemo) writeText(json, view);
    if (const auto* band = dynamic_cast<const vl::TvlBandView*>(&view)) writeBand(json, *band);
    if (const auto* picture = dynamic_cast<const vl::TvlPictureView*>(&view))
        writePicture(json, *picture);
    if (const auto* sub = dynamic_cast<const vl::TvlSubReportView*>(&view))
        json.field("subPage", sub->SubPage);
    json.endObject();
}

void WritePaperJson(JsonWriter& json, const PaperJson& paper) {
    json.key("paper");
    json.beginObject();
    json.field("size", paper.size);
    json.field("width", paper.width);
    json.field("height", paper.height);
    json.field("orientation", paper.orientation);
    json.field("bin", paper.bin);
    json.endObject();
}

} // namespace vellum_cli
