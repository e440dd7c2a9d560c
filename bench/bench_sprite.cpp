// Costs of the model's busiest operations on the largest sprite.
#include <benchmark/benchmark.h>

#include "U_class.h"

namespace {

void BM_FloodFillEmptyLargestSprite(benchmark::State& state)
{
    Sprite sprite({MaxWidth, MaxHeight});
    PixelColor pen = Black;
    for (auto _ : state) {
        const PixelColor target = pen == Black ? White : Black;
        sprite.FloodFill(0, 0, pen, target);
        pen = target;
        benchmark::DoNotOptimize(sprite.cells);
    }
    state.SetItemsProcessed(state.iterations() * CellCount);
}
BENCHMARK(BM_FloodFillEmptyLargestSprite)->Unit(benchmark::kMicrosecond);

void BM_AutoMaskLargestSprite(benchmark::State& state)
{
    Sprite sprite({MaxWidth, MaxHeight});
    sprite.DrawLine(0, 0, 239, 127, Black);
    for (auto _ : state) {
        sprite.AutoMask();
        benchmark::DoNotOptimize(sprite.cells);
    }
    state.SetItemsProcessed(state.iterations() * CellCount);
}
BENCHMARK(BM_AutoMaskLargestSprite)->Unit(benchmark::kMicrosecond);

void BM_DrawLineDiagonal(benchmark::State& state)
{
    Sprite sprite({MaxWidth, MaxHeight});
    for (auto _ : state) {
        sprite.DrawLine(0, 0, 239, 127, DarkGray);
        benchmark::DoNotOptimize(sprite.cells);
    }
    state.SetItemsProcessed(state.iterations() * MaxWidth);
}
BENCHMARK(BM_DrawLineDiagonal)->Unit(benchmark::kMicrosecond);

// Every pixel of the largest sprite once, cycling through the pens that
// change the type counts; the time per item is the time of one SetPixel.
void BM_SetPixelWholeStorage(benchmark::State& state)
{
    Sprite sprite({MaxWidth, MaxHeight});
    const PenValue pens[] = {Black, LightGray, Mask, DarkGray, NoMask, White};
    int round = 0;
    for (auto _ : state) {
        const PenValue pen = pens[round++ % 6];
        for (int x = 0; x < MaxWidth; ++x)
            for (int y = 0; y < MaxHeight; ++y)
                sprite.SetPixel(x, y, pen);
        benchmark::DoNotOptimize(sprite.cells);
    }
    state.SetItemsProcessed(state.iterations() * CellCount);
}
BENCHMARK(BM_SetPixelWholeStorage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
