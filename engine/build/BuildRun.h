#pragma once

#include "engine/build/BuildState.h"

#include <vector>

namespace vl {

class TvlEngine;
class TvlReport;
class TvlView;

// One build of a report, from PrepareReport's start to its end: the engine
// it runs in, the report whose events fire and that receives the prepared
// pages, the state its pages and bands share, and the objects that asked
// to hear of every text object written. Pages and bands reach it through
// their report; nothing of it outlives the build.
class TvlBuildRun {
public:
    TvlBuildRun(TvlEngine& engine, TvlReport& report);
    ~TvlBuildRun();
    TvlBuildRun(const TvlBuildRun&) = delete;
    TvlBuildRun& operator=(const TvlBuildRun&) = delete;

    TvlEngine& engine() const { return engine_; }
    TvlReport& report() const { return report_; }
    TvlBuildState& state() { return state_; }
    const TvlBuildState& state() const { return state_; }
    // The objects told about every text object the build writes.
    std::vector<TvlView*>& hooks() { return hooks_; }
    // Whether the build should stop at its next check (Cancel, STOPREPORT,
    // an error, a deadline).
    bool stopDue() const;

private:
    TvlEngine& engine_;
    TvlReport& report_;
    TvlBuildState state_;
    std::vector<TvlView*> hooks_;
};

} // namespace vl
