#pragma once

namespace vellum_cli {

// The system's printers, with "Print to PDF file" among them, are the
// engine's while a window command runs; the engine's virtual printer comes
// back when it ends, so nothing of the command stays behind for the next.
class SystemPrinters {
public:
    SystemPrinters();
    ~SystemPrinters();
    SystemPrinters(const SystemPrinters&) = delete;
    SystemPrinters& operator=(const SystemPrinters&) = delete;
};

} // namespace vellum_cli
