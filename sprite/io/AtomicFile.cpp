#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <sys/statvfs.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "SystemFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr char TemporaryPrefix[] = ".pxtmp-";
constexpr std::size_t RandomLength = 6;    // the XXXXXX of CreateUniqueFile
constexpr std::chrono::hours StaleAge{24}; // a day: no write of ours runs that long
constexpr int MaxLinkDepth = 40;           // as the kernel's own limit on link chains
#if defined(_WIN32)
constexpr int OpenFlags = O_BINARY; // no line-end translation
#else
constexpr int OpenFlags = O_CLOEXEC;
#endif

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

std::string FolderOf(const std::string& path)
{
    const fs::path folder = NativePath(path).parent_path();
    return folder.empty() ? std::string(".") : NativeName(folder);
}

bool IsOurTemporaryName(const std::string& name)
{
    const std::size_t prefix = sizeof TemporaryPrefix - 1;
    return name.starts_with(TemporaryPrefix) && name.size() == prefix + RandomLength;
}

// Leftovers of a write that never ended (a crashed plug-in, a power cut).
// Only ordinary files: a link of that name is not ours to follow.
void RemoveStaleTemporaries(const std::string& folder)
{
    std::error_code error;
    const fs::file_time_type staleBefore = fs::file_time_type::clock::now() - StaleAge;
    for (fs::directory_iterator entry(NativePath(folder), error), end; !error && entry != end; entry.increment(error)) {
        std::error_code entryError;
        if (IsOurTemporaryName(entry->path().filename().string()) &&
            entry->symlink_status(entryError).type() == fs::file_type::regular &&
            fs::last_write_time(entry->path(), entryError) < staleBefore && !entryError)
            fs::remove(entry->path(), entryError);
    }
}

// What a new file gets from open(): 0666 less the umask.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::error_code SyncDescriptor(int fd)
{
#if defined(_WIN32)
    return _commit(fd) == 0 ? std::error_code() : LastError();
#else
    return fsync(fd) == 0 ? std::error_code() : LastError();
#endif
}

// Windows files have no mode bits beyond the read-only flag, which a
// replaced file never has (MayReplace).
std::error_code GiveMode(int fd, mode_t mode)
{
#if defined(_WIN32)
    (void)fd;
    (void)mode;
    return {};
#else
    return fchmod(fd, mode) == 0 ? std::error_code() : LastError();
#endif
}

// Root may write anything, so a file without any write bit counts as one the
// user chose to protect.
bool MayReplace(const std::string& path, const struct stat& info)
{
    return (info.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

// A stream that the path reaches; info is what stat() answered for it, or
// null when stat() failed.
bool IsStreamFile(const std::string& path, const struct stat* info)
{
#if defined(_WIN32)
    // NUL, CON, COM1 and pipes, which the C runtime's stat() does not know.
    (void)info;
    const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const DWORD type = GetFileType(file);
    CloseHandle(file);
    return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
#else
    (void)path;
    return info && (S_ISCHR(info->st_mode) || S_ISFIFO(info->st_mode) || S_ISSOCK(info->st_mode));
#endif
}

} // namespace

std::error_code WriteFully(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return LastError();
        if (written == 0)
            return {ENOSPC, std::generic_category()};
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::string ResolveLinks(const std::string& path)
{
    fs::path current = NativePath(path);
    std::error_code error;
    for (int depth = 0; depth < MaxLinkDepth && fs::is_symlink(fs::symlink_status(current, error)); ++depth) {
        const fs::path next = fs::read_symlink(current, error);
        if (error)
            break;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    // The folders on the way may be links too; the file name itself is not.
    const fs::path folder = fs::weakly_canonical(current.parent_path().empty() ? "." : current.parent_path(), error);
    return NativeName(error ? current : folder / current.filename());
}

bool FileSystemIsFull(const std::string& path)
{
#if defined(_WIN32)
    ULARGE_INTEGER available;
    return GetDiskFreeSpaceExA(FolderOf(path).c_str(), &available, nullptr, nullptr) && available.QuadPart == 0;
#else
    struct statvfs info;
    return statvfs(FolderOf(path).c_str(), &info) == 0 && info.f_bavail == 0;
#endif
}

PendingFile::PendingFile(const std::string& target)
{
    Prepare(target);
}

void PendingFile::Prepare(const std::string& requested)
{
    struct stat info;
    // The kernel follows the links itself, also the ones of /proc/self/fd
    // whose text names no file ("pipe:[1234]"): a stream is opened by the
    // path given.
    const bool found = stat(requested.c_str(), &info) == 0;
    const int notFound = found ? 0 : errno;
    if (IsStreamFile(requested, found ? &info : nullptr)) {
        inPlace_ = true;
        target_ = writePath_ = requested;
        return;
    }
    target_ = ResolveLinks(requested);
    // Only a file that does not exist yet is made, also at the end of a
    // dangling link; a loop of links (ELOOP) or a path through a file is
    // refused, never replaced by a file of ours.
    if (!found && notFound != ENOENT) {
        status_ = {notFound, std::generic_category()};
        return;
    }
    const bool exists = stat(target_.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        status_ = {EISDIR, std::generic_category()};
        return;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        status_ = {EINVAL, std::generic_category()};
        return;
    }
    if (exists && !MayReplace(target_, info)) {
        status_ = {EACCES, std::generic_category()};
        return;
    }
    mode_ = exists ? (info.st_mode & 07777) : NewFileMode();

    const std::string folder = FolderOf(target_);
    RemoveStaleTemporaries(folder);
    std::string pattern = folder + "/" + TemporaryPrefix + std::string(RandomLength, 'X');
    fd_ = CreateUniqueFile(pattern);
    if (fd_ < 0) {
        status_ = LastError();
        return;
    }
    writePath_ = pattern;
}

PendingFile::~PendingFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!inPlace_ && !committed_ && !writePath_.empty())
        std::remove(writePath_.c_str());
}

std::error_code PendingFile::Write(std::string_view content)
{
    if (status_)
        return status_;
    if (!inPlace_)
        return WriteFully(fd_, content);
    const int fd = open(writePath_.c_str(), O_WRONLY | O_TRUNC | OpenFlags);
    if (fd < 0)
        return LastError();
    std::error_code error = WriteFully(fd, content);
    if (close(fd) != 0 && !error)
        error = LastError();
    return error;
}

std::error_code PendingFile::Sync()
{
    if (status_ || inPlace_)
        return status_;
    return SyncDescriptor(fd_);
}

std::error_code PendingFile::CheckWritten()
{
    if (status_ || inPlace_)
        return status_;
    if (const std::error_code error = Sync())
        return error;
    return FileSystemIsFull(target_) ? std::make_error_code(std::errc::no_space_on_device) : std::error_code();
}

std::error_code PendingFile::Commit()
{
    if (status_ || inPlace_)
        return status_;
    if (const std::error_code error = Sync())
        return error;
    if (const std::error_code error = GiveMode(fd_, mode_))
        return error;
    if (close(fd_) != 0) {
        fd_ = -1;
        return LastError();
    }
    fd_ = -1;
    // Over an existing file too, which Windows' rename() refuses.
    std::error_code error;
    fs::rename(NativePath(writePath_), NativePath(target_), error);
    if (error)
        return error;
    committed_ = true;
    return {};
}

std::error_code WriteFileAtomically(const std::string& target, std::string_view content)
{
    PendingFile file(target);
    if (const std::error_code error = file.Write(content))
        return error;
    return file.Commit();
}
