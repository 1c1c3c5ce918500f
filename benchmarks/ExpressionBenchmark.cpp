#include "engine/script/TvlParser.h"

#include <benchmark/benchmark.h>

namespace {

// A typical memo bracket, evaluated from its stored postfix form with a
// lookup that answers every name at once.
void EvalPostfixMemoBracket(benchmark::State& state) {
    const vl::LocaleService locale;
    vl::TvlParser parser(locale);
    parser.OnGetValue = [](std::string_view name, vl::Variant& value) {
        value = name.size() == 5 ? vl::Variant(12.5) : vl::Variant(3);
    };
    const std::string postfix = vl::TvlParser::ToPostfix("[Price] * [Qty] + 1");
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.EvalPostfix(postfix));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(EvalPostfixMemoBracket);

// The same expression converted and evaluated every time.
void EvaluateMemoBracket(benchmark::State& state) {
    const vl::LocaleService locale;
    vl::TvlParser parser(locale);
    parser.OnGetValue = [](std::string_view, vl::Variant& value) { value = vl::Variant(3); };
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.Evaluate("[Price] * [Qty] + 1"));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(EvaluateMemoBracket);

} // namespace
