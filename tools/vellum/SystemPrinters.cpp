#include "tools/vellum/SystemPrinters.h"

#include "engine/build/TvlGlobals.h"
#include "engine/output/printing/QtPrinterSystem.h"

#include <memory>

namespace vellum_cli {

SystemPrinters::SystemPrinters() {
    auto printers = std::make_unique<vl::QtPrinterSystem>();
    printers->setPdfPrinterOffered(true);
    vl::Globals().startPrinter(std::move(printers));
}

SystemPrinters::~SystemPrinters() {
    vl::Globals().startPrinter(nullptr);
}

} // namespace vellum_cli
