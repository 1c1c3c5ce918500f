#include "tools/vellum/Commands.h"

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
        {"script", "script [--compile] [--set NAME=EXPR]... FILE",
         "compile a script and run it, printing the script variables, or list the compiled lines",
         RunScript},
    };
    return commands;
}

} // namespace vellum_cli
