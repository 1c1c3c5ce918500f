#pragma once

#include <memory>

namespace vl {

class PrinterSystem;
class TvlCompressor;
class TvlLinkOpener;
class TvlModelContext;
class TvlPrinter;

// The objects of prepared pages and printing: the part of an engine
// instance (TvlEngine) above report objects.
class TvlOutputContext {
public:
    // Over the report-object part of the same instance, which outlives this one.
    explicit TvlOutputContext(TvlModelContext& model);
    ~TvlOutputContext();
    TvlOutputContext(const TvlOutputContext&) = delete;
    TvlOutputContext& operator=(const TvlOutputContext&) = delete;

    // The instance's report-object part.
    TvlModelContext& model() { return model_; }

    // The one printer object. Used before startPrinter it is started
    // without system printers, on the virtual printer.
    TvlPrinter& printer();
    // Starts the printer object on the system's printers and then sets the
    // printer-ready flag, also when starting failed.
    void startPrinter(std::unique_ptr<PrinterSystem> system);
    // Template reading waits for this flag.
    bool printerReady() const { return printerReady_; }
    // The paper code new pages take: the printer's paper when it started.
    int defaultPaperSize() const { return defaultPaperSize_; }

    // The compressor of prepared-report files: zlib, switched off.
    TvlCompressor& compressor();
    void setCompressor(std::unique_ptr<TvlCompressor> compressor);
    // Opens web and mail links from prepared pages; none in headless runs.
    TvlLinkOpener* linkOpener() const { return linkOpener_.get(); }
    void setLinkOpener(std::unique_ptr<TvlLinkOpener> opener);
    // The printer and the link opener go with the application object: they
    // hold Qt objects. The printer starts anew, without system printers,
    // when it is used again.
    void releaseSystemObjects();

private:
    void ReleaseWithSystem();

    TvlModelContext& model_;
    std::unique_ptr<TvlPrinter> printer_;
    bool printerReady_ = false;
    int defaultPaperSize_ = 9;
    std::unique_ptr<TvlCompressor> compressor_;
    std::unique_ptr<TvlLinkOpener> linkOpener_;
};

// The printing objects of the engine instance the calling thread works for:
// the process's own unless the thread entered another instance.
TvlOutputContext& OutputGlobals();
// The process's own printing objects.
TvlOutputContext& DefaultOutputContext();
// Makes part the calling thread's printing objects (none: the process's own)
// and returns the one it replaces. Engine instances enter their parts.
TvlOutputContext* EnterOutputContext(TvlOutputContext* part);

} // namespace vl
