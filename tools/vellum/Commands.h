#pragma once

#include <QStringList>
#include <string_view>
#include <vector>

namespace vellum_cli {

// One capability of the command line: "vellum <name> ...".
struct Command {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    int (*run)(const QStringList& args);
};

const std::vector<Command>& Commands();

// Runs "vellum ARGS": a subcommand, the list of subcommands (--help, -h),
// one subcommand's usage (SUBCOMMAND --help or -h) or the version
// (--version). Errors are one line "vellum: <message>" on standard error.
// Returns the exit status.
int RunCommandLine(QStringList args);

int RunOrganizer(const QStringList& args);
int RunPrinters(const QStringList& args);
int RunEval(const QStringList& args);
int RunShow(const QStringList& args);
int RunBuild(const QStringList& args);
int RunPrint(const QStringList& args);
int RunInfo(const QStringList& args);
int RunSave(const QStringList& args);
int RunXml(const QStringList& args);
int RunScript(const QStringList& args);
// Needs a QApplication: the program makes one for this command.
int RunPreview(const QStringList& args);
int RunDesign(const QStringList& args);

} // namespace vellum_cli
