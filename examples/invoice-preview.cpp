// Builds the invoice from a list in memory and shows it in a preview pane
// inside the program's own window.
//
//   invoice-preview invoice.vlf
//
// The report shows its pages in the pane it is given (TvlReport::Preview);
// without one, vl::ShowReport opens the stand-alone preview window. The
// pane's Print button prints through the system's printers or into a PDF
// file.
#include <QApplication>
#include <QMainWindow>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>
#include <vellum/VellumPreview.h>

namespace {

struct Item {
    std::string description;
    int quantity;
    double unitPrice;
};

const std::vector<Item> kItems = {
    {"Oak writing desk", 1, 420.00},
    {"Desk lamp, brass", 2, 38.50},
    {"Fountain pen", 3, 24.90},
};

vl::Variant value(std::string_view name, std::size_t row) {
    if (vl::SameText(name, "InvoiceNo")) return "2026-0117";
    if (vl::SameText(name, "Customer")) return "Harbour Street Books";
    if (row >= kItems.size()) return {};
    if (vl::SameText(name, "Description")) return kItems[row].description;
    if (vl::SameText(name, "Quantity")) return kItems[row].quantity;
    if (vl::SameText(name, "UnitPrice")) return kItems[row].unitPrice;
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: invoice-preview TEMPLATE.vlf\n");
        return 2;
    }
    const vl::WindowServices windows;
    auto printers = std::make_unique<vl::QtPrinterSystem>();
    printers->setPdfPrinterOffered(true);
    vl::Globals().startPrinter(std::move(printers));
    vl::TvlComponent owner("InvoiceForm");
    vl::TvlReport report("Report", &owner);
    vl::TvlUserDataset items("Items", &owner);
    items.OnCheckEOF = [](vl::TvlDataset& source, bool& eof) {
        eof = source.RecordNo() >= static_cast<int>(kItems.size());
    };
    report.Events.OnGetValue = [&items](std::string_view name, vl::Variant& result) {
        result = value(name, static_cast<std::size_t>(items.RecordNo()));
    };
    if (!report.LoadFromFile(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "invoice-preview: %s does not exist\n", argv[1]);
        return 1;
    }

    QMainWindow window;
    auto* preview = new vl::TvlPreview(&window);
    window.setCentralWidget(preview);
    window.resize(900, 700);
    window.show();
    if (!vl::ShowReport(report, {.pane = preview})) return 1;
    return app.exec();
}
