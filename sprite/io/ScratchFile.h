// A scratch file that no folder holds, for writers that want a path to write
// to (the plug-ins): an anonymous file in memory, reached by the path
// "/proc/self/fd/N" of the descriptor that keeps it. It ends with the object
// or with the process, however the process ends (a closed pipe, a signal,
// a crash), so nothing is ever left behind in a folder. On Windows it is a
// file of the temporary folder, removed with the object.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "FileRead.h"

class ScratchFile {
public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Empty when the file could not be made; Error() then says why.
    const std::string& Path() const { return path_; }
    std::error_code Error() const { return error_; }
    // Empties the file, so that a writer that writes nothing is never
    // credited with an earlier writer's text.
    bool Clear() const;
    // Replaces the content with these bytes.
    std::error_code Write(std::string_view content) const;
    FileContent Read(std::size_t limit) const { return ReadWholeFile(path_, limit); }

private:
    int fd_ = -1;
    std::string path_;
    std::error_code error_;
};
