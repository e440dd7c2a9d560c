// How pixora-export gives up: the exit status that a build tool sees and a
// French message naming the file and the reason. A command line that makes
// no sense is a UsageError, which the command tells with a pointer to
// --help; everything after it is a CliFailure.
#pragma once

#include <stdexcept>
#include <string>

enum ExitStatus {
    ExitWritten = 0,
    ExitRefused = 1,  // the plug-in refused the sprite and explained why
    ExitBadInput = 2, // usage error, unreadable or refused input, unwritable output
    ExitNoPlugin = 3, // plug-in missing, invalid, or without a write function
};

class CliFailure : public std::runtime_error {
public:
    CliFailure(ExitStatus status, const std::string& message) : std::runtime_error(message), status(status) {}
    ExitStatus status;
};

// A command line that does not make sense; the message says why, in French.
// Its status is ExitBadInput.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
