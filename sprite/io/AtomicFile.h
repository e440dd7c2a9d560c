// Files that appear only complete. Every file Pixora writes (sprites, the
// settings file, exported C text) goes through here: the content goes into a
// temporary file beside the target, which is flushed to disk, given the mode
// of the file it replaces and renamed over it. Until Commit the target is
// untouched; a PendingFile that is not committed removes its temporary file.
//
// The target is the file a path finally names: symbolic links are followed
// and the file they point to is replaced, never the link. A character device
// or FIFO (/dev/null, /dev/stdout, a pipe) is written in place, since
// replacing it would destroy it; a folder, a block device or a file that may
// not be written is refused. Temporary names are short (".pxtmp-" and six
// characters), so any target name the file system allows can be written, and
// temporary files of that pattern left by a crash are removed once a day old
// by the next write in their folder.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <system_error>

class PendingFile {
public:
    // Prepares the write; Status() tells whether it can go on.
    explicit PendingFile(const std::string& target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Why the write cannot go on: EISDIR for a folder, EACCES for a file that
    // may not be written, ELOOP for a loop of links, or what creating the
    // temporary file answered.
    std::error_code Status() const { return status_; }
    // The file that Commit replaces, links resolved.
    const std::string& Target() const { return target_; }
    // Where the content goes: the temporary file, or the target itself when
    // it is written in place. The file exists and is empty.
    const std::string& WritePath() const { return writePath_; }
    bool WritesInPlace() const { return inPlace_; }

    // Writes the whole content into WritePath, however many system writes
    // it takes.
    std::error_code Write(std::string_view content);
    // Flushes what was written (by Write or by anyone writing WritePath) to
    // the disk; the error of the file system (ENOSPC, EIO) when it fails.
    std::error_code Sync();
    // Sync, and whether the file system ran full under a writer that may not
    // have noticed (a plug-in that ignores its failed writes leaves a short
    // file, which Sync cannot tell): ENOSPC then.
    std::error_code CheckWritten();
    // Sync, then the kept mode, then the rename over the target.
    std::error_code Commit();

private:
    void Prepare(const std::string& requested);

    std::string target_;
    std::string writePath_;
    std::error_code status_;
    int fd_ = -1;
    mode_t mode_ = 0;
    bool inPlace_ = false;
    bool committed_ = false;
};

// The whole content into an open descriptor, however many system writes it
// takes; the system's error (EPIPE for a pipe that was closed) otherwise.
std::error_code WriteFully(int fd, std::string_view content);

// The whole content into target, as one PendingFile; 0 on success.
std::error_code WriteFileAtomically(const std::string& target, std::string_view content);

// The file a path finally names, following every symbolic link (also one
// that points to a file that does not exist yet).
std::string ResolveLinks(const std::string& path);

// True when the file system holding path has no block left for an ordinary
// user: a write that failed there failed for want of room.
bool FileSystemIsFull(const std::string& path);
