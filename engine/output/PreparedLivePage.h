#pragma once

#include "engine/model/TvlView.h"
#include "engine/output/PageSettings.h"

#include <memory>
#include <utility>
#include <vector>

namespace vl {

// The live objects of a prepared page, rebuilt from its stream while the
// page is drawn, hit-tested or edited. As the page its objects see, it
// reports the usable area of its paper and margins.
class PreparedLivePage : public TvlViewPage {
public:
    // views: the state of the instance that draws the page, which must not
    // point at it once it is gone.
    PreparedLivePage(const PageSettings& settings, TvlViewState& views)
        : settings_(settings), views_(views) {}
    ~PreparedLivePage() override;
    PreparedLivePage(const PreparedLivePage&) = delete;
    PreparedLivePage& operator=(const PreparedLivePage&) = delete;

    int viewCount() const override { return static_cast<int>(objects_.size()); }
    TvlView* viewAt(int index) const override;
    int leftEdge() const override;
    int rightEdge() const override;
    int pixelWidth() const override { return settings_.Metrics.PixelPaperWidth; }
    int pixelHeight() const override { return settings_.Metrics.PixelPaperHeight; }

    const PageSettings& settings() const { return settings_; }
    void add(std::unique_ptr<TvlView> view) { objects_.push_back(std::move(view)); }
    const std::vector<std::unique_ptr<TvlView>>& objects() const { return objects_; }
    // Hands the objects over (to a designer page that edits them) and
    // takes them back.
    std::vector<std::unique_ptr<TvlView>> takeObjects() { return std::exchange(objects_, {}); }
    void replaceObjects(std::vector<std::unique_ptr<TvlView>> objects) {
        objects_ = std::move(objects);
    }

private:
    PageSettings settings_;
    TvlViewState& views_;
    std::vector<std::unique_ptr<TvlView>> objects_;
};

} // namespace vl
