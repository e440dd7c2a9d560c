#include "PluginCrashGuard.h"

#include <unistd.h>

#if defined(_WIN32)
#include <io.h>
#endif

#include <csignal>
#include <cstdio>
#include <cstring>

#include "CliFailure.h"

namespace {

#if defined(_WIN32)
// The C runtime's unhandled-exception filter turns an access violation, an
// illegal instruction or an arithmetic fault in any module into these.
constexpr int CrashSignals[] = {SIGSEGV, SIGILL, SIGFPE, SIGABRT};
using Previous = void (*)(int);
#else
constexpr int CrashSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
using Previous = struct sigaction;
#endif
constexpr int CrashSignalCount = sizeof CrashSignals / sizeof CrashSignals[0];

// The handler may only use what is ready before the crash: fixed buffers.
char crashMessage[1024];
char crashFile[4096];
Previous previous[CrashSignalCount];

// Windows removes no file that is still open: the plug-in's stream and the
// pending output's descriptor are closed first.
void CloseOpenFiles()
{
#if defined(_WIN32)
    constexpr int LowestOpened = 3; // after standard input, output and error
    constexpr int HighestChecked = 64;
    _fcloseall();
    for (int descriptor = LowestOpened; descriptor < HighestChecked; ++descriptor)
        _close(descriptor);
#endif
}

void CopyTruncated(char* to, std::size_t size, const std::string& from)
{
    const std::size_t length = from.size() < size - 1 ? from.size() : size - 1;
    std::memcpy(to, from.data(), length);
    to[length] = '\0';
}

extern "C" void OnPluginCrash(int)
{
    if (crashFile[0]) {
        CloseOpenFiles();
        std::remove(crashFile);
    }
    const ssize_t ignored = write(STDERR_FILENO, crashMessage, std::strlen(crashMessage));
    (void)ignored;
    _exit(ExitNoPlugin);
}

} // namespace

PluginCrashGuard::PluginCrashGuard(const std::string& pluginFileName, const std::string& fileToRemove)
{
    CopyTruncated(crashMessage, sizeof crashMessage,
                  "pixora-export : le plug-in « " + pluginFileName +
                      " » s'est arrêté brutalement ; la sortie n'est pas modifiée\n");
    CopyTruncated(crashFile, sizeof crashFile, fileToRemove);
#if defined(_WIN32)
    for (int i = 0; i < CrashSignalCount; ++i)
        previous[i] = std::signal(CrashSignals[i], OnPluginCrash);
#else
    struct sigaction action = {};
    action.sa_handler = OnPluginCrash;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int i = 0; i < CrashSignalCount; ++i)
        sigaction(CrashSignals[i], &action, &previous[i]);
#endif
}

PluginCrashGuard::~PluginCrashGuard()
{
    for (int i = 0; i < CrashSignalCount; ++i)
#if defined(_WIN32)
        std::signal(CrashSignals[i], previous[i]);
#else
        sigaction(CrashSignals[i], &previous[i], nullptr);
#endif
    crashFile[0] = '\0';
}
