#pragma once

#include "engine/output/PrinterSystem.h"
#include "engine/output/printing/QtPaperCodes.h"

#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <functional>
#include <memory>

namespace vl {

// The system's printers through Qt Print Support (CUPS printers on Unix).
// A printer's device mode is the page size, orientation, copy count and
// paper source of a QPrinter kept for the current printer. Programs that
// print can add "Print to PDF file" after the system's printers, so that a
// machine without any printer can still print: its documents go to the
// file named by setPdfFileName.
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

    void beginDocument(const std::string& title, int copies, bool collate) override;
    QPainter* documentCanvas() override;
    void newSheet() override;
    void endDocument() override;
    void abortDocument() override;
    bool makesCopies() const override { return !pdfSelected(); }
    bool changesPaperInDocument() const override { return pdfSelected(); }

    // Lists "Print to PDF file" after the system's printers from the next
    // enumeration on.
    void setPdfPrinterOffered(bool offered) { pdfOffered_ = offered; }
    // The index of "Print to PDF file" in the last enumeration; -1 when it
    // is not offered.
    int pdfPrinterIndex() const { return pdfOffered_ ? static_cast<int>(names_.size()) - 1 : -1; }
    bool pdfSelected() const { return current_ >= 0 && current_ == pdfPrinterIndex(); }
    void setPdfFileName(const QString& path) { pdfFile_ = path; }
    const QString& pdfFileName() const { return pdfFile_; }

    // The current printer for a print run; nullptr when there is none.
    QPrinter* printer() const { return printer_.get(); }
    void setPropertiesDialog(PropertiesDialog dialog) { dialog_ = std::move(dialog); }

private:
    void openPrinter(int index);
    std::unique_ptr<QPrinter> createPrinter(int index) const;
    DeviceMode readMode(const QPrinter& printer) const;
    void applyMode(QPrinter& printer, const DeviceMode& mode) const;
    bool isPdf(int index) const { return pdfOffered_ && index == pdfPrinterIndex(); }
    // Puts the canvas's origin on the printable area's top-left corner.
    void placeOrigin();

    QStringList names_;
    int current_ = -1;
    std::unique_ptr<QPrinter> printer_;
    std::vector<QtPaperEntry> papers_;
    PropertiesDialog dialog_;
    QString currentName_;
    bool pdfOffered_ = false;
    QString pdfFile_;
    QPainter painter_;
};

} // namespace vl
