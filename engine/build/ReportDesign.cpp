#include "engine/build/TemplateSnapshot.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ViewState.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

namespace vl {

namespace {

// What a report answers when nobody can design it.
constexpr int kNoDesigner = 2;

// A template page with the paper of a prepared page, for the designer.
std::unique_ptr<TvlPage> PageWithPaperOf(TvlEngine& engine, const PreparedPage& prepared) {
    auto page = std::make_unique<TvlPage>(engine);
    page->Name = "Page1";
    page->PaperSize = prepared.PaperSize;
    page->PaperWidth = prepared.PaperWidth;
    page->PaperHeight = prepared.PaperHeight;
    page->Orientation = prepared.Orientation;
    page->PaperBin = prepared.PaperBin == -1 ? TvlPage::kDefaultBin : prepared.PaperBin;
    page->UseMargins = !prepared.PaperCoordinates;
    page->LeftMargin = prepared.LeftMargin;
    page->TopMargin = prepared.TopMargin;
    page->RightMargin = prepared.RightMargin;
    page->BottomMargin = prepared.BottomMargin;
    page->PrinterInfo = prepared.Metrics;
    return page;
}

} // namespace

int TvlReport::DesignReport() {
    const auto& design = engine_.designer().designReport;
    if (!design) return kNoDesigner;
    const TvlEngineScope inEngine(engine_);
    SetPrinterName(PrinterName);
    if (pages_.Count() == 0) pages_.Add();
    return design(*this);
}

bool TvlReport::EditPreparedPage(int i) {
    TvlEngine& g = engine_;
    const auto& edit = g.designer().editPage;
    TvlEMFPages& prepared = *emfPages_;
    if (!edit || i < 0 || i >= prepared.Count()) return false;
    prepared.LoadPageObjects(i);
    PreparedPage& source = prepared.PageAt(i);
    PreparedLivePage& live = *source.Page;

    // The snapshot reads the whole template anew, as the page list changes.
    TemplateSnapshot saved(*this);
    pages_.Clear();
    pages_.Adopt(PageWithPaperOf(Engine(), source));
    TvlPage& page = pages_[0];
    page.Objects = live.takeObjects();
    const TvlEngineScope inEngine(g);
    bool keep = false;
    try {
        keep = edit(*this);
    } catch (...) {
        live.replaceObjects(std::move(page.Objects));
        prepared.ReleasePageObjects(i);
        pages_.Clear();
        throw;
    }
    live.replaceObjects(std::move(page.Objects));
    if (keep)
        prepared.SavePageObjects(i);
    else
        prepared.ReleasePageObjects(i);
    // An empty list cannot pass for the template's own pages.
    pages_.Clear();
    saved.Restore();
    return keep;
}

} // namespace vl
