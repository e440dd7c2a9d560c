// Reader of the integer arrays in C source text: every initialised array of
// unsigned char, unsigned short or unsigned long (uint8_t, uint16_t,
// uint32_t), with or without static and const and a count in the brackets,
// of one dimension or two (NAME[K][N], read as the arrays NAME[0] to
// NAME[K-1] of N elements each, braced by part or not),
// its elements in hexadecimal, binary, octal or decimal, comments and line
// breaks anywhere. One pass over the text, whatever it holds: what is not
// such an array is skipped, and an array that cannot be read is reported
// with the reason instead of stopping the rest.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The largest source read, far above any real header: a larger file is
// refused before it is read.
constexpr std::size_t MaxSourceBytes = 64 * 1024 * 1024;
// The most elements an array may have: 128 rows of mask, light and dark
// interleaved. Longer arrays are refused without keeping their elements.
constexpr std::size_t MaxArrayElements = 3 * 128;
// The most parts an array of two dimensions may have (NAME[K][N]): one per
// frame of a set.
constexpr std::size_t MaxArrayParts = 256;
// Arrays kept from one text; more are counted as refused, so a huge text
// cannot take memory without bound.
constexpr std::size_t MaxArraysKept = 4096;

struct CArray {
    std::string name;
    int elementBits; // 8, 16 or 32
    std::vector<uint32_t> values;
};

// "NAME : W x H pixels" at the start of a comment, as maskplane writes it
// above its arrays: the sprite's real width, its rows being padded.
struct CommentSize {
    int width;
    int height;
};

struct CArrayScan {
    std::vector<CArray> arrays;        // in the order of the text
    std::vector<std::string> refusals; // "NAME : why", in French, the first ones only
    std::size_t refusedCount = 0;      // every refusal, also those not kept
    std::map<std::string, CommentSize> commentSizes;
};

CArrayScan ScanCArrays(std::string_view text);
