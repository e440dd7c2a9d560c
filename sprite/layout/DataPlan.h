// Where every row of every plane of every frame lies in the bytes of the
// arrays, and the two directions over it: sprites to bytes and bytes to
// sprites. A plan comes from a layout (DataLayout), from a draw call that
// names the planes, or from the groups of arrays the plug-ins write; the
// same plan writes and reads, so what it writes it reads back bit for bit.
//
// Arrays are memory images: the bytes as the 68000 holds them. Row r of
// plane p in frame f starts at planes[p].firstByte + f * frameStride +
// r * rowStride of array planes[p].array (the plane's own frame stride when
// it has one: a mask table whose rows are shorter than the sprite table's) and takes rowBytes bytes, the
// leftmost pixel in the most significant bit of its first byte. A color
// plane's bits beyond the width are 0; a mask's take the transparent value,
// so that a 12-pixel sprite drawn by a 16-pixel AND-mask routine keeps the
// background in columns 12 to 15. A masked pixel is 0 in every color plane,
// and comes back white and masked.
#pragma once

#include <cstdint>
#include <vector>

#include "DataLayout.h"
#include "U_class.h"

struct PlaneSource {
    Plane plane;
    std::size_t array;           // index into the arrays
    std::size_t firstByte;       // of row 0 of frame 0
    std::size_t frameStride = 0; // bytes from one frame to the next in this plane, when not the plan's (0)
};

struct DataPlan {
    int width = 1;
    int height = 1;
    int rowBytes = 1;
    std::size_t rowStride = 1;   // bytes from one row of a plane to its next
    std::size_t frameStride = 1; // bytes from one frame to the next
    MaskBit maskBit = MaskBit::Transparent;
    std::vector<PlaneSource> planes;
    std::size_t arrayCount = 1;
};

using MemoryImages = std::vector<std::vector<uint8_t>>;

// The plan of a layout for sprites of this size; one array per plane
// (separate) or one for all (block, interlaced), each holding every frame.
DataPlan PlanOfLayout(const DataLayout& layout, int width, int height);

// The arrays' bytes for these frames, each frame at its frameStride.
MemoryImages EncodeFrames(const DataPlan& plan, const std::vector<const Sprite*>& frames);

// How many whole frames the arrays hold (0 when not even one).
std::size_t FramesHeld(const DataPlan& plan, const MemoryImages& images);
// The first array too short for one frame and the bytes it would need, for
// the message; nothing when one frame fits.
struct ShortArray {
    std::size_t array;
    std::size_t needed;
};
std::optional<ShortArray> FirstShortArray(const DataPlan& plan, const MemoryImages& images);

// Frame `frame` (below FramesHeld) into the sprite: its size, type and every
// cell; the marks are untouched.
void DecodeFrame(const DataPlan& plan, const MemoryImages& images, std::size_t frame, Sprite& sprite);
