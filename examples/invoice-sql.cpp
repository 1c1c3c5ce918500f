// Builds the invoice template from a SQLite table and writes it as PDF.
//
//   invoice-sql invoice.vlf invoice.pdf [items.sqlite]
//
// Without a database file the program makes one in memory with a table
// "items" (description, quantity, unitprice). The template's data band walks
// the data source "Items", which walks the table itself; with
// UseDefaultDataSetName the template's plain names ("Description") are the
// fields of the band's table. The invoice's own values still come from
// OnGetValue.
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <vellum/VellumSql.h>

namespace {

void fillSampleTable(vl::TvlSqlDatabase& database) {
    database.Execute("CREATE TABLE items (description TEXT, quantity INTEGER, unitprice REAL)");
    database.Execute("INSERT INTO items VALUES ('Oak writing desk', 1, 420.00), "
                     "('Desk lamp, brass', 2, 38.50), ('Fountain pen', 3, 24.90), "
                     "('Notebook, A5 dotted', 10, 6.75)");
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
    QGuiApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: invoice-sql TEMPLATE.vlf OUT.pdf [DATABASE.sqlite]\n");
        return 2;
    }

    vl::TvlComponent owner("InvoiceForm");
    vl::TvlReport report("Report", &owner);
    vl::TvlSqlDatabase database("InvoiceDatabase", &owner);
    vl::TvlSqlTable table("ItemsTable", &owner, &database);
    table.TableName = "items";
    vl::TvlDBDataSet items("Items", &owner);
    items.SetDataSet(&table);
    report.UseDefaultDataSetName = true;
    report.Events.OnGetValue = [](std::string_view name, vl::Variant& value) {
        value = invoiceValue(name);
    };
    report.ShowProgress = false;

    try {
        database.DatabaseName = argc == 4 ? argv[3] : ":memory:";
        database.Open();
        if (argc == 3) fillSampleTable(database);
        if (!report.LoadFromFile(QString::fromLocal8Bit(argv[1]))) {
            std::fprintf(stderr, "invoice-sql: %s does not exist\n", argv[1]);
            return 1;
        }
        vl::BuildReport(report);
        vl::PdfDocumentWriter pdf;
        pdf.Title = QStringLiteral("Invoice");
        pdf.write(report.EMFPages(), QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "invoice-sql: %s\n", vl::ToQt(e.what()).toLocal8Bit().constData());
        return 1;
    }
    std::printf("%d page(s) written to %s\n", report.EMFPages().Count(), argv[2]);
    return 0;
}
