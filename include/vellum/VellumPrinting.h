#pragma once

// The system's printers behind the engine's printer object, for programs
// that link Vellum::Printing: vl::Globals().startPrinter(
// std::make_unique<vl::QtPrinterSystem>()) before the first template loads.

#include "engine/output/printing/QtPrinterSystem.h"
#include "vellum/Vellum.h"
