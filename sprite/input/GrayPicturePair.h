// A gray sprite kept as two calculator pictures, as "--to-ti" and the
// editor write it: NAME_l holds the light plane (light gray and black
// pixels), NAME_d the dark plane (dark gray and black). Read together they
// give the gray sprite back, unmasked (a masked pixel was written white).
#pragma once

#include <optional>
#include <string>

#include "InputFrames.h"

// The pair as one gray sprite: both must be calculator pictures of one
// size; a pair whose names say the planes are the other way round
// (NAME_d first, NAME_l second) is refused rather than read inverted.
InputFrames ReadGrayPicturePair(const std::string& lightPath, const std::string& darkPath);

// For a calculator picture named NAME_l (any case of the letter), the
// NAME_d picture of the same extension beside it, when that is a regular
// file; nothing otherwise.
std::optional<std::string> DarkPlaneBeside(const std::string& lightPath);

// The light picture's sprite with the dark plane of the NAME_d picture beside
// it, for the editor's import of a pair; false, the sprite unchanged, when
// the pair cannot be read.
bool ReadGrayPictureBeside(Sprite& sprite, const std::string& lightPath);
