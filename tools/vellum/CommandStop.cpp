#include "tools/vellum/CommandStop.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/Errors.h"
#include "engine/script/ScriptContext.h"
#include "tools/vellum/CommandLine.h"

#include <atomic>
#include <chrono>
#include <csignal>

namespace vellum_cli {

namespace {

constexpr int kMaxSeconds = 24 * 60 * 60;

// A signal handler is given nothing: the engine that Ctrl-C stops is kept
// here while a command runs.
std::atomic<vl::TvlScriptContext*> interruptedEngine{nullptr};

void onInterrupt(int) {
    if (vl::TvlScriptContext* engine = interruptedEngine.load()) engine->interrupt();
}

int timeoutOption(const CommandArgs& cmd) {
    const auto text = cmd.option(CommandStop::Option());
    if (!text) return 0;
    bool ok = false;
    const int seconds = text->toInt(&ok);
    if (!ok || seconds < 1 || seconds > kMaxSeconds)
        throw UsageError("--timeout takes a number of seconds from 1 to " +
                         std::to_string(kMaxSeconds));
    return seconds;
}

} // namespace

CommandStop::CommandStop(const CommandArgs& cmd)
    : engine_(cmd.engine().script()), seconds_(timeoutOption(cmd)) {
    engine_.clearInterrupt();
    deadline_ = std::make_unique<vl::ScopedDeadline>(engine_, std::chrono::seconds(seconds_));
    interruptedEngine = &engine_;
    std::signal(SIGINT, onInterrupt);
}

CommandStop::~CommandStop() {
    std::signal(SIGINT, SIG_DFL);
    interruptedEngine = nullptr;
    engine_.clearInterrupt();
}

bool CommandStop::Stopped() const {
    return engine_.interrupted() || deadline_->Expired();
}

void CommandStop::ThrowIfStopped() const {
    if (engine_.interrupted()) throw vl::VlError("interrupted");
    if (deadline_->Expired())
        throw vl::VlError("stopped after " + std::to_string(seconds_) + " seconds (--timeout)");
}

} // namespace vellum_cli
