#pragma once

#include <cstddef>

namespace vl {

class TvlBand;
class TvlPage;
class TvlView;

// Sub-report objects print the bands of another page of the template in
// their place. The page's record loop runs first in record mode, noting
// which band to print and how its data source moves; the notes are then
// replayed side by side, one outer page at a time: each sub-report goes on
// until a band does not fit, and when one has not finished, the outer page
// breaks and all unfinished ones go on at the top of the next page.
class TvlSubReportRun {
public:
    // A visible sub-report object at index firstObject of the band's objects
    // takes over the rest of the band (every later object is a sub-report
    // object); the outer page's position ends below the lowest of them.
    void HandOver(TvlBand& band, std::size_t firstObject);
    // Replays the band's sub-reports until all are done, breaking the outer
    // page as often as the longest needs. With force, a band that does not
    // fit prints where it stands (the outer page cannot break now).
    void OutputSubReports(TvlBand& band, bool force);

private:
    void start(TvlBand& band);
    void startOne(TvlBand& band, TvlView& object, TvlPage& subPage);
    void reposition(TvlBand& band);
    // One turn over the sub-reports not done yet; true when some step was
    // replayed.
    bool replayTurn(TvlBand& band, bool fresh, bool force);
    // How a turn treats a band that does not fit: fresh when the outer page
    // has just broken, force when it cannot break now; freshTop is where a
    // new outer page's content starts.
    struct Replay {
        bool fresh;
        bool force;
        int freshTop;
    };
    // True when it stopped at a step that did not fit.
    bool replaySteps(TvlPage& page, const Replay& replay, bool& progress);
    // True when the band (or the sub-reports it waits for) printed.
    bool drawStep(TvlPage& page, TvlBand& band, bool force, bool lift);
    void finish(TvlBand& band);
};

} // namespace vl
