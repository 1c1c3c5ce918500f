#pragma once

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/build/TvlUserDataset.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/TextUtils.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vltest {

using namespace vl;

// A data source over rows held in memory; the report asks it for the
// current row's fields through OnGetValue.
class RowSource : public TvlUserDataset {
public:
    using Row = std::map<std::string, Variant>;
    RowSource(std::string name, TvlComponent* owner, std::vector<Row> rows)
        : TvlUserDataset(std::move(name), owner), rows(std::move(rows)) {
        OnCheckEOF = [this](TvlDataset&, bool& eof) {
            eof = RecordNo() >= static_cast<int>(this->rows.size());
        };
    }
    // The field of the current row, or Null outside the rows.
    Variant field(std::string_view name) const {
        if (RecordNo() < 0 || RecordNo() >= static_cast<int>(rows.size())) return Variant();
        for (const auto& [key, value] : rows[static_cast<std::size_t>(RecordNo())])
            if (SameText(key, name)) return value;
        return Variant();
    }
    std::vector<Row> rows;
};

// A text object as found on a prepared page.
struct Printed {
    int page;
    int left, top, width, height;
    std::string text;
};

// A report built in code: pages, bands and text objects, data sources
// registered under their names, and the output read back page by page.
class ReportFixture : public ::testing::Test {
protected:
    ReportFixture() {
        Globals().components().add(&form);
        report.ShowProgress = false;
        report.Pages().Clear();
        page = &report.Pages().Add();
        page->LeftMargin = page->TopMargin = 20;
        page->RightMargin = page->BottomMargin = 20;
        report.Events.OnGetValue = [this](std::string_view name, Variant& value) {
            for (const auto& source : sources) {
                const Variant v = source->field(name);
                if (!v.isNull()) {
                    value = v;
                    return;
                }
            }
        };
    }
    ~ReportFixture() override {
        Globals().components().remove(&form);
        Globals().stopRequested() = false;
    }

    RowSource& addSource(const std::string& name, std::vector<RowSource::Row> rows) {
        sources.push_back(std::make_unique<RowSource>(name, &form, std::move(rows)));
        return *sources.back();
    }
    // Rows whose only field "N" holds 1..count.
    static std::vector<RowSource::Row> numbered(int count) {
        std::vector<RowSource::Row> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back({{"N", Variant(i)}});
        return rows;
    }

    TvlBandView& band(TvlBandType type, int top, int height, const std::string& name = {},
                      const std::string& formatStr = {}, TvlPage* on = nullptr) {
        auto view = std::make_unique<TvlBandView>();
        view->FrameTyp = static_cast<std::uint16_t>(type);
        view->SetBounds(0, top, 700, height);
        view->Name = name.empty() ? "Band" + std::to_string(++counter) : name;
        view->FormatStr = formatStr;
        view->Flags = 0;
        return static_cast<TvlBandView&>((on ? *on : *page).AddObject(std::move(view)));
    }
    TvlMemoView& memo(const std::string& text, int left, int top, int width = 100, int height = 18,
                      TvlPage* on = nullptr) {
        auto view = std::make_unique<TvlMemoView>();
        view->SetBounds(left, top, width, height);
        view->Memo = {text};
        view->Name = "Memo" + std::to_string(++counter);
        view->Flags = 0;
        return static_cast<TvlMemoView&>((on ? *on : *page).AddObject(std::move(view)));
    }

    bool build() { return report.PrepareReport(); }
    int pageCount() { return report.EMFPages().Count(); }

    // Every text object written, in page and writing order.
    std::vector<Printed> printed() {
        std::vector<Printed> out;
        TvlEMFPages& pages = report.EMFPages();
        for (int i = 0; i < pages.Count(); ++i) {
            pages.LoadPageObjects(i);
            for (const auto& view : pages.PageAt(i).Page->objects()) {
                std::string text;
                for (std::size_t l = 0; l < view->Memo.size(); ++l)
                    text += (l ? "|" : "") + view->Memo[l];
                out.push_back({i, view->Left, view->Top, view->Width, view->Height, text});
            }
            pages.ReleasePageObjects(i);
        }
        return out;
    }
    // Just the texts, in order.
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const Printed& p : printed())
            out.push_back(p.text);
        return out;
    }

    TvlComponent form{"Form1"};
    TvlReport report{"TestReport", &form};
    TvlPage* page = nullptr;
    std::vector<std::unique_ptr<RowSource>> sources;
    int counter = 0;
};

} // namespace vltest
