#include "engine/script/EngineLimits.h"

#include "engine/script/ScriptContext.h"

#include <algorithm>

namespace vl {

bool TvlScriptContext::stopDue() {
    if (interrupted_) stopRequested_ = true;
    if (deadline_ != 0 && !stopRequested_ &&
        ScopedDeadline::Clock::now().time_since_epoch().count() >= deadline_) {
        passedDeadline_ = deadline_;
        stopRequested_ = true;
    }
    return stopRequested_.load(std::memory_order_relaxed);
}

ScopedDeadline::ScopedDeadline(TvlScriptContext& engine, std::chrono::milliseconds budget)
    : engine_(engine) {
    Clock::rep& deadline = engine_.deadline();
    previous_ = deadline;
    if (budget.count() <= 0) return;
    mine_ = (Clock::now() + budget).time_since_epoch().count();
    deadline = previous_ == 0 ? mine_ : std::min(previous_, mine_);
}

ScopedDeadline::~ScopedDeadline() {
    engine_.deadline() = previous_;
}

bool ScopedDeadline::Passed() const {
    return mine_ != 0 && engine_.passedDeadline() == mine_;
}

bool ScopedDeadline::Expired() const {
    return mine_ != 0 && Clock::now().time_since_epoch().count() >= mine_;
}

} // namespace vl
