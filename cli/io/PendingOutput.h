// An output of pixora-export that appears only complete. A plug-in writes
// into a file; for an ordinary target that is a temporary file beside it,
// renamed over it by Deliver, with the mode of the file it replaces. Standard
// output, a device or a FIFO cannot be replaced: the plug-in writes into a
// scratch file in memory, which no folder holds and which ends with the
// command however it ends, and Deliver copies its content to the stream.
// Until Deliver the target is untouched.
#pragma once

#include <optional>
#include <string>
#include <system_error>

#include "AtomicFile.h"
#include "ScratchFile.h"

class PendingOutput {
public:
    // target "-" is standard output. Throws CliFailure (status 2) when the
    // target cannot be written: a folder, a read-only file, a loop of links,
    // a folder where no file can be created.
    explicit PendingOutput(const std::string& target);
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    // Where the content is to be written; the file exists and is empty.
    const std::string& TemporaryPath() const { return writePath_; }
    // The file that Deliver replaces, links resolved; "-" for standard output.
    const std::string& Target() const;
    // What was written, or nothing when it cannot be read back.
    std::optional<std::string> ReadBack() const;
    // Whether what was written reached the disk: ENOSPC or EIO when the file
    // system failed under the writer, which may not have noticed.
    std::error_code CheckWritten();
    // The whole content written, checked on the disk and read back, so that a
    // full disk is told as such; throws CliFailure (status 2).
    void Write(const std::string& bytes);
    // Throws CliFailure (status 2) when the target cannot take the content,
    // also when standard output is a pipe that was closed.
    void Deliver();

private:
    std::string requested_;
    std::optional<PendingFile> file_;    // none for standard output
    std::optional<ScratchFile> scratch_; // for a stream target
    std::string writePath_;
};

// The bytes into output ("-" standard output), as a PendingOutput writes them.
void WriteOutput(const std::string& output, const std::string& bytes);
// Throws CliFailure (status 2) when output is the input file under another
// name (through links, "..", or a hard link).
void RefuseOverwritingInput(const std::string& input, const std::string& output);
