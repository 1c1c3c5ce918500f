#pragma once

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlMemoView.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "tests/engine/output/PreparedPagesTestSupport.h"
#include "tests/support/RecordingUiService.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vl::test {

// Message boxes answer Yes unless a test says otherwise.
struct RecordingUi : vltest::RecordingUiService {
    RecordingUi() { answer = kYes; }
};

// A report whose prepared pages hold text objects, and a preview window
// of a known size showing them.
class PreviewFixture : public ::testing::Test {
protected:
    PreviewFixture() {
        auto recording = std::make_unique<RecordingUi>();
        ui = recording.get();
        Globals().setUiService(std::move(recording));
        Globals().preview() = {};
        report.ShowProgress = false;
    }
    ~PreviewFixture() override {
        form.reset();
        Globals().setUiService(std::make_unique<HeadlessUiService>());
        Globals().preview() = {};
    }

    // A text object with its lines on page i.
    void text(int page, int left, int top, const std::string& line, const char* name = "Memo1",
              const std::string& tag = {}) {
        TvlMemoView memo;
        memo.Name = name;
        memo.SetBounds(left, top, 300, 20);
        memo.Memo = {line};
        memo.Tag = tag;
        Put(report.EMFPages(), page, memo);
    }
    // count A4 pages, each with "Page n" near its top.
    void addPages(int count, bool paperCoordinates = true) {
        for (int i = 0; i < count; ++i) {
            const int page = report.EMFPages().Count();
            report.EMFPages().AddPage(Paper(9, 2100, 2970, 0, paperCoordinates));
            text(page, 40, 40, "Page " + std::to_string(page + 1));
        }
    }
    // Opens the window on the report's pages at that size.
    TvlPreviewForm& show(QSize size = QSize(1000, 800)) {
        form = std::make_unique<TvlPreviewForm>();
        form->resize(size);
        form->TakePages(report);
        form->ApplyReportSettings();
        form->show();
        QApplication::processEvents();
        form->ResetView(true);
        QApplication::processEvents();
        return *form;
    }

    TvlReport report;
    RecordingUi* ui = nullptr;
    std::unique_ptr<TvlPreviewForm> form;
};

} // namespace vl::test
