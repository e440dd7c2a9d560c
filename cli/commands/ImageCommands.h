// Image inputs and PNG outputs of pixora-export: an image file (.png, .bmp,
// .gif, .jpg, .jpeg) becomes a sprite with the conversion options of the
// command line, exactly as the editor's conversion dialog would make it, and
// a sprite becomes the PNG file the editor's "Exporter en PNG..." writes.
#pragma once

#include <memory>
#include <string>

#include "CliOptions.h"
#include "U_class.h"

// Throws CliFailure(ExitBadInput) for a file that cannot be decoded (with
// the decoder's reason), a picture too large for a sprite without --crop or
// --scale-down (naming its size), or a crop outside the picture.
std::unique_ptr<Sprite> ReadImageSprite(const std::string& path, const ConversionOptions& conversion);
// The picture converted whole, up to conversion.largest (a sheet cut into
// cells afterwards); throws CliFailure as ReadImageSprite does.
CellPicture ReadImagePicture(const std::string& path, const ConversionOptions& conversion);

// The PNG file of the sprite, with the options of --to-png; throws CliFailure.
std::string SpritePngBytes(const Sprite& sprite, const CliOptions& options);

// The PNG file of a picture of any size (a sheet, a drawn map), as
// SpritePngBytes writes a sprite; a picture beyond MaxWrittenPixels is
// refused before it is drawn.
std::string PicturePngBytes(const CellPicture& picture, const CliOptions& options);
// Throws CliFailure when a picture of width x height sprite pixels, scaled
// by --png-scale, is beyond MaxWrittenPixels: checked before drawing it.
void RefuseLargePicture(long long width, long long height, const CliOptions& options);
