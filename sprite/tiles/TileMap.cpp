#include "TileMap.h"

#include <cstring>

namespace {

// A power of two at least twice the tiles to come, so that buckets stay short.
std::size_t BucketCount(std::size_t tiles)
{
    std::size_t count = 1024;
    while (count < 2 * tiles)
        count *= 2;
    return count;
}

MapResult Refused(MapProblem problem, GridCells grid)
{
    MapResult result;
    result.problem = problem;
    result.grid = grid;
    return result;
}

// The grid's checks shared by both makers of maps.
MapProblem GridProblem(GridCells grid)
{
    if (grid.Count() == 0)
        return MapProblem::NoCell;
    if (grid.columns > MaxMapSide || grid.rows > MaxMapSide)
        return MapProblem::TooLarge;
    return MapProblem::None;
}

} // namespace

void TileSet::Add(const int8_t* tile)
{
    cells.insert(cells.end(), tile, tile + TileCells());
    type = WiderType(type, TypeOfCells(tile, TileCells()));
}

bool IsTileSize(Point size)
{
    return size.x >= 1 && size.x <= MaxWidth && size.y >= 1 && size.y <= MaxHeight;
}

TileFinder::TileFinder(const TileSet& tiles) : tiles_(tiles), heads_(BucketCount(MaxTiles), -1)
{
    for (int index = 0; index < tiles.Count(); ++index) {
        next_.push_back(-1);
        // Only the first of equal tiles is kept findable.
        if (Find(tiles.Tile(index)) < 0) {
            int& head = heads_[Hash(tiles.Tile(index)) & (heads_.size() - 1)];
            next_[static_cast<std::size_t>(index)] = head;
            head = index;
        }
    }
}

uint64_t TileFinder::Hash(const int8_t* tile) const
{
    // FNV-1a over the pixels eight at a time: one multiply for eight pixels
    // keeps the merging of 65535 tiles of 16 x 16 short.
    const std::size_t count = tiles_.TileCells();
    uint64_t hash = 1469598103934665603ULL;
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t word;
        std::memcpy(&word, tile + i, sizeof word);
        hash = (hash ^ word) * 1099511628211ULL;
        hash ^= hash >> 29; // the multiply carries only upward: fold the high bits back
    }
    for (; i < count; ++i)
        hash = (hash ^ static_cast<uint8_t>(tile[i])) * 1099511628211ULL;
    return hash;
}

int TileFinder::Find(const int8_t* tile) const
{
    // A bucket holds no two equal tiles: the first of them only.
    for (int index = heads_[Hash(tile) & (heads_.size() - 1)]; index >= 0;
         index = next_[static_cast<std::size_t>(index)])
        if (std::memcmp(tiles_.Tile(index), tile, tiles_.TileCells()) == 0)
            return index;
    return -1;
}

void TileFinder::NoteLast()
{
    const int index = tiles_.Count() - 1;
    next_.resize(static_cast<std::size_t>(index) + 1, -1);
    int& head = heads_[Hash(tiles_.Tile(index)) & (heads_.size() - 1)];
    next_[static_cast<std::size_t>(index)] = head;
    head = index;
}

MapResult MapOfPicture(const CellPicture& picture, const SliceGrid& grid, bool keepDuplicates)
{
    const GridCells cells = CellsOfGrid(picture.width, picture.height, grid);
    if (const MapProblem problem = IsTileSize(grid.cell) ? GridProblem(cells) : MapProblem::NoCell;
        problem != MapProblem::None)
        return Refused(problem, cells);
    MapResult result;
    result.grid = cells;
    TileMap& map = result.map;
    map.width = cells.columns;
    map.height = cells.rows;
    map.tiles.tileSize = grid.cell;
    map.cells.reserve(static_cast<std::size_t>(cells.Count()));
    // Room for every cell as a tile: no more than the picture's own pixels,
    // and no growing copies when most cells differ.
    map.tiles.cells.reserve(static_cast<std::size_t>(cells.Count()) * map.tiles.TileCells());
    TileFinder finder(map.tiles);
    std::vector<int8_t> cell(map.tiles.TileCells());
    for (int row = 0; row < cells.rows; ++row)
        for (int column = 0; column < cells.columns; ++column) {
            CopyCell(picture, grid, column, row, cell.data());
            int index = keepDuplicates ? -1 : finder.Find(cell.data());
            if (index < 0) {
                if (map.tiles.Count() == MaxTiles)
                    return Refused(MapProblem::TooManyTiles, cells);
                map.tiles.Add(cell.data());
                if (!keepDuplicates)
                    finder.NoteLast();
                index = map.tiles.Count() - 1;
            }
            map.cells.push_back(static_cast<uint16_t>(index));
        }
    return result;
}

MapResult MapOfPictureWithTiles(const CellPicture& picture, SliceGrid grid, const TileSet& tiles)
{
    grid.cell = tiles.tileSize;
    const GridCells cells = CellsOfGrid(picture.width, picture.height, grid);
    if (const MapProblem problem = GridProblem(cells); problem != MapProblem::None)
        return Refused(problem, cells);
    MapResult result;
    result.grid = cells;
    result.map.tiles = tiles;
    result.map.width = cells.columns;
    result.map.height = cells.rows;
    TileFinder finder(result.map.tiles);
    std::vector<int8_t> cell(tiles.TileCells());
    for (int row = 0; row < cells.rows; ++row)
        for (int column = 0; column < cells.columns; ++column) {
            CopyCell(picture, grid, column, row, cell.data());
            const int index = finder.Find(cell.data());
            if (index < 0) {
                MapResult refused = Refused(MapProblem::Unmatched, cells);
                refused.cell = {column, row};
                return refused;
            }
            result.map.cells.push_back(static_cast<uint16_t>(index));
        }
    return result;
}

std::string CellText(Point cell)
{
    return "(" + std::to_string(cell.x) + ", " + std::to_string(cell.y) + ")";
}

std::string MapProblemText(const MapResult& result)
{
    const std::string grid = std::to_string(result.grid.columns) + " x " + std::to_string(result.grid.rows);
    switch (result.problem) {
    case MapProblem::NoCell:
        return "aucune case entière dans l'image";
    case MapProblem::TooLarge:
        return grid + " cases, une carte a au plus " + std::to_string(MaxMapSide) + " x " + std::to_string(MaxMapSide) +
               " cases";
    case MapProblem::TooManyTiles:
        return "plus de " + std::to_string(MaxTiles) + " tuiles différentes";
    case MapProblem::Unmatched:
        return "la case " + CellText(result.cell) + " n'est égale à aucune tuile du jeu";
    case MapProblem::None:
        break;
    }
    return {};
}

CellPicture DrawMap(const TileMap& map)
{
    const Point tile = map.tiles.tileSize;
    CellPicture picture(map.width * tile.x, map.height * tile.y);
    const std::size_t rowCells = static_cast<std::size_t>(tile.x);
    for (int row = 0; row < map.height; ++row)
        for (int column = 0; column < map.width; ++column) {
            const int8_t* pixels = map.tiles.Tile(map.At(column, row));
            for (int y = 0; y < tile.y; ++y)
                std::memcpy(&picture.At(column * tile.x, row * tile.y + y), pixels + y * rowCells, rowCells);
        }
    return picture;
}

FrameList FramesOfTiles(const TileSet& tiles)
{
    FrameList frames;
    for (int index = 0; index < tiles.Count(); ++index)
        frames.push_back(SpriteOfCells(tiles.Tile(index), tiles.tileSize, tiles.type));
    return frames;
}

TileSet TilesOfFrames(const std::vector<const Sprite*>& frames)
{
    TileSet tiles;
    tiles.tileSize = frames.front()->GetSize();
    tiles.type = BlackWhite;
    for (const Sprite* frame : frames) {
        tiles.Add(CellsOfSprite(*frame).data());
        tiles.type = WiderType(tiles.type, frame->GetType());
    }
    return tiles;
}
