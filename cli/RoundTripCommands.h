// The commands of pixora-export that carry sprites to and from other tools:
// calculator picture files for TI-BASIC and C programs (--to-ti), and C
// arrays read back into a .pixo file (--to-pixo with a .c or .h input). Each
// returns the exit status or throws CliFailure; notes go to err.
#pragma once

#include <iosfwd>
#include <string>

#include "CliOptions.h"

// True for the inputs that --to-pixo reads as C source: ".c" and ".h", any case.
bool IsCSourcePath(const std::string& path);

int WriteTiPicture(const CliOptions& options, std::ostream& err);
int ConvertCArrays(const CliOptions& options, std::ostream& err);
