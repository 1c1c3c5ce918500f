#include "engine/model/TvlPicture.h"

#include "engine/model/ViewState.h"
#include "engine/model/picture/PictureError.h"
#include "engine/script/CodePage.h"
#include "engine/script/Stream.h"

#include <QFileInfo>

namespace vl {

TvlPicture::TvlPicture(TvlViewState& handles) {
    takeHandleFrom(handles);
}

void TvlPicture::takeHandleFrom(TvlViewState& handles) {
    if (handles_ == &handles) return;
    if (handles_) handles_->pictureHandles.erase(handle_);
    handles_ = &handles;
    handle_ = ++handles.lastPictureHandle;
    handles.pictureHandles[handle_] = this;
}

TvlPicture::~TvlPicture() {
    if (handles_) handles_->pictureHandles.erase(handle_);
}

void TvlPicture::assign(const TvlPicture& other) {
    if (&other == this) return;
    graphic_ = other.graphic_ ? other.graphic_->clone() : nullptr;
}

void TvlPicture::loadFromFile(const QString& path) {
    const TvlGraphicKind kind = GraphicKindForExtension(FromQt(QFileInfo(path).suffix()));
    auto graphic = MakeGraphic(kind);
    if (!graphic)
        throw PictureError("Unknown picture file extension (." + FromQt(QFileInfo(path).suffix()) +
                           ")");
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    graphic->load(bytes.data(), bytes.size());
    graphic_ = std::move(graphic);
}

TvlPicture* TvlPicture::fromHandle(const TvlViewState& state, std::int32_t handle) {
    if (handle == 0) return nullptr;
    const auto& handles = state.pictureHandles;
    const auto it = handles.find(handle);
    return it == handles.end() ? nullptr : it->second;
}

} // namespace vl
