// What a program holds, one line per reading its arrays give, for a listing
// of its sprites: the name --array takes, the size, the kind, the frames and
// where the reading comes from (the file and line of the first draw call
// that reads one of its arrays, or of the array of parts it belongs to, or
// "étiquettes" for a group of assembly labels, "tableau seul" for other
// arrays no call draws).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ProgramText.h"
#include "c_array_sprites.h"

struct SpriteListing {
    std::string name; // the candidate's id, as --array takes it
    int width;
    int height;
    std::string kind;   // "noir et blanc", "niveaux de gris", either followed by " masqué"
    std::size_t frames; // every frame of a whole reading, else 1
    std::string origin; // "main.c:12", "étiquettes" or "tableau seul"
};

// One line per candidate, in the order of the candidates.
std::vector<SpriteListing> ListCandidates(const ProgramText& program, const ArraySprites& found);
// The readings of draw calls first, as the command takes them without
// --array, then the others in the order of the candidates.
std::vector<SpriteListing> ListProgramSprites(const ProgramText& program, const ArraySprites& found);

// The text with the folder cut from every path in it that starts with it,
// for a window that names the folder already: "main.c:12" for
// "/jeu/main.c:12" within "/jeu", the same in the notes of a reading.
std::string WithinFolder(const std::string& text, const std::string& folder);

// "balle  16 x 16  niveaux de gris masqué  3 images  jeu/main.c:12": the name
// cut and escaped as source text is shown, the file as it was named.
std::string SpriteListingLine(const SpriteListing& listing);
