// The commands of pixora-export that carry sprites to and from other tools:
// calculator picture files for TI-BASIC and C programs (--to-ti), and C
// arrays read back as an input of any command: the chosen sprite, or for
// --to-pixs every sprite of the chosen one's size as frames. Each returns the
// exit status or throws CliFailure; notes go to err.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "CliOptions.h"
#include "c_array_sprites.h"
#include "sprite_set.h"

// True for the inputs read as a program source: C (".c", ".h") or assembly
// (".s", ".S", ".asm", ".inc"), any case.
bool IsDataSourcePath(const std::string& path);

// The arrays of a C or assembly source and the sprites they make; throws
// CliFailure (status 2) for a file that cannot be read.
ArraySprites ReadSourceSprites(const std::string& path);

int WriteTiPicture(const CliOptions& options, std::ostream& err);
// The sprite --array names (or the first, said on err when there are more),
// --width columns wide.
std::unique_ptr<Sprite> ReadCArraySprite(const std::string& path, const CliOptions& options, std::ostream& err);
// The frames a C source gives a set: the sprite --array names (or the first)
// and every other of its size, in the order of the text.
FrameList ReadCArrayFrames(const std::string& path, const CliOptions& options, std::ostream& err);
