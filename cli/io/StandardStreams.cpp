#include "StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#if defined(_WIN32)
#include <io.h>
#endif

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include "CliFailure.h"

namespace {

bool standardOutputClosed = false;

#if defined(_WIN32)
const char* const NullDevice = "NUL";
bool IsClosed(int descriptor)
{
    return _get_osfhandle(descriptor) == -1;
}
#else
const char* const NullDevice = "/dev/null";
bool IsClosed(int descriptor)
{
    return fcntl(descriptor, F_GETFD) == -1 && errno == EBADF;
}
#endif

[[noreturn]] void FailedStandardOutput(const std::string& why)
{
    throw CliFailure(ExitBadInput, "écriture sur la sortie standard impossible (" + why + ")");
}

} // namespace

// open gives the lowest free number, so opening in order fills the closed
// ones from 0 up; a descriptor opened onto a number that was free is kept.
void GuardStandardDescriptors()
{
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (!IsClosed(descriptor))
            continue;
        if (descriptor == 1)
            standardOutputClosed = true;
        const int opened = open(NullDevice, descriptor == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != descriptor)
            close(opened);
    }
}

void RefuseClosedStandardOutput()
{
    if (standardOutputClosed)
        FailedStandardOutput("elle est fermée");
}

// A full disk or a gone reader may show only at the flush or at the close.
void FinishStandardOutput()
{
    if (standardOutputClosed)
        return;
    std::cout.flush();
    if (!std::cout)
        FailedStandardOutput("erreur d'écriture");
    if (close(STDOUT_FILENO) != 0)
        FailedStandardOutput(std::strerror(errno));
}
