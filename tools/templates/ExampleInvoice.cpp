#include "tools/templates/ExampleInvoice.h"

#include "tools/templates/PageLayout.h"

namespace templates {

namespace {

using vl::TvlMemoView;

const TextStyle kHeading{.fontStyle = kBold, .fill = kHeadingFill, .frame = vl::vlftBottom};

std::vector<Column> invoiceColumns(int width) {
    std::vector<Column> columns = {
        {"Description", "[Description]", 0},
        {"Quantity", "[Quantity]", 70, TvlMemoView::vltaRight},
        {"Unit price", "[UnitPrice #N10.2]", 90, TvlMemoView::vltaRight},
        {"Amount", "[Quantity * UnitPrice #N10.2]", 100, TvlMemoView::vltaRight}};
    int used = 0;
    for (std::size_t i = 1; i < columns.size(); ++i)
        used += columns[i].width;
    columns.front().width = width - used;
    return columns;
}

void addTitle(PageLayout& layout) {
    const int w = layout.width();
    vl::TvlBandView& title = layout.addBand(vl::btReportTitle, "Title", 96);
    layout.addText(title, 0, 0, w / 2, 30, {"Invoice"},
                   {.size = 18, .fontStyle = kBold, .color = kAccent});
    layout.addText(title, w / 2, 4, w / 2, 18, {"No. [InvoiceNo]"},
                   {.size = 11, .fontStyle = kBold, .align = TvlMemoView::vltaRight});
    layout.addText(title, w / 2, 24, w / 2, 16, {"[InvoiceDate]"},
                   {.align = TvlMemoView::vltaRight, .color = kGrey});
    layout.addRule(title, 0, 44, w, 2);
    layout.addText(title, 0, 52, 80, 16, {"Bill to:"}, {.fontStyle = kBold, .color = kGrey});
    layout.addText(title, 80, 52, w - 80, 16, {"[Customer]"});
}

} // namespace

void BuildExampleInvoice(vl::TvlReport& report) {
    PageLayout layout(report, "Invoice");
    report.TwoPass = false;
    report.Info.Comment = "Invoice of the embedding examples";
    const auto columns = invoiceColumns(layout.width());
    addTitle(layout);

    vl::TvlBandView& header = layout.addBand(vl::btMasterHeader, "ItemsHeader", 22);
    std::vector<Column> headings = columns;
    for (Column& c : headings)
        c.text = c.caption;
    layout.addRow(header, headings, 0, 20, kHeading);

    vl::TvlBandView& data = layout.addBand(vl::btMasterData, "Items", 20, "Items");
    data.Flags |= vl::TvlBandView::bfStretched;
    layout.addRow(data, columns, 2, 16, {.stretched = true});

    vl::TvlBandView& summary = layout.addBand(vl::btReportSummary, "Total", 30);
    layout.addRule(summary, 0, 2, layout.width());
    const int amountWidth = columns.back().width;
    layout.addText(summary, 0, 8, layout.width() - amountWidth, 18, {"Total"},
                   {.fontStyle = kBold, .align = TvlMemoView::vltaRight});
    layout.addText(summary, layout.width() - amountWidth, 8, amountWidth, 18,
                   {"[SUM([Quantity] * [UnitPrice], Items) #N10.2]"},
                   {.fontStyle = kBold, .align = TvlMemoView::vltaRight});
}

void WriteExampleInvoice(const QString& path) {
    vl::TvlReport report("Invoice");
    BuildExampleInvoice(report);
    report.SaveToFile(path);
}

} // namespace templates
