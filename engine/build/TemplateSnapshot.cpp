#include "engine/build/TemplateSnapshot.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ViewState.h"
#include "engine/script/Errors.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/StreamIO.h"

namespace vl {

namespace {

template <typename Save> std::vector<std::uint8_t> recordOf(Save&& save) {
    MemoryStream stream;
    save(stream);
    return stream.takeData();
}

// The stored fields only: whatever a build left in the runtime fields of an
// object goes with it, as it would with a freshly read object.
void resetBuildState(TvlView& view) {
    view.ParentBand = nullptr;
    view.DataSet = nullptr;
    view.DataField.clear();
    view.Canvas = nullptr;
    view.EvaluatedText.clear();
    view.Printing = false;
    view.WriteMode = wmTemplate;
}

} // namespace

TemplateSnapshot::TemplateSnapshot(TvlReport& report)
    : report_(report), info_(report.Info), twoPass_(report.TwoPass),
      printToDefault_(report.PrintToDefault), printerName_(report.PrinterName) {
    {
        const ScopedValue binary(report.XmlExport, false);
        report.SaveToStream(whole_);
    }
    dictionary_ = recordOf([&](Stream& s) { report.Dictionary().SaveToStream(s); });
    TvlPages& pages = report.Pages();
    for (int i = 0; i < pages.Count(); ++i) {
        TvlPage& page = pages[i];
        PageRecord saved{&page,
                         recordOf([&](Stream& s) { page.SaveToStream(s); }),
                         page.Visible,
                         page.ColumnWidth,
                         {}};
        for (const auto& view : page.Objects) {
            view->WriteMode = wmTemplate;
            saved.objects.push_back(
                {view.get(), recordOf([&](Stream& s) { view->SaveToStream(s); })});
        }
        pages_.push_back(std::move(saved));
    }
}

TemplateSnapshot::~TemplateSnapshot() {
    if (restored_) return;
    try {
        Restore();
    } catch (const VlError&) {
        // the exception that leaves the build is the one to report
    }
}

void TemplateSnapshot::Restore() {
    restored_ = true;
    if (sameStructure())
        restoreInPlace();
    else
        restoreWhole();
}

bool TemplateSnapshot::sameStructure() const {
    const TvlPages& pages = report_.Pages();
    if (pages.Count() != static_cast<int>(pages_.size())) return false;
    for (int i = 0; i < pages.Count(); ++i) {
        const PageRecord& saved = pages_[static_cast<std::size_t>(i)];
        const TvlPage& page = pages[i];
        if (&page != saved.page || page.Objects.size() != saved.objects.size()) return false;
        for (std::size_t j = 0; j < saved.objects.size(); ++j)
            if (page.Objects[j].get() != saved.objects[j].view) return false;
    }
    return true;
}

void TemplateSnapshot::restoreInPlace() {
    TvlViewState& state = report_.Engine().views();
    state.host = &report_;
    const ScopedValue version(state.templateVersion, kCurrentTemplateVersion);
    report_.TwoPass = twoPass_;
    report_.PrintToDefault = printToDefault_;
    report_.SetPrinterName(printerName_);
    report_.Info = info_;
    MemoryStream dictionary(dictionary_);
    report_.Dictionary().LoadFromStream(dictionary, kCurrentTemplateVersion);
    for (const PageRecord& saved : pages_) {
        saved.page->ReleaseBuild();
        MemoryStream page(saved.record);
        saved.page->LoadFromStream(page);
        saved.page->Visible = saved.visible;
        saved.page->ColumnWidth = saved.columnWidth;
        saved.page->SubReportPage = false;
        saved.page->ModalResult = 0;
        saved.page->BuildMode = TvlPage::bmOutput;
        for (const ObjectRecord& object : saved.objects) {
            resetBuildState(*object.view);
            MemoryStream record(object.record);
            object.view->LoadFromStream(record);
            object.view->SetProperty("Name", Variant(object.view->Name));
        }
    }
    report_.ForEachObject([](TvlView& view) { view.AfterTemplateLoad(); });
}

void TemplateSnapshot::restoreWhole() {
    whole_.seek(0);
    report_.LoadFromStream(whole_);
}

} // namespace vl
