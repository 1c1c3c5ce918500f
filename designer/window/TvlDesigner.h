#pragma once

#include "designer/commands/TvlDesignerOptions.h"
#include "designer/workspace/DesignerSession.h"
#include "engine/build/TvlEngine.h"

namespace vl {

// The designer as a program holds it. While it exists, reports can be
// designed (TvlReport::DesignReport) and prepared pages edited (the
// preview's "Edit page") in a designer window that takes its options: the
// program sets them on it at any time, and each window opened afterwards
// uses them. A program has one: making a second while one exists is an
// error. Make it after the application object; the dialog controls' tools
// come with it.
class TvlDesigner {
public:
    // The designer of engine's reports (the process's default instance
    // unless another is given).
    explicit TvlDesigner(TvlEngine& engine = TvlEngine::Default());
    ~TvlDesigner();
    TvlDesigner(const TvlDesigner&) = delete;
    TvlDesigner& operator=(const TvlDesigner&) = delete;

    TvlDesignerOptions& options() { return options_; }
    // What its windows share: the clipboard, new-object values, choosers.
    TvlDesignerSession& session() { return session_; }
    const TvlDesignerOptions& options() const { return options_; }

    // The program's designer, or none.
    static TvlDesigner* Current();

private:
    // Asks whether a changed prepared page replaces the one it was made from.
    bool keepEditedPage() const;
    TvlEngine& engine_;
    TvlDesignerOptions options_;
    TvlDesignerSession session_;
};

} // namespace vl
