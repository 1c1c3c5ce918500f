#include "engine/output/TvlEMFPages.h"
#include "tools/samples/SampleDatabase.h"
#include "tools/templates/InvoiceTemplate.h"
#include "tools/vellum/DatabaseBinding.h"
#include "tools/vellum/TemplateUsage.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The sample invoices built on a shop database of the given number of
// order lines, as `vellum build --database` binds them.
void BM_Invoices(benchmark::State& state) {
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("shop.sqlite"));
    samples::WriteShopDatabase({database, static_cast<int>(state.range(0)), 1});
    const QString invoices = dir.filePath(QStringLiteral("Invoices.vlf"));
    templates::WriteInvoiceTemplate(invoices);

    vellum_cli::DatabaseOptions options;
    options.database = database;
    options.queries = {{QStringLiteral("Orders"), QLatin1String(templates::kInvoiceOrdersQuery)},
                       {QStringLiteral("Lines"), QLatin1String(templates::kInvoiceLinesQuery)}};
    vellum_cli::DatabaseBinding binding(options);
    vl::TvlReport& report = binding.report();
    report.ShowProgress = false;
    int pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!report.LoadFromFile(invoices)) {
            state.SkipWithError("the template does not load");
            return;
        }
        binding.checkTemplate(vellum_cli::TemplateUsage(report));
        state.ResumeTiming();
        if (!report.PrepareReport() || !report.LastBuildError().empty()) {
            state.SkipWithError(report.LastBuildError().c_str());
            break;
        }
        pages = report.EMFPages().Count();
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak MB"] = peakRssMb();
}
BENCHMARK(BM_Invoices)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
