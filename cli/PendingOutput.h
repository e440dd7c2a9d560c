// An output file that appears only complete. The content goes into a fresh
// temporary file beside the target (or in the temporary folder when the
// target is standard output); Deliver() then renames it over the target or
// copies it to standard output. Until then the target is untouched, and a
// PendingOutput that is not delivered removes its temporary file.
#pragma once

#include <string>

class PendingOutput {
public:
    // target "-" is standard output. Throws CliFailure when no temporary file
    // can be created there, or when the target is a folder.
    explicit PendingOutput(const std::string& target);
    ~PendingOutput();
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    // Where the content is to be written; the file exists and is empty.
    const std::string& TemporaryPath() const { return temporary_; }
    std::string ReadBack() const;
    void Deliver();

private:
    std::string target_;
    std::string temporary_;
    bool delivered_ = false;
};
