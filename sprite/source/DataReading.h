// Sprites read back from the arrays of a source (C or assembly) in a given
// layout: the arrays named by the user with the layout's options and a
// height, or the arrays and layout that a draw call of the text names. Both
// give a DataSource: a plan (DataPlan.h) over the memory images of arrays of
// the scan, each image one array or every part of an array of two
// dimensions, one after the other as C lays them out. An array holding
// several frames' worth gives them all.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "DataPlan.h"
#include "DrawCalls.h"
#include "c_array_reader.h"
#include "sprite_set.h"

struct DataSource {
    DataPlan plan;
    std::vector<std::vector<std::size_t>> groups; // per image of the plan: the scan's arrays, one after the other
    std::vector<std::string> names;               // per image: the name it was asked by
    int elementBits = 8;                          // of the first image's arrays
};

// The arrays a name stands for: the array of that name, or every part
// NAME[0], NAME[1]... of an array of two dimensions; empty when none.
std::vector<std::size_t> ArrayGroupNamed(const CArrayScan& scan, const std::string& name);

MemoryImages ImagesOf(const CArrayScan& scan, const DataSource& source);
// The whole frames the source's arrays hold.
std::size_t FramesOf(const CArrayScan& scan, const DataSource& source);

// How a plane of the source is typed for a reading by hand, as
// ReadPlaneText (DrawCalls.h) reads it back: "spr", "spr+16", "tbl[*]" for
// every row of a table, "tbl[*]+8".
std::string PlaneTextOf(const CArrayScan& scan, const DataSource& source, const PlaneSource& plane);

// The layout options of a reading; what is not given is found as said.
struct ReadingRequest {
    // One (block, interlaced), or one per plane in the order's order
    // (separate), each as ReadPlaneText reads it: "spr", "spr+16", "tbl[*]".
    std::vector<std::string> arrays;
    std::optional<RowUnit> rows;      // default: the bits of the first array's elements
    std::optional<std::string> order; // default: B, LD, LDM by the number of arrays (separate), LD otherwise
    Arrangement arrange = Arrangement::Separate;
    MaskBit maskBit = MaskBit::Transparent;
    std::optional<int> height; // required
    std::optional<int> width;  // default: the bits of a row
};

// The source the request reads, or the French reason why it cannot be read
// (a plane text that names no array, an array missing or too short for one
// frame, a wrong number of arrays for the order, an order or width that does
// not fit, a height out of 1 to 128). Planes at offsets in one array share
// it, and frames follow each other past the span they cover together;
// NAME[*] gives a frame per row of the table.
std::string PlanRequest(const CArrayScan& scan, const ReadingRequest& request, DataSource& source);

// The source a draw call reads, the height and width given overriding the
// call's, or the French reason why it cannot be read.
std::string PlanDrawCall(const CArrayScan& scan, const DrawCall& call, std::optional<int> height,
                         std::optional<int> width, DataSource& source);

// Frames first to first + count - 1 (within FramesOf).
FrameList ReadDataFrames(const CArrayScan& scan, const DataSource& source, std::size_t first, std::size_t count);
