#pragma once

#include <cstdint>
#include <vector>

namespace vl {

class TvlDesignerHost;
class TvlPage;
class TvlView;

// The selected objects of the host's current page in page order, as the
// editing commands walk them; none without a page.
std::vector<TvlView*> SelectedViews(TvlDesignerHost& host);
// The object's index in the page's list, -1 when it is not there.
int IndexOfView(const TvlPage& page, const TvlView* view);
// The index of the object with that sequence number, -1 when none has it.
int IndexOfSequence(const TvlPage& page, std::int32_t sequence);
bool IsBandView(const TvlView& view);

} // namespace vl
