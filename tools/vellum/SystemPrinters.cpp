#include "tools/vellum/SystemPrinters.h"

#include "engine/build/TvlEngine.h"
#include "engine/output/printing/QtPrinterSystem.h"

#include <memory>

namespace vellum_cli {

SystemPrinters::SystemPrinters(vl::TvlEngine& engine) : engine_(engine) {
    auto printers = std::make_unique<vl::QtPrinterSystem>();
    printers->setPdfPrinterOffered(true);
    engine_.startPrinter(std::move(printers));
}

SystemPrinters::~SystemPrinters() {
    engine_.startPrinter(nullptr);
}

} // namespace vellum_cli
