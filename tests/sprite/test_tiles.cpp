// Tiles and maps: slicing pictures along a grid, merging equal tiles into a
// map, maps over an existing tile set, sheets laid out from frames and the
// ".pixm" file with its refusals.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "MapFile.h"
#include "SpriteText.h"
#include "TileMap.h"
#include "sheet.h"

namespace {

// A picture written as text, as SpriteText writes sprites ('.', 'l', 'd', '#',
// upper case masked), of any size.
CellPicture Picture(const Rows& rows)
{
    CellPicture picture(static_cast<int>(rows.at(0).size()), static_cast<int>(rows.size()));
    const std::string plain = ".ld#", masked = "WLDB";
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const char c = rows[y][x];
            picture.At(x, y) =
                static_cast<int8_t>(plain.find(c) != std::string::npos ? plain.find(c) : masked.find(c) + MaskOffset);
        }
    return picture;
}

Rows TileRows(const TileSet& tiles, int index)
{
    return ToRows(*SpriteOfCells(tiles.Tile(index), tiles.tileSize, tiles.type));
}

Rows PictureRows(const CellPicture& picture)
{
    Rows rows;
    const std::string plain = ".ld#", masked = "WLDB";
    for (int y = 0; y < picture.height; ++y) {
        std::string row;
        for (int x = 0; x < picture.width; ++x) {
            const int8_t cell = picture.At(x, y);
            row += (IsMaskedCell(cell) ? masked : plain)[ColorOfCell(cell)];
        }
        rows.push_back(row);
    }
    return rows;
}

// A generated sheet: cells of w x h at the margin and spacing given, cell k
// (in reading order) holding k + 1 black pixels from its top-left corner in
// reading order, margins and gaps dark gray so that a slip shows.
CellPicture GeneratedSheet(int columns, int rows, const SliceGrid& grid, int extraX = 0, int extraY = 0)
{
    CellPicture picture(grid.margin.x + columns * grid.cell.x + (columns - 1) * grid.spacing.x + extraX,
                        grid.margin.y + rows * grid.cell.y + (rows - 1) * grid.spacing.y + extraY);
    std::fill(picture.cells.begin(), picture.cells.end(), DarkGray);
    for (int k = 0; k < columns * rows; ++k) {
        const int left = grid.margin.x + (k % columns) * (grid.cell.x + grid.spacing.x);
        const int top = grid.margin.y + (k / columns) * (grid.cell.y + grid.spacing.y);
        for (int i = 0; i < grid.cell.x * grid.cell.y; ++i)
            picture.At(left + i % grid.cell.x, top + i / grid.cell.x) = i <= k ? Black : White;
    }
    return picture;
}

int BlackPixels(const Sprite& frame)
{
    int count = 0;
    for (int x = 0; x < frame.width; ++x)
        for (int y = 0; y < frame.height; ++y)
            count += frame.GetColor(x, y) == Black;
    return count;
}

SliceGrid Grid(Point cell, Point margin = {0, 0}, Point spacing = {0, 0})
{
    SliceGrid grid;
    grid.cell = cell;
    grid.margin = margin;
    grid.spacing = spacing;
    return grid;
}

std::string Le16(int value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string PixmHeader(int tileW, int tileH, int type, int count, int mapW, int mapH)
{
    return "PIXM" + Le16(1) + Le16(tileW) + Le16(tileH) + std::string(1, static_cast<char>(type)) +
           std::string(1, '\0') + Le16(count) + Le16(mapW) + Le16(mapH);
}

} // namespace

TEST(TileSlicing, WholeCellsFollowMarginAndSpacing)
{
    struct Case {
        int width, height;
        SliceGrid grid;
        int columns, rows;
    };
    const Case cases[] = {
        {320, 240, Grid({16, 16}), 20, 15},
        {33, 16, Grid({16, 16}), 2, 1},                     // one column of pixels left over
        {15, 16, Grid({16, 16}), 0, 0},                     // not one cell
        {35, 18, Grid({16, 16}, {1, 2}, {2, 0}), 2, 1},     // 1 + 16 + 2 + 16 = 35
        {34, 18, Grid({16, 16}, {1, 2}, {2, 0}), 1, 1},     // the second cell misses a column
        {17, 17, Grid({16, 16}, {1, 1}, {100, 100}), 1, 1}, // a huge spacing after the only cell
        {16, 16, Grid({16, 16}, {1, 0}), 0, 0},             // the margin pushes the cell out
        {16, 16, Grid({0, 16}), 0, 0},
        {16, 16, Grid({16, 16}, {-1, 0}), 0, 0},
    };
    for (const Case& c : cases) {
        const GridCells cells = CellsOfGrid(c.width, c.height, c.grid);
        EXPECT_EQ(cells.columns, c.columns) << c.width << " x " << c.height;
        EXPECT_EQ(cells.rows, c.rows) << c.width << " x " << c.height;
    }
}

TEST(TileSlicing, SheetsSliceInReadingOrderWithMarginsAndSpacings)
{
    const SliceGrid grids[] = {Grid({16, 16}), Grid({8, 8}, {3, 5}, {2, 1}), Grid({5, 3}, {0, 4}, {7, 0})};
    for (const SliceGrid& grid : grids) {
        // Extra pixels at the right and bottom that make no whole cell.
        const CellPicture sheet = GeneratedSheet(4, 3, grid, grid.cell.x - 1, grid.cell.y - 1);
        const FrameList frames = SliceSheetGrid(sheet, grid);
        ASSERT_EQ(frames.size(), 12u) << grid.cell.x;
        for (int k = 0; k < 12; ++k) {
            EXPECT_EQ(BlackPixels(*frames[k]), k + 1) << "cell " << k << " of " << grid.cell.x;
            EXPECT_EQ(frames[k]->GetType(), BlackWhite) << "no gap pixel inside cell " << k;
        }
    }
    SliceGrid tiny = Grid({1, 1});
    EXPECT_EQ(SliceSheetGrid(Picture({"#.l"}), tiny).size(), 3u);
    EXPECT_EQ(SliceSheetGrid(CellPicture(256, 256), tiny).size(), 0u) << "65536 frames make no set";
}

TEST(TileSlicing, SkipEmptyDropsCellsOfWhiteOrMaskedPixels)
{
    const CellPicture sheet = Picture({
        "..#.WBWW..",
        "....WW..l.",
    });
    const FrameList frames = SliceSheetGrid(sheet, Grid({2, 2}), true);
    std::vector<Rows> got;
    for (const auto& frame : frames)
        got.push_back(ToRows(*frame));
    EXPECT_EQ(got, (std::vector<Rows>{{"#.", ".."}, {"..", "l."}})) << "masked black counts as white";
    EXPECT_EQ(SlicedFrameCount(sheet, Grid({2, 2}), true), 2);
    EXPECT_EQ(SlicedFrameCount(sheet, Grid({2, 2}), false), 5);
    EXPECT_EQ(KeptCells(sheet, Grid({2, 2}), true), (std::vector<Point>{{1, 0}, {4, 0}}));
    EXPECT_EQ(KeptCells(sheet, Grid({3, 1}, {1, 1}, {1, 0}), false), (std::vector<Point>{{0, 0}, {1, 0}}));
    EXPECT_TRUE(KeptCells(sheet, Grid({0, 1}), false).empty());
}

TEST(TileMerging, EqualTilesAreOneMirrorImagesAreTwo)
{
    // Cells of 2 x 2: A, empty, A mirrored, A / gray, empty, A mirrored, A with a foot.
    const CellPicture level = Picture({
        "#....##.",
        "#....##.",
        ".....##.",
        "l....###",
    });
    const MapResult merged = MapOfPicture(level, Grid({2, 2}), false);
    ASSERT_EQ(merged.problem, MapProblem::None);
    EXPECT_EQ(merged.map.width, 4);
    EXPECT_EQ(merged.map.height, 2);
    EXPECT_EQ(merged.map.cells, (std::vector<uint16_t>{0, 1, 2, 0, 3, 1, 2, 4}));
    EXPECT_EQ(TileRows(merged.map.tiles, 0), (Rows{"#.", "#."}));
    EXPECT_EQ(TileRows(merged.map.tiles, 2), (Rows{".#", ".#"})) << "the mirror of tile 0 is a tile of its own";
    EXPECT_EQ(TileRows(merged.map.tiles, 3), (Rows{"..", "l."}));
    EXPECT_EQ(TileRows(merged.map.tiles, 4), (Rows{"#.", "##"}));
    EXPECT_EQ(merged.map.tiles.type, Grayscale) << "one gray tile makes the set gray";
    EXPECT_EQ(PictureRows(DrawMap(merged.map)), PictureRows(level));

    const MapResult kept = MapOfPicture(level, Grid({2, 2}), true);
    EXPECT_EQ(kept.map.tiles.Count(), 8);
    EXPECT_EQ(kept.map.cells, (std::vector<uint16_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(TileRows(kept.map.tiles, 3), TileRows(kept.map.tiles, 0));
}

TEST(TileMerging, LimitsOfTilesAndMapSizeAreKept)
{
    // Cells of 8 x 1 in four colors: all 65536 different rows, 256 cells to a row.
    CellPicture every(256 * 8, 256);
    for (int k = 0; k < 65536; ++k)
        for (int x = 0; x < 8; ++x)
            every.At((k % 256) * 8 + x, k / 256) = static_cast<int8_t>((k >> (2 * x)) & 3);
    EXPECT_EQ(MapOfPicture(every, Grid({8, 1}), false).problem, MapProblem::TooManyTiles);
    for (int x = 0; x < 8; ++x)
        every.At(255 * 8 + x, 255) = White; // the last cell now equals the first
    const MapResult full = MapOfPicture(every, Grid({8, 1}), false);
    ASSERT_EQ(full.problem, MapProblem::None);
    EXPECT_EQ(full.map.tiles.Count(), 65535);
    EXPECT_EQ(full.map.cells.back(), 0);

    EXPECT_EQ(MapOfPicture(CellPicture(1025, 1), Grid({1, 1}), false).problem, MapProblem::TooLarge);
    EXPECT_EQ(MapOfPicture(CellPicture(1024, 1024), Grid({1, 1}), false).map.tiles.Count(), 1);
    EXPECT_EQ(MapOfPicture(CellPicture(4, 4), Grid({5, 1}), false).problem, MapProblem::NoCell);
    EXPECT_EQ(MapOfPicture(CellPicture(300, 4), Grid({241, 1}), false).problem, MapProblem::NoCell);
}

TEST(TileMerging, MapOfAPictureTakesTheFirstEqualTileOfTheWholeSet)
{
    TileSet tiles;
    tiles.tileSize = {2, 1};
    for (const char* tile : {"#.", "..", "#.", ".#", "ll"})
        tiles.Add(Picture({tile}).cells.data());
    // A margin of one column; the grid's own cell size gives way to the set's.
    const MapResult map = MapOfPictureWithTiles(Picture({"l#..##.", "l.##..."}), Grid({9, 9}, {1, 0}), tiles);
    ASSERT_EQ(map.problem, MapProblem::None) << MapProblemText(map);
    EXPECT_EQ(map.map.cells, (std::vector<uint16_t>{0, 3, 0, 3, 0, 1})) << "tile 2 equals tile 0";
    EXPECT_EQ(map.map.tiles.Count(), 5) << "unused tiles stay";
    EXPECT_EQ(map.map.tiles.type, Grayscale);

    const MapResult refused = MapOfPictureWithTiles(Picture({"l#.#.", "l#.l."}), Grid({2, 1}, {1, 0}), tiles);
    EXPECT_EQ(refused.problem, MapProblem::Unmatched);
    EXPECT_EQ(MapProblemText(refused), "la case (1, 1) n'est égale à aucune tuile du jeu");
}

TEST(SheetPicture, FramesGoInRowsWithWhiteGapsAndNoBorder)
{
    const Sprite a = FromRows({"#B"}), b = FromRows({"l#"}), c = FromRows({"d."});
    const CellPicture sheet = SheetOfFrames({&a, &b, &c}, 2, {1, 1});
    EXPECT_EQ(PictureRows(sheet), (Rows{"#B.l#", ".....", "d...."}));
    EXPECT_EQ(SheetSizeOf({16, 16}, 300, 20, {0, 0}).width, 320);
    EXPECT_EQ(SheetSizeOf({16, 16}, 300, 20, {0, 0}).height, 240);
    const FrameList back = SliceSheetGrid(sheet, Grid({2, 1}, {0, 0}, {1, 1}));
    ASSERT_EQ(back.size(), 4u);
    EXPECT_EQ(ToRows(*back[1]), (Rows{"l#"}));
}

TEST(SheetPicture, DefaultColumnsMakeTheSheetNearestToASquare)
{
    struct Case {
        Point frame;
        int frames;
        Point spacing;
        int columns; // the sheet's size, width x height, in the comment
    };
    const Case cases[] = {
        {{16, 16}, 1, {0, 0}, 1},     // 16 x 16
        {{16, 16}, 2, {0, 0}, 1},     // 16 x 32 as near as 32 x 16: the fewer columns
        {{16, 16}, 300, {0, 0}, 17},  // 272 x 288, as near as 288 x 272
        {{16, 16}, 16, {0, 0}, 4},    // 64 x 64
        {{32, 8}, 16, {0, 0}, 2},     // 64 x 64
        {{8, 32}, 16, {0, 0}, 8},     // 64 x 64
        {{240, 128}, 3, {0, 0}, 1},   // 240 x 384 against 480 x 256
        {{16, 16}, 9, {4, 0}, 3},     // 56 x 48
        {{1, 1}, 65535, {0, 0}, 256}, // 256 x 256, one cell unused
        {{10, 10}, 5, {20, 0}, 2},    // 40 x 30
    };
    for (const Case& c : cases)
        EXPECT_EQ(SquareSheetColumns(c.frame, c.frames, c.spacing), c.columns)
            << c.frame.x << " x " << c.frame.y << ", " << c.frames << " frames";
}

TEST(MapFile, WritesItsHeaderAndReadsBackTheSameMap)
{
    MapResult made = MapOfPicture(Picture({"#.B.", "#.dd"}), Grid({2, 1}), false);
    ASSERT_EQ(made.problem, MapProblem::None);
    const std::string bytes = TileMapBytes(made.map);
    const std::string expected = PixmHeader(2, 1, GrayscaleMasked, 3, 2, 2) + std::string("\3\0", 2) +
                                 std::string("\x12\0", 2) + std::string("\2\2", 2) + Le16(0) + Le16(1) + Le16(0) +
                                 Le16(2);
    EXPECT_EQ(bytes, expected);

    TileMap read;
    ASSERT_EQ(ReadTileMap(bytes, read).problem, MapFileProblem::None);
    EXPECT_EQ(read.cells, made.map.cells);
    EXPECT_EQ(read.tiles.cells, made.map.tiles.cells);
    EXPECT_EQ(read.tiles.type, GrayscaleMasked);

    const std::string path = testing::TempDir() + "pixora_map_test.PIXM";
    ASSERT_FALSE(SaveTileMapFile(path, made.map));
    EXPECT_TRUE(IsTileMapFileName(path));
    TileMap fromFile;
    EXPECT_EQ(ReadTileMapFile(path, fromFile).problem, MapFileProblem::None);
    EXPECT_EQ(fromFile.cells, made.map.cells);
    std::remove(path.c_str());
    EXPECT_EQ(ReadTileMapFile(path, fromFile).problem, MapFileProblem::Unreadable);
}

TEST(MapFile, RefusesHostileFilesWhole)
{
    const std::string tile = std::string("\3\0", 2); // one 2 x 1 tile, black and white
    const std::string cells = Le16(0) + Le16(0);     // a 2 x 1 map
    const std::string good = PixmHeader(2, 1, BlackWhite, 1, 2, 1) + tile + cells;
    struct Case {
        const char* what;
        std::string bytes;
        MapFileProblem problem;
    };
    const Case cases[] = {
        {"empty", "", MapFileProblem::NotAMap},
        {"header cut", good.substr(0, 17), MapFileProblem::NotAMap},
        {"a set", "PIXS" + good.substr(4), MapFileProblem::NotAMap},
        {"version 2", "PIXM" + Le16(2) + good.substr(6), MapFileProblem::Version},
        {"tile width 0", PixmHeader(0, 1, BlackWhite, 1, 2, 1) + tile + cells, MapFileProblem::TileSize},
        {"tile 241 wide", PixmHeader(241, 1, BlackWhite, 1, 2, 1), MapFileProblem::TileSize},
        {"tile 129 high", PixmHeader(2, 129, BlackWhite, 1, 2, 1), MapFileProblem::TileSize},
        {"type 5", PixmHeader(2, 1, 5, 1, 2, 1) + tile + cells, MapFileProblem::TileType},
        {"reserved byte", good.substr(0, 11) + "\1" + good.substr(12), MapFileProblem::TileType},
        {"no tile", PixmHeader(2, 1, BlackWhite, 0, 2, 1) + cells, MapFileProblem::TileCount},
        {"map 0 wide", PixmHeader(2, 1, BlackWhite, 1, 0, 1) + tile, MapFileProblem::MapSize},
        {"map 1025 high", PixmHeader(2, 1, BlackWhite, 1, 1, 1025) + tile, MapFileProblem::MapSize},
        {"65535 tiles announced", PixmHeader(240, 128, BlackWhite, 65535, 1024, 1024) + tile + cells,
         MapFileProblem::Length},
        {"a byte short", good.substr(0, good.size() - 1), MapFileProblem::Length},
        {"a byte more", good + std::string(1, '\0'), MapFileProblem::Length},
        {"gray in a black and white tile", PixmHeader(2, 1, BlackWhite, 1, 2, 1) + std::string("\1\0", 2) + cells,
         MapFileProblem::BadPixel},
        {"mask in a gray tile", PixmHeader(2, 1, Grayscale, 1, 2, 1) + std::string("\x12\0", 2) + cells,
         MapFileProblem::BadPixel},
        {"pixel value 4", PixmHeader(2, 1, GrayscaleMasked, 1, 2, 1) + std::string("\4\0", 2) + cells,
         MapFileProblem::BadPixel},
        {"index 1 of one tile", PixmHeader(2, 1, BlackWhite, 1, 2, 1) + tile + Le16(0) + Le16(1),
         MapFileProblem::BadIndex},
        {"index 65535", PixmHeader(2, 1, BlackWhite, 1, 2, 1) + tile + Le16(65535) + Le16(0), MapFileProblem::BadIndex},
    };
    for (const Case& c : cases) {
        TileMap map;
        map.width = 7;
        const MapFileCheck check = ReadTileMap(c.bytes, map);
        EXPECT_EQ(check.problem, c.problem) << c.what;
        EXPECT_EQ(map.width, 7) << c.what << ": the map given is untouched";
        EXPECT_FALSE(MapFileProblemText(check).empty()) << c.what;
    }
    TileMap map;
    const MapFileCheck badIndex =
        ReadTileMap(PixmHeader(2, 1, BlackWhite, 1, 2, 2) + tile + Le16(0) + Le16(0) + Le16(0) + Le16(3), map);
    EXPECT_EQ(MapFileProblemText(badIndex), "la case (1, 1) désigne une tuile qui n'existe pas");
    EXPECT_EQ(ReadTileMap(good, map).problem, MapFileProblem::None);
}
