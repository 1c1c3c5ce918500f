#include "designer/workspace/SessionHooks.h"

#include "engine/model/ViewState.h"

#include <algorithm>

namespace vl {

TvlSessionHooks::~TvlSessionHooks() {
    for (const Entry& before : before_)
        before.views->designer = before.hooks;
}

void TvlSessionHooks::push(TvlViewState& views, TvlDesignerHooks& hooks) {
    const bool known = std::any_of(before_.begin(), before_.end(),
                                   [&](const Entry& b) { return b.views == &views; });
    if (!known) before_.push_back({&views, views.designer});
    pushed_.push_back({&views, &hooks});
    views.designer = &hooks;
}

void TvlSessionHooks::remove(const TvlDesignerHooks& hooks) {
    std::vector<TvlViewState*> touched;
    std::erase_if(pushed_, [&](const Entry& p) {
        if (p.hooks != &hooks) return false;
        touched.push_back(p.views);
        return true;
    });
    for (TvlViewState* views : touched)
        apply(*views);
}

void TvlSessionHooks::reinstall() {
    for (const Entry& before : before_)
        apply(*before.views);
}

void TvlSessionHooks::apply(TvlViewState& views) {
    const auto top = std::find_if(pushed_.rbegin(), pushed_.rend(),
                                  [&](const Entry& p) { return p.views == &views; });
    if (top != pushed_.rend()) {
        views.designer = top->hooks;
        return;
    }
    // The last hooks for this engine are gone: it answers as before the
    // session, and the session forgets it, as it may end before the session.
    const auto before = std::find_if(before_.begin(), before_.end(),
                                     [&](const Entry& b) { return b.views == &views; });
    if (before == before_.end()) return;
    views.designer = before->hooks;
    before_.erase(before);
}

} // namespace vl
