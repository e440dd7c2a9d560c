// Writer of calculator picture variables: the sprite becomes one picture file
// for the TI-89 (".89i"), TI-92 Plus (".9xi") or V200 (".v2i"), the complete
// single-variable file that link software sends to the calculator, in the
// layout ChargerImageTI reads back. A gray sprite becomes two pictures, its
// light plane (color bit 0) and its dark plane (color bit 1), for the two
// planes of a gray program; masked pixels are written unset (white).
#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "U_class.h"

enum class TiModel { Ti89, Ti92Plus, V200 };

// The model a file name asks for by its extension (any case), if any.
std::optional<TiModel> TiModelOfPath(const std::string& path);

// The calculator's rule for variable names, stated for the user.
extern const char* const VariableNameRule;
// At most 8 characters, lower-case letters, digits and '_', a letter first.
bool IsValidVariableName(const std::string& name);
// A name as the calculator keeps it: ASCII upper case lowered, nothing else
// changed, so it may still break the rule.
std::string LoweredVariableName(std::string name);
// The name a file gives its variable: the first 8 characters of its base
// name (without the extension, lowered) that the rule allows, starting at
// its first letter ("Cli final.89i" gives "clifinal"); empty when the name
// has no letter.
std::string VariableNameOfPath(const std::string& path);

// One file to write: where, and the variable it holds.
struct TiPictureFile {
    std::string path;
    std::string variableName;
    int plane; // 0 black and white (any color set), 1 light, 2 dark
};

// The files a sprite of this type gives: the path itself for black and white;
// "NAME_l" and "NAME_d" beside it for gray, with the variable names shortened
// to fit ("balle_l", "balle_d"). The name must be valid.
std::vector<TiPictureFile> PlanTiPictures(const std::string& path, const std::string& variableName, bool gray);

// The bytes of one picture variable file holding the sprite's plane.
std::string TiPictureBytes(const Sprite& sprite, TiModel model, const std::string& variableName, int plane);

// Writes every planned file, each atomically, all of them only once each
// could be prepared; the first error otherwise.
std::error_code WriteTiPictures(const Sprite& sprite, TiModel model, const std::vector<TiPictureFile>& files);
