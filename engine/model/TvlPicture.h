#pragma once

#include "engine/model/TvlGraphic.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace vl {

// The holder of a picture view's graphic. Scripts reach a holder by its
// handle, a number that names it only while it lives.
class TvlPicture {
public:
    TvlPicture();
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

    std::int32_t handle() const { return handle_; }
    // The living holder with that handle, or none.
    static TvlPicture* fromHandle(std::int32_t handle);

private:
    std::unique_ptr<TvlGraphic> graphic_;
    std::int32_t handle_;
};

} // namespace vl
