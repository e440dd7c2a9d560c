#include "FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

constexpr std::size_t FirstBlock = 64 * 1024;
#if defined(_WIN32)
constexpr int OpenFlags = O_RDONLY | O_BINARY; // no line-end translation; no FIFO to wait for
#else
constexpr int OpenFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
#endif
constexpr std::size_t Megabyte = 1024 * 1024;

FileContent Refused(ReadProblem problem, std::size_t limit, int error = 0)
{
    FileContent content;
    content.problem = problem;
    content.limit = limit;
    if (error)
        content.error = {error, std::generic_category()};
    return content;
}

// What stat or open answered: no such file, or the system's reason.
FileContent NotOpened(std::size_t limit)
{
    const int error = errno;
    return Refused(error == ENOENT ? ReadProblem::Missing : ReadProblem::Failed, limit, error);
}

// Folders and streams are told apart before any open: opening some devices
// acts on them (a tape rewinds), and a FIFO's open would wait.
ReadProblem KindProblem(const struct stat& info)
{
    if (S_ISDIR(info.st_mode))
        return ReadProblem::Folder;
    return S_ISREG(info.st_mode) ? ReadProblem::None : ReadProblem::NotRegular;
}

// Up to `most` bytes from the descriptor; the size the file claims is only
// a first guess, since files of /proc claim 0 and a file may grow meanwhile.
int ReadUpTo(int fd, std::size_t most, std::size_t claimedSize, std::string& bytes)
{
    bytes.resize(std::min(most, std::max(claimedSize + 1, FirstBlock)));
    std::size_t used = 0;
    while (used < most) {
        if (used == bytes.size())
            bytes.resize(std::min(most, bytes.size() * 2));
        const ssize_t count = read(fd, bytes.data() + used, bytes.size() - used);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            const int error = errno;
            bytes.clear();
            return error;
        }
        if (count == 0)
            break;
        used += static_cast<std::size_t>(count);
    }
    bytes.resize(used);
    return 0;
}

FileContent ReadRegularFile(const std::string& path, std::size_t limit, bool refuseLonger)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return NotOpened(limit);
    if (const ReadProblem problem = KindProblem(info); problem != ReadProblem::None)
        return Refused(problem, limit);
    const auto claimedSize = static_cast<std::size_t>(info.st_size);
    if (refuseLonger && claimedSize > limit)
        return Refused(ReadProblem::TooLarge, limit);

    const int fd = open(path.c_str(), OpenFlags);
    if (fd < 0)
        return NotOpened(limit);
    // The file may have been replaced between stat and open.
    if (fstat(fd, &info) != 0) {
        const int error = errno;
        close(fd);
        return Refused(ReadProblem::Failed, limit, error);
    }
    if (const ReadProblem problem = KindProblem(info); problem != ReadProblem::None) {
        close(fd);
        return Refused(problem, limit);
    }
    FileContent content;
    content.limit = limit;
    // One byte more than the limit tells a file that grew past it.
    const int error = ReadUpTo(fd, refuseLonger ? limit + 1 : limit, claimedSize, content.bytes);
    close(fd);
    if (error)
        return Refused(ReadProblem::Failed, limit, error);
    if (content.bytes.size() > limit)
        return Refused(ReadProblem::TooLarge, limit);
    return content;
}

std::string SizeText(std::size_t bytes)
{
    if (bytes >= Megabyte && bytes % Megabyte == 0)
        return std::to_string(bytes / Megabyte) + " Mo";
    return std::to_string(bytes) + " octets";
}

} // namespace

FileContent ReadWholeFile(const std::string& path, std::size_t limit)
{
    return ReadRegularFile(path, limit, true);
}

FileContent ReadFileStart(const std::string& path, std::size_t count)
{
    return ReadRegularFile(path, count, false);
}

std::string ReadProblemText(const FileContent& content)
{
    switch (content.problem) {
    case ReadProblem::None:
        break;
    case ReadProblem::Missing:
        return "fichier introuvable";
    case ReadProblem::Folder:
        return "c'est un dossier, pas un fichier";
    case ReadProblem::NotRegular:
        return "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)";
    case ReadProblem::TooLarge:
        return "fichier trop grand (plus de " + SizeText(content.limit) + ")";
    case ReadProblem::Failed:
        return "lecture impossible (" + content.error.message() + ")";
    }
    return {};
}
