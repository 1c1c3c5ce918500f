#include "tools/vellum/CommandStop.h"

#include "engine/script/Errors.h"
#include "engine/script/ScriptGlobals.h"
#include "tools/vellum/CommandLine.h"

#include <chrono>
#include <csignal>

namespace vellum_cli {

namespace {

constexpr int kMaxSeconds = 24 * 60 * 60;

void onInterrupt(int) {
    vl::ScriptGlobals().interrupt();
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

CommandStop::CommandStop(const CommandArgs& cmd) : seconds_(timeoutOption(cmd)) {
    vl::ScriptGlobals().clearInterrupt();
    deadline_ = std::make_unique<vl::ScopedDeadline>(std::chrono::seconds(seconds_));
    std::signal(SIGINT, onInterrupt);
}

CommandStop::~CommandStop() {
    std::signal(SIGINT, SIG_DFL);
    vl::ScriptGlobals().clearInterrupt();
}

bool CommandStop::Stopped() const {
    return vl::ScriptGlobals().interrupted() || deadline_->Expired();
}

void CommandStop::ThrowIfStopped() const {
    if (vl::ScriptGlobals().interrupted()) throw vl::VlError("interrupted");
    if (deadline_->Expired())
        throw vl::VlError("stopped after " + std::to_string(seconds_) + " seconds (--timeout)");
}

} // namespace vellum_cli
