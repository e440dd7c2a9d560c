#include "AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr char TemporaryPrefix[] = ".pxtmp-";
constexpr std::size_t RandomLength = 6;     // the XXXXXX of mkstemp
constexpr std::time_t StaleAge = 24 * 3600; // a day: no write of ours runs that long
constexpr int MaxLinkDepth = 40;            // as the kernel's own limit on link chains

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

std::string FolderOf(const std::string& path)
{
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

bool IsOurTemporaryName(const char* name)
{
    const std::size_t prefix = sizeof TemporaryPrefix - 1;
    return std::strncmp(name, TemporaryPrefix, prefix) == 0 && std::strlen(name) == prefix + RandomLength;
}

// Leftovers of a write that never ended (a crashed plug-in, a power cut).
void RemoveStaleTemporaries(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = readdir(dir)) {
        if (!IsOurTemporaryName(entry->d_name))
            continue;
        struct stat info;
        if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            now - info.st_mtime > StaleAge)
            unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

// What a new file gets from open(): 0666 less the umask.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Root may write anything, so a file without any write bit counts as one the
// user chose to protect.
bool MayReplace(const std::string& path, const struct stat& info)
{
    return (info.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

bool IsStreamFile(const struct stat& info)
{
    return S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode);
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
    fs::path current = path;
    std::error_code error;
    for (int depth = 0; depth < MaxLinkDepth && fs::is_symlink(fs::symlink_status(current, error)); ++depth) {
        const fs::path next = fs::read_symlink(current, error);
        if (error)
            break;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    // The folders on the way may be links too; the file name itself is not.
    const fs::path folder = fs::weakly_canonical(current.parent_path().empty() ? "." : current.parent_path(), error);
    return error ? current.string() : (folder / current.filename()).string();
}

bool FileSystemIsFull(const std::string& path)
{
    struct statvfs info;
    return statvfs(FolderOf(path).c_str(), &info) == 0 && info.f_bavail == 0;
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
    if (found && IsStreamFile(info)) {
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
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
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
        unlink(writePath_.c_str());
}

std::error_code PendingFile::Write(std::string_view content)
{
    if (status_)
        return status_;
    if (!inPlace_)
        return WriteFully(fd_, content);
    const int fd = open(writePath_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
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
    return fsync(fd_) == 0 ? std::error_code() : LastError();
}

std::error_code PendingFile::Commit()
{
    if (status_ || inPlace_)
        return status_;
    if (const std::error_code error = Sync())
        return error;
    if (fchmod(fd_, mode_) != 0)
        return LastError();
    if (close(fd_) != 0) {
        fd_ = -1;
        return LastError();
    }
    fd_ = -1;
    if (rename(writePath_.c_str(), target_.c_str()) != 0)
        return LastError();
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
