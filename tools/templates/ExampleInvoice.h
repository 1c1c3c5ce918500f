#pragma once

#include <QString>

namespace vl {
class TvlReport;
}

namespace templates {

// The invoice of the embedding examples: a header with the values
// "InvoiceNo", "Customer" and "InvoiceDate" that the host program gives
// through the report's value event, one line per record of the data source
// "Items" (its values "Description", "Quantity" and "UnitPrice") with the
// amount worked out by the template, and the total.
void BuildExampleInvoice(vl::TvlReport& report);

// Builds the invoice and saves it as a template file. Throws VlError when the
// file cannot be written.
void WriteExampleInvoice(const QString& path);

} // namespace templates
