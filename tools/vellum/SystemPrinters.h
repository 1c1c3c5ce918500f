#pragma once

namespace vl {
class TvlEngine;
}

namespace vellum_cli {

// The system's printers, with "Print to PDF file" among them, are the
// engine's while a window command runs; the engine's virtual printer comes
// back when it ends, so nothing of the command stays behind for the next.
class SystemPrinters {
public:
    explicit SystemPrinters(vl::TvlEngine& engine);
    ~SystemPrinters();
    SystemPrinters(const SystemPrinters&) = delete;
    SystemPrinters& operator=(const SystemPrinters&) = delete;

private:
    vl::TvlEngine& engine_;
};

} // namespace vellum_cli
