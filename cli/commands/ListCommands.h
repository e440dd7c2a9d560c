// --list-sprites: what the C and assembly sources hold, one line per
// reading on out (SpriteListing.h), the sources' notes and refusals on err.
#pragma once

#include <iosfwd>

#include "CliOptions.h"

// ExitWritten when at least one reading was listed, else ExitBadInput.
int ListSourceSprites(const CliOptions& options, std::ostream& out, std::ostream& err);
