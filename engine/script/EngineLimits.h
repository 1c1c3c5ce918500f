#pragma once

#include <chrono>
#include <cstdint>

namespace vl {

class TvlScriptContext;

// Bounds on what templates and files may ask of the engine, so that
// untrusted input cannot take unbounded time or memory. A host may change
// them (the script part's limits()); zero switches a limit off.
struct EngineLimits {
    // Prepared pages one build may write.
    int pagesPerBuild = 20000;
    // Pixels (width times height) of one rendered page image: PNG files,
    // preview and print rasters. 100 million pixels take 400 MB; an A4 page
    // at 600 dpi has 35 million.
    std::int64_t pagePixels = 100'000'000;
    // Script lines one run of a script may execute.
    std::int64_t scriptSteps = 100'000'000;
    // Time one build may take; zero: no limit.
    std::chrono::milliseconds buildTime{0};
};

// Arms an engine's deadline for as long as it lives: the engine's stop
// checks stop whatever runs once it has passed, as Cancel would. Nested
// deadlines keep the earlier one. A budget of zero or less arms nothing.
class ScopedDeadline {
public:
    using Clock = std::chrono::steady_clock;
    ScopedDeadline(TvlScriptContext& engine, std::chrono::milliseconds budget);
    ~ScopedDeadline();
    ScopedDeadline(const ScopedDeadline&) = delete;
    ScopedDeadline& operator=(const ScopedDeadline&) = delete;

    // This deadline passed and stopped the work.
    bool Passed() const;
    // This deadline lies in the past.
    bool Expired() const;

private:
    TvlScriptContext& engine_;
    Clock::rep previous_ = 0;
    Clock::rep mine_ = 0;
};

} // namespace vl
