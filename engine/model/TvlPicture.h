#pragma once

#include "engine/model/TvlGraphic.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace vl {

struct TvlViewState;

// The holder of a picture view's graphic. Scripts reach a holder by its
// handle, a number that names it only while it lives.
class TvlPicture {
public:
    // A holder without a handle.
    TvlPicture() = default;
    // A holder that scripts reach by the handle it takes from handles.
    explicit TvlPicture(TvlViewState& handles);
    ~TvlPicture();
    TvlPicture(const TvlPicture&) = delete;
    TvlPicture& operator=(const TvlPicture&) = delete;

    TvlGraphic* graphic() const { return graphic_.get(); }
    bool empty() const { return !graphic_ || graphic_->empty(); }
    void setGraphic(std::unique_ptr<TvlGraphic> graphic) { graphic_ = std::move(graphic); }
    // Takes a copy of other's graphic.
    void assign(const TvlPicture& other);
    void clear() { graphic_.reset(); }
    // Loads a file whose extension names the format; throws PictureError
    // for unknown extensions and damaged files and VlError for unreadable ones.
    void loadFromFile(const QString& path);

    // Gives up the handle and takes a new one from handles (unless they are
    // the ones it has).
    void takeHandleFrom(TvlViewState& handles);
    // 0 for a holder without one.
    std::int32_t handle() const { return handle_; }
    // The living holder with that handle, or none.
    static TvlPicture* fromHandle(const TvlViewState& handles, std::int32_t handle);

private:
    std::unique_ptr<TvlGraphic> graphic_;
    TvlViewState* handles_ = nullptr;
    std::int32_t handle_ = 0;
};

} // namespace vl
