// The map document: painting cells and dragging the pen as one step, filled
// rectangles, new sizes, tiles added and removed with their refusals, tile
// edits seen in every cell, undo and redo of each, and the saved state; and
// the map as its view composes it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "MapDocument.h"
#include "MapPicture.h"
#include "SpriteText.h"

namespace {

// A map written as text: one character per cell, the tile's index in
// "0123456789abcdef".
const std::string Digits = "0123456789abcdef";

// A level of 2 x 2 tiles: 0 empty, 1 a wall, 2 a ladder, 3 a stone.
TileMap Level(const Rows& rows)
{
    TileMap map;
    map.tiles.tileSize = {2, 2};
    const int8_t tiles[4][4] = {{0, 0, 0, 0}, {3, 3, 3, 3}, {3, 0, 3, 0}, {3, 0, 0, 3}};
    for (const auto& tile : tiles)
        map.tiles.Add(tile);
    map.width = static_cast<int>(rows.at(0).size());
    map.height = static_cast<int>(rows.size());
    for (const std::string& row : rows)
        for (const char cell : row)
            map.cells.push_back(static_cast<uint16_t>(Digits.find(cell)));
    return map;
}

Rows CellRows(const TileMap& map)
{
    Rows rows;
    for (int row = 0; row < map.height; ++row) {
        std::string text;
        for (int column = 0; column < map.width; ++column)
            text += Digits[map.At(column, row)];
        rows.push_back(text);
    }
    return rows;
}

Rows TilePixels(const TileMap& map, int tile)
{
    return ToRows(*SpriteOfCells(map.tiles.Tile(tile), map.tiles.tileSize, map.tiles.type));
}

const Rows Start = {
    "0000",
    "0110",
    "0000",
};

} // namespace

TEST(MapDocument, CommandsOnCellsAreOneStepEachAndUndoBack)
{
    struct Case {
        const char* what;
        std::function<MapChange(MapDocument&)> command;
        Rows expected;
    };
    const Case cases[] = {
        {"one cell",
         [](MapDocument& d) {
             return d.PaintCell({3, 2}, 2);
         },
         {"0000", "0110", "0002"}},
        {"a quick drag's line has no gap",
         [](MapDocument& d) {
             return d.PaintCells({0, 0}, {3, 2}, 3);
         },
         {"3000", "0330", "0003"}}, // y = 2x/3 rounded
        {"a cell beside the map",
         [](MapDocument& d) {
             return d.PaintCell({4, 0}, 2);
         },
         Start},
        {"a line leaving the map is cut",
         [](MapDocument& d) {
             return d.PaintCells({2, 2}, {6, 2}, 2);
         },
         {"0000", "0110", "0022"}},
        {"a tile beyond the set",
         [](MapDocument& d) {
             return d.PaintCell({0, 0}, 4);
         },
         Start},
        {"the tile already there",
         [](MapDocument& d) {
             return d.PaintCell({1, 1}, 1);
         },
         Start},
        {"a rectangle, corners in any order",
         [](MapDocument& d) {
             return d.FillCells({3, 2}, {2, 0}, 2);
         },
         {"0022", "0122", "0022"}},
        {"a rectangle reaching past the map",
         [](MapDocument& d) {
             return d.FillCells({-5, 1}, {1, 9}, 3);
         },
         {"0000", "3310", "3300"}},
        {"one cell as a rectangle",
         [](MapDocument& d) {
             return d.FillCells({0, 0}, {0, 0}, 1);
         },
         {"1000", "0110", "0000"}},
    };
    for (const Case& c : cases) {
        MapDocument document(Level(Start));
        const MapChange change = c.command(document);
        const bool changed = c.expected != Start;
        EXPECT_EQ(CellRows(document.Map()), c.expected) << c.what;
        EXPECT_EQ(document.StepsAdded(), changed ? 1u : 0u) << c.what;
        EXPECT_EQ(change.cells, changed) << c.what;
        EXPECT_EQ(document.IsChangedSinceSaved(), changed) << c.what;
        document.Undo();
        EXPECT_EQ(CellRows(document.Map()), Start) << c.what;
        EXPECT_FALSE(document.IsChangedSinceSaved()) << c.what;
        document.Redo();
        EXPECT_EQ(CellRows(document.Map()), c.expected) << c.what;
    }
}

TEST(MapDocument, ADragIsOneStep)
{
    MapDocument document(Level(Start));
    document.BeginGesture("peinture de la carte");
    document.PaintCell({0, 0}, 2);
    document.PaintCells({0, 0}, {0, 2}, 2);
    document.PaintCell({1, 1}, 3);
    EXPECT_FALSE(document.CanUndo()) << "no undo in the middle of a drag";
    EXPECT_TRUE(document.IsChangedSinceSaved());
    EXPECT_TRUE(document.EndGesture().history);
    EXPECT_EQ(CellRows(document.Map()), (Rows{"2000", "2310", "2000"}));
    EXPECT_EQ(document.StepsAdded(), 1u);
    EXPECT_EQ(document.UndoLabel(), "peinture de la carte");
    document.Undo();
    EXPECT_EQ(CellRows(document.Map()), Start);
    EXPECT_FALSE(document.CanUndo());

    // A drag that paints cells with the tile they hold makes no step.
    document.BeginGesture("peinture de la carte");
    document.PaintCells({0, 0}, {3, 0}, 0);
    document.EndGesture();
    EXPECT_EQ(document.StepsAdded(), 1u);
    EXPECT_TRUE(document.CanRedo()) << "an empty drag keeps what could be redone";
}

TEST(MapDocument, ResizeKeepsCellsFromTheTopLeftAndNewCellsTakeTileZero)
{
    struct Case {
        Point size;
        Rows expected;
    };
    const Case cases[] = {
        {{5, 4}, {"00000", "01100", "00000", "00000"}},
        {{2, 2}, {"00", "01"}},
        {{1, 1}, {"0"}},
        {{6, 1}, {"000000"}},
        {{4, 3}, Start},              // the same size: no step
        {{0, 3}, Start},              // no column
        {{4, MaxMapSide + 1}, Start}, // beyond the largest map
    };
    for (const Case& c : cases) {
        MapDocument document(Level({"2000", "0110", "0000"}));
        document.PaintCell({0, 0}, 0);
        document.Resize(c.size);
        EXPECT_EQ(CellRows(document.Map()), c.expected) << c.size.x << " x " << c.size.y;
        document.Undo();
        const Rows beforeResize = c.expected == Start ? Rows{"2000", "0110", "0000"} : Start;
        EXPECT_EQ(CellRows(document.Map()), beforeResize) << c.size.x << " x " << c.size.y;
        document.Redo();
        EXPECT_EQ(CellRows(document.Map()), c.expected);
    }
    MapDocument large(Level({"3"}));
    large.Resize({MaxMapSide, MaxMapSide});
    EXPECT_EQ(large.Map().cells.size(), std::size_t{MaxMapSide} * MaxMapSide);
    EXPECT_EQ(large.TileAt({0, 0}), 3);
    EXPECT_EQ(large.TileAt({MaxMapSide - 1, MaxMapSide - 1}), 0);
}

TEST(MapDocument, TileCountChangesAndTheirRefusals)
{
    MapDocument document(Level({"0003", "2220"}));
    EXPECT_EQ(document.RemoveLastTileRefusal(), "la tuile 3 est posée sur la carte, en (3, 0)");
    EXPECT_FALSE(document.RemoveLastTile().Any());
    document.PaintCell({3, 0}, 0);
    EXPECT_EQ(document.RemoveLastTileRefusal(), "");
    const Rows stone = TilePixels(document.Map(), 3);
    EXPECT_TRUE(document.RemoveLastTile().tiles);
    EXPECT_EQ(document.Map().tiles.Count(), 3);
    EXPECT_EQ(document.RemoveLastTileRefusal(), "la tuile 2 est posée sur la carte, en (0, 1)");
    document.Undo();
    EXPECT_EQ(document.Map().tiles.Count(), 4);
    EXPECT_EQ(TilePixels(document.Map(), 3), stone) << "the removed tile comes back as it was";
    document.Redo();
    EXPECT_EQ(document.Map().tiles.Count(), 3);

    EXPECT_TRUE(document.AddTile().tiles);
    EXPECT_EQ(document.Map().tiles.Count(), 4);
    EXPECT_EQ(TilePixels(document.Map(), 3), (Rows{"..", ".."})) << "a new tile is white";
    document.Undo();
    EXPECT_EQ(document.Map().tiles.Count(), 3);

    MapDocument single(Level({"0"}));
    single.RemoveLastTile();
    single.RemoveLastTile();
    single.RemoveLastTile();
    EXPECT_EQ(single.Map().tiles.Count(), 1);
    EXPECT_EQ(single.RemoveLastTileRefusal(), "une carte garde au moins une tuile");
    EXPECT_FALSE(single.RemoveLastTile().Any());

    TileMap full = Level({"0"});
    full.tiles.tileSize = {1, 1};
    full.tiles.cells.assign(MaxTiles, White);
    MapDocument fullSet(std::move(full));
    EXPECT_EQ(fullSet.AddTileRefusal(), "le jeu a déjà 65535 tuiles, le plus qu'une carte puisse en avoir");
    EXPECT_FALSE(fullSet.AddTile().Any());
    EXPECT_EQ(fullSet.Map().tiles.Count(), MaxTiles);
}

TEST(MapDocument, ATileEditShowsInEveryCellThatUsesIt)
{
    MapDocument document(Level({"20", "02"}));
    document.BeginGesture("retouche de tuile");
    document.PaintTilePixels(2, {1, 0}, {1, 1}, Black);
    document.PaintTilePixels(2, {0, 0}, {0, 0}, White);
    document.PaintTilePixels(2, {2, 0}, {2, 0}, Black); // beside the tile
    EXPECT_TRUE(document.EndGesture().tiles);
    EXPECT_EQ(document.StepsAdded(), 1u);
    EXPECT_EQ(ToRows(*SpriteOfCells(DrawMap(document.Map()).cells.data(), {4, 4}, BlackWhite)),
              (Rows{".#..", "##..", "...#", "..##"}));
    EXPECT_EQ(document.Map().tiles.type, BlackWhite);

    document.PaintTilePixels(1, {0, 0}, {0, 0}, LightGray);
    EXPECT_EQ(document.Map().tiles.type, Grayscale) << "the set takes the gray drawn";
    EXPECT_EQ(TilePixels(document.Map(), 1), (Rows{"l#", "##"}));
    document.Undo();
    EXPECT_EQ(document.Map().tiles.type, BlackWhite);
    EXPECT_EQ(TilePixels(document.Map(), 1), (Rows{"##", "##"}));
    document.Undo();
    EXPECT_EQ(TilePixels(document.Map(), 2), (Rows{"#.", "#."}));
    EXPECT_FALSE(document.PaintTilePixels(4, {0, 0}, {0, 0}, Black).Any()) << "no tile 4";
}

TEST(MapDocument, SavedStateFollowsUndoAndRedo)
{
    struct Case {
        const char* what;
        std::function<void(MapDocument&)> after;
        bool changed;
    };
    const Case cases[] = {
        {"saved", [](MapDocument&) {}, false},
        {"undone past the save", [](MapDocument& d) { d.Undo(); }, true},
        {"undone and redone",
         [](MapDocument& d) {
             d.Undo();
             d.Redo();
         },
         false},
        {"a step after the save", [](MapDocument& d) { d.AddTile(); }, true},
        {"that step undone",
         [](MapDocument& d) {
             d.AddTile();
             d.Undo();
         },
         false},
        {"a new step replaces the redo",
         [](MapDocument& d) {
             d.Undo();
             d.PaintCell({0, 0}, 1);
         },
         true},
        {"a command that changes nothing",
         [](MapDocument& d) {
             d.PaintCell({0, 0}, 1);
         },
         false},
        {"a step taken back for good",
         [](MapDocument& d) {
             d.PaintCell({1, 0}, 2);
             d.Retract();
         },
         false},
    };
    for (const Case& c : cases) {
        MapDocument document(Level({"00"}));
        document.PaintCell({0, 0}, 1);
        document.MarkSaved();
        c.after(document);
        EXPECT_EQ(document.IsChangedSinceSaved(), c.changed) << c.what;
    }
    MapDocument retracted(Level({"00"}));
    retracted.PaintCell({1, 0}, 2);
    EXPECT_TRUE(retracted.Retract().cells);
    EXPECT_EQ(CellRows(retracted.Map()), (Rows{"00"}));
    EXPECT_FALSE(retracted.CanRedo()) << "no redo brings a retracted step back";
}

TEST(MapDocument, ANewMapIsSixteenBySixteenCellsOfOneWhiteTile)
{
    const MapDocument document;
    EXPECT_EQ(document.Map().width, 16);
    EXPECT_EQ(document.Map().height, 16);
    EXPECT_EQ(document.Map().tiles.Count(), 1);
    EXPECT_EQ(TilePixels(document.Map(), 0), Rows(8, "........"));
    EXPECT_FALSE(document.IsChangedSinceSaved());
    EXPECT_TRUE(document.IsUntitled());
}

TEST(MapPicture, CellsUnderContentPointsAndZoomSteps)
{
    const MapGeometry geometry = GeometryOf(Level({"000", "000"}), 3); // cells of 6 x 6 screen pixels
    struct Case {
        Point content;
        Point cell;
        Point pixel;
    };
    const Case cases[] = {
        {{0, 0}, {0, 0}, {0, 0}}, {{5, 5}, {0, 0}, {1, 1}}, {{6, 0}, {1, 0}, {0, 0}}, {{17, 11}, {2, 1}, {1, 1}},
        {{18, 0}, {-1, -1}, {}},  {{0, 12}, {-1, -1}, {}},  {{-1, 3}, {-1, -1}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(geometry.CellAt(c.content), c.cell) << c.content.x << ", " << c.content.y;
        if (c.cell.x >= 0) {
            EXPECT_EQ(geometry.TilePixelAt(c.content), c.pixel) << c.content.x << ", " << c.content.y;
        }
    }
    const int steps[][3] = {{1, 2, 1}, {2, 3, 1}, {5, 6, 4}, {64, 64, 48}, {1, 2, 1}, {48, 64, 32}};
    for (const auto& step : steps) {
        EXPECT_EQ(NextMapZoom(step[0], +1), step[1]) << step[0];
        EXPECT_EQ(NextMapZoom(step[0], -1), step[2]) << step[0];
    }
    // Map pixel 25 under view point 10 at zoom 2 (scroll 40) stays there at zoom 8.
    EXPECT_EQ(ScrollKeepingPoint({40, 0}, {10, 10}, 2, 8), (Point{190, 30}));
}

TEST(MapPicture, OnlyTheViewIsComposedWithGridAndTransparency)
{
    // A wall, then a tile of black beside a masked column.
    TileMap map = Level({"01"});
    const int8_t masked[4] = {3, Black + MaskOffset, 3, Black + MaskOffset};
    map.tiles.Add(masked);
    map.cells = {1, 4};
    const uint32_t W = 0xFFFFFFFF, K = 0xFF000000, B = 0xFF808080, C = 0xFFD6D6D6;
    const uint32_t G = 0xFF12327D; // black crossed by a grid line: half black, half 0x2565FA
    struct Case {
        int zoom;
        Point scroll;
        bool grid;
        std::vector<std::vector<uint32_t>> rows; // 5 x 2 screen pixels
    };
    const Case cases[] = {
        {1, {0, 0}, true, {{K, K, K, W, B}, {K, K, K, W, B}}}, // no lines at zoom 1
        {1, {1, 1}, false, {{K, K, W, B, B}, {B, B, B, B, B}}}, {2, {0, 0}, false, {{K, K, K, K, K}, {K, K, K, K, K}}},
        {2, {6, 0}, false, {{C, C, B, B, B}, {C, C, B, B, B}}}, // the second square of the checkerboard
        {2, {0, 0}, true, {{G, G, G, G, G}, {G, K, K, K, G}}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> pixels(10, 0);
        ComposeMapView(map, c.zoom, c.scroll, 5, 2, MapLook{c.grid, B}, pixels.data(), 5);
        EXPECT_EQ(std::vector<uint32_t>(pixels.begin(), pixels.begin() + 5), c.rows[0]) << c.zoom << " " << c.scroll.x;
        EXPECT_EQ(std::vector<uint32_t>(pixels.begin() + 5, pixels.end()), c.rows[1]) << c.zoom << " " << c.scroll.x;
    }
}
