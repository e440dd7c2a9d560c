// One sprite exported by a build tool, as a whole process: spawn, load,
// read the ".pixo", scan and load the plug-in, write, exit, wait. Measured
// for pixora-export and, in the same run, for minimal_export, the least such
// a process can cost (it reads the record, loads the plug-in and calls it).
// Target: pixora-export at most twice minimal_export. Files are in a memory
// file system when there is one, so that the disk's flushes do not count.
// Each iteration's time is the wall time of the process; the counter
// "process_cpu" is its user and system CPU time. PIXORA_BENCH_EXPORT names
// another pixora-export to measure, another build's.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "U_class.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const fs::path& Folder()
{
    static const fs::path folder = [] {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        const fs::path path = base / ("pixora-bench-export-" + std::to_string(getpid()));
        fs::create_directories(path);
        Sprite sprite({16, 16});
        for (int i = 0; i < 16; ++i)
            sprite.SetPixel(i, (i * 5) % 16, Black);
        sprite.SaveToFile((path / "balle.pixo").string());
        return path;
    }();
    return folder;
}

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

void RunProcess(benchmark::State& state, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    double cpu = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("spawn failed");
            return;
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the export failed");
            return;
        }
        state.SetIterationTime(wall.count());
        cpu += Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    }
    state.counters["process_cpu"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

void MinimalExport(benchmark::State& state)
{
    RunProcess(state, {MINIMAL_EXPORT, PIXORA_PLUGIN_DIR "/hexplane.so", (Folder() / "balle.pixo").string(),
                       (Folder() / "minimal.h").string(), "balle"});
}

void PixoraExport(benchmark::State& state)
{
    const char* other = std::getenv("PIXORA_BENCH_EXPORT");
    RunProcess(state, {other ? other : PIXORA_EXPORT, "-o", (Folder() / "pixora.h").string(), (Folder() / "balle.pixo").string()});
}

BENCHMARK(MinimalExport)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(PixoraExport)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(Folder());
}
