// The calculator's screen composed as the window redraws it at every move:
// a whole 240 x 128 screen, a background, then 64 gray masked sprites of
// 32 x 32 over it, some across the edges.
#include <benchmark/benchmark.h>

#include "CalculatorScreen.h"

namespace {

Sprite GrayMaskedSprite()
{
    Sprite sprite({32, 32});
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 32; ++y) {
            sprite.SetPixel(x, y, static_cast<PenValue>((x * 3 + y) % 4));
            if ((x - 16) * (x - 16) + (y - 16) * (y - 16) > 15 * 15) // masked outside a disc
                sprite.SetPixel(x, y, Mask);
        }
    return sprite;
}

void BM_ComposeFullScreen64Sprites(benchmark::State& state)
{
    const Sprite background({MaxWidth, MaxHeight});
    const Sprite sprite = GrayMaskedSprite();
    CalculatorScreen screen(CalculatorModel::V200);
    for (auto _ : state) {
        DrawBackground(screen, background);
        for (int i = 0; i < 64; ++i)
            screen.DrawSprite(sprite, (i % 8) * 31 - 8, (i / 8) * 17 - 8, DrawMode::Mask);
        benchmark::DoNotOptimize(screen);
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_ComposeFullScreen64Sprites)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
