// Pixora's own data text read back as it was written: the comment that
// "Exporter en données" and --data put above the arrays (DataText.h) says
// the sprite's name, size, frame count, row unit, planes and how they share
// the arrays, and the meaning of a mask bit, so the text needs no option to
// be read again; the one above a map's cells names its tiles and gives its
// size. The comment is found in C ("/* ... */"), A68k ("; ...") and GNU as
// ("| ...") texts, with any line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "DataLayout.h"
#include "DataReading.h"

// What one such comment says.
struct OwnDataHeader {
    std::string name;
    int width = 0;
    int height = 0;
    int frames = 1;
    DataLayout layout; // rows, order, arrangement, mask bit and frame arrays; the syntax is left as it is
};

// Every comment of the text written by Pixora above its data, in the order
// of the text, at most MaxOwnDataHeaders (as many as the arrays a scan
// keeps); comments that do not say a whole layout are passed over.
constexpr std::size_t MaxOwnDataHeaders = MaxArraysKept;
std::vector<OwnDataHeader> FindOwnDataHeaders(std::string_view text);

// What the comment above a map's cells says: "NAME : carte de W x H cases,
// N tuiles (NAME_tiles)". The tiles are the set NAME_tiles, whose own
// comment says their layout, and the cells the array NAME_map.
struct OwnMapHeader {
    std::string name;
    int width = 0;
    int height = 0;
    int tiles = 0;

    std::string TilesName() const { return name + "_tiles"; }
    std::string CellsName() const { return name + "_map"; }
};

// Every such comment of the text, in the order of the text, at most
// MaxOwnDataHeaders.
std::vector<OwnMapHeader> FindOwnMapHeaders(std::string_view text);

// The source the header's arrays are read from (every frame, also those
// kept in arrays of their own), or the French reason why the arrays of the
// scan do not hold what it says.
std::string PlanOwnData(const CArrayScan& scan, const OwnDataHeader& header, DataSource& source);
