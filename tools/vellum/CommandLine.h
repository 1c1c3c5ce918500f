#pragma once

#include "engine/script/Errors.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace vl {
class TvlEngine;
}

namespace vellum_cli {

// Wrong use of a subcommand; the message says what was expected.
class UsageError : public vl::VlError {
public:
    using vl::VlError::VlError;
};

// The arguments of one subcommand: positionals and "--name value" options.
class CommandArgs {
public:
    // valueOptions take a value ("--source tasks"), flagOptions none.
    CommandArgs(const QStringList& args, const QStringList& valueOptions,
                const QStringList& flagOptions);

    const QStringList& positionals() const { return positionals_; }
    QString positional(int i, const char* what) const;
    std::optional<QString> option(const QString& name) const;
    QStringList options(const QString& name) const; // every occurrence, in order
    bool flag(const QString& name) const { return flags_.contains(name); }
    // The engine instance the command works with: the one the thread that
    // runs the command works for (the process's own in the vellum program;
    // a host running commands on several threads enters one per thread).
    vl::TvlEngine& engine() const { return engine_; }

private:
    vl::TvlEngine& engine_;
    QStringList positionals_;
    QList<std::pair<QString, QString>> options_;
    QStringList flags_;
};

// Prints an engine message (8-bit engine text) as the command line reports
// errors: one line "vellum: <message>" on standard error.
void PrintError(const std::string& message);

// --locale NAME: the engine's locale for formatting and day and month
// names; UsageError for a name Qt does not know.
void SelectLocale(vl::TvlEngine& engine, const QString& name);

} // namespace vellum_cli
