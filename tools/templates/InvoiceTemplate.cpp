#include "tools/templates/InvoiceTemplate.h"

#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "tools/templates/PageLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace templates {

const char* const kInvoiceOrdersQuery =
    "SELECT o.id, o.order_date, c.name AS customer, c.street, c.city "
    "FROM orders o JOIN customers c ON c.id = o.customer_id ORDER BY o.id";
const char* const kInvoiceLinesQuery =
    "SELECT position, product, quantity, unit_price FROM order_lines "
    "WHERE order_id = :Orders.id ORDER BY position";

namespace {

using vl::TvlMemoView;

const std::string kAmount = "[Lines.\"quantity\"] * [Lines.\"unit_price\"]";
const std::string kSubtotal = "SUM(" + kAmount + ", LineData)";
constexpr int kVatPercent = 20;

std::vector<Column> lineColumns(int width) {
    std::vector<Column> columns = {
        {"Pos.", "[Lines.\"position\"]", 44, TvlMemoView::vltaRight},
        {"Product", "[Lines.\"product\"]", 300},
        {"Quantity", "[Lines.\"quantity\"]", 80, TvlMemoView::vltaRight},
        {"Unit price", "[Lines.\"unit_price\" #N#,##0.00]", 110, TvlMemoView::vltaRight},
        {"Amount", "[" + kAmount + " #N#,##0.00]", 0, TvlMemoView::vltaRight}};
    int used = 0;
    for (std::size_t i = 0; i + 1 < columns.size(); ++i)
        used += columns[i].width;
    columns.back().width = width - used;
    return columns;
}

void addOrder(PageLayout& layout) {
    const int w = layout.width();
    vl::TvlBandView& order = layout.addBand(vl::btMasterData, "OrderData", 84, "Orders");
    layout.addText(order, 0, 12, w / 2, 22, {"Invoice [Orders.\"id\"]"},
                   {.size = 12, .fontStyle = kBold, .color = kAccent});
    layout.addText(order, w / 2, 14, w / 2, 18, {"Date: [Orders.\"order_date\"]"},
                   {.align = TvlMemoView::vltaRight, .color = kGrey});
    layout.addText(order, 0, 36, w / 2, 46,
                   {"[Orders.\"customer\"]", "[Orders.\"street\"]", "[Orders.\"city\"]"});
}

void addLines(PageLayout& layout) {
    const auto columns = lineColumns(layout.width());
    std::vector<Column> headings = columns;
    for (Column& c : headings)
        c.text = c.caption;
    vl::TvlBandView& header = layout.addBand(vl::btDetailHeader, "LineHeader", 22);
    layout.addRow(
        header, headings, 2, 20,
        {.fontStyle = kBold, .fill = kHeadingFill, .frame = vl::vlftTop | vl::vlftBottom});
    vl::TvlBandView& line = layout.addBand(vl::btDetailData, "LineData", 18, "Lines");
    layout.addRow(line, columns, 1, 16, {});
}

// Subtotal, VAT and total, right-aligned under the amounts.
void addTotals(PageLayout& layout) {
    const int w = layout.width(), labelLeft = w - 300, valueLeft = w - 140;
    vl::TvlBandView& footer = layout.addBand(vl::btDetailFooter, "LineFooter", 78);
    layout.addRule(footer, labelLeft, 2, 300);
    const std::string vat = "(" + kSubtotal + ") * " + std::to_string(kVatPercent) + " / 100";
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"Subtotal", kSubtotal},
        {"VAT " + std::to_string(kVatPercent) + " %", vat},
        {"Total", "(" + kSubtotal + ") + " + vat}};
    const TextStyle right{.align = TvlMemoView::vltaRight};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int y = 6 + static_cast<int>(i) * 18;
        TextStyle style = right;
        if (i + 1 == rows.size()) style.fontStyle = kBold;
        layout.addText(footer, labelLeft, y, 160, 16, {rows[i].first}, style);
        layout.addText(footer, valueLeft, y, 140, 16, {"[" + rows[i].second + " #N#,##0.00]"},
                       style);
    }
}

// The queries as `vellum build` options, so that scripts need not repeat
// them.
void writeBuildArguments(const QString& path) {
    QFile file(path);
    const QByteArray text = QByteArray("--query\nOrders=") + kInvoiceOrdersQuery +
                            "\n--query\nLines=" + kInvoiceLinesQuery + "\n";
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        throw vl::VlError("Cannot write \"" + vl::FromQt(path) + "\"");
}

} // namespace

void BuildInvoiceTemplate(vl::TvlReport& report) {
    PageLayout layout(report, "Invoices");
    report.Info.Comment = "Invoices of the sample shop database";
    layout.addPageHeader("Invoices");
    addOrder(layout);
    addLines(layout);
    addTotals(layout);
    vl::TvlBandView& summary = layout.addBand(vl::btReportSummary, "Summary", 28);
    layout.addRule(summary, 0, 4, layout.width());
    layout.addText(summary, 0, 8, layout.width(), 18, {"Invoices: [COUNT(OrderData)]"},
                   {.fontStyle = kBold});
    layout.addPageFooter("Sample shop");
}

void WriteInvoiceTemplate(const QString& path) {
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir)) throw vl::VlError("Cannot create folder \"" + vl::FromQt(dir) + "\"");
    vl::TvlReport report("Invoices");
    BuildInvoiceTemplate(report);
    report.SaveToFile(path);
    writeBuildArguments(QFileInfo(path).path() + QLatin1Char('/') +
                        QFileInfo(path).completeBaseName() + QLatin1String(".args"));
}

} // namespace templates
