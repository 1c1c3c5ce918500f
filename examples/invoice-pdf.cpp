// Builds the invoice template from a list in memory and writes it as PDF.
//
//   invoice-pdf invoice.vlf invoice.pdf
//
// The template's data band walks the data source "Items"; the host answers
// every value the template asks for ("Description", "InvoiceNo", ...) in the
// report's OnGetValue event from the record the data source stands on.
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>
#include <vellum/Vellum.h>

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
    {"Notebook, A5 dotted", 10, 6.75},
};

// The value of a name for the item at row, or nothing (an empty variant lets
// the engine go on looking the name up).
vl::Variant itemValue(std::string_view name, std::size_t row) {
    if (row >= kItems.size()) return {};
    const Item& item = kItems[row];
    if (vl::SameText(name, "Description")) return item.description;
    if (vl::SameText(name, "Quantity")) return item.quantity;
    if (vl::SameText(name, "UnitPrice")) return item.unitPrice;
    return {};
}

vl::Variant invoiceValue(std::string_view name) {
    if (vl::SameText(name, "InvoiceNo")) return "2026-0117";
    if (vl::SameText(name, "InvoiceDate")) return "1 December 2026";
    if (vl::SameText(name, "Customer"))
        return "Harbour Street Books, 12 Harbour Street, Kingsbridge";
    return {};
}

} // namespace

int main(int argc, char** argv) {
    // The engine measures and draws text through Qt; QT_QPA_PLATFORM=offscreen
    // runs it without a display.
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: invoice-pdf TEMPLATE.vlf OUT.pdf\n");
        return 2;
    }

    // Templates find their data sources by name among the components of the
    // report's owner.
    vl::TvlComponent owner("InvoiceForm");
    vl::TvlReport report("Report", &owner);
    vl::TvlUserDataset items("Items", &owner);
    items.OnCheckEOF = [](vl::TvlDataset& source, bool& eof) {
        eof = source.RecordNo() >= static_cast<int>(kItems.size());
    };
    report.Events.OnGetValue = [&items](std::string_view name, vl::Variant& value) {
        value = itemValue(name, static_cast<std::size_t>(items.RecordNo()));
        if (value.isNull()) value = invoiceValue(name);
    };
    report.ShowProgress = false;

    try {
        if (!report.LoadFromFile(QString::fromLocal8Bit(argv[1]))) {
            std::fprintf(stderr, "invoice-pdf: %s does not exist\n", argv[1]);
            return 1;
        }
        vl::BuildReport(report);
        vl::PdfDocumentWriter pdf;
        pdf.Title = QStringLiteral("Invoice");
        pdf.write(report.EMFPages(), QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception& e) {
        // Engine text is 8-bit (Windows-1252); Qt converts it for the terminal.
        std::fprintf(stderr, "invoice-pdf: %s\n", vl::ToQt(e.what()).toLocal8Bit().constData());
        return 1;
    }
    std::printf("%d page(s) written to %s\n", report.EMFPages().Count(), argv[2]);
    return 0;
}
