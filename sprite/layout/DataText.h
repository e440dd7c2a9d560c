// The text of sprite data in a layout: C arrays, A68k or GNU as data
// directives, with a comment that says the layout in words and names the
// draw call that fits it, ready to paste. Every text is plain ASCII with LF
// line ends, so it compiles or assembles as it is; the C text compiles with
// gcc -std=gnu99 -Wall -Wextra -Werror even when a program uses only some of
// its arrays (they are marked unused).
#pragma once

#include <string>
#include <vector>

#include "DataLayout.h"
#include "U_class.h"

// The size of the frames (the first one's) and the planes any of them has.
SpriteShape ShapeOfFrames(const std::vector<const Sprite*>& frames);

// Why the name cannot name the data in this syntax, or nothing: a C
// identifier that is no C keyword, and for assembly no 68000 register
// either (d0, a7, sp...), which an assembler would take for one.
std::string DataNameRefusal(const std::string& name, DataSyntax syntax);

// The text of the frames (one sprite, or a set of one size) under name, in
// a layout that ResolveLayout gave for ShapeOfFrames(frames).
std::string WriteDataText(const std::vector<const Sprite*>& frames, const std::string& name, const DataLayout& layout);

// The text of a tile map's cells, width to a row, under NAME_map: a C array
// [height][width] of unsigned char while tileCount is at most 256, else of
// unsigned short; in assembly one dc.b / dc.w (.byte / .word) line per row.
// With layout.defines, NAME_MAP_WIDTH, NAME_MAP_HEIGHT and NAME_TILES first.
std::string WriteMapText(const std::vector<uint16_t>& cells, int width, int tileCount, const std::string& name,
                         const DataLayout& layout);

// The names of the arrays of one sprite in the layout, in the order of the
// planes: NAME for block and interlaced; for separate NAME (black and white),
// NAME_LightPlane, NAME_DarkPlane and NAME_Mask.
std::vector<std::string> ArrayNames(const DataLayout& layout, const std::string& name);

// What follows the glyphs of a font: a comment listing its characters (ASCII,
// in the glyphs' order) and, for a proportional font, the array
// NAME_widths of the pen's advance after each glyph; nothing of the second
// for a fixed font (advances empty).
std::string WriteFontTables(const std::string& name, const DataLayout& layout, const std::string& characters,
                            const std::vector<int>& advances);
