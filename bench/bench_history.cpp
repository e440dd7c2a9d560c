// Undo and redo of the largest step there is: a fill of the whole storage.
#include <benchmark/benchmark.h>

#include "U_class.h"
#include "history.h"

namespace {

void RecordWholeStorageFill(Sprite& sprite, SpriteHistory& history)
{
    history.Begin(sprite);
    sprite.FloodFill(0, 0, Black, White);
    history.Commit(sprite, "remplissage");
}

void BM_UndoWholeStorageFill(benchmark::State& state)
{
    Sprite sprite({MaxWidth, MaxHeight});
    SpriteHistory history;
    RecordWholeStorageFill(sprite, history);
    for (auto _ : state) {
        history.Undo(sprite);
        benchmark::DoNotOptimize(sprite.cells);
        state.PauseTiming();
        history.Redo(sprite);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoWholeStorageFill)->Unit(benchmark::kMicrosecond);

void BM_RedoWholeStorageFill(benchmark::State& state)
{
    Sprite sprite({MaxWidth, MaxHeight});
    SpriteHistory history;
    RecordWholeStorageFill(sprite, history);
    history.Undo(sprite);
    for (auto _ : state) {
        history.Redo(sprite);
        benchmark::DoNotOptimize(sprite.cells);
        state.PauseTiming();
        history.Undo(sprite);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RedoWholeStorageFill)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
