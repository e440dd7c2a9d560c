#include "PluginCrashGuard.h"

#include <unistd.h>

#include <csignal>
#include <cstring>

#include "CliFailure.h"

namespace {

constexpr int CrashSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr int CrashSignalCount = sizeof CrashSignals / sizeof CrashSignals[0];

// The handler may only use what is ready before the crash: fixed buffers.
char crashMessage[1024];
char crashFile[4096];
struct sigaction previous[CrashSignalCount];

void CopyTruncated(char* to, std::size_t size, const std::string& from)
{
    const std::size_t length = from.size() < size - 1 ? from.size() : size - 1;
    std::memcpy(to, from.data(), length);
    to[length] = '\0';
}

extern "C" void OnPluginCrash(int)
{
    if (crashFile[0])
        unlink(crashFile);
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
    struct sigaction action = {};
    action.sa_handler = OnPluginCrash;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int i = 0; i < CrashSignalCount; ++i)
        sigaction(CrashSignals[i], &action, &previous[i]);
}

PluginCrashGuard::~PluginCrashGuard()
{
    for (int i = 0; i < CrashSignalCount; ++i)
        sigaction(CrashSignals[i], &previous[i], nullptr);
    crashFile[0] = '\0';
}
