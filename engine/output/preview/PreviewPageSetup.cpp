#include "engine/output/preview/PreviewPageSetup.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/PageMetrics.h"
#include "engine/output/PaperTable.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/printing/QtPaperCodes.h"

#include <QMarginsF>
#include <algorithm>

namespace vl {

int MarginToHundredthsMm(int pagePixels) {
    return pagePixels * 500 / 18;
}

int HundredthsMmToMargin(int hundredths) {
    return hundredths * 18 / 500;
}

PageSetupChoice PageSetupPreset(const TvlPrinter& printer, const TvlEMFPages& pages) {
    PageSetupChoice c;
    c.paperCode = printer.PaperSize();
    c.paperWidth = printer.PaperWidth();
    c.paperHeight = printer.PaperHeight();
    c.orientation = printer.Orientation();
    if (pages.Count() > 0) {
        const PreparedPage& first = pages.PageAt(0);
        const PageMetrics& m = first.Metrics;
        // Objects in paper coordinates have no margins.
        if (first.PaperCoordinates) return c;
        const auto shown = [](int margin, int edge) {
            return MarginToHundredthsMm(margin ? margin : std::max(edge, 0));
        };
        c.leftMargin = shown(first.LeftMargin, m.PixelOffsetX);
        c.topMargin = shown(first.TopMargin, m.PixelOffsetY);
        c.rightMargin =
            shown(first.RightMargin, m.PixelPaperWidth - m.PixelOffsetX - m.PixelPrintWidth);
        c.bottomMargin =
            shown(first.BottomMargin, m.PixelPaperHeight - m.PixelOffsetY - m.PixelPrintHeight);
    }
    return c;
}

QPageLayout ToPageLayout(const PageSetupChoice& c) {
    const bool landscape = c.orientation == 1;
    // the size as oriented back to the portrait size Qt describes papers by
    const int portraitWidth = landscape ? c.paperHeight : c.paperWidth;
    const int portraitHeight = landscape ? c.paperWidth : c.paperHeight;
    QPageSize size = CustomPageSize(std::max(portraitWidth, 1), std::max(portraitHeight, 1));
    if (const auto known = PageSizeOf(c.paperCode, {}); known && c.paperCode != kCustomPaper)
        size = *known;
    const QMarginsF margins(c.leftMargin / 100.0, c.topMargin / 100.0, c.rightMargin / 100.0,
                            c.bottomMargin / 100.0);
    QPageLayout layout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, margins,
                       QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    layout.setMargins(margins);
    return layout;
}

PageSetupChoice FromPageLayout(const QPageLayout& layout) {
    PageSetupChoice c;
    const QPageSize size = layout.pageSize();
    c.paperCode = PaperCodeOf(size, {});
    const QSizeF mm = size.size(QPageSize::Millimeter);
    c.orientation = layout.orientation() == QPageLayout::Landscape ? 1 : 0;
    const int w = static_cast<int>(mm.width() * 10 + 0.5);
    const int h = static_cast<int>(mm.height() * 10 + 0.5);
    c.paperWidth = c.orientation ? h : w;
    c.paperHeight = c.orientation ? w : h;
    const QMarginsF m = layout.margins(QPageLayout::Millimeter);
    c.leftMargin = static_cast<int>(m.left() * 100 + 0.5);
    c.topMargin = static_cast<int>(m.top() * 100 + 0.5);
    c.rightMargin = static_cast<int>(m.right() * 100 + 0.5);
    c.bottomMargin = static_cast<int>(m.bottom() * 100 + 0.5);
    return c;
}

void ApplyPageSetup(TvlReport& report, const PageSetupChoice& c, const PageSetupChoice* preset) {
    TvlPrinter& printer = report.Engine().printer();
    try {
        printer.SetPaper(c.paperCode, c.paperWidth, c.paperHeight, printer.PaperBin(),
                         c.orientation, true);
    } catch (const std::exception&) {
        // a paper the printer does not know is set up by its size
        printer.SetPaper(kCustomPaper, c.paperWidth, c.paperHeight, -1, c.orientation, true);
    }
    for (int i = 0; i < report.Pages().Count(); ++i) {
        TvlPage& page = report.Pages()[i];
        if (page.PageType != ptReport) continue;
        const auto apply = [&](std::int32_t& margin, int chosen, int started) {
            if (!preset || chosen != started) margin = HundredthsMmToMargin(chosen);
        };
        apply(page.LeftMargin, c.leftMargin, preset ? preset->leftMargin : 0);
        apply(page.TopMargin, c.topMargin, preset ? preset->topMargin : 0);
        apply(page.RightMargin, c.rightMargin, preset ? preset->rightMargin : 0);
        apply(page.BottomMargin, c.bottomMargin, preset ? preset->bottomMargin : 0);
        page.SetPaper(printer.PaperSize(), printer.PaperWidth(), printer.PaperHeight(),
                      printer.PaperBin(), printer.Orientation());
    }
}

} // namespace vl
