#include "tools/vellum/ObjectJson.h"

#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/CodePage.h"

namespace vellum_cli {

namespace {

const char* GraphicKindName(vl::TvlGraphicKind kind) {
    switch (kind) {
    case vl::TvlGraphicKind::Bitmap:
        return "bitmap";
    case vl::TvlGraphicKind::Metafile:
        return "metafile";
    case vl::TvlGraphicKind::Icon:
        return "icon";
    case vl::TvlGraphicKind::Jpeg:
        return "jpeg";
    default:
        return "none";
    }
}

// A property by name as an integer; 0 when the class gives none.
int IntProperty(vl::TvlView& view, std::string_view name) {
    const vl::Variant value = view.GetProperty(name);
    if (!value.isNumeric()) return 0;
    return value.toInt();
}

// Text objects expose their font and alignment by name, so this works for
// whichever class the engine registers for them.
void WriteTextKeys(JsonWriter& json, vl::TvlView& view) {
    json.key("font");
    json.beginObject();
    json.field("name", vl::ToQt(view.GetProperty("FONT.NAME").toString()));
    json.field("size", IntProperty(view, "FONT.SIZE"));
    json.field("style", IntProperty(view, "FONT.STYLE"));
    json.field("color", IntProperty(view, "FONT.COLOR"));
    json.endObject();
    json.field("alignment", IntProperty(view, "ALIGNMENT"));
    json.field("fillColor", view.FillColor);
    json.field("frameTyp", static_cast<int>(view.FrameTyp));
}

void WriteGraphic(JsonWriter& json, const vl::TvlPictureView& picture) {
    const vl::TvlGraphic* graphic = picture.Picture.graphic();
    json.key("graphic");
    json.beginObject();
    json.field("kind", GraphicKindName(graphic ? graphic->kind() : vl::TvlGraphicKind::None));
    if (graphic && !graphic->empty()) {
        json.field("width", graphic->size().width());
        json.field("height", graphic->size().height());
        json.field("bytes", static_cast<std::int64_t>(graphic->save().size()));
    }
    json.endObject();
}

} // namespace

void WriteObjectJson(JsonWriter& json, vl::TvlView& view) {
    json.beginObject();
    json.field("type", static_cast<int>(view.Typ));
    json.field("class", vl::ToQt(view.className()));
    json.field("name", vl::ToQt(view.Name));
    json.field("left", view.Left);
    json.field("top", view.Top);
    json.field("width", view.Width);
    json.field("height", view.Height);
    json.key("text");
    json.beginArray();
    for (const std::string& line : view.Memo)
        json.value(vl::ToQt(line));
    json.endArray();
    if (!view.Tag.empty()) json.field("tag", vl::ToQt(view.Tag));
    switch (view.Typ) {
    case vl::otMemo:
        WriteTextKeys(json, view);
        break;
    case vl::otPicture:
        if (const auto* picture = dynamic_cast<const vl::TvlPictureView*>(&view))
            WriteGraphic(json, *picture);
        break;
    case vl::otBand:
        json.field("bandType", static_cast<int>(view.FrameTyp));
        break;
    case vl::otSubReport:
        if (const auto* sub = dynamic_cast<const vl::TvlSubReportView*>(&view))
            json.field("subPage", sub->SubPage);
        break;
    case vl::otLine:
        json.field("frameTyp", static_cast<int>(view.FrameTyp));
        break;
    default:
        break;
    }
    json.endObject();
}

} // namespace vellum_cli
