// Boxes and ellipses between two corners, the pen a cell gives the
// eyedropper, and the shape tools as gestures of the document: previewed in
// marks, one undo step, held at the frame's edge, cancelled without a step.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "SpriteDocument.h"
#include "SpriteText.h"
#include "shapes.h"

namespace {

using Cells = std::set<std::pair<int, int>>;

Cells BlackCells(const Sprite& sprite)
{
    Cells cells;
    for (int x = 0; x < sprite.width; ++x) {
        for (int y = 0; y < sprite.height; ++y) {
            if (sprite.GetColor(x, y) == Black)
                cells.insert({x, y});
        }
    }
    return cells;
}

Rows Blank(int width, int height)
{
    return Rows(static_cast<size_t>(height), std::string(static_cast<size_t>(width), '.'));
}

// The four ways of dragging the same box: from each of its corners.
std::pair<Point, Point> DragFrom(int corner, Point a, Point b)
{
    switch (corner) {
    case 0:
        return {a, b};
    case 1:
        return {b, a};
    case 2:
        return {{b.x, a.y}, {a.x, b.y}};
    default:
        return {{a.x, b.y}, {b.x, a.y}};
    }
}

} // namespace

TEST(Shapes, BoxesAreTheSameWhicheverCornerTheDragStartsFrom)
{
    const struct {
        const char* what;
        bool ellipse;
        ShapeFill fill;
        Point a, b;
        Rows expected;
    } cases[] = {
        {"rectangle", false, ShapeFill::Outline, {1, 0}, {4, 3}, {".####.", ".#..#.", ".#..#.", ".####.", "......"}},
        {"filled rectangle",
         false,
         ShapeFill::Filled,
         {1, 1},
         {3, 2},
         {"......", ".###..", ".###..", "......", "......"}},
        {"rectangle one cell high",
         false,
         ShapeFill::Outline,
         {0, 2},
         {5, 2},
         {"......", "......", "######", "......", "......"}},
        {"one cell", false, ShapeFill::Outline, {2, 2}, {2, 2}, {"......", "......", "..#...", "......", "......"}},
        {"one-cell ellipse",
         true,
         ShapeFill::Outline,
         {5, 4},
         {5, 4},
         {"......", "......", "......", "......", ".....#"}},
        {"ellipse one cell wide is a line",
         true,
         ShapeFill::Outline,
         {0, 0},
         {0, 4},
         {"#.....", "#.....", "#.....", "#.....", "#....."}},
        {"ellipse one cell high is a line",
         true,
         ShapeFill::Filled,
         {1, 4},
         {4, 4},
         {"......", "......", "......", "......", ".####."}},
        {"ellipse 2 x 2", true, ShapeFill::Outline, {0, 0}, {1, 1}, {"##....", "##....", "......", "......", "......"}},
        {"ellipse 3 x 3", true, ShapeFill::Outline, {0, 0}, {2, 2}, {".#....", "#.#...", ".#....", "......", "......"}},
        {"ellipse 4 x 4", true, ShapeFill::Outline, {0, 0}, {3, 3}, {".##...", "#..#..", "#..#..", ".##...", "......"}},
        {"ellipse 5 x 5", true, ShapeFill::Outline, {0, 0}, {4, 4}, {".###..", "#...#.", "#...#.", "#...#.", ".###.."}},
        {"filled ellipse 5 x 5",
         true,
         ShapeFill::Filled,
         {1, 0},
         {5, 4},
         {"..###.", ".#####", ".#####", ".#####", "..###."}},
        {"ellipse 6 x 3", true, ShapeFill::Outline, {0, 1}, {5, 3}, {"......", ".####.", "#....#", ".####.", "......"}},
    };
    for (const auto& test : cases) {
        for (int corner = 0; corner < 4; ++corner) {
            Sprite sprite = FromRows(Blank(6, 5));
            const auto [from, to] = DragFrom(corner, test.a, test.b);
            if (test.ellipse)
                DrawEllipse(sprite, from, to, Black, test.fill);
            else
                DrawRectangle(sprite, from, to, Black, test.fill);
            EXPECT_EQ(ToRows(sprite), test.expected) << test.what << ", from corner " << corner;
        }
    }
}

// Whatever the rasterisation: inside the box, touching its four sides,
// symmetric both ways, a closed 8-connected outline, and filled, the centre.
TEST(Shapes, EllipsesOfEverySizeKeepToTheBoxAndCloseTheirOutline)
{
    const Point sizes[] = {{1, 1}, {2, 1}, {1, 7},  {2, 2},  {3, 3},   {2, 9},  {9, 2},     {4, 7},    {7, 4},
                           {8, 8}, {9, 9}, {16, 5}, {15, 6}, {31, 17}, {64, 3}, {200, 100}, {240, 128}};
    for (const Point size : sizes) {
        const Point from{MaxWidth - size.x, MaxHeight - size.y};
        const Point to{MaxWidth - 1, MaxHeight - 1};
        Sprite outline;
        DrawEllipse(outline, to, from, Black, ShapeFill::Outline);
        Sprite filled;
        DrawEllipse(filled, from, to, Black, ShapeFill::Filled);
        const Cells ring = BlackCells(outline);
        const Cells disc = BlackCells(filled);
        const std::string what = std::to_string(size.x) + " x " + std::to_string(size.y);

        int left = MaxWidth, right = -1, top = MaxHeight, bottom = -1;
        for (const auto& [x, y] : disc) {
            left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
            EXPECT_TRUE(disc.count({from.x + to.x - x, y}) && disc.count({x, from.y + to.y - y})) << what;
        }
        EXPECT_EQ(left, from.x) << what;
        EXPECT_EQ(right, to.x) << what;
        EXPECT_EQ(top, from.y) << what;
        EXPECT_EQ(bottom, to.y) << what;
        EXPECT_TRUE(disc.count({(from.x + to.x) / 2, (from.y + to.y) / 2})) << what << ": centre";

        // The ring is the disc's edge: every ring cell is in the disc, and
        // every disc cell left out has its four neighbours in the disc.
        for (const auto& cell : ring)
            EXPECT_TRUE(disc.count(cell)) << what;
        for (const auto& [x, y] : disc) {
            const bool inner =
                disc.count({x - 1, y}) && disc.count({x + 1, y}) && disc.count({x, y - 1}) && disc.count({x, y + 1});
            EXPECT_EQ(ring.count({x, y}) == 0, inner) << what << " at " << x << ", " << y;
        }
        // One piece, 8-connected, in which every cell has a neighbour: with
        // the edge test above, a closed ring around the inner cells.
        Cells reached{*ring.begin()};
        std::vector<std::pair<int, int>> waiting{*ring.begin()};
        while (!waiting.empty()) {
            const auto [x, y] = waiting.back();
            waiting.pop_back();
            for (int dx = -1; dx <= 1; ++dx) {
                for (int dy = -1; dy <= 1; ++dy) {
                    if (ring.count({x + dx, y + dy}) && reached.insert({x + dx, y + dy}).second)
                        waiting.push_back({x + dx, y + dy});
                }
            }
        }
        EXPECT_EQ(reached.size(), ring.size()) << what << ": one piece";
        const size_t fewest = ring.size() > 1 ? 1 : 0;
        for (const auto& [x, y] : ring) {
            size_t neighbours = 0;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    neighbours += (dx || dy) && ring.count({x + dx, y + dy});
            EXPECT_GE(neighbours, fewest) << what << " at " << x << ", " << y;
        }
    }
}

TEST(Shapes, TheWholeStorageBoxAndCornersOutsideTheSize)
{
    Sprite whole;
    DrawRectangle(whole, {MaxWidth - 1, 0}, {0, MaxHeight - 1}, DarkGray, ShapeFill::Outline);
    int border = 0;
    for (int x = 0; x < MaxWidth; ++x)
        for (int y = 0; y < MaxHeight; ++y)
            border += whole.GetColor(x, y) == DarkGray;
    EXPECT_EQ(border, 2 * MaxWidth + 2 * MaxHeight - 4);
    EXPECT_EQ(whole.GetColor(1, 1), White);

    const struct {
        const char* what;
        Point a, b;
    } outside[] = {{"beside the grid", {-1, 1}, {2, 2}}, {"past the size", {1, 1}, {4, 1}}, {"below", {0, 0}, {0, 3}}};
    for (const auto& test : outside) {
        Sprite sprite = FromRows(Blank(4, 3));
        DrawRectangle(sprite, test.a, test.b, Black, ShapeFill::Filled);
        DrawEllipse(sprite, test.a, test.b, Black, ShapeFill::Filled);
        EXPECT_EQ(ToRows(sprite), Blank(4, 3)) << test.what;
    }
}

TEST(Shapes, ACellGivesItsColorOrTheMaskPen)
{
    const Sprite sprite = FromRows({".ld#", "WLDB"});
    const struct {
        Point cell;
        std::optional<PenValue> pen;
    } cases[] = {
        {{0, 0}, White}, {{1, 0}, LightGray},     {{2, 0}, DarkGray},      {{3, 0}, Black},        {{0, 1}, Mask},
        {{3, 1}, Mask},  {{-1, 0}, std::nullopt}, {{0, -1}, std::nullopt}, {{4, 0}, std::nullopt},
    };
    for (const auto& test : cases)
        EXPECT_EQ(PenOfCell(sprite, test.cell), test.pen) << test.cell.x << ", " << test.cell.y;
}

// The shape tools as gestures: held cell for the pointer beside the grid.
TEST(ShapeGestures, ADragPreviewsInMarksAndDrawsOneStepAtTheRelease)
{
    SpriteDocument document;
    document.Editing() = FromRows(Blank(5, 4));
    document.StartNewHistory();
    document.MouseDown(ToolRectangle, 1, LightGray, {1, 1});
    EXPECT_TRUE(document.Current().IsMarked(1, 1)) << "a press shows its cell";
    document.MouseMove(ToolRectangle, {3, -1}, {3, 0});
    EXPECT_TRUE(document.Current().IsMarked(3, 0));
    EXPECT_TRUE(document.Current().IsMarked(2, 1));
    EXPECT_EQ(ToRows(document.Current()), Blank(5, 4)) << "nothing drawn while held";
    // Released far right of the grid: held at the last column.
    document.MouseUp(ToolRectangle, 1, {-1, 3}, {4, 3});
    EXPECT_EQ(ToRows(document.Current()), (Rows{".....", ".llll", ".l..l", ".llll"}));
    EXPECT_FALSE(document.Current().IsMarked(4, 2));
    EXPECT_EQ(document.UndoLabel(), "rectangle");
    document.Undo();
    EXPECT_FALSE(document.CanUndo()) << "one step";
    EXPECT_EQ(ToRows(document.Current()), Blank(5, 4));
}

// Whatever the tool drew since the press goes, the type with it.
TEST(ShapeGestures, EscapeCancelsTheGestureWithoutAStep)
{
    const Rows before{"#....", ".....", ".....", "....."};
    const int tools[] = {ToolRectangle, ToolFilledRectangle, ToolEllipse, ToolFilledEllipse,
                         ToolLine,      ToolPencil,          ToolFill};
    for (const int tool : tools) {
        SpriteDocument document;
        document.Editing() = FromRows(before);
        document.StartNewHistory();
        document.MouseDown(tool, 0, LightGray, {1, 1});
        document.MouseMove(tool, {4, 3}, {4, 3});
        EXPECT_TRUE(document.CancelDrawing().pixels) << ToolStepLabel(tool);
        EXPECT_EQ(ToRows(document.Current()), before) << ToolStepLabel(tool);
        EXPECT_EQ(document.Current().GetType(), BlackWhite) << ToolStepLabel(tool);
        EXPECT_FALSE(document.Current().IsMarked(4, 3)) << ToolStepLabel(tool);
        document.MouseMove(tool, {3, 3}, {3, 3});
        document.MouseUp(tool, 0, {3, 3});
        EXPECT_EQ(ToRows(document.Current()), before) << ToolStepLabel(tool) << ": the release draws nothing";
        EXPECT_FALSE(document.CanUndo()) << ToolStepLabel(tool);
        EXPECT_FALSE(document.CancelDrawing().Any()) << "nothing left to cancel";
    }
}
