#include "engine/build/TvlEngine.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewState.h"

#include <benchmark/benchmark.h>

namespace {

// 40 words of ordinary text.
const char* const kParagraph =
    "The report engine measures every line of text it prints, so wrapping a "
    "paragraph has to be quick. This paragraph holds forty words of ordinary "
    "length, a typical amount for a note field in a contact list of the organizer.";

// Wraps and measures one paragraph into a 200-pixel column at 96 dpi.
void WrapParagraph(benchmark::State& state) {
    vl::TvlMemoView memo;
    memo.SetBounds(0, 0, 200 + 2 * memo.GapX, 100);
    memo.EvaluatedText = {kParagraph};
    for (auto _ : state) {
        memo.WrapMemo();
        benchmark::DoNotOptimize(memo.TextHeight);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["lines"] = static_cast<double>(memo.WrappedLines.size());
}
BENCHMARK(WrapParagraph);

// The same paragraph through the whole measuring step of a build: script,
// evaluation (text only), wrapping and the height.
void CalcHeightParagraph(benchmark::State& state) {
    vl::TvlMemoView memo;
    memo.SetBounds(0, 0, 200 + 2 * memo.GapX, 100);
    memo.Flags |= vl::TvlMemoView::mfTextOnly;
    memo.Memo = {kParagraph};
    for (auto _ : state)
        benchmark::DoNotOptimize(memo.CalcHeight());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CalcHeightParagraph);

} // namespace
