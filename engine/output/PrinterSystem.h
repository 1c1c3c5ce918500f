#pragma once

#include "engine/script/Errors.h"
#include "engine/script/StreamIO.h"

#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace vl {

// The settings of the current printer that pages change, in the platform's
// device-mode terms. Only the fields named in `fields` are honoured.
struct DeviceMode {
    enum Field : unsigned {
        dmOrientation = 0x1,
        dmPaperSize = 0x2,
        dmPaperLength = 0x4,
        dmPaperWidth = 0x8,
        dmCopies = 0x100,
        dmDefaultSource = 0x200,
    };
    enum : int { dmPortrait = 1, dmLandscape = 2 };

    unsigned fields = 0;
    int paperSize = 0;
    // A custom paper in tenths of a millimetre, portrait.
    int paperLength = 0;
    int paperWidth = 0;
    int orientation = dmPortrait;
    int copies = 1;
    int defaultSource = 0;

    bool has(Field f) const { return (fields & f) != 0; }
    bool operator==(const DeviceMode&) const = default;
};

// What the current printer reports about the current paper, in its dots.
struct DeviceCaps {
    int dpiX = 0;
    int dpiY = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
    int printableWidth = 0;
    int printableHeight = 0;
};

// A paper or paper source the current printer offers.
struct DeviceEntry {
    int code;
    std::string name;
};

// The platform's printers as the engine's printer object uses them: an
// ordered list of printers, one of them current, whose device mode,
// capabilities, papers and paper sources can be read and written.
class PrinterSystem {
public:
    virtual ~PrinterSystem() = default;

    // Re-reads the installed printers and returns their names in the
    // system's order.
    virtual StringList enumeratePrinters() = 0;
    // The current printer's index in the last enumeration (the default
    // printer unless changed); -1 when there is none.
    virtual int currentPrinter() const = 0;
    virtual void setCurrentPrinter(int index) = 0;

    // The current printer's device mode; none when it cannot be read.
    virtual std::optional<DeviceMode> deviceMode() const = 0;
    virtual void setDeviceMode(const DeviceMode& mode) = 0;
    virtual DeviceCaps capabilities() const = 0;
    virtual std::vector<DeviceEntry> papers() const = 0;
    virtual std::vector<DeviceEntry> bins() const = 0;
    // True while a document is being printed.
    virtual bool printing() const = 0;

    // Runs the driver's own properties dialog on a copy of the device mode.
    // A negative result means the dialog failed; systems without such a
    // dialog answer -1.
    virtual int editDeviceMode(DeviceMode& mode) {
        (void)mode;
        return -1;
    }

    // A document on the current printer, with the current paper: begin it
    // under a title with the number of copies the printer is to make of
    // it (collated or not), draw on its canvas in printer dots from the
    // paper's printable top-left corner, start new sheets, and end or abort
    // it. Systems that cannot print raise an error at the beginning.
    virtual void beginDocument(const std::string& title, int copies, bool collate) {
        (void)title;
        (void)copies;
        (void)collate;
        throw VlError("This printer cannot print");
    }
    // Valid between beginDocument and endDocument or abortDocument.
    virtual QPainter* documentCanvas() { return nullptr; }
    virtual void newSheet() {}
    virtual void endDocument() {}
    virtual void abortDocument() {}
    // False when the current printer makes no copies of its own (a file):
    // the print run then repeats the pages itself.
    virtual bool makesCopies() const { return true; }
    // True when the current printer's documents take a new paper between
    // sheets (a file cannot be split into several jobs); otherwise a paper
    // change ends the document and begins another.
    virtual bool changesPaperInDocument() const { return false; }
};

} // namespace vl
