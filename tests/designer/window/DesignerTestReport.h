#pragma once

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlSubReportView.h"

#include <gtest/gtest.h>

namespace vltest {

using namespace vl;

// A report built in code for the designer's tests: pages and the objects
// on them, named as the tests refer to them.
class DesignerTestReport : public ::testing::Test {
protected:
    DesignerTestReport() { report.Pages().Clear(); }

    TvlPage& addPage() { return report.Pages().Add(); }
    TvlMemoView& memo(TvlPage& page, const std::string& name, int left, int top,
                      const std::string& text = "text") {
        auto view = std::make_unique<TvlMemoView>();
        view->Name = name;
        view->SetBounds(left, top, 96, 20);
        view->Memo = {text};
        return static_cast<TvlMemoView&>(page.AddObject(std::move(view)));
    }
    TvlBandView& band(TvlPage& page, const std::string& name, int type, int top) {
        auto view = std::make_unique<TvlBandView>();
        view->Name = name;
        view->FrameTyp = static_cast<std::uint16_t>(type);
        view->SetBounds(0, top, 600, 40);
        return static_cast<TvlBandView&>(page.AddObject(std::move(view)));
    }
    TvlSubReportView& subReport(TvlPage& page, const std::string& name, int subPage) {
        auto view = std::make_unique<TvlSubReportView>();
        view->Name = name;
        view->SubPage = subPage;
        view->SetBounds(20, 300, 200, 40);
        return static_cast<TvlSubReportView&>(page.AddObject(std::move(view)));
    }
    static std::vector<std::string> names(const TvlPage& page) {
        std::vector<std::string> out;
        for (const auto& view : page.Objects)
            out.push_back(view->Name);
        return out;
    }

    TvlReport report{"DesignedReport"};
};

} // namespace vltest
