#pragma once

#include "engine/output/PaperTable.h"
#include "engine/output/PrinterSystem.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vl::test {

// A platform with two printers that records the documents printed on it:
// each document's title, copies and collation, and per sheet the paper it
// was printed on and the page number the run reported for it. The device
// mode is a plain record; the capabilities follow the paper as a driver's
// would (300 dots per inch, by default 50 dots unprintable on every edge).
class RecordingPrinterSystem : public PrinterSystem {
public:
    struct Sheet {
        int paperSize = 0;
        int orientation = 0;
        int page = 0;
    };
    struct Document {
        std::string title;
        int copies = 0;
        bool collate = false;
        bool ended = false;
        bool aborted = false;
        std::vector<Sheet> sheets;
    };

    StringList names{"Laser", "Inkjet"};
    int current = 0;
    DeviceMode mode;
    bool copiesOfItsOwn = true;
    bool paperInDocument = false;
    // Printer indexes that cannot be made current.
    std::set<int> broken;
    // The unprintable edge of each printer, in dots.
    std::vector<int> edges{50, 50};
    bool failToBegin = false;
    // The driver's properties dialog; none without a hook.
    std::function<int(DeviceMode&)> editHook;
    std::vector<Document> documents;

    RecordingPrinterSystem() {
        mode.fields = DeviceMode::dmOrientation | DeviceMode::dmPaperSize | DeviceMode::dmCopies |
                      DeviceMode::dmDefaultSource;
        mode.paperSize = 9;
        mode.defaultSource = 7;
    }

    // The page number the run reports goes onto the last sheet.
    void reportPage(int pageNo) {
        if (!documents.empty() && !documents.back().sheets.empty())
            documents.back().sheets.back().page = pageNo;
    }
    // Every sheet's page number, document after document.
    std::vector<int> pages() const {
        std::vector<int> list;
        for (const Document& d : documents)
            for (const Sheet& s : d.sheets)
                list.push_back(s.page);
        return list;
    }

    StringList enumeratePrinters() override { return names; }
    int currentPrinter() const override { return current; }
    void setCurrentPrinter(int index) override {
        if (broken.count(index)) throw VlError("printer gone");
        current = index;
    }
    std::optional<DeviceMode> deviceMode() const override { return mode; }
    void setDeviceMode(const DeviceMode& m) override { mode = m; }
    DeviceCaps capabilities() const override {
        int w = 2100, h = 2970;
        if (const PaperSizeInfo* p = FindPaper(mode.paperSize)) {
            w = p->width;
            h = p->height;
        }
        if (mode.orientation == DeviceMode::dmLandscape) std::swap(w, h);
        DeviceCaps caps;
        caps.dpiX = caps.dpiY = 300;
        caps.physicalWidth = static_cast<int>(std::lround(w * 300 / 254.0));
        caps.physicalHeight = static_cast<int>(std::lround(h * 300 / 254.0));
        const int edge = current >= 0 && current < static_cast<int>(edges.size())
                             ? edges[static_cast<std::size_t>(current)]
                             : 50;
        caps.physicalOffsetX = caps.physicalOffsetY = edge;
        caps.printableWidth = caps.physicalWidth - 2 * edge;
        caps.printableHeight = caps.physicalHeight - 2 * edge;
        return caps;
    }
    std::vector<DeviceEntry> papers() const override { return {{9, "A4"}, {1, "Letter"}}; }
    std::vector<DeviceEntry> bins() const override { return {{7, "Auto"}}; }
    bool printing() const override { return painter_.isActive(); }
    int editDeviceMode(DeviceMode& m) override { return editHook ? editHook(m) : -1; }

    void beginDocument(const std::string& title, int copies, bool collate) override {
        if (failToBegin) throw VlError("printer offline");
        documents.push_back({title, copies, collate, false, false, {}});
        addSheet();
        painter_.begin(&canvas_);
    }
    QPainter* documentCanvas() override { return painter_.isActive() ? &painter_ : nullptr; }
    void newSheet() override { addSheet(); }
    void endDocument() override {
        documents.back().ended = true;
        painter_.end();
    }
    void abortDocument() override {
        documents.back().aborted = true;
        painter_.end();
    }
    bool makesCopies() const override { return copiesOfItsOwn; }
    bool changesPaperInDocument() const override { return paperInDocument; }

private:
    void addSheet() {
        const int orientation = mode.orientation == DeviceMode::dmLandscape ? 1 : 0;
        documents.back().sheets.push_back({mode.paperSize, orientation, 0});
    }

    QImage canvas_{64, 64, QImage::Format_RGB32};
    QPainter painter_;
};

} // namespace vl::test
