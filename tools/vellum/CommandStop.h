#pragma once

#include "engine/script/EngineLimits.h"

#include <QString>
#include <memory>

namespace vellum_cli {

class CommandArgs;

// How a long-running command stops: "--timeout SECONDS" arms the engine's
// deadline and Ctrl-C interrupts the engine, both as Cancel would; the
// command then ends with a message that says why. Commands that build,
// draw or print create one for their whole run.
class CommandStop {
public:
    // The value option every such command accepts.
    static QString Option() { return QStringLiteral("timeout"); }

    // Reads --timeout (a whole number of seconds from 1 to 86400; UsageError
    // otherwise) and takes over Ctrl-C until destroyed.
    explicit CommandStop(const CommandArgs& cmd);
    ~CommandStop();
    CommandStop(const CommandStop&) = delete;
    CommandStop& operator=(const CommandStop&) = delete;

    // The deadline has passed or Ctrl-C was pressed.
    bool Stopped() const;
    // Raises the error that says why the command stopped, when it did.
    void ThrowIfStopped() const;

private:
    vl::TvlScriptContext& engine_;
    int seconds_ = 0;
    std::unique_ptr<vl::ScopedDeadline> deadline_;
};

} // namespace vellum_cli
