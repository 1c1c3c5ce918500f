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
        {"show", "show FILE.vlp [--json FILE|-] [--pdf FILE] [--png DIR] [--dpi N]",
         "show a prepared-report file: its pages and objects as JSON, a PDF document or PNG "
         "images (page-1.png, ...)",
         RunShow},
        {"build",
         "build TEMPLATE.vlf [--organizer DIR] [--source tasks|contacts] [--now 'YYYY-MM-DD "
         "hh:nn:ss'] [--locale NAME] [--json FILE|-] [--vlp FILE] [--pdf FILE] [--png DIR] "
         "[--dpi N]",
         "build a template against the organizer's data as the Print Preview window does, and "
         "write the pages as JSON (with totalPages), a prepared-report file, PDF or PNG images",
         RunBuild},
        {"info", "info FILE.vlf [--password TEXT]",
         "load a template and print its pages, objects, dictionary and information as JSON",
         RunInfo},
        {"save", "save IN.vlf OUT.vlf [--password TEXT]",
         "load a template and save it again in the current version", RunSave},
        {"xml", "xml IN.vlf [OUT.vl3] [--password TEXT]",
         "export a template as the XML document of the later format", RunXml},
        {"script", "script [--compile] [--set NAME=EXPR]... FILE",
         "compile a script and run it, printing the script variables, or list the compiled lines",
         RunScript},
    };
    return commands;
}

} // namespace vellum_cli
