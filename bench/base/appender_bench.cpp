// The element appender: contours of lines, and contours of arcs (bulge,
// sweep and extents computed per element), as a DXF import builds them.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "base/appender.h"
#include "base/element_list.h"

using namespace kvd;

namespace {

void Prepare() {
    ResetAppenderState();
    ResetExtents();
    CurrentLayerMode = lmOrdinary;
    CurrentColorIndex = 7;
}

void BM_AddElementLines(benchmark::State& state) {
    const auto n = state.range(0);
    Prepare();
    for (auto _ : state) {
        AddElement(ecStart, 0, 0, 0, 0, 0, 0, 0);
        for (int64_t i = 1; i < n; ++i) {
            const long double x = static_cast<long double>(i);
            AddElement(ecLine, x, (i & 1) ? 10.0L : 0.0L, 0, 0, 0, 0, 0);
        }
        benchmark::DoNotOptimize(CurrentListTail);
        state.PauseTiming();
        DisposeElementList(CurrentListHead);
        CurrentListTail = nullptr;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_AddElementArcs(benchmark::State& state) {
    const auto n = state.range(0);
    Prepare();
    const long double r = 50.0L;
    const long double step = 2.0L * 3.14159265358979323846L / 12.0L;  // twelve arcs a circle
    std::vector<long double> xs(static_cast<std::size_t>(n)), ys(static_cast<std::size_t>(n));
    for (int64_t i = 0; i < n; ++i) {
        xs[static_cast<std::size_t>(i)] = r * std::cos(step * static_cast<long double>(i));
        ys[static_cast<std::size_t>(i)] = r * std::sin(step * static_cast<long double>(i));
    }
    for (auto _ : state) {
        AddElement(ecStart, xs[0], ys[0], 0, 0, 0, 0, 0);
        for (std::size_t i = 1; i < xs.size(); ++i)
            AddElement((i & 1) ? ecArcPos : ecArcNeg, xs[i], ys[i], r, 0, 0, xs[i - 1], ys[i - 1]);
        benchmark::DoNotOptimize(CurrentListTail);
        state.PauseTiming();
        DisposeElementList(CurrentListHead);
        CurrentListTail = nullptr;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(BM_AddElementLines)->Arg(100000);
BENCHMARK(BM_AddElementArcs)->Arg(100000);
