#pragma once

#include "engine/output/PrinterSystem.h"
#include "engine/output/printing/QtPaperCodes.h"

#include <QPrinter>
#include <QStringList>
#include <functional>
#include <memory>

namespace vl {

// The system's printers through Qt Print Support (CUPS printers on Unix).
// A printer's device mode is the page size, orientation, copy count and
// paper source of a QPrinter kept for the current printer.
class QtPrinterSystem : public PrinterSystem {
public:
    // Runs a printer properties dialog on the printer; returns a negative
    // value when the dialog could not be shown. The GUI layer installs it.
    using PropertiesDialog = std::function<int(QPrinter& printer)>;

    QtPrinterSystem();
    ~QtPrinterSystem() override;

    StringList enumeratePrinters() override;
    int currentPrinter() const override { return current_; }
    void setCurrentPrinter(int index) override;

    std::optional<DeviceMode> deviceMode() const override;
    void setDeviceMode(const DeviceMode& mode) override;
    DeviceCaps capabilities() const override;
    std::vector<DeviceEntry> papers() const override;
    std::vector<DeviceEntry> bins() const override;
    bool printing() const override;
    int editDeviceMode(DeviceMode& mode) override;

    // The current printer for a print run; nullptr when there is none.
    QPrinter* printer() const { return printer_.get(); }
    void setPropertiesDialog(PropertiesDialog dialog) { dialog_ = std::move(dialog); }

private:
    void openPrinter(int index);
    std::unique_ptr<QPrinter> createPrinter(int index) const;
    DeviceMode readMode(const QPrinter& printer) const;
    void applyMode(QPrinter& printer, const DeviceMode& mode) const;

    QStringList names_;
    int current_ = -1;
    std::unique_ptr<QPrinter> printer_;
    std::vector<QtPaperEntry> papers_;
    PropertiesDialog dialog_;
};

} // namespace vl
