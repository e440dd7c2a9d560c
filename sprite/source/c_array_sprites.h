// Sprites rebuilt from the C arrays of a text: each array, or each group of
// arrays that an export plug-in writes together, is one candidate, and the
// chosen one becomes the edited sprite. One element per row, the most
// significant bit leftmost; the width is the element's bits unless told
// fewer (the right-hand bits are dropped), the height the element count.
//
// What the shipped plug-ins write is recognised by the array names:
// NAME_LightPlane + NAME_DarkPlane (hexplane, binplane, maskplane), NAME +
// NAME_Mask and the planes + NAME_Mask (maskplane; mask bit 1 = transparent,
// the sprite's width from its "NAME : W x H pixels" comment), NAME_Interlaced
// alone (mask, light, dark of each row). Any single array of an even count
// can also be read as one gray array: its first half the light plane, its
// second half the dark plane.
//
// A call of a sprite routine naming arrays of the text (DrawCalls.h) gives
// one more candidate, read as the call reads them: its height, row width,
// planes and mask, every frame an array of parts holds.
//
// Assembly labels that name one sprite's planes by their endings are one
// candidate named by their stem: stem_light, stem_dark and stem_mask, also
// _l/_d/_m, Light/Dark/Mask, _Light and the French clair/fonce/masque; or
// stem and its mask label (mask bit 1 = transparent).
//
// Pixora's own data text (OwnDataText.h) is read as its comment says: one
// candidate per comment, ahead of every other, named as the comment names
// the sprite and holding every frame.
//
// Several sprites of one size can also come in together as the frames of a
// set, one frame per candidate, in the order of the text.
//
// Arrays of int and plain char (tile maps, text) are not offered, nor the
// cells of a map that Pixora's comments describe (kept in maps); the sources
// are C text, or assembly data directives after labels.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DataReading.h"
#include "OwnDataText.h"
#include "ProgramText.h"
#include "U_class.h"
#include "c_array_reader.h"
#include "sprite_set.h"

enum class ArrayLayout {
    Single,       // black and white
    Planes,       // light and dark planes
    Masked,       // black and white and its mask
    MaskedPlanes, // both planes and one mask
    Interlaced,   // mask, light, dark of each row in one array
    Halves,       // one array: light plane, then dark plane
    DrawCall,     // as a call of a sprite routine reads its arrays
    OwnText,      // as the comment of Pixora's own data text says
};

struct ArrayCandidate {
    std::string id; // what --array takes: the base name, with ":gris" for a gray reading of other candidates' arrays
    ArrayLayout layout;
    std::vector<std::size_t> arrays; // indexes into the scan: sprite or light, dark, mask
    int elementBits;                 // the bits of a row: the most columns there are
    int width;                       // the sprite's own width: the row's bits, maskplane's comment or the call's
    int height;                      // rows
    // A second reading of arrays that other candidates read already: the
    // gray halves of one array, the two parts of NAME[2][N] as planes, a call.
    bool rereading = false;
    DataSource source; // where its rows lie in the arrays
    // The planes of assembly labels named stem_light, stem_dark, stem_mask
    // (or stem_l, stemLight, stem_clair...), named by the stem.
    bool labelGroup = false;
};

struct ArraySprites {
    CArrayScan scan;
    std::vector<ArrayCandidate> candidates; // own text first, then in the order of the text, second readings last
    std::vector<std::string> refusals;      // arrays and groups that cannot be sprites, and why
    std::vector<DrawCall> calls;            // the sprite routines' calls on the arrays
    std::vector<std::string> notes;         // which of two definitions of one name was read
    std::vector<OwnMapHeader> maps;         // the maps Pixora's comments describe, in the order of the texts
};

ArraySprites FindArraySprites(std::string_view text);

enum class SourceKind { C, Assembly };
// C (".c", ".h") or assembly (".s", ".S", ".asm", ".inc"), any case; nothing
// for other names.
std::optional<SourceKind> SourceKindOfPath(const std::string& path);
ArraySprites FindSourceSprites(std::string_view text, SourceKind kind);
// The sprites of a whole program (ProgramText.h): the arrays of its C and
// assembly files together, the calls of its C files on any of them. When C
// files define one array name twice, the definition in the file of the
// first call that draws it (or in a file that file includes) is read, else
// the first read; a note names both files.
ArraySprites FindProgramSprites(const ProgramText& program);

// "balle : 16 x 16, niveaux de gris masqué (balle_LightPlane, balle_DarkPlane, balle_Mask)"
std::string DescribeCandidate(const ArraySprites& found, const ArrayCandidate& candidate);

// "noir et blanc" or "niveaux de gris", followed by " masqué" when the
// reading has a mask.
std::string CandidateKind(const ArrayCandidate& candidate);

// The candidate shown first: the first one a call of a sprite routine reads,
// since the call says how the program itself reads its arrays; else the
// first of Pixora's own text; else the first of the text. Only for a list
// that is not empty.
std::size_t FirstCandidateToShow(const ArraySprites& found);

// The candidate whose id, or one of whose arrays' names, is name; nullptr
// when there is none.
const ArrayCandidate* FindCandidate(const ArraySprites& found, const std::string& name);

// Why this width cannot be used for the candidate, or empty when it can:
// 1 to the element's bits.
std::string WidthRefusal(const ArrayCandidate& candidate, int width);

// Replaces the sprite's size, type and every cell with the candidate's,
// width columns wide (WidthRefusal must be empty); the marks are untouched.
// Masked pixels come back white; the type is read from the pixels.
void BuildArraySprite(const ArraySprites& found, const ArrayCandidate& candidate, int width, Sprite& sprite);

// The candidates that can be frames of one set with model, model included, in
// the order of the text: the same element bits, width and height, and the
// same reading of their arrays (as themselves, or as the same kind of
// second reading), so that no array gives two frames. At most MaxFrames.
std::vector<const ArrayCandidate*> SameSizeCandidates(const ArraySprites& found, const ArrayCandidate& model);

// One frame per candidate, each built as BuildArraySprite builds one sprite.
FrameList BuildArrayFrames(const ArraySprites& found, const std::vector<const ArrayCandidate*>& candidates, int width);

// Whether the candidate reads its arrays whole, as a call or Pixora's
// comment says, every frame they hold being one of its frames; the others
// are one frame each.
bool ReadsEveryFrame(const ArrayCandidate& candidate);

// How many frames the candidate's arrays hold (more than one for a call on
// an array of parts), and all of them, at most MaxFrames.
std::size_t CandidateFrameCount(const ArraySprites& found, const ArrayCandidate& candidate);
FrameList BuildCandidateFrames(const ArraySprites& found, const ArrayCandidate& candidate, int width);
