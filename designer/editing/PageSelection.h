#pragma once

#include <cstdint>
#include <vector>

namespace vl {

class TvlPage;
class TvlView;

// The selected objects of a page as the editing commands walk them.
std::vector<TvlView*> SelectedViews(const TvlPage& page);
// The last selected object in page order (the one drawn on top), or none.
TvlView* TopmostSelected(const TvlPage& page);
// The object's index in the page's list, -1 when it is not there.
int IndexOfView(const TvlPage& page, const TvlView* view);
// The index of the object with that sequence number, -1 when none has it.
int IndexOfSequence(const TvlPage& page, std::int32_t sequence);
bool IsBandView(const TvlView& view);

} // namespace vl
