#include "designer/workspace/ObjectRecord.h"

#include "engine/model/ModelContext.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlView.h"
#include "engine/model/ViewState.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/Stream.h"

namespace vl {

namespace {

struct RecordHeader {
    std::uint8_t type = otAddIn;
    std::string className;
};

RecordHeader readHeader(Stream& stream) {
    RecordHeader header;
    header.type = ReadByte(stream);
    if (header.type == otAddIn) header.className = ReadString(stream);
    return header;
}

bool sameClass(const TvlView& view, const RecordHeader& header) {
    return view.Typ == header.type &&
           (header.type != otAddIn || view.className() == header.className);
}

} // namespace

TvlObjectRecord::TvlObjectRecord(TvlView& view) : sequence_(view.ID) {
    const ScopedValue version(view.viewState().templateVersion, kCurrentTemplateVersion);
    view.WriteMode = wmTemplate;
    MemoryStream stream;
    WriteByte(stream, view.Typ);
    if (view.Typ == otAddIn) WriteString(stream, view.className());
    view.SaveToStream(stream);
    bytes_ = stream.takeData();
    bytes_.shrink_to_fit();
}

std::unique_ptr<TvlView> TvlObjectRecord::create(TvlModelContext& engine) const {
    if (bytes_.empty()) return nullptr;
    const ScopedValue version(engine.views().templateVersion, kCurrentTemplateVersion);
    MemoryStream stream(bytes_.data(), bytes_.size());
    const RecordHeader header = readHeader(stream);
    std::unique_ptr<TvlView> view = CreateObject(engine, header.type, header.className);
    if (!view) return nullptr;
    view->WriteMode = wmTemplate;
    view->LoadFromStream(stream);
    view->ID = sequence_;
    return view;
}

bool TvlObjectRecord::restoreInto(TvlView& view) const {
    if (bytes_.empty()) return false;
    const ScopedValue version(view.viewState().templateVersion, kCurrentTemplateVersion);
    MemoryStream stream(bytes_.data(), bytes_.size());
    if (!sameClass(view, readHeader(stream))) return false;
    view.WriteMode = wmTemplate;
    view.LoadFromStream(stream);
    return true;
}

} // namespace vl
