#pragma once

#include "engine/output/PageMetrics.h"
#include "engine/output/PrinterSystem.h"

#include <memory>

namespace vl {

// Stands between the report engine and the system's printers: the list of
// installed printers plus a "Virtual printer" that always exists (so that
// reports can be laid out without any printer), the selected printer's paper
// and bin lists, and the current paper. Orientation is 0 portrait,
// 1 landscape; paper sizes are in tenths of a millimetre as oriented; bin -1
// is the printer's default.
class TvlPrinter {
public:
    TvlPrinter();
    ~TvlPrinter();
    TvlPrinter(const TvlPrinter&) = delete;
    TvlPrinter& operator=(const TvlPrinter&) = delete;

    // Attaches to the system's printers as the engine starts, ignoring
    // errors: a printer whose settings cannot be read leaves the virtual
    // printer selected with paper code -1; with no printers at all the
    // virtual printer starts on A4.
    void Start(std::unique_ptr<PrinterSystem> system);

    // Keeps the system and rebuilds the printer list from it; the
    // overload without arguments re-reads the kept system.
    void AttachSystemPrinter(std::unique_ptr<PrinterSystem> system);
    void AttachSystemPrinter();
    void SelectPrinter(int index);
    void ReadPrinterSettings();
    void RefreshSettings() { ReadPrinterSettings(); }
    void ApplyPrinterSettings();

    bool PaperMatches(int size, int width, int height, int bin, int orientation) const;
    // Ignored while printing; unless forced, ignored when the paper matches.
    void SetPaper(int size, int width, int height, int bin, int orientation, bool force);
    // The paper of the next sheet of a document that is being printed, on
    // a printer whose documents can change paper between sheets.
    void SetPaperInDocument(int size, int width, int height, int bin, int orientation);
    // Makes the next paper request apply, whatever it asks for.
    void ForgetPaper() { paperSize_ = -1; }
    void FillMetrics(PageMetrics& m) const;
    // The virtual printer's geometry of a paper (tenths of a millimetre as
    // oriented): the whole paper with a 5 mm unprintable edge.
    static void FillVirtualMetrics(PageMetrics& m, int paperWidth, int paperHeight);
    // The selected printer's entry in PrinterList ("Virtual printer" too).
    std::string SelectedPrinterName() const;
    void ShowPrinterProperties();
    int PaperIndex(int code) const;
    int BinIndex(int code) const;

    const StringList& PrinterList() const { return printerList_; }
    const StringList& PaperNameList() const { return paperNameList_; }
    const StringList& BinNameList() const { return binNameList_; }
    const std::vector<int>& PaperCodes() const { return paperCodes_; }
    const std::vector<int>& BinCodes() const { return binCodes_; }
    int SelectedPrinter() const { return selectedPrinter_; }
    int VirtualPrinterIndex() const { return virtualPrinterIndex_; }
    bool IsVirtual() const { return selectedPrinter_ == virtualPrinterIndex_; }
    // The selected real printer's name; empty for the virtual printer.
    const std::string& Device() const { return device_; }
    int Orientation() const { return orientation_; }
    int PaperSize() const { return paperSize_; }
    int PaperWidth() const { return paperWidth_; }
    int PaperHeight() const { return paperHeight_; }
    int PaperBin() const { return paperBin_; }
    PrinterSystem* System() const { return system_.get(); }

private:
    bool hasSystemPrinters() const { return virtualPrinterIndex_ > 0; }
    void fallBackToVirtual();
    void readDeviceSettings();
    void applyVirtualSettings();
    void applyDeviceSettings();
    void setDefaultBinOnly();

    std::unique_ptr<PrinterSystem> system_;
    std::string device_;
    StringList printerList_;
    StringList paperNameList_;
    StringList binNameList_;
    StringList tablePaperNames_;
    std::vector<int> paperCodes_;
    std::vector<int> binCodes_;
    int selectedPrinter_ = 0;
    int virtualPrinterIndex_ = 0;
    int orientation_ = 0;
    int paperSize_;
    int paperWidth_ = 0;
    int paperHeight_ = 0;
    int paperBin_ = -1;
};

} // namespace vl
