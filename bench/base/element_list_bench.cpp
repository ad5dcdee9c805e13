// Appending, walking and freeing element lists.
#include <benchmark/benchmark.h>

#include "base/element_list.h"

using namespace kvd;

namespace {

TTempElement Line(long double x) {
    TTempElement e{};
    e.Kind = ecLine;
    e.X = x;
    return e;
}

void BM_Append(benchmark::State& state) {
    const auto n = state.range(0);
    TTempElement src = Line(1);
    for (auto _ : state) {
        TTempElement* head = nullptr;
        TTempElement* tail = nullptr;
        for (int64_t i = 0; i < n; ++i) AppendElement(head, tail, src);
        benchmark::DoNotOptimize(head);
        state.PauseTiming();
        DisposeElementList(head);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_Walk(benchmark::State& state) {
    const auto n = state.range(0);
    TTempElement* head = nullptr;
    TTempElement* tail = nullptr;
    for (int64_t i = 0; i < n; ++i) AppendElement(head, tail, Line(static_cast<long double>(i)));
    for (auto _ : state) benchmark::DoNotOptimize(ElementCount(head));
    DisposeElementList(head);
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_Free(benchmark::State& state) {
    const auto n = state.range(0);
    TTempElement src = Line(1);
    for (auto _ : state) {
        state.PauseTiming();
        TTempElement* head = nullptr;
        TTempElement* tail = nullptr;
        for (int64_t i = 0; i < n; ++i) AppendElement(head, tail, src);
        state.ResumeTiming();
        DisposeElementList(head);
    }
    state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(BM_Append)->Arg(100000);
BENCHMARK(BM_Walk)->Arg(100000);
BENCHMARK(BM_Free)->Arg(100000);
