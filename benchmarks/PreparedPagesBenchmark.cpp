#include "benchmarks/BenchmarkPaper.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlGraphic.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/ViewState.h"
#include "engine/output/PageRendering.h"
#include "engine/output/PdfDocumentWriter.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/StreamIO.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

using namespace vl;

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

PageSettings a4() {
    return BenchmarkA4();
}

// Appends an object's prepared record to a page, as a build does.
void put(TvlEMFPages& pages, int i, TvlView& view) {
    MemoryStream& stream = pages.PageAt(i).Stream;
    view.WriteMode = wmPrepared;
    view.EvaluatedText = view.Memo;
    WriteByte(stream, view.Typ);
    view.SaveToStream(stream);
    view.WriteMode = wmTemplate;
}

// A small logo, the same on every page.
std::unique_ptr<TvlPictureView> logo() {
    auto picture = std::make_unique<TvlPictureView>();
    picture->SetBounds(600, 40, 80, 40);
    QImage image(64, 32, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 8, 160));
    auto graphic = MakeGraphic(TvlGraphicKind::Bitmap);
    static_cast<TvlRasterGraphic&>(*graphic).setImage(image);
    picture->Picture.setGraphic(std::move(graphic));
    return picture;
}

// A store of text pages: 40 memo lines and a rule each, and a logo when
// asked.
void fill(TvlEMFPages& pages, int count, bool withLogo = false) {
    const auto picture = logo();
    TvlMemoView memo;
    memo.SetBounds(40, 0, 600, 22);
    TvlLineView line;
    line.SetBounds(40, 20, 680, 0);
    for (int i = 0; i < count; ++i) {
        pages.AddPage(a4());
        for (int row = 0; row < 40; ++row) {
            memo.Top = 40 + row * 24;
            memo.Memo = {"Page " + std::to_string(i + 1) + ", line " + std::to_string(row + 1)};
            put(pages, i, memo);
        }
        put(pages, i, line);
        if (withLogo) put(pages, i, *picture);
    }
}

// Draws every page of a large store one after another, as scrolling through
// a preview does; live objects are released page by page, so peak memory
// stays near that of the store itself.
void DrawEveryPage(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TvlEMFPages pages;
    fill(pages, count);
    const double storeMb = peakRssMb();
    QImage canvas(190, 268, QImage::Format_RGB32);
    QPainter painter(&canvas);
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            PreparedPage& page = pages.PageAt(i);
            page.Shown = true;
            pages.DrawPage(i, &painter, {0, 0, 190, 268});
            page.Shown = false;
            pages.DrawPage(i, nullptr, {});
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["rss_after_fill_mb"] = storeMb;
    state.counters["peak_rss_mb"] = peakRssMb();
    state.counters["live_pages_after"] = pages.LivePageCount();
}
BENCHMARK(DrawEveryPage)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Writing a ".vlp" file of the store into memory.
void SavePreparedReport(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TvlEMFPages pages;
    fill(pages, count, true);
    std::size_t bytes = 0;
    for (auto _ : state) {
        MemoryStream out;
        pages.WriteToStream(out);
        bytes = out.data().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    state.counters["file_kb"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(SavePreparedReport)->Arg(1000)->Unit(benchmark::kMillisecond);

// Reading it back: every page's paper set up on the printer and its
// object stream copied.
void LoadPreparedReport(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    MemoryStream file;
    {
        TvlEMFPages pages;
        fill(pages, count, true);
        pages.WriteToStream(file);
    }
    for (auto _ : state) {
        TvlEMFPages pages;
        MemoryStream in(file.data());
        pages.ReadFromStream(in);
        if (pages.Count() != count) state.SkipWithError("pages lost");
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.data().size()));
}
BENCHMARK(LoadPreparedReport)->Arg(1000)->Unit(benchmark::kMillisecond);

// Every page as a PNG image at 96 dots per inch, encoded in memory, as
// "vellum show --png" writes them.
void RenderPng(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TvlEMFPages pages;
    fill(pages, count, true);
    qint64 bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (int i = 0; i < count; ++i) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            RenderPageImage(pages, i, 96).save(&buffer, "PNG", kPagePngQuality);
            bytes += png.size();
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["png_kb_per_page"] = static_cast<double>(bytes) / 1024.0 / count;
}
BENCHMARK(RenderPng)->Arg(100)->Unit(benchmark::kMillisecond);

// The whole store as one PDF document at the writer's resolution.
void RenderPdf(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TvlEMFPages pages;
    fill(pages, count, true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    PdfDocumentWriter writer;
    for (auto _ : state)
        writer.write(pages, path);
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["pdf_kb"] = static_cast<double>(QFileInfo(path).size()) / 1024.0;
}
BENCHMARK(RenderPdf)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace
