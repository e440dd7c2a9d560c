#include "ScratchFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>

#include "AtomicFile.h"

ScratchFile::ScratchFile()
{
    fd_ = memfd_create("pixora-scratch", MFD_CLOEXEC);
    if (fd_ < 0) {
        error_ = {errno, std::generic_category()};
        return;
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

ScratchFile::~ScratchFile()
{
    if (fd_ >= 0)
        close(fd_);
}

bool ScratchFile::Clear() const
{
    return fd_ >= 0 && ftruncate(fd_, 0) == 0;
}

std::error_code ScratchFile::Write(std::string_view content) const
{
    if (!Clear() || lseek(fd_, 0, SEEK_SET) != 0)
        return {errno, std::generic_category()};
    return WriteFully(fd_, content);
}
