#include "SystemFiles.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdlib>

#if defined(_WIN32)
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <random>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

#if defined(_WIN32)

fs::path NativePath(const std::string& name)
{
    const int size = static_cast<int>(name.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.data(), size, wide.data(), static_cast<int>(wide.size()));
    return fs::path(wide);
}

std::string NativeName(const fs::path& path)
{
    const std::wstring& wide = path.native();
    const int size = static_cast<int>(wide.size());
    std::string name(
        static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, name.data(), static_cast<int>(name.size()), nullptr, nullptr);
    return name;
}

#else

fs::path NativePath(const std::string& name)
{
    return fs::path(name);
}

std::string NativeName(const fs::path& path)
{
    return path.string();
}

#endif

#if defined(_WIN32)

// The C runtime's mkstemp denies other handles to its file, so the name is
// drawn here and the file opened shared.
int CreateUniqueFile(std::string& pattern)
{
    constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr std::size_t RandomLength = 6;
    constexpr int Attempts = 100;
    if (pattern.size() < RandomLength || !pattern.ends_with("XXXXXX")) {
        errno = EINVAL;
        return -1;
    }
    std::random_device random;
    std::uniform_int_distribution<std::size_t> letter(0, sizeof Letters - 2);
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        for (std::size_t i = pattern.size() - RandomLength; i < pattern.size(); ++i)
            pattern[i] = Letters[letter(random)];
        const int descriptor = _sopen(pattern.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                      _SH_DENYNO, _S_IREAD | _S_IWRITE);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

#else

int CreateUniqueFile(std::string& pattern)
{
    return mkostemp(pattern.data(), O_CLOEXEC);
}

#endif
