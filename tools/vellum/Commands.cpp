#include "tools/vellum/Commands.h"

#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>

namespace vellum_cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"organizer", "organizer DIR [--source tasks|contacts]",
         "list the organizer's tasks or contacts as the program loads them, as JSON", RunOrganizer},
        {"printers", "printers [--printer NAME] [--paper CODE] [--landscape]",
         "list the printers, and the papers, bins and page metrics of the selected one, as JSON",
         RunPrinters},
        {"eval", "eval [--locale NAME] [--set NAME=EXPR]... EXPRESSION",
         "evaluate an expression and print its kind and value", RunEval},
        {"show",
         "show FILE.vlp [--json FILE|-] [--pdf FILE] [--png DIR] [--dpi N] [--timeout SECONDS]",
         "show a prepared-report file: its pages and objects as JSON, a PDF document or PNG "
         "images (page-1.png, ...)",
         RunShow},
        {"build",
         "build TEMPLATE.vlf [--organizer DIR] [--source tasks|contacts] | [--database "
         "FILE.sqlite|DRIVER:CONNECTION [--query NAME=SQL]... [--table NAME=TABLE]...] "
         "[--var NAME=EXPR]... [--now 'YYYY-MM-DD hh:nn:ss'] [--locale NAME] [--json FILE|-] "
         "[--vlp FILE] [--pdf FILE] [--png DIR] [--dpi N] [--timeout SECONDS]",
         "build a template against the organizer's data as the Print Preview window does, or "
         "on the tables of a database, and write the pages as JSON (with totalPages), a "
         "prepared-report file, PDF or PNG images",
         RunBuild},
        {"print",
         "print FILE.vlp|TEMPLATE.vlf [--organizer DIR] [--source tasks|contacts] [--now "
         "'YYYY-MM-DD hh:nn:ss'] [--locale NAME] [--printer NAME | --pdf FILE] [--pages LIST] "
         "[--copies N] [--collate|--no-collate] [--odd|--even]",
         "print a prepared report, or a template built as \"build\" does, on a printer or into "
         "a PDF file, as the print dialog does (pages as \"1,3,5-12\")",
         RunPrint},
        {"info", "info FILE.vlf [--password TEXT]",
         "load a template and print its pages, objects, dictionary and information as JSON",
         RunInfo},
        {"save", "save IN.vlf OUT.vlf [--password TEXT]",
         "load a template and save it again in the current version", RunSave},
        {"xml", "xml IN.vlf [OUT.vl3] [--password TEXT]",
         "export a template as the XML document of the later format", RunXml},
        {"script", "script [--compile] [--set NAME=EXPR]... [--timeout SECONDS] FILE",
         "compile a script and run it, printing the script variables, or list the compiled lines",
         RunScript},
        {"preview",
         "preview FILE.vlp|TEMPLATE.vlf [--organizer DIR] [--source tasks|contacts] [--now "
         "'YYYY-MM-DD hh:nn:ss'] [--locale NAME]",
         "open the preview window on a prepared report, or on a template built against the "
         "organizer's data",
         RunPreview},
        {"design",
         "design TEMPLATE.vlf [--organizer DIR] [--source tasks|contacts] [--now 'YYYY-MM-DD "
         "hh:nn:ss'] [--database FILE [--query NAME=SQL]... [--table NAME=TABLE]...]",
         "open the designer window on a template (a new one when the file does not exist yet) "
         "with the data its field lists show and its preview builds on; it saves the template "
         "itself",
         RunDesign},
    };
    return commands;
}

namespace {

void printOverview() {
    std::printf("usage: vellum <command> [arguments]\n       vellum <command> --help\n"
                "       vellum --version\n\nCommands:\n");
    for (const auto& c : Commands())
        std::printf("  %-50.*s %.*s\n", static_cast<int>(c.usage.size()), c.usage.data(),
                    static_cast<int>(c.summary.size()), c.summary.data());
}

void printUsage(const Command& command) {
    std::printf("usage: vellum %.*s\n\n%.*s\n", static_cast<int>(command.usage.size()),
                command.usage.data(), static_cast<int>(command.summary.size()),
                command.summary.data());
}

bool asksForHelp(const QString& arg) {
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

const Command* findCommand(const QString& name) {
    for (const auto& command : Commands())
        if (name == QLatin1String(command.name.data(), static_cast<qsizetype>(command.name.size())))
            return &command;
    return nullptr;
}

int runCommand(const Command& command, const QStringList& args) {
    if (std::any_of(args.begin(), args.end(), asksForHelp)) {
        printUsage(command);
        return 0;
    }
    try {
        return command.run(args);
    } catch (const UsageError& e) {
        PrintError(std::string(e.what()) + " (usage: vellum " + std::string(command.usage) + ")");
        return 2;
    } catch (const std::exception& e) {
        PrintError(e.what());
        return 1;
    }
}

} // namespace

int RunCommandLine(QStringList args) {
    if (args.isEmpty() || asksForHelp(args[0])) {
        printOverview();
        return args.isEmpty() ? 2 : 0;
    }
    if (args[0] == QLatin1String("--version")) {
        std::printf("vellum %s\n", VELLUM_VERSION);
        return 0;
    }
    const QString name = args.takeFirst();
    if (const Command* command = findCommand(name)) return runCommand(*command, args);
    PrintError("unknown command \"" + vl::FromQt(name) + "\"; see vellum --help");
    return 2;
}

} // namespace vellum_cli
