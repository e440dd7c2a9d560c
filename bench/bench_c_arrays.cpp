// Reading C arrays back: the whole pass over texts of 1 to 100 MB, good
// arrays mixed with bad ones, and the shapes that make parsers go back over
// their input. The fitted complexity shows the pass stays linear.
#include <benchmark/benchmark.h>

#include <string>

#include "c_array_sprites.h"

namespace {

std::string Repeated(const std::string& chunk, std::size_t size)
{
    std::string text;
    text.reserve(size + chunk.size());
    while (text.size() < size)
        text += chunk;
    return text;
}

void FindIn(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        ArraySprites found = FindArraySprites(text);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.SetComplexityN(static_cast<int64_t>(text.size()));
}

// Plug-in output, bad elements, unclosed braces with quotes and comments, and
// too many rows, in turn.
void MixedArrays(benchmark::State& state)
{
    FindIn(state, Repeated("static unsigned short s_LightPlane[] = {0x3C, 0b1, 017, 9,};\n"
                           "unsigned char wide[] = {0x1FF};\n"
                           "unsigned char open[] = { { 1, \"}\", '{' /* } */ // }\n"
                           "unsigned short tall[129] = {1};\n",
                           static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(MixedArrays)
    ->RangeMultiplier(10)
    ->Range(1 << 20, 100 << 20)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// An array that never closes, and a declaration start repeated without end.
void DegenerateText(benchmark::State& state)
{
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    FindIn(state, state.range(1) == 0 ? "unsigned char a[] = {" + std::string(size, '1')
                                      : Repeated("static const unsigned ", size));
}
BENCHMARK(DegenerateText)->ArgsProduct({{1 << 20, 10 << 20}, {0, 1}})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
