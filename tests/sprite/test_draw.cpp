#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <vector>

#include "SpriteText.h"
#include "U_class.h"

namespace {

using Pixels = std::vector<Point>;

Pixels BlackPixels(const Sprite& s, int columns = MaxWidth, int rows = MaxHeight)
{
    Pixels found;
    for (int x = 0; x < columns; ++x)
        for (int y = 0; y < rows; ++y)
            if (s.GetColor(x, y) == Black)
                found.push_back({x, y});
    return found;
}

std::string Describe(const Pixels& pixels)
{
    std::string text;
    for (Point p : pixels)
        text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    return text;
}

} // namespace

TEST(DrawLine, WritesTheExpectedPixels)
{
    struct Row {
        int x1, y1, x2, y2;
        Pixels expected;
    } rows[] = {
        {0, 0, 2, 1, {{0, 0}, {1, 0}, {2, 1}}}, // 0.5 goes to the even 0
        {0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}}},
        {4, 2, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}}},
        {1, 0, 3, 1, {{1, 0}, {2, 0}, {3, 1}}},
        {0, 1, 2, 0, {{0, 1}, {1, 0}, {2, 0}}},
        {0, 0, 1, 2, {{0, 0}, {0, 1}, {1, 2}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {0, 3, 3, 0, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}},
        {5, 5, 5, 5, {{5, 5}}},
        {7, 3, 7, 0, {{7, 0}, {7, 1}, {7, 2}, {7, 3}}},
        {9, 2, 6, 2, {{6, 2}, {7, 2}, {8, 2}, {9, 2}}},
        // The float slope 0.1f makes 5 * m a hair above 0.5; narrowed to
        // float it is exactly 0.5 again and goes down to the even 0.
        {0, 0, 10, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}}},
        // Steep: u stays a double, keeps the hair above 0.5 and goes up...
        {0, 0, 1, 10, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 5}, {1, 6}, {1, 7}, {1, 8}, {1, 9}, {1, 10}}},
        // ...while from the other end the float intercept pulls it below.
        {1, 10, 0, 0, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 6}, {1, 7}, {1, 8}, {1, 9}, {1, 10}}},
        {-1, 0, 4, 0, {}},
        {0, 0, 240, 0, {}},
        {3, 3, 3, 128, {}},
        {239, 127, 239, 127, {{239, 127}}},
    };
    for (const Row& row : rows) {
        Sprite s({16, 16});
        s.DrawLine(row.x1, row.y1, row.x2, row.y2, Black);
        EXPECT_EQ(Describe(BlackPixels(s)), Describe(row.expected))
            << "(" << row.x1 << "," << row.y1 << ")-(" << row.x2 << "," << row.y2 << ")";
    }
}

TEST(DrawLine, CrossesTheWholeStorageOutsideTheSize)
{
    Sprite s({8, 8});
    s.DrawLine(0, 0, 239, 127, LightGray);
    int drawn = 0;
    for (int x = 0; x < MaxWidth; ++x)
        for (int y = 0; y < MaxHeight; ++y)
            drawn += s.GetColor(x, y) == LightGray;
    EXPECT_EQ(drawn, 240);
    EXPECT_EQ(s.GetType(), Grayscale);
}

// For every pair of endpoints in a 24 x 24 area: one pixel per step along the
// longer axis, both endpoints drawn, each pixel the nearest to the true line,
// and the same pixels from either end. Where the true line passes exactly
// halfway between two pixels the float rounding of slope and intercept
// decides, and the two directions may pick different neighbours.
TEST(DrawLine, EveryPairOfEndpointsGivesOnePixelPerStepFromEitherEnd)
{
    constexpr int kSide = 24;
    Sprite s({kSide, kSide});
    // Minor coordinate per major coordinate, or a failure text.
    auto trace = [&](int x1, int y1, int x2, int y2, std::map<int, int>& minorOf) {
        s.DrawLine(x1, y1, x2, y2, Black);
        const Pixels pixels = BlackPixels(s, kSide, kSide);
        s.DrawLine(x1, y1, x2, y2, White);
        const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
        for (Point p : pixels)
            if (!minorOf.emplace(steep ? p.y : p.x, steep ? p.x : p.y).second)
                return std::string("two pixels in one step: ") + Describe(pixels);
        const int length = std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1;
        if (static_cast<int>(minorOf.size()) != length)
            return std::string("steps missing: ") + Describe(pixels);
        return std::string();
    };
    for (int x1 = 0; x1 < kSide; ++x1)
        for (int y1 = 0; y1 < kSide; ++y1)
            for (int x2 = 0; x2 < kSide; ++x2)
                for (int y2 = 0; y2 < kSide; ++y2) {
                    if (x1 * kSide + y1 > x2 * kSide + y2)
                        continue;
                    std::map<int, int> forward, backward;
                    const std::string where = "(" + std::to_string(x1) + "," + std::to_string(y1) + ")-(" +
                                              std::to_string(x2) + "," + std::to_string(y2) + ") ";
                    ASSERT_EQ(trace(x1, y1, x2, y2, forward), "") << where;
                    ASSERT_EQ(trace(x2, y2, x1, y1, backward), "") << where << "backwards";
                    const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
                    const int majorStart = steep ? y1 : x1, minorStart = steep ? x1 : y1;
                    const int majorSpan = steep ? y2 - y1 : x2 - x1, minorSpan = steep ? x2 - x1 : y2 - y1;
                    for (auto [major, minor] : forward) {
                        // Twice the distance to the true line, in units of 1 / |majorSpan|.
                        auto offset = [&](int m) {
                            return std::abs(2 * ((m - minorStart) * majorSpan - (major - majorStart) * minorSpan));
                        };
                        const int reach = std::abs(majorSpan == 0 ? 1 : majorSpan);
                        ASSERT_LE(offset(minor), reach) << where << "step " << major;
                        ASSERT_LE(offset(backward.at(major)), reach) << where << "backwards, step " << major;
                        const bool halfway = offset(minor) == reach;
                        ASSERT_TRUE(halfway || minor == backward.at(major)) << where << "step " << major;
                    }
                    ASSERT_EQ(forward.at(majorStart), minorStart) << where;
                    ASSERT_EQ(backward.at(majorStart + majorSpan), minorStart + minorSpan) << where;
                }
}

TEST(FloodFill, FillsTheFourConnectedRegionOfTheTargetColor)
{
    struct Row {
        const char* name;
        Rows before;
        Point start;
        PenValue pen;
        PixelColor target;
        Rows after;
    } rows[] = {
        {"corners do not connect", {"..#", "..#", "##."}, {0, 0}, Black, White, {"###", "###", "##."}},
        {"pen equal to target", {"#.", ".#"}, {0, 0}, Black, Black, {"#.", ".#"}},
        {"start not of the target", {"#.", ".."}, {0, 0}, DarkGray, White, {"#.", ".."}},
        {"masked and unmasked alike", {".W#", "W.#", "##W"}, {1, 0}, DarkGray, White, {"dd#", "dd#", "##W"}},
        {"stops at the size", {"....", "#..."}, {3, 1}, LightGray, White, {"llll", "#lll"}},
        {"gray over black", {"#l#", "###"}, {0, 1}, White, Black, {".l.", "..."}},
        {"mask over all colors", {".ld#", "B..l", "...."}, {0, 0}, Mask, White, {"WLDB", "BWWL", "WWWW"}},
        {"mask stops at masked", {"..B.", "BBB.", "..#."}, {0, 0}, Mask, Black, {"WWB.", "BBB.", "..#."}},
        {"mask on a masked pixel", {"W.", ".."}, {0, 0}, Mask, White, {"W.", ".."}},
        {"unmask", {"WLD", "B..", "#DW"}, {2, 0}, NoMask, White, {".ld", "#..", "#DW"}},
        {"start outside the size", {"..", ".."}, {2, 0}, Black, White, {"..", ".."}},
        {"negative start", {"..", ".."}, {-1, 0}, Black, White, {"..", ".."}},
    };
    for (const Row& row : rows) {
        Sprite s = FromRows(row.before);
        s.FloodFill(row.start.x, row.start.y, row.pen, row.target);
        EXPECT_EQ(ToRows(s), row.after) << row.name;
        EXPECT_EQ(s.GetType(), RescanType(s)) << row.name;
    }
}

namespace {

// The fill as a plain depth-first recursion, for small sprites only.
void RecursiveFill(Sprite& s, int x, int y, PenValue pen, PixelColor target)
{
    if (x < 0 || y < 0 || x >= s.width || y >= s.height)
        return;
    if (pen == Mask || pen == NoMask) {
        if (s.GetMask(x, y) == pen)
            return;
    } else if (s.GetColor(x, y) != target || s.GetColor(x, y) == pen) {
        return;
    }
    s.SetPixel(x, y, pen);
    RecursiveFill(s, x + 1, y, pen, target);
    RecursiveFill(s, x - 1, y, pen, target);
    RecursiveFill(s, x, y + 1, pen, target);
    RecursiveFill(s, x, y - 1, pen, target);
}

} // namespace

TEST(FloodFill, FillsWhatThePlainRecursionFillsOnRandomPictures)
{
    std::mt19937 random(99);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 3000; ++round) {
        Sprite s({pick(1, 30), pick(1, 20)});
        const int sparseness = pick(1, 6);
        for (int x = 0; x < 32; ++x)
            for (int y = 0; y < 22; ++y)
                s.SetPixel(x, y, static_cast<PenValue>(pick(0, sparseness) == 0 ? pick(White, NoMask) : White));
        Sprite expected = s;
        const int x = pick(-1, 31), y = pick(-1, 21);
        const PenValue pen = static_cast<PenValue>(pick(White, NoMask));
        const PixelColor target = static_cast<PixelColor>(pick(White, Black));
        RecursiveFill(expected, x, y, pen, target);
        s.FloodFill(x, y, pen, target);
        ASSERT_EQ(ToRows(s), ToRows(expected)) << "round " << round;
        ASSERT_TRUE(std::equal(s.cells, s.cells + CellCount, expected.cells)) << "round " << round;
        ASSERT_EQ(s.GetType(), expected.GetType()) << "round " << round;
    }
}

TEST(FloodFill, StaysInsideTheSizeOfANewSprite)
{
    Sprite s({16, 16});
    s.FloodFill(0, 0, Black, White);
    EXPECT_EQ(BlackPixels(s).size(), 256u);
    for (Point p : BlackPixels(s))
        EXPECT_TRUE(p.x < 16 && p.y < 16);
    EXPECT_EQ(s.GetType(), BlackWhite);
}

TEST(FloodFill, CoversTheWholeStorage)
{
    Sprite s;
    s.FloodFill(239, 127, Black, White);
    EXPECT_EQ(BlackPixels(s).size(), static_cast<size_t>(CellCount));
    s.FloodFill(0, 0, Mask, White);
    s.FloodFill(120, 64, LightGray, Black);
    for (int i = 0; i < CellCount; ++i)
        ASSERT_EQ(s.cells[i], LightGray) << i;
    EXPECT_EQ(s.GetType(), Grayscale);
}

// A one-pixel corridor winding through the whole storage: the fill must
// follow it to its end, the deepest region a fill can meet.
TEST(FloodFill, FollowsASnakeThroughTheWholeStorage)
{
    Sprite s;
    std::vector<bool> corridor(CellCount, false);
    for (int y = 0; y < MaxHeight; y += 2) {
        for (int x = 0; x < MaxWidth; ++x)
            corridor[x * MaxHeight + y] = true;
        if (y + 1 < MaxHeight)
            corridor[(y % 4 == 0 ? MaxWidth - 1 : 0) * MaxHeight + y + 1] = true;
    }
    for (int i = 0; i < CellCount; ++i)
        if (!corridor[i])
            s.SetPixel(i / MaxHeight, i % MaxHeight, Black);
    s.FloodFill(0, 0, DarkGray, White);
    int filled = 0;
    for (int i = 0; i < CellCount; ++i) {
        ASSERT_EQ(s.cells[i], corridor[i] ? DarkGray : Black) << i;
        filled += corridor[i];
    }
    EXPECT_GT(filled, CellCount / 2);
}

TEST(FloodFill, OnACheckerboardTakesOnlyTheStartPixelUnlessMasking)
{
    Sprite s;
    for (int x = 0; x < MaxWidth; ++x)
        for (int y = 0; y < MaxHeight; ++y)
            s.SetPixel(x, y, (x + y) % 2 ? Black : White);
    s.FloodFill(100, 50, LightGray, White);
    EXPECT_EQ(s.GetColor(100, 50), LightGray);
    EXPECT_EQ(s.GetColor(101, 51), White);
    s.FloodFill(100, 50, LightGray, LightGray);
    s.FloodFill(5, 5, Mask, White);
    for (int i = 0; i < CellCount; ++i)
        ASSERT_GE(s.cells[i], 15) << i;
    EXPECT_EQ(s.GetType(), GrayscaleMasked);
}

TEST(FloodFill, WithTheMarkPenMarksTheRegionAndEnds)
{
    Sprite s = FromRows({"..#", "#.#", "..#"});
    s.FloodFill(0, 0, Mark, White);
    EXPECT_EQ(ToRows(s), (Rows{"..#", "#.#", "..#"}));
    const bool expected[3][3] = {{true, true, false}, {false, true, false}, {true, true, false}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(s.IsMarked(x, y), expected[y][x]) << x << "," << y;
}

TEST(AutoMask, MasksWhitePixelsInsideTheSizeOnly)
{
    struct Row {
        Rows before;
        Rows after;
        SpriteType type;
    } rows[] = {
        {{"##", "##"}, {"##", "##"}, BlackWhite},
        {{"..", ".."}, {"WW", "WW"}, BlackWhiteMasked},
        {{"BL", "d."}, {"#l", "dW"}, GrayscaleMasked},
        {{"#B", "lD"}, {"##", "ld"}, Grayscale},
    };
    for (const Row& row : rows) {
        Sprite s = FromRows(row.before);
        s.AutoMask();
        EXPECT_EQ(ToRows(s), row.after);
        EXPECT_EQ(s.GetType(), row.type);
    }
    Sprite s({4, 4});
    s.SetPixel(10, 10, Mask);
    s.SetPixel(11, 10, Black);
    s.AutoMask();
    EXPECT_EQ(s.GetMask(10, 10), Mask);
    EXPECT_EQ(s.GetMask(12, 10), NoMask);
    EXPECT_EQ(s.GetMask(3, 3), Mask);
}
