#pragma once

#include "engine/build/TvlEngine.h"

#include <QString>

namespace vl {

class TvlReport;
class TvlPreview;
class TvlPreviewForm;

// Where ShowReport shows the pages.
struct TvlShowOptions {
    // A pane inside a window of the host; none opens a preview window.
    TvlPreview* pane = nullptr;
};

// Builds the report and shows its pages (ShowPreparedReport); false when
// the build failed or was cancelled. A failure or a refusal is told in a
// message box.
bool ShowReport(TvlReport& report, const TvlShowOptions& options = {});
// Shows the report's prepared pages: in the pane when the options give one,
// else in a new preview window captioned "Preview" (and " - " + Title),
// modal or not as the report asks. Without pages nothing happens. A
// modeless window is returned; it closes and deletes itself.
TvlPreviewForm* ShowPreparedReport(TvlReport& report, const TvlShowOptions& options = {});

// Puts the windows into the engine for as long as it lives: message and
// input boxes, the progress window, dialog pages with their controls and
// the desktop's browser for links. The engine runs headless again
// afterwards, so nothing of the windows outlives the application object.
class WindowServices {
public:
    // The windows of the engine instance given (the process's own by
    // default).
    explicit WindowServices(TvlEngine& engine = TvlEngine::Default());
    ~WindowServices();
    WindowServices(const WindowServices&) = delete;
    WindowServices& operator=(const WindowServices&) = delete;

private:
    TvlEngine& engine_;
};

} // namespace vl
