#include "MapDocument.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

const std::string PaintLabel = "peinture de la carte";
const std::string FillLabel = "remplissage de la carte";
const std::string TileEditLabel = "retouche de tuile";

constexpr int NewMapSide = 16;
constexpr Point NewTileSize{8, 8};

// The cells of a line from one end to the other, both included, each a
// step of one cell along the longer axis (Bresenham).
std::vector<Point> LineCells(Point from, Point to)
{
    std::vector<Point> cells;
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1, stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    for (Point cell = from;;) {
        cells.push_back(cell);
        if (cell == to)
            return cells;
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            cell.x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            cell.y += stepY;
        }
    }
}

bool Inside(Point point, Point size)
{
    return point.x >= 0 && point.y >= 0 && point.x < size.x && point.y < size.y;
}

// The positions where the two differ, and the values of `before` there.
template <typename Value>
void NoteDifferences(const Value* before, const Value* now, std::size_t count, std::size_t offset,
                     std::vector<uint32_t>& indices, std::vector<Value>& values)
{
    for (std::size_t i = 0; i < count; ++i)
        if (before[i] != now[i]) {
            indices.push_back(static_cast<uint32_t>(offset + i));
            values.push_back(before[i]);
        }
}

MapChange CellsChange()
{
    MapChange change;
    change.cells = true;
    return change;
}

MapChange TilesChange()
{
    MapChange change;
    change.tiles = true;
    return change;
}

// Any step may have changed anything: the window shows it all afresh.
MapChange Everything()
{
    return {true, true, true, true};
}

} // namespace

MapChange& MapChange::operator|=(const MapChange& other)
{
    cells |= other.cells;
    size |= other.size;
    tiles |= other.tiles;
    history |= other.history;
    return *this;
}

TileMap NewTileMap()
{
    TileMap map;
    map.tiles.tileSize = NewTileSize;
    map.tiles.cells.assign(map.tiles.TileCells(), White);
    map.width = NewMapSide;
    map.height = NewMapSide;
    map.cells.assign(NewMapSide * NewMapSide, 0);
    return map;
}

MapDocument::MapDocument(TileMap map) : map_(std::move(map)) {}

bool MapDocument::HasCell(Point cell) const
{
    return Inside(cell, {map_.width, map_.height});
}

int MapDocument::TileAt(Point cell) const
{
    return HasCell(cell) ? map_.At(cell.x, cell.y) : -1;
}

void MapDocument::BeginGesture(const std::string& label)
{
    EndGesture();
    gesture_ = Gesture{label, std::nullopt, {}, map_.tiles.type, false};
}

MapChange MapDocument::EndGesture()
{
    if (!gesture_)
        return {};
    Gesture gesture = std::move(*gesture_);
    gesture_.reset();
    MapStep step;
    step.label = gesture.label;
    step.type = gesture.typeBefore;
    if (gesture.cellsBefore)
        NoteDifferences(gesture.cellsBefore->data(), map_.cells.data(), map_.cells.size(), 0, step.cellIndices,
                        step.cellValues);
    const std::size_t tileCells = map_.tiles.TileCells();
    for (const auto& [tile, before] : gesture.tilesBefore)
        NoteDifferences(before.data(), map_.tiles.Tile(tile), tileCells, tile * tileCells, step.pixelIndices,
                        step.pixelValues);
    MapChange change;
    change.cells = !step.cellIndices.empty();
    change.tiles = !step.pixelIndices.empty() || step.type != map_.tiles.type;
    return AddStep(std::move(step), change);
}

MapChange MapDocument::AddStep(MapStep step, MapChange change)
{
    history_.Add(std::move(step));
    change.history = true;
    return change;
}

template <typename Command> MapChange MapDocument::InStep(const std::string& label, MapChange kind, Command command)
{
    if (gesture_) {
        const bool changedBefore = std::exchange(gesture_->changed, false);
        command();
        const bool changed = gesture_->changed;
        gesture_->changed |= changedBefore;
        return changed ? kind : MapChange{};
    }
    BeginGesture(label);
    command();
    return EndGesture();
}

void MapDocument::SetCell(Point cell, int tile)
{
    if (!HasCell(cell))
        return;
    uint16_t& value = map_.cells[static_cast<std::size_t>(cell.y) * map_.width + cell.x];
    if (value == tile)
        return;
    if (!gesture_->cellsBefore)
        gesture_->cellsBefore = map_.cells;
    value = static_cast<uint16_t>(tile);
    gesture_->changed = true;
}

void MapDocument::SetTilePixel(int tile, Point pixel, PixelColor color)
{
    if (!Inside(pixel, map_.tiles.tileSize))
        return;
    int8_t& value = map_.tiles.Tile(tile)[pixel.y * map_.tiles.tileSize.x + pixel.x];
    if (value == color)
        return;
    if (!gesture_->tilesBefore.count(tile))
        gesture_->tilesBefore[tile].assign(map_.tiles.Tile(tile), map_.tiles.Tile(tile) + map_.tiles.TileCells());
    value = color;
    map_.tiles.type = WiderType(map_.tiles.type, color == LightGray || color == DarkGray ? Grayscale : BlackWhite);
    gesture_->changed = true;
}

MapChange MapDocument::PaintCells(Point from, Point to, int tile)
{
    if (tile < 0 || tile >= map_.tiles.Count())
        return {};
    return InStep(PaintLabel, CellsChange(), [&] {
        for (const Point cell : LineCells(from, to))
            SetCell(cell, tile);
    });
}

MapChange MapDocument::FillCells(Point corner, Point opposite, int tile)
{
    if (tile < 0 || tile >= map_.tiles.Count())
        return {};
    const int left = std::max(0, std::min(corner.x, opposite.x));
    const int right = std::min(map_.width - 1, std::max(corner.x, opposite.x));
    const int top = std::max(0, std::min(corner.y, opposite.y));
    const int bottom = std::min(map_.height - 1, std::max(corner.y, opposite.y));
    return InStep(FillLabel, CellsChange(), [&] {
        for (int row = top; row <= bottom; ++row)
            for (int column = left; column <= right; ++column)
                SetCell({column, row}, tile);
    });
}

MapChange MapDocument::PaintTilePixels(int tile, Point from, Point to, PixelColor color)
{
    if (tile < 0 || tile >= map_.tiles.Count() || color < White || color > Black)
        return {};
    return InStep(TileEditLabel, TilesChange(), [&] {
        for (const Point pixel : LineCells(from, to))
            SetTilePixel(tile, pixel, color);
    });
}

MapChange MapDocument::Resize(Point size)
{
    EndGesture();
    if (size.x < 1 || size.y < 1 || size.x > MaxMapSide || size.y > MaxMapSide ||
        (size.x == map_.width && size.y == map_.height))
        return {};
    std::vector<uint16_t> cells(static_cast<std::size_t>(size.x) * size.y, 0);
    for (int row = 0; row < std::min(size.y, map_.height); ++row)
        for (int column = 0; column < std::min(size.x, map_.width); ++column)
            cells[static_cast<std::size_t>(row) * size.x + column] = map_.At(column, row);
    MapStep step;
    step.label = "taille de la carte";
    step.type = map_.tiles.type;
    step.resized = true;
    step.width = std::exchange(map_.width, size.x);
    step.height = std::exchange(map_.height, size.y);
    step.grid = std::exchange(map_.cells, std::move(cells));
    MapChange change;
    change.cells = change.size = true;
    return AddStep(std::move(step), change);
}

std::string MapDocument::AddTileRefusal() const
{
    if (map_.tiles.Count() >= MaxTiles)
        return "le jeu a déjà " + std::to_string(MaxTiles) + " tuiles, le plus qu'une carte puisse en avoir";
    return {};
}

// A step that changes the tile count, holding the count before it.
MapStep MapDocument::RecountStep(const std::string& label) const
{
    MapStep step;
    step.label = label;
    step.type = map_.tiles.type;
    step.recounted = true;
    step.tileCount = map_.tiles.Count();
    return step;
}

MapChange MapDocument::AddTile()
{
    EndGesture();
    if (!AddTileRefusal().empty())
        return {};
    MapStep step = RecountStep("ajout d'une tuile");
    map_.tiles.cells.resize(map_.tiles.cells.size() + map_.tiles.TileCells(), White);
    return AddStep(std::move(step), TilesChange());
}

std::string MapDocument::RemoveLastTileRefusal() const
{
    const int last = map_.tiles.Count() - 1;
    if (last == 0)
        return "une carte garde au moins une tuile";
    const auto used = std::find(map_.cells.begin(), map_.cells.end(), last);
    if (used == map_.cells.end())
        return {};
    const auto index = static_cast<int>(used - map_.cells.begin());
    return "la tuile " + std::to_string(last) + " est posée sur la carte, en " +
           CellText({index % map_.width, index / map_.width});
}

MapChange MapDocument::RemoveLastTile()
{
    EndGesture();
    if (!RemoveLastTileRefusal().empty())
        return {};
    MapStep step = RecountStep("suppression d'une tuile");
    const auto last = map_.tiles.cells.end() - static_cast<std::ptrdiff_t>(map_.tiles.TileCells());
    step.tailTiles.assign(last, map_.tiles.cells.end());
    map_.tiles.cells.erase(last, map_.tiles.cells.end());
    return AddStep(std::move(step), TilesChange());
}

MapChange MapDocument::Undo()
{
    return !gesture_ && history_.Undo(map_) ? Everything() : MapChange{};
}

MapChange MapDocument::Redo()
{
    return !gesture_ && history_.Redo(map_) ? Everything() : MapChange{};
}

MapChange MapDocument::Retract()
{
    return !gesture_ && history_.Retract(map_) ? Everything() : MapChange{};
}

void MapDocument::MarkSaved()
{
    EndGesture();
    savedState_ = history_.StateId();
}

bool MapDocument::IsChangedSinceSaved() const
{
    return history_.StateId() != savedState_ || (gesture_ && gesture_->changed);
}
