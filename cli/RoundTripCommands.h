// The commands of pixora-export that carry sprites to and from other tools:
// calculator picture files for TI-BASIC and C programs (--to-ti), and C
// arrays read back into a .pixo file (--to-pixo with a .c or .h input) or
// into the frames of a set (--to-pixs: every sprite of the chosen one's size).
// Each returns the exit status or throws CliFailure; notes go to err.
#pragma once

#include <iosfwd>
#include <string>

#include "CliOptions.h"
#include "sprite_set.h"

// True for the inputs that --to-pixo reads as a program source: C (".c",
// ".h") or assembly (".s", ".S", ".asm", ".inc"), any case.
bool IsDataSourcePath(const std::string& path);

int WriteTiPicture(const CliOptions& options, std::ostream& err);
int ConvertCArrays(const CliOptions& options, std::ostream& err);
// The frames a C source gives a set: the sprite --array names (or the first)
// and every other of its size, in the order of the text.
FrameList ReadCArrayFrames(const std::string& path, const CliOptions& options, std::ostream& err);
