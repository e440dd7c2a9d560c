// The arrays of C and assembly sources read back as an input of any command
// of pixora-export: the chosen sprite, or for --to-pixs every sprite of the
// chosen one's size as frames. Each throws CliFailure (status 2) with the
// reason; notes go to err.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "CliOptions.h"
#include "c_array_sprites.h"
#include "sprite_set.h"

// The sprite --array names (or the first, said on err when there are more),
// --width columns wide.
std::unique_ptr<Sprite> ReadCArraySprite(const std::string& path, const CliOptions& options, std::ostream& err);
// The frames a C source gives a set: the sprite --array names (or the first)
// and every other of its size, in the order of the text.
FrameList ReadCArrayFrames(const std::string& path, const CliOptions& options, std::ostream& err);
