#pragma once

#include <vector>

namespace vl {

class TvlDesignerHooks;
struct TvlViewState;

// The designer hooks a session puts into the engines whose reports it
// edits: the dialogs that report objects open from the inspector and from
// their own editors. Each window pushes its hooks while it lives; the
// engine answers with the hooks pushed last for it, and gets back what it
// had before the session when the last are removed or the session ends.
class TvlSessionHooks {
public:
    TvlSessionHooks() = default;
    TvlSessionHooks(const TvlSessionHooks&) = delete;
    TvlSessionHooks& operator=(const TvlSessionHooks&) = delete;
    ~TvlSessionHooks();

    void push(TvlViewState& views, TvlDesignerHooks& hooks);
    // Takes the hooks out wherever they are; their engine answers with
    // those below them.
    void remove(const TvlDesignerHooks& hooks);
    // Puts the session's hooks back in place after something else (a
    // preview of the report) replaced them.
    void reinstall();

private:
    // Hooks in an engine: pushed ones, or what it had before the session.
    struct Entry {
        TvlViewState* views;
        TvlDesignerHooks* hooks;
    };
    void apply(TvlViewState& views);

    std::vector<Entry> pushed_;
    std::vector<Entry> before_; // one per engine with pushed hooks
};

} // namespace vl
