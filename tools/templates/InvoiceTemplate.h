#pragma once

#include <QString>

namespace vl {
class TvlReport;
}

namespace templates {

// The queries the invoice template reads, as `vellum build` takes them: the
// orders with their customers, and the lines of the current order.
extern const char* const kInvoiceOrdersQuery;
extern const char* const kInvoiceLinesQuery;

// Invoices on the shop database: one block per order ("Orders") with the
// customer's address, its lines ("Lines") as a detail band, and the
// subtotal, VAT and total of each invoice under its lines.
void BuildInvoiceTemplate(vl::TvlReport& report);

// Writes the invoice template to a file and, beside it with the extension
// ".args", the arguments that give `vellum build` its queries, one to a
// line. Throws VlError on failure.
void WriteInvoiceTemplate(const QString& path);

} // namespace templates
