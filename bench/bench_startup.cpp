// Start-up as the user feels it: from spawning the program to the X server
// mapping its first top-level window, for pixora and, in the same run, for
// bare_window, an empty Qt window (the least a Qt program can cost), and
// for bare_window --text, the same window with one line of text.
// Target: pixora at most 1.5 times bare_window. The benchmark watches the
// X server itself (MapNotify on the root window) rather than asking the
// programs, so they run exactly as a user starts them; it needs an X
// display and no window manager: run it under xvfb-run. The program is
// ended once its window is mapped. Each iteration's time is the wall time
// to the map; the counter "process_cpu" is the program's user and system
// CPU time until it was ended. PIXORA_BENCH_EDITOR names another pixora to
// measure, another build's.
#include <benchmark/benchmark.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr int MapTimeoutMs = 20000; // far above any start, even on a loaded machine
constexpr int ConnectAttempts = 50; // five seconds

struct XConnection {
    xcb_connection_t* connection = nullptr;

    XConnection()
    {
        // A server resets when its last client leaves, and refuses
        // connections meanwhile: xvfb-run's own xauth has just left it.
        for (int attempt = 0; attempt < ConnectAttempts; ++attempt) {
            connection = xcb_connect(nullptr, nullptr);
            if (!xcb_connection_has_error(connection))
                break;
            xcb_disconnect(connection);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (xcb_connection_has_error(connection))
            return;
        // Every window mapped on the screen, without a window manager in
        // between, is a child of the root window.
        xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &events);
        xcb_flush(connection);
    }
    ~XConnection() { xcb_disconnect(connection); }
    bool Usable() const { return !xcb_connection_has_error(connection); }

    // Waits for the next MapNotify; false after the timeout.
    bool WaitForMap() const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(MapTimeoutMs);
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
                const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
                std::free(event);
                if (mapped)
                    return true;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || xcb_connection_has_error(connection))
                return false;
            pollfd wait{xcb_get_file_descriptor(connection), POLLIN, 0};
            poll(&wait, 1, static_cast<int>(left.count()));
        }
    }

    // Forgets the events of the windows measured before: the round trip
    // makes sure the server has sent them all.
    void Drain() const
    {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
            std::free(event);
    }
};

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

// One connection for the whole run: its leaving would reset the server.
const XConnection& Server()
{
    static const XConnection connection;
    return connection;
}

void TimeFirstMap(benchmark::State& state, const std::string& program, const char* option = nullptr)
{
    const XConnection& x = Server();
    if (!x.Usable()) {
        state.SkipWithError("needs an X display: run under xvfb-run");
        return;
    }
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(option), nullptr};
    double cpu = 0;
    for (auto _ : state) {
        x.Drain();
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("spawn failed");
            return;
        }
        const bool mapped = x.WaitForMap();
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        kill(child, SIGKILL);
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (!mapped) {
            state.SkipWithError("no window was mapped");
            return;
        }
        state.SetIterationTime(wall.count());
        cpu += Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    }
    state.counters["process_cpu"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

void BareQtWindow(benchmark::State& state)
{
    TimeFirstMap(state, BARE_WINDOW);
}

void TextQtWindow(benchmark::State& state)
{
    TimeFirstMap(state, BARE_WINDOW, "--text");
}

void PixoraEditor(benchmark::State& state)
{
    const char* other = std::getenv("PIXORA_BENCH_EDITOR");
    TimeFirstMap(state, other ? other : PIXORA_EDITOR);
}

BENCHMARK(BareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(TextQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(PixoraEditor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

BENCHMARK_MAIN();
