#include <gtest/gtest.h>

#include <random>

#include "SpriteText.h"
#include "U_class.h"

namespace {

bool StorageIsBlank(const Sprite& s)
{
    for (int i = 0; i < CellCount; ++i)
        if (s.cells[i] != 0 || s.marks[i] != 0)
            return false;
    return true;
}

} // namespace

TEST(Sprite, NewSpriteIsBlankBlackWhiteWithTheGivenSize)
{
    const Sprite s({16, 16});
    EXPECT_EQ(s.GetSize(), (Point{16, 16}));
    EXPECT_EQ(s.GetType(), BlackWhite);
    EXPECT_TRUE(StorageIsBlank(s));
    EXPECT_EQ(s.GetMask(239, 127), NoMask);
}

TEST(Sprite, SetSizeAcceptsOnlyOneTo240ByOneTo128)
{
    struct Row {
        Point size;
        Point expected;
    } rows[] = {
        {{0, 16}, {32, 32}},  {{16, 0}, {32, 32}}, {{241, 16}, {32, 32}},    {{16, 129}, {32, 32}},
        {{-1, -1}, {32, 32}}, {{1, 1}, {1, 1}},    {{240, 128}, {240, 128}},
    };
    for (const Row& row : rows) {
        Sprite s({32, 32});
        s.SetSize(row.size);
        EXPECT_EQ(s.GetSize(), row.expected) << row.size.x << "x" << row.size.y;
    }
}

TEST(Sprite, WritesOutsideTheStorageChangeNothingAndReadNeutral)
{
    const Point outside[] = {{240, 0}, {0, 128}, {-1, 0}, {0, -1}, {INT32_MIN, INT32_MAX}, {INT32_MAX, 5}};
    for (PenValue pen = White; pen <= Mark; ++pen) {
        for (Point p : outside) {
            // A hidden masked gray pixel leaves a stale type that any
            // recomputation, whatever the pen, would change.
            Sprite s({32, 32});
            s.SetPixel(20, 5, LightGray);
            s.SetPixel(20, 5, Mask);
            s.SetSize({16, 16});
            s.SetPixel(p.x, p.y, pen);
            EXPECT_EQ(s.GetType(), GrayscaleMasked) << "pen " << int(pen);
            s.SetPixel(20, 5, White);
            EXPECT_TRUE(StorageIsBlank(s));
            EXPECT_EQ(s.GetColor(p.x, p.y), White);
            EXPECT_EQ(s.GetMask(p.x, p.y), 0);
            EXPECT_FALSE(s.IsMarked(p.x, p.y));
        }
    }
}

TEST(Sprite, BorderPixelsOfTheStorageAreWritable)
{
    const Point corners[] = {{0, 0}, {239, 0}, {0, 127}, {239, 127}};
    for (Point p : corners) {
        Sprite s;
        s.SetPixel(p.x, p.y, DarkGray);
        s.SetPixel(p.x, p.y, Mask);
        EXPECT_EQ(s.cells[p.x * 128 + p.y], 17);
        EXPECT_EQ(s.GetType(), GrayscaleMasked);
        int written = 0;
        for (int8_t cell : s.cells)
            written += cell != 0;
        EXPECT_EQ(written, 1);
    }
}

TEST(Sprite, PensChangeCellsAsEncoded)
{
    struct Row {
        int8_t before;
        PenValue pen;
        int8_t after;
    } rows[] = {
        {0, Mask, 15},  {15, Mask, 15}, {2, Mask, 17},    {17, NoMask, 2}, {3, NoMask, 3},
        {18, White, 0}, {16, Black, 3}, {1, DarkGray, 2}, {17, Mark, 17},  {0, Mark, 0},
    };
    for (const Row& row : rows) {
        Sprite s({4, 4});
        s.cells[5] = row.before;
        s.RestoreState({4, 4}, BlackWhite);
        s.SetPixel(0, 5, row.pen);
        EXPECT_EQ(s.cells[5], row.after) << int(row.before) << " pen " << int(row.pen);
        EXPECT_EQ(s.IsMarked(0, 5), row.pen == Mark);
    }
}

TEST(Sprite, TheWrittenPenCountsEvenOutsideTheSize)
{
    struct Row {
        PenValue pen;
        SpriteType expected;
    } rows[] = {{LightGray, Grayscale}, {DarkGray, Grayscale}, {Mask, BlackWhiteMasked},
                {Black, BlackWhite},    {NoMask, BlackWhite},  {Mark, BlackWhite}};
    for (const Row& row : rows) {
        Sprite s({16, 16});
        s.SetPixel(100, 100, row.pen);
        EXPECT_EQ(s.GetType(), row.expected) << int(row.pen);
        s.SetPixel(0, 0, White); // the next write looks only inside the size
        EXPECT_EQ(s.GetType(), BlackWhite) << int(row.pen);
    }
}

TEST(Sprite, ShrinkingHidesPixelsAndKeepsTheTypeUntilTheNextWrite)
{
    Sprite s({32, 32});
    s.SetPixel(20, 5, LightGray);
    s.SetPixel(21, 5, Mask);
    s.SetSize({16, 16});
    EXPECT_EQ(s.GetType(), GrayscaleMasked);
    s.SetPixel(239, 127, Black); // outside the size, still recomputes
    EXPECT_EQ(s.GetType(), BlackWhite);
    s.SetSize({32, 32});
    EXPECT_EQ(s.GetColor(20, 5), LightGray);
    EXPECT_EQ(s.GetType(), BlackWhite);
    s.SetPixel(0, 0, White);
    EXPECT_EQ(s.GetType(), GrayscaleMasked);
}

TEST(Sprite, MarksAreAnOverlayClearedOnlyByClearMarksAndClear)
{
    Sprite s = FromRows({"....", "...B", "....", "....", "...."});
    s.SetPixel(3, 4, Mark);
    s.SetPixel(3, 1, Mark);
    EXPECT_TRUE(s.IsMarked(3, 4));
    EXPECT_EQ(ToRows(s)[1], "...B");
    s.SetPixel(3, 4, Black);
    s.SetPixel(3, 4, NoMask);
    EXPECT_TRUE(s.IsMarked(3, 4));
    s.ClearMarks();
    EXPECT_FALSE(s.IsMarked(3, 4));
    EXPECT_EQ(ToRows(s), (Rows{"....", "...B", "....", "....", "...#"}));
    EXPECT_EQ(s.GetType(), BlackWhiteMasked);
    s.SetPixel(0, 0, Mark);
    s.Clear();
    EXPECT_TRUE(StorageIsBlank(s));
    EXPECT_EQ(s.GetSize(), (Point{4, 5}));
    EXPECT_EQ(s.GetType(), BlackWhite);
}

TEST(Sprite, UnknownPensChangeNothing)
{
    for (int pen : {-1, 7, 10, 15, 127, -128}) {
        Sprite s({8, 8});
        s.SetPixel(1, 1, LightGray);
        s.SetSize({1, 1});
        s.SetPixel(1, 1, static_cast<PenValue>(pen));
        EXPECT_EQ(s.cells[1 * 128 + 1], LightGray);
        EXPECT_FALSE(s.IsMarked(1, 1));
        EXPECT_EQ(s.GetType(), Grayscale);
    }
}

TEST(Sprite, RestoreStateRecountsTheType)
{
    Sprite s({8, 8});
    s.cells[3] = 16; // masked light gray at (0, 3), written behind the model's back
    s.RestoreState({4, 4}, BlackWhite);
    EXPECT_EQ(s.GetType(), BlackWhite); // taken as given
    s.SetPixel(7, 7, Black);
    EXPECT_EQ(s.GetType(), GrayscaleMasked);
    s.RestoreState({0, 300}, static_cast<SpriteType>(9));
    EXPECT_EQ(s.GetSize(), (Point{4, 4}));
    EXPECT_EQ(s.GetType(), GrayscaleMasked);
}

namespace {

// The type a write with pen must leave: a plain scan of the picture, with the
// pen itself forcing gray or masked.
int TypeAfterWrite(const Sprite& s, PenValue pen)
{
    const int scanned = RescanType(s) - BlackWhite;
    const bool gray = (scanned & 1) || pen == LightGray || pen == DarkGray;
    const bool masked = (scanned & 2) || pen == Mask;
    return BlackWhite + gray + 2 * masked;
}

std::vector<int8_t> CellsOf(const Sprite& s)
{
    return {s.cells, s.cells + CellCount};
}

} // namespace

// Thousands of random operations; after each the stored type must be what a
// rescan gives, or unchanged when nothing was written.
TEST(Sprite, IncrementalTypeMatchesARescanAfterRandomEdits)
{
    std::mt19937 random(20240611);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Sprite s({40, 30});
    for (int step = 0; step < 20000; ++step) {
        int expected = s.GetType();
        PenValue pen = static_cast<PenValue>(pick(White, Mark));
        switch (pick(0, 9)) {
        case 0:
            s.SetSize({pick(-2, 250), pick(-2, 140)});
            break;
        case 1: {
            pen = static_cast<PenValue>(pick(White, NoMask));
            const auto before = CellsOf(s);
            s.FloodFill(pick(-1, 60), pick(-1, 60), pen, static_cast<PixelColor>(pick(White, Black)));
            if (CellsOf(s) != before)
                expected = TypeAfterWrite(s, pen);
            break;
        }
        case 2:
            s.AutoMask();
            expected = RescanType(s);
            break;
        case 3: {
            const int x1 = pick(-5, 244), y1 = pick(-5, 132), x2 = pick(-5, 244), y2 = pick(-5, 132);
            s.DrawLine(x1, y1, x2, y2, pen);
            if (Sprite::InBounds(x1, y1) && Sprite::InBounds(x2, y2))
                expected = TypeAfterWrite(s, pen);
            break;
        }
        default: {
            const int x = pick(-2, 241), y = pick(-2, 129);
            s.SetPixel(x, y, pen);
            if (Sprite::InBounds(x, y))
                expected = TypeAfterWrite(s, pen);
        }
        }
        ASSERT_EQ(s.GetType(), expected) << "step " << step;
    }
}
