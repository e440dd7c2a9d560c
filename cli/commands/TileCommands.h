// The commands of pixora-export on sheets, tile sets and tile maps: a picture
// sliced into a set (--to-pixs --cell), a set laid out as one sheet
// (--to-png --sheet-columns), a map cut from a picture, made over a set or
// read back from a program source (--to-pixm), and a map drawn (--to-png),
// given as its tile set (--to-pixs) or written as data (--data). Each returns
// the exit status or throws CliFailure; notes go to err.
#pragma once

#include <iosfwd>
#include <optional>

#include "CliOptions.h"

// The status of the command when it is one of these; nothing otherwise, for
// the other commands to run.
std::optional<int> RunTileCommand(const CliOptions& options, std::ostream& err);
