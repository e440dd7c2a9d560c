// The ".pixm" file: a tile map, Pixora's own format, little-endian.
//   0  "PIXM"                4  version, 1 (uint16)
//   6  tile width, 1 to 240 (uint16)        8  tile height, 1 to 128 (uint16)
//  10  sprite type of the tiles, 1 to 4 (byte)      11  0 (byte)
//  12  tile count N, 1 to 65535 (uint16)
//  14  map width W, 1 to 1024 (uint16)     16  map height H, 1 to 1024 (uint16)
//  18  the N tiles, each its rows top to bottom, each row left to right, one
//      byte a pixel: 0 to 3 a color, 15 to 18 the same color masked (gray
//      only in types 2 and 4, masked only in types 3 and 4)
//      then W x H tile indices (uint16, from 0, each below N), the map's rows
//      top to bottom, each left to right; the file ends there.
// A file that breaks any rule is refused whole, with the first rule broken.
// Nothing is allocated beyond what the file's own bytes hold.
#pragma once

#include <string>
#include <system_error>

#include "TileMap.h"

constexpr std::size_t PixmHeaderSize = 18;
// The bytes of the largest map: every count at its most.
constexpr std::size_t LargestMapBytes =
    PixmHeaderSize + std::size_t{MaxTiles} * MaxWidth * MaxHeight + std::size_t{2} * MaxMapSide * MaxMapSide;

// Whether the file name ends in ".pixm", in any case.
bool IsTileMapFileName(const std::string& path);

// The file's bytes; the map must be well made (sizes and indices in range).
std::string TileMapBytes(const TileMap& map);
// Written atomically; the system's error, or 0.
std::error_code SaveTileMapFile(const std::string& path, const TileMap& map);

enum class MapFileProblem {
    None,
    Unreadable, // missing, not a regular file, larger than any map, a read error
    NotAMap,    // no "PIXM" at the start, or shorter than the header
    Version,    // a version other than 1
    TileSize,   // a tile width or height out of range
    TileType,   // a type other than 1 to 4, or a reserved byte not 0
    TileCount,  // no tile
    MapSize,    // a width or height of 0 or more than 1024
    Length,     // fewer or more bytes than the header announces
    BadPixel,   // a tile pixel its type cannot hold
    BadIndex,   // a map cell beyond the last tile
};

struct MapFileCheck {
    MapFileProblem problem = MapFileProblem::None;
    int tile = -1;        // the tile at fault, for BadPixel
    Point cell{-1, -1};   // the cell at fault, for BadIndex
    std::string readText; // why the file could not be read, for Unreadable
};

// The map of the bytes when they break no rule; map is left untouched otherwise.
MapFileCheck ReadTileMap(const std::string& bytes, TileMap& map);
MapFileCheck ReadTileMapFile(const std::string& path, TileMap& map);

// Why the file was refused, in French, for messages after the file's name.
std::string MapFileProblemText(const MapFileCheck& check);
