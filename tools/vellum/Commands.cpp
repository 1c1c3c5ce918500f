#include "tools/vellum/Commands.h"

namespace vellum_cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"organizer", "organizer DIR [--source tasks|contacts]",
         "list the organizer's tasks or contacts as the program loads them, as JSON", RunOrganizer},
        {"eval", "eval [--locale NAME] [--set NAME=EXPR]... EXPRESSION",
         "evaluate an expression and print its kind and value", RunEval},
    };
    return commands;
}

} // namespace vellum_cli
