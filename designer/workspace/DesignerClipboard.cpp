#include "designer/workspace/DesignerClipboard.h"

#include "designer/workspace/ObjectSelection.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/model/ModelContext.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/ViewState.h"
#include "engine/script/Errors.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/Stream.h"
#include "engine/script/StreamIO.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace vl {

void DesignerClipboard::copy(const TvlPage& page, const TvlObjectSelection& selection) {
    records_.clear();
    const ScopedValue version(page.Engine().views().templateVersion, kCurrentTemplateVersion);
    for (const auto& view : page.Objects) {
        if (!selection.contains(*view)) continue;
        MemoryStream stream;
        WriteByte(stream, view->Typ);
        WriteString(stream, view->className());
        view->WriteMode = wmTemplate;
        view->SaveToStream(stream);
        const auto& bytes = stream.data();
        records_.emplace_back(reinterpret_cast<const char*>(bytes.data()),
                              static_cast<qsizetype>(bytes.size()));
    }
}

namespace {

// One clipboard record made into an object again; none when its class is
// not known any more or the record is damaged.
std::unique_ptr<TvlView> ReadRecord(TvlModelContext& engine, const QByteArray& record) {
    MemoryStream stream(record.constData(), static_cast<std::size_t>(record.size()));
    try {
        const std::uint8_t type = ReadByte(stream);
        const std::string className = ReadString(stream);
        auto view = CreateObject(engine, type, className);
        if (view) view->LoadFromStream(stream);
        return view;
    } catch (const VlError&) {
        return nullptr;
    }
}

bool HasClass(const TvlPage& page, const std::string& className) {
    return std::any_of(page.Objects.begin(), page.Objects.end(),
                       [&](const auto& v) { return v->className() == className; });
}

bool MayRepeatBandType(int type) {
    return (type >= 4 && type <= 12) || type == 16 || type == 17;
}

bool HasBandType(const TvlPage& page, int type) {
    return std::any_of(page.Objects.begin(), page.Objects.end(), [&](const auto& v) {
        const auto* band = dynamic_cast<const TvlBandView*>(v.get());
        return band && band->bandType() == type;
    });
}

bool NameTaken(const TvlPage& page, const std::string& name) {
    if (const TvlViewHost* host = page.Engine().views().host)
        return host->findObject(name) != nullptr;
    return page.FindObject(name) != nullptr;
}

// Whether the object may join the page: one-per-page classes and most band
// types appear once.
bool MayJoin(const TvlPage& page, const TvlView& view) {
    if ((view.Flags & ofOnePerPage) && HasClass(page, view.className())) return false;
    const auto* band = dynamic_cast<const TvlBandView*>(&view);
    return !band || MayRepeatBandType(band->bandType()) || !HasBandType(page, band->bandType());
}

} // namespace

std::vector<TvlView*> DesignerClipboard::paste(TvlPage& page, QPoint shift,
                                               std::optional<int> bandTop) const {
    TvlViewState& state = page.Engine().views();
    const ScopedValue version(state.templateVersion, kCurrentTemplateVersion);
    // A class that went away is skipped here, not reported as a load error.
    const ScopedValue errorFlag(state.errorFlag, state.errorFlag);
    const ScopedValue errorText(state.errorText, state.errorText);
    std::vector<std::unique_ptr<TvlView>> objects;
    int minLeft = INT_MAX, minTop = INT_MAX;
    for (const QByteArray& record : records_) {
        auto view = ReadRecord(page.Engine().model(), record);
        if (!view || !MayJoin(page, *view)) continue;
        minLeft = std::min(minLeft, view->Left);
        minTop = std::min(minTop, view->Top);
        objects.push_back(std::move(view));
    }
    std::vector<TvlView*> added;
    for (auto& view : objects) {
        // Two pasted bands of one type: the second one may not join.
        if (!MayJoin(page, *view)) continue;
        if (view->Name.empty() || NameTaken(page, view->Name)) view->MakeUniqueName();
        view->SetProperty("Name", Variant(view->Name));
        view->Left = view->Left - minLeft + shift.x();
        view->Top = view->Top - minTop + bandTop.value_or(shift.y());
        added.push_back(&page.AddObject(std::move(view)));
    }
    return added;
}

} // namespace vl
