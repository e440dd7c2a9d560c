// A large sprite set, 256 frames of 240 x 128 (7.9 MB as a
// ".pixs"): reading it, saving it, and exporting every frame into one text
// through a plug-in, each on its own and the three in a row (target: the
// three under 200 ms).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "PluginFrames.h"
#include "joined_export.h"
#include "set_file.h"

namespace {

namespace fs = std::filesystem;

// Frames with something in every column, so no writer takes a short cut.
FrameList LargestSet()
{
    constexpr int SetFrames = 256;
    FrameList frames;
    for (int k = 0; k < SetFrames; ++k) {
        auto frame = std::make_unique<Sprite>(Point{MaxWidth, MaxHeight});
        frame->DrawLine(0, k % MaxHeight, MaxWidth - 1, MaxHeight - 1 - k % MaxHeight, Black);
        frame->DrawLine(k % MaxWidth, 0, k % MaxWidth, MaxHeight - 1, DarkGray);
        frames.push_back(std::move(frame));
    }
    return frames;
}

std::vector<const Sprite*> Pointers(const FrameList& frames)
{
    std::vector<const Sprite*> list;
    for (const auto& frame : frames)
        list.push_back(frame.get());
    return list;
}

const std::string& SetPath()
{
    static const std::string path = [] {
        const std::string file = (fs::temp_directory_path() / "pixora-bench-set.pixs").string();
        const FrameList frames = LargestSet();
        if (!SaveSpriteSetFile(file, Pointers(frames)))
            std::abort();
        return file;
    }();
    return path;
}

const std::string RowPlane = PIXORA_BENCH_PLUGIN_DIR "/rowplane.so";
const std::string MaskPlane = PIXORA_PLUGIN_DIR "/maskplane.so";

void LoadSet(benchmark::State& state)
{
    for (auto _ : state) {
        FrameList frames;
        if (!LoadSpriteSetFile(SetPath(), frames))
            state.SkipWithError("the set was refused");
        benchmark::DoNotOptimize(frames.data());
    }
}
BENCHMARK(LoadSet)->Unit(benchmark::kMillisecond);

void SaveSet(benchmark::State& state)
{
    const FrameList frames = LargestSet();
    const std::string out = (fs::temp_directory_path() / "pixora-bench-saved.pixs").string();
    for (auto _ : state)
        if (!SaveSpriteSetFile(out, Pointers(frames)))
            state.SkipWithError("the set could not be saved");
    std::remove(out.c_str());
}
BENCHMARK(SaveSet)->Unit(benchmark::kMillisecond);

// Arg 0: rowplane at 240 x 128; arg 1: the shipped maskplane at the largest
// size it writes, 32 x 128.
void ExportSet(benchmark::State& state)
{
    const bool shipped = state.range(0) == 1;
    FrameList frames = LargestSet();
    for (auto& frame : frames)
        frame->SetSize(shipped ? Point{32, MaxHeight} : Point{MaxWidth, MaxHeight});
    const FrameWriter writer = PluginFrameWriter(shipped ? MaskPlane : RowPlane, MaxHeight, shipped ? 32 : MaxWidth);
    for (auto _ : state) {
        const JoinedExport joined = ExportFrames(Pointers(frames), "image", writer);
        if (joined.result != FrameWrite::Written)
            state.SkipWithError("the plug-in did not write a frame");
        benchmark::DoNotOptimize(joined.text.data());
    }
}
BENCHMARK(ExportSet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void LoadExportAndSaveSet(benchmark::State& state)
{
    const std::string out = (fs::temp_directory_path() / "pixora-bench-saved.pixs").string();
    const FrameWriter writer = PluginFrameWriter(RowPlane, MaxHeight, MaxWidth);
    for (auto _ : state) {
        FrameList frames;
        if (!LoadSpriteSetFile(SetPath(), frames))
            state.SkipWithError("the set was refused");
        const JoinedExport joined = ExportFrames(Pointers(frames), "image", writer);
        if (joined.result != FrameWrite::Written || !SaveSpriteSetFile(out, Pointers(frames)))
            state.SkipWithError("the export or the save failed");
    }
    std::remove(out.c_str());
}
BENCHMARK(LoadExportAndSaveSet)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
