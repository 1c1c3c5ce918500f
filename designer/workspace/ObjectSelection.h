#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

namespace vl {

class TvlPage;
class TvlView;

// The objects the user has selected in the designer. Objects are known by
// their sequence number, not their address: undo and redo put back copies
// of the objects they recorded, under the same number, and those copies
// keep the selection the originals had, while an object that merely lands
// on a freed address does not inherit it. Walks over a page give the
// selected objects in page order, so "the topmost" is the one drawn last.
class TvlObjectSelection {
public:
    bool contains(const TvlView& view) const;
    // Selecting an object that has no sequence number yet gives it one.
    void select(TvlView& view);
    void deselect(const TvlView& view);
    void set(TvlView& view, bool selected);
    void toggle(TvlView& view);
    void clear();

    std::vector<TvlView*> in(const TvlPage& page) const;
    int countIn(const TvlPage& page) const;
    // The single selected object of the page, none with zero or several.
    TvlView* onlyIn(const TvlPage& page) const;
    // The last selected object in page order, or none.
    TvlView* topmostIn(const TvlPage& page) const;
    void selectAllOf(const TvlPage& page);

private:
    std::unordered_set<std::int32_t> sequences_;
};

} // namespace vl
