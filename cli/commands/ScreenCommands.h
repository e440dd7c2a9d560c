// The commands of pixora-export on the calculator's screen: --to-png with
// --screen writes the screen a sprite (or, with --text, a string in a font)
// leaves, composed by CalculatorScreen, as an opaque PNG file; --data with
// --font adds to a set's data what a program needs to write with it. Each
// throws CliFailure (status 2) with the reason, before anything is written.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "DataLayout.h"

int DrawOnScreen(const CliOptions& options, std::ostream& err);

// The comment listing the characters and, for a proportional font, the
// widths array; empty without --font.
std::string FontTables(const std::vector<const Sprite*>& glyphs, const std::string& name, const DataLayout& layout,
                       const CliOptions& options);
