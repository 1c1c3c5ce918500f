#include "engine/model/TvlPicture.h"

#include "engine/model/ViewState.h"
#include "engine/model/picture/PictureError.h"
#include "engine/script/CodePage.h"
#include "engine/script/Stream.h"

#include <QFileInfo>

namespace vl {

TvlPicture::TvlPicture() {
    TvlViewState& state = ViewState();
    handle_ = ++state.lastPictureHandle;
    state.pictureHandles[handle_] = this;
}

TvlPicture::~TvlPicture() {
    ViewState().pictureHandles.erase(handle_);
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

TvlPicture* TvlPicture::fromHandle(std::int32_t handle) {
    const auto& handles = ViewState().pictureHandles;
    const auto it = handles.find(handle);
    return it == handles.end() ? nullptr : it->second;
}

} // namespace vl
