// A tile map being edited: the map, its undo history and the state its file
// holds. Map cells are (column, row) of the grid, (0, 0) top-left; tile
// pixels are (x, y) inside a tile, (0, 0) top-left.
//
// Every change goes through a command below and is one undo step: a single
// command alone, or every command between BeginGesture and EndGesture (a
// drag of the pen over the map, a stroke over a tile), so that one undo
// takes the whole drag back. A command that would change nothing makes no
// step. Cells, tiles and pixels outside the map are ignored; a size or tile
// count the map cannot take is refused, and the map stays as it was.
//
// A tile's pixels are kept once, in the set, so an edit of a tile shows in
// every cell that uses it. The set's type widens to hold what is drawn and
// never narrows by itself: the data a program takes follows that type.
//
// The file it belongs to and its name are the Document's (Document.h).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Document.h"
#include "MapHistory.h"
#include "TileMap.h"

// What a command changed, for the window to show it once.
struct MapChange {
    bool cells = false;   // which tile some cells show
    bool size = false;    // the map's width and height
    bool tiles = false;   // tile pixels, the tile count or the set's type
    bool history = false; // what undo and redo would do

    bool Any() const { return cells || size || tiles || history; }
    MapChange& operator|=(const MapChange& other);
};

// The map of a new document: 16 x 16 cells of one white 8 x 8 tile.
TileMap NewTileMap();

class MapDocument : public Document {
public:
    explicit MapDocument(TileMap map = NewTileMap());
    MapDocument(const MapDocument&) = delete;
    MapDocument& operator=(const MapDocument&) = delete;

    const TileMap& Map() const { return map_; }
    bool HasCell(Point cell) const;
    // The tile a cell shows, or -1 outside the map.
    int TileAt(Point cell) const;

    // A gesture's commands make one step, named label; ending a gesture
    // that changed nothing makes none. A gesture still open when another
    // gesture begins, or a command outside gestures runs, is ended first.
    void BeginGesture(const std::string& label);
    MapChange EndGesture();
    bool IsInGesture() const { return gesture_.has_value(); }

    // The pen over the map: the cells from one to the other on a line, both
    // included, take the tile, so that a quick drag leaves no gap.
    MapChange PaintCells(Point from, Point to, int tile);
    MapChange PaintCell(Point cell, int tile) { return PaintCells(cell, cell, tile); }
    // The rectangle spanned by two corner cells, in any order, both included.
    MapChange FillCells(Point corner, Point opposite, int tile);
    // The pen over a tile: its pixels on the line take the color (unmasked).
    MapChange PaintTilePixels(int tile, Point from, Point to, PixelColor color);

    // New width and height, 1 to MaxMapSide each: cells keep their place
    // from the top-left corner, new cells take tile 0.
    MapChange Resize(Point size);
    // A white tile after the last; refused at MaxTiles tiles.
    std::string AddTileRefusal() const;
    MapChange AddTile();
    // The last tile goes, when another is left and no cell uses it.
    std::string RemoveLastTileRefusal() const;
    MapChange RemoveLastTile();

    bool CanUndo() const override { return !gesture_ && history_.CanUndo(); }
    bool CanRedo() const override { return !gesture_ && history_.CanRedo(); }
    std::string UndoLabel() const override { return history_.UndoLabel(); }
    std::string RedoLabel() const override { return history_.RedoLabel(); }
    MapChange Undo();
    MapChange Redo();
    // How many steps were ever made, to tell which command made the newest.
    std::size_t StepsAdded() const { return history_.StepsAdded(); }
    // Takes the newest step back for good, no redo bringing it back: a click
    // that turns out to be the first half of a double-click changes nothing.
    MapChange Retract();

    // The state a file now holds, to tell whether closing would lose work.
    void MarkSaved();
    bool IsChangedSinceSaved() const override;

private:
    struct Gesture {
        std::string label;
        std::optional<std::vector<uint16_t>> cellsBefore; // taken at the first cell painted
        std::map<int, std::vector<int8_t>> tilesBefore;   // each tile at its first pixel painted
        SpriteType typeBefore = BlackWhite;
        bool changed = false;
    };

    // Runs a command as one step: inside the gesture open, else as its own;
    // kind is what it changes when it changes anything.
    template <typename Command> MapChange InStep(const std::string& label, MapChange kind, Command command);
    void SetCell(Point cell, int tile);
    void SetTilePixel(int tile, Point pixel, PixelColor color);
    MapChange AddStep(MapStep step, MapChange change);
    MapStep RecountStep(const std::string& label) const;

    TileMap map_;
    MapHistory history_;
    std::optional<Gesture> gesture_;
    uint64_t savedState_ = 0;
};
