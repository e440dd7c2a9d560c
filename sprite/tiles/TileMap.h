// A tile map: a tile set (N tiles of one size and one sprite type) and a grid
// of W x H cells, each holding the index of a tile, as a calculator game
// keeps a level. Tiles are numbered from 0; a tile's pixels are kept row
// after row (y * width + x), tile after tile. Map cells are (column, row),
// (0, 0) top-left, kept row after row.
//
// Tiles are equal when every pixel is; a tile and its mirror image are two
// tiles, since the calculator's tile routines never flip one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TileSlicing.h"
#include "sprite_set.h"

constexpr int MaxTiles = 65535;
constexpr int MaxMapSide = 1024;

struct TileSet {
    Point tileSize{8, 8};
    SpriteType type = BlackWhite;
    std::vector<int8_t> cells;

    std::size_t TileCells() const { return static_cast<std::size_t>(tileSize.x) * tileSize.y; }
    int Count() const { return TileCells() ? static_cast<int>(cells.size() / TileCells()) : 0; }
    const int8_t* Tile(int index) const { return cells.data() + index * TileCells(); }
    int8_t* Tile(int index) { return cells.data() + index * TileCells(); }
    // Appends a tile of TileCells values; the set's type widens to hold it.
    void Add(const int8_t* tile);
};

struct TileMap {
    TileSet tiles;
    int width = 1;
    int height = 1;
    std::vector<uint16_t> cells;

    uint16_t At(int column, int row) const { return cells[static_cast<std::size_t>(row) * width + column]; }
};

// Whether a size lies in 1..240 x 1..128, a sprite's.
bool IsTileSize(Point size);

// Finds a tile of a set by its pixels: the first of equal tiles.
class TileFinder {
public:
    explicit TileFinder(const TileSet& tiles);
    // The index of the first tile equal to the pixels, or -1.
    int Find(const int8_t* tile) const;
    // Makes the set's last tile findable (after TileSet::Add), when no
    // tile before it is equal to it.
    void NoteLast();

private:
    uint64_t Hash(const int8_t* tile) const;

    const TileSet& tiles_;
    std::vector<int> heads_; // per hash bucket: the first tile, or -1
    std::vector<int> next_;  // per tile: the next tile of its bucket, or -1
};

enum class MapProblem {
    None,
    NoCell,       // not one whole cell in the picture
    TooLarge,     // more than 1024 columns or rows of cells
    TooManyTiles, // more than 65535 different tiles (or cells, keeping duplicates)
    Unmatched,    // a cell equal to no tile of the set
};

struct MapResult {
    MapProblem problem = MapProblem::None;
    TileMap map;
    GridCells grid;     // the picture's whole cells
    Point cell{-1, -1}; // the cell at fault, for Unmatched
};

// Cuts the picture into tiles: equal cells share the tile of the first of
// them, numbered in reading order; with keepDuplicates every cell is a tile.
MapResult MapOfPicture(const CellPicture& picture, const SliceGrid& grid, bool keepDuplicates);

// The map of a picture over an existing set, kept whole and in its order:
// each cell takes the first tile equal to it, cut at the set's tile size.
// The grid's cell size is ignored.
MapResult MapOfPictureWithTiles(const CellPicture& picture, SliceGrid grid, const TileSet& tiles);

// A map cell as messages name it: "(column, row)", counted from 0.
std::string CellText(Point cell);

// Why a map could not be made, in French, the cell named as (column, row).
std::string MapProblemText(const MapResult& result);

// The map as it looks: every cell drawn with its tile. The caller keeps the
// size within reason (W x tile width by H x tile height pixels).
CellPicture DrawMap(const TileMap& map);

// The tiles as the frames of a set, each of the set's type.
FrameList FramesOfTiles(const TileSet& tiles);
// The frames (1 or more, of one size) as a tile set, the type holding all of them.
TileSet TilesOfFrames(const std::vector<const Sprite*>& frames);
