// The values of pixora-export's image options (--levels, --threshold,
// --dither, --crop, --scale-down, --png-scale), read strictly: a value that
// is not a number of the option's range is a usage error, never clipped.
#pragma once

#include <string>

#include "ImageConversion.h"

// 2 or 4.
int ParseLevels(const std::string& text);
// none, floyd-steinberg, atkinson or bayer.
Dithering ParseDithering(const std::string& text);
// X,Y,W,H: corner from 0, width and height from 1.
CropRect ParseCrop(const std::string& text);

// The largest --scale-down: far beyond any picture that can be decoded.
constexpr int MaxScaleDown = 65535;
