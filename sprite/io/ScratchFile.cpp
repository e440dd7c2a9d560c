#include "ScratchFile.h"

#include <unistd.h>

#if defined(_WIN32)
#include <cstdio>
#include <filesystem>

#include "SystemFiles.h"
#else
#include <sys/mman.h>
#endif

#include <cerrno>

#include "AtomicFile.h"

#if defined(_WIN32)

// Windows has no anonymous files that a plug-in could open by name: a file
// of the temporary folder, removed with the object (and, after a crash, by
// the crash guard).
ScratchFile::ScratchFile()
{
    std::error_code error;
    std::string pattern = NativeName(std::filesystem::temp_directory_path(error)) + "\\pixora-scratch-XXXXXX";
    fd_ = error ? -1 : CreateUniqueFile(pattern);
    if (fd_ < 0) {
        error_ = error ? error : std::error_code(errno, std::generic_category());
        return;
    }
    path_ = pattern;
}

ScratchFile::~ScratchFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!path_.empty())
        std::remove(path_.c_str());
}

#else

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

#endif

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
