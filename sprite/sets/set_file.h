// The ".pixs" file: a sprite set, little-endian, no compression.
//   0  "PIXS"     4  version, 1 (uint16)     6  frame count N, 1 to 65535 (uint16)
//   8  the N frames in order, each exactly one ".pixo" record of 30732 bytes
// All frames have one width and height; their types may differ. A file that
// breaks any rule (magic, version, count, a record's fields, sizes that
// differ, fewer bytes than the count announces) is refused whole.
#pragma once

#include <string>
#include <vector>

#include "native_file.h"
#include "sprite_set.h"

constexpr std::size_t PixsHeaderSize = 8;
// The bytes of the largest set: the header and 65535 records.
constexpr std::size_t LargestSetBytes = PixsHeaderSize + MaxFrames * PixoRecordSize;

// Whether the file name ends in ".pixs", in any case.
bool IsSpriteSetFileName(const std::string& path);

// The file's bytes for frames (1 to 65535 of one size); empty when they cannot
// make a set.
std::string SpriteSetBytes(const std::vector<const Sprite*>& frames);
// Saved safely, as a ".pixo" is; false when the frames cannot make a set or
// the file cannot be written.
bool SaveSpriteSetFile(const std::string& path, const std::vector<const Sprite*>& frames);

// The first rule a file breaks, in the order they are checked.
enum class SetFileProblem {
    None,
    Unreadable,  // the file cannot be read: missing, no regular file, an error
    NotASet,     // no "PIXS" at the start
    Version,     // a version other than 1
    FrameCount,  // a count of 0
    Truncated,   // fewer bytes than the count announces
    BadFrame,    // a record's width, height, type or cells out of range
    SizesDiffer, // a frame of another size than the first
};

struct SetFileCheck {
    SetFileProblem problem = SetFileProblem::None;
    int frameCount = 0; // as the header announces it
    int frame = -1;     // the frame at fault, for BadFrame and SizesDiffer
};

// Every frame of the bytes when they break no rule; frames is left
// untouched otherwise.
SetFileCheck ReadSpriteSet(const std::string& bytes, FrameList& frames);
SetFileCheck ReadSpriteSetFile(const std::string& path, FrameList& frames);

bool ParseSpriteSet(const std::string& bytes, FrameList& frames);
bool LoadSpriteSetFile(const std::string& path, FrameList& frames);
