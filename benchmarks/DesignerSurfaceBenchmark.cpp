#include "benchmarks/BenchmarkDesignerHost.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSettings.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/Stream.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

using namespace vl;

// A page of 2,000 objects: ten bands, and 54 rows of 36 short text fields
// with a rule under every row, as a dense list template has them.
void FillPage(TvlPage& page) {
    int n = 0;
    for (int b = 0; b < 10; ++b) {
        auto band = std::make_unique<TvlBandView>();
        band->FrameTyp = 5;
        band->Name = "MasterData" + std::to_string(b + 1);
        band->SetBounds(0, 40 + b * 100, page.PrinterInfo.PixelPaperWidth, 96);
        page.AddObject(std::move(band));
        ++n;
    }
    for (int row = 0; n < 2000; ++row) {
        for (int col = 0; col < 36 && n < 2000; ++col, ++n) {
            auto memo = std::make_unique<TvlMemoView>();
            memo->Name = "Memo" + std::to_string(n);
            memo->Memo = {"[F" + std::to_string(col) + "]"};
            memo->SetBounds(30 + col * 20, 40 + row * 20, 19, 18);
            page.AddObject(std::move(memo));
        }
        if (n == 2000) break;
        auto line = std::make_unique<TvlLineView>();
        line->Name = "Line" + std::to_string(row + 1);
        line->SetBounds(30, 59 + row * 20, 720, 0);
        page.AddObject(std::move(line));
        ++n;
    }
}

void Send(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, buttons, {});
    QApplication::sendEvent(&w, &e);
}

// One frame of dragging the whole page: every object selected, the mouse
// moved by one grid step and the page repainted into an offscreen image
// (target: 16 ms, one frame at 60 Hz).
void DesignerDragAll2000(benchmark::State& state) {
    BenchmarkDesignerHost host;
    FillPage(host.report_.Pages()[0]);
    TvlDesignerPage surface(host);
    surface.placeOnWorkspace(host.workspaceSize());
    QImage image(surface.size(), QImage::Format_RGB32);
    TvlPage& page = *host.currentPage();
    host.session_.selected.selectAllOf(page);
    host.sel_.count = static_cast<int>(page.Objects.size());
    surface.computeSelectionBox();
    surface.render(&image);
    const QPoint grip(30 + 5 * 20 + 8, 40 + 8); // a text field of the first row
    Send(surface, QEvent::MouseMove, grip, Qt::NoButton);
    Send(surface, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    QPoint at = grip;
    int step = 4;
    for (auto _ : state) {
        at.rx() += step;
        step = -step; // back and forth
        Send(surface, QEvent::MouseMove, at, Qt::LeftButton);
        surface.render(&image);
    }
    Send(surface, QEvent::MouseButtonRelease, at, Qt::NoButton);
    state.counters["objects"] = static_cast<double>(page.Objects.size());
}
BENCHMARK(DesignerDragAll2000)->Unit(benchmark::kMillisecond);

// The whole gesture on that page: select all, press, move by one grid
// step, release, and the repaint of the page at its new place.
void DesignerSelectAllMoveRelease2000(benchmark::State& state) {
    BenchmarkDesignerHost host;
    FillPage(host.report_.Pages()[0]);
    TvlDesignerPage surface(host);
    surface.placeOnWorkspace(host.workspaceSize());
    QImage image(surface.size(), QImage::Format_RGB32);
    surface.render(&image);
    TvlPage& page = *host.currentPage();
    const QPoint grip(30 + 5 * 20 + 8, 40 + 8);
    int step = 4;
    for (auto _ : state) {
        host.session_.selected.selectAllOf(page);
        host.sel_.count = static_cast<int>(page.Objects.size());
        surface.computeSelectionBox();
        Send(surface, QEvent::MouseMove, grip, Qt::NoButton);
        Send(surface, QEvent::MouseButtonPress, grip, Qt::LeftButton);
        Send(surface, QEvent::MouseMove, grip + QPoint(step, 0), Qt::LeftButton);
        Send(surface, QEvent::MouseButtonRelease, grip + QPoint(step, 0), Qt::NoButton);
        surface.render(&image);
        step = -step; // back and forth
    }
}
BENCHMARK(DesignerSelectAllMoveRelease2000)->Unit(benchmark::kMillisecond);

// A template of 2,000 objects read and shown on the surface: load, place
// and the first paint of the whole page (target: under 200 ms).
void DesignerOpenPage2000(benchmark::State& state) {
    std::vector<std::uint8_t> bytes;
    {
        TvlReport report;
        report.Pages().Clear();
        FillPage(report.Pages().Add());
        MemoryStream out;
        report.SaveToStream(out);
        bytes = out.data();
    }
    for (auto _ : state) {
        BenchmarkDesignerHost host;
        MemoryStream in(bytes);
        host.report_.LoadFromStream(in);
        TvlDesignerPage surface(host);
        surface.placeOnWorkspace(host.workspaceSize());
        QImage image(surface.size(), QImage::Format_RGB32);
        surface.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(DesignerOpenPage2000)->Unit(benchmark::kMillisecond);

} // namespace
