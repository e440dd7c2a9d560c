// Reader of the integer arrays in C source text: every initialised array of
// an integer type as calculator programs declare them (signed, unsigned or
// plain char, short, int, long, long long, uintN_t and intN_t, with or
// without static and const), with a count in the brackets written as a
// constant expression ([3*16], [SPRITE_HEIGHT]) or none, of one dimension,
// two (NAME[K][N], read as the arrays NAME[0] to NAME[K-1] of N elements
// each, braced by part or not) or three (NAME[K][H][W], read as the parts
// NAME[k] of H * W elements, braced by row or not), its elements constant expressions (0x3C,
// 0b0110, 017, ~0x1818, -1, 0xFFFFULL), comments and line breaks (LF, CR LF,
// CR) anywhere. One pass over the text, whatever it holds: what is not such
// an array is skipped, and an array that cannot be read is reported with the
// reason instead of stopping the rest.
//
// Element sizes are those of the calculator's compiler: char 8 bits, short
// and int 16, long 32, long long 64. A negative element is stored in two's
// complement within its element, as C converts it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SourceTokens.h"

// The largest source read, far above any real header: a larger file is
// refused before it is read.
constexpr std::size_t MaxSourceBytes = 64 * 1024 * 1024;
// The most bytes one frame of a sprite takes: mask, light and dark rows of
// 240 pixels (30 bytes each), 128 rows.
constexpr std::size_t MaxFrameBytes = 3 * 30 * 128;
// The most elements an array may have: a whole set of 256 such frames.
// Longer arrays are refused without keeping their elements.
constexpr std::size_t MaxArrayElements = 256 * MaxFrameBytes;
// The most parts an array of two dimensions may have (NAME[K][N]): one per
// row of the largest tile map (1024 rows, as Pixora writes a map), or per
// frame of a table of frames; and the most elements of a part: one frame.
constexpr std::size_t MaxArrayParts = 1024;
constexpr std::size_t MaxPartElements = MaxFrameBytes;
// Arrays kept from one text, and their elements (zeros that a count in the
// brackets adds included); more are counted as refused, so a huge text
// cannot take memory without bound.
constexpr std::size_t MaxArraysKept = 4096;
constexpr std::size_t MaxElementsKept = 8u << 20;

struct CArray {
    std::string name;
    int elementBits; // 8, 16, 32 or 64
    // The elements in words of at most 32 bits: a 64-bit element is two
    // words, high half first, as the calculator keeps it in memory.
    std::vector<uint32_t> values;
    // False for the arrays of int and plain char, tile maps and text as a
    // rule: read, but not offered as sprites.
    bool offered = true;
    // Data after an assembly label, not a C array: its planes may be named
    // as a group of labels (c_array_sprites.h).
    bool label = false;
    // Where the C array's name stands in the text read (its parts share it),
    // to tell apart two arrays of one name in a program's files.
    std::size_t textOffset = 0;
    // For a part of an array of three dimensions (NAME[K][H][W], a room of
    // a game's levels, read as the parts NAME[k] of H * W elements): W, the
    // length of its rows; 0 otherwise.
    std::size_t rowLength = 0;
};

// The elements of an array, and element i (a 64-bit one from its two words).
std::size_t ElementCount(const CArray& array);
uint64_t ElementAt(const CArray& array, std::size_t index);
// The array as the 68000 holds it: each element big-endian, one after the other.
std::vector<uint8_t> MemoryImage(const CArray& array);

// What a scan found. SourceNotes adds the "NAME : W x H pixels" comments and
// the integer constants of #define lines.
struct CArrayScan : SourceNotes {
    std::vector<CArray> arrays;        // in the order of the text
    std::vector<std::string> refusals; // "NAME : why", in French, the first ones only
    std::size_t refusedCount = 0;      // every refusal, also those not kept
    std::size_t wordsKept = 0;         // the values of the arrays kept, against MaxElementsKept
    bool arrayLimitTold = false;       // the refusal of the arrays past MaxArraysKept is made
};

CArrayScan ScanCArrays(std::string_view text);

// For the readers of other sources (assembly): keeps the refusal "NAME :
// why" within the scan's bounds.
void AddRefusal(CArrayScan& scan, const std::string& name, const std::string& why);
// Whether words more values still fit the scan's bounds; when they do not,
// the array is refused.
bool RoomForWords(CArrayScan& scan, const std::string& name, std::size_t words);
// Keeps the array within the scan's bounds, or counts it as refused.
void KeepArray(CArrayScan& scan, CArray array);
// The arrays, refusals, constants and comment sizes of another scan (of
// another language's files of one program) added within the scan's bounds;
// a constant or size already known keeps its value.
void AddScan(CArrayScan& scan, CArrayScan other);
