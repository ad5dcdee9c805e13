// Saving and loading a piece whose four lists hold 65,535 elements each, to
// and from a memory stream. Items are elements.
#include <benchmark/benchmark.h>

#include "base/element_list.h"
#include "base/streams.h"
#include "datalink/piece_stream.h"

using namespace kvd;

namespace {

constexpr std::size_t kPerList = datalink::kMaxListElements;

struct FullPiece {
    TTempElement* heads[4] = {};
    TTempElement* tails[4] = {};
    TPieceRecord record{};

    FullPiece() {
        for (int i = 0; i < 4; ++i) {
            for (std::size_t k = 0; k < kPerList; ++k) {
                TTempElement e{};
                e.Kind = static_cast<std::uint16_t>(k % 4);
                e.X = static_cast<long double>(k) * 0.5L;
                e.Y = static_cast<long double>(i) * 100.0L - static_cast<long double>(k);
                e.Bulge = (k % 4) >= 2 ? 0.25L : 0.0L;
                AppendElement(heads[i], tails[i], e);
            }
        }
        record.List0 = heads[0];
        record.List1 = heads[1];
        record.List2 = heads[2];
        record.List3 = heads[3];
    }
    ~FullPiece() {
        for (TTempElement*& h : heads) DisposeElementList(h);
    }
};

void BM_SavePiece(benchmark::State& state) {
    FullPiece piece;
    for (auto _ : state) {
        StreamPtr s(NewMemoryStream());
        datalink::SavePiece(s.get(), piece.record);
        benchmark::DoNotOptimize(MemoryStreamBytes(s.get())->data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 4 * kPerList));
}
BENCHMARK(BM_SavePiece)->Unit(benchmark::kMillisecond);

// Each load frees the lists of the previous one, as a host that loads piece
// after piece into the same record sees it.
void BM_LoadPiece(benchmark::State& state) {
    FullPiece piece;
    StreamPtr s(NewMemoryStream());
    datalink::SavePiece(s.get(), piece.record);
    TPieceRecord loaded{};
    for (auto _ : state) {
        datalink::LoadPiece(s.get(), loaded, false);
        benchmark::DoNotOptimize(loaded.List3.raw);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 4 * kPerList));
    StreamPtr empty(NewMemoryStream());
    datalink::LoadPiece(empty.get(), loaded, false);
}
BENCHMARK(BM_LoadPiece)->Unit(benchmark::kMillisecond);

}  // namespace
