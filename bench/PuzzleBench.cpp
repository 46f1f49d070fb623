// Start-up of a 10x10x10 cube: construction plus the replay of a long stored history.
#include "persist/MoveHistory.h"
#include "puzzle/CMozai.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int moveCount = 10000;

void BM_StartUpReplay(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    MoveHistory history;
    LcgRandom random(12345);
    for (int m = 0; m < moveCount; ++m) {
        const int r = random.Next();
        history.Append(m % 3, r % n, (r >> 4) % 2 == 0);
    }
    for (auto _ : state) {
        CMozai puzzle(n, 0, 0, 0, -1, 0, 1, 0, 0, 1, nullptr);
        puzzle.SetHistory(&history);
        puzzle.Replay();
        benchmark::DoNotOptimize(puzzle.Cubie(0, 0, 0));
    }
    state.SetItemsProcessed(state.iterations() * moveCount);
}
BENCHMARK(BM_StartUpReplay)->Arg(10)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace
