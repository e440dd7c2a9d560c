// The transforms, the selection and the pre-shifted copies, on sprites drawn
// as text. Every case also checks the storage beyond the new size and the
// type against a plain rescan.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "PreShift.h"
#include "Selection.h"
#include "SpriteText.h"
#include "Transform.h"

namespace {

// A pixel of the storage beyond any size used below, and the cell just
// right of the picture: transforms must leave both alone.
constexpr Point FarHidden{200, 100};

Sprite WithHiddenPixels(const Rows& rows)
{
    Sprite sprite = FromRows(rows);
    sprite.SetPixel(FarHidden.x, FarHidden.y, DarkGray);
    sprite.SetPixel(FarHidden.x, FarHidden.y, Mask);
    sprite.SetPixel(sprite.width, 0, Black);
    return sprite;
}

// Every cell outside the sprite's current size is as it was in `before`.
void ExpectStorageOutsideKept(const Sprite& before, const Sprite& after)
{
    for (int x = 0; x < MaxWidth; ++x) {
        for (int y = 0; y < MaxHeight; ++y) {
            if (x < after.width && y < after.height)
                continue;
            ASSERT_EQ(before.cells[CellIndex(x, y)], after.cells[CellIndex(x, y)]) << "cell " << x << ", " << y;
        }
    }
}

struct TransformCase {
    const char* name;
    PictureTransform transform;
    Rows before;
    Rows after;
};

// An odd width with two rows, an even width with three; '#' black, 'l' / 'd'
// grays, '.' white, upper case masked.
const Rows Odd{"#l.", ".dB"};
const Rows Even{"#...", ".l..", "..dW"};

const TransformCase TransformCases[] = {
    {"flip h odd", PictureTransform::FlipHorizontal, Odd, {".l#", "Bd."}},
    {"flip h even", PictureTransform::FlipHorizontal, Even, {"...#", "..l.", "Wd.."}},
    {"flip v odd", PictureTransform::FlipVertical, Odd, {".dB", "#l."}},
    {"flip v even", PictureTransform::FlipVertical, Even, {"..dW", ".l..", "#..."}},
    {"180 odd", PictureTransform::Rotate180, Odd, {"Bd.", ".l#"}},
    {"180 even", PictureTransform::Rotate180, Even, {"Wd..", "..l.", "...#"}},
    {"clockwise odd", PictureTransform::RotateClockwise, Odd, {".#", "dl", "B."}},
    {"clockwise even", PictureTransform::RotateClockwise, Even, {"..#", ".l.", "d..", "W.."}},
    {"counter-clockwise odd", PictureTransform::RotateCounterClockwise, Odd, {".B", "ld", "#."}},
    {"counter-clockwise even", PictureTransform::RotateCounterClockwise, Even, {"..W", "..d", ".l.", "#.."}},
    {"shift left odd", PictureTransform::ShiftLeft, Odd, {"l.#", "dB."}},
    {"shift right even", PictureTransform::ShiftRight, Even, {".#..", "..l.", "W..d"}},
    {"shift up even", PictureTransform::ShiftUp, Even, {".l..", "..dW", "#..."}},
    {"shift down even", PictureTransform::ShiftDown, Even, {"..dW", "#...", ".l.."}},
    {"shift down odd", PictureTransform::ShiftDown, Odd, {".dB", "#l."}},
    {"invert odd", PictureTransform::InvertColors, Odd, {".d#", "#lW"}},
    {"invert even", PictureTransform::InvertColors, Even, {".###", "#d##", "##lB"}},
};

TEST(SpriteTransforms, EachTransformOnOddAndEvenSizes)
{
    for (const TransformCase& c : TransformCases) {
        SCOPED_TRACE(c.name);
        Sprite sprite = WithHiddenPixels(c.before);
        const Sprite before = sprite;
        ASSERT_TRUE(TransformSprite(sprite, c.transform));
        EXPECT_EQ(ToRows(sprite), c.after);
        EXPECT_EQ(sprite.GetType(), RescanType(sprite));
        ExpectStorageOutsideKept(before, sprite);
    }
}

TEST(SpriteTransforms, TypeFollowsThePixelsInsideTheSize)
{
    // The only gray pixel hidden by a shrink: the type is stale until the
    // transform looks at the pixels again.
    Sprite sprite = FromRows({"#.l"});
    sprite.SetSize({2, 1});
    ASSERT_EQ(sprite.GetType(), Grayscale);
    ASSERT_TRUE(TransformSprite(sprite, PictureTransform::FlipHorizontal));
    EXPECT_EQ(sprite.GetType(), BlackWhite);
    EXPECT_EQ(sprite.GetColor(2, 0), LightGray) << "the hidden pixel stays";

    // Inverting keeps masks: masked white becomes masked black.
    Sprite masked = FromRows({"W."});
    ASSERT_TRUE(TransformSprite(masked, PictureTransform::InvertColors));
    EXPECT_EQ(ToRows(masked), (Rows{"B#"}));
    EXPECT_EQ(masked.GetType(), BlackWhiteMasked);
}

TEST(SpriteTransforms, QuarterTurnOnlyWhenTheTurnedSizeFits)
{
    const struct {
        Point size;
        bool accepted;
    } cases[] = {
        {{240, 128}, false}, {{128, 100}, true}, {{128, 128}, true}, {{129, 1}, false}, {{1, 128}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.x << " x " << c.size.y);
        for (PictureTransform turn : {PictureTransform::RotateClockwise, PictureTransform::RotateCounterClockwise}) {
            Sprite sprite(c.size);
            sprite.SetPixel(0, 0, Black);
            const Sprite before = sprite;
            EXPECT_EQ(TransformSprite(sprite, turn), c.accepted);
            if (c.accepted) {
                EXPECT_EQ(sprite.GetSize(), (Point{c.size.y, c.size.x}));
            } else {
                EXPECT_EQ(sprite.GetSize(), c.size);
                EXPECT_EQ(std::memcmp(before.cells, sprite.cells, CellCount), 0);
            }
        }
    }
    // 128 x 100 turned clockwise: the top-left pixel goes to the top-right.
    Sprite sprite({128, 100});
    sprite.SetPixel(0, 0, Black);
    ASSERT_TRUE(TransformSprite(sprite, PictureTransform::RotateClockwise));
    EXPECT_EQ(sprite.GetColor(99, 0), Black);
    EXPECT_EQ(sprite.GetColor(0, 0), White);
}

TEST(SpriteTransforms, WholeStorageRoundTrips)
{
    // Four quarter turns and two of every mirror give the picture back, at
    // the largest size that turns: nothing lost at the borders.
    Sprite sprite({128, 128});
    for (int x = 0; x < 128; ++x)
        for (int y = 0; y < 128; ++y)
            sprite.SetPixel(x, y, static_cast<PenValue>((x * 7 + y * 3) % 4));
    sprite.SetPixel(127, 0, Mask);
    const Sprite before = sprite;
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(TransformSprite(sprite, PictureTransform::RotateClockwise));
    for (PictureTransform t : {PictureTransform::FlipHorizontal, PictureTransform::FlipVertical,
                               PictureTransform::Rotate180, PictureTransform::InvertColors}) {
        ASSERT_TRUE(TransformSprite(sprite, t));
        ASSERT_TRUE(TransformSprite(sprite, t));
    }
    EXPECT_EQ(ToRows(sprite), ToRows(before));
}

class SelectionTest : public testing::Test {
protected:
    SpriteSelection selection;
};

TEST_F(SelectionTest, DraggedRectangleIsClippedToTheSprite)
{
    const Sprite sprite = FromRows({"....", "....", "...."});
    selection.Select(sprite, {2, 1}, {10, 50});
    EXPECT_EQ(selection.Bounds(sprite), (CellRect{2, 1, 2, 2}));
    selection.Select(sprite, {3, 2}, {-5, -5});
    EXPECT_EQ(selection.Bounds(sprite), (CellRect{0, 0, 4, 3}));
    selection.Select(sprite, {10, 10}, {20, 20});
    EXPECT_FALSE(selection.IsActive(sprite));
}

TEST_F(SelectionTest, MovingLeavesWhiteAndNeverWipesWhatItPassesOver)
{
    Sprite sprite = WithHiddenPixels({"#l...", "..dd.", "....."});
    const Sprite before = sprite;
    selection.Select(sprite, {0, 0}, {1, 0});
    selection.MoveTo(sprite, {2, 1}); // over the dark pixels
    EXPECT_EQ(ToRows(sprite), (Rows{".....", "..#l.", "....."}));
    selection.MoveTo(sprite, {3, 2});
    EXPECT_EQ(ToRows(sprite), (Rows{".....", "..dd.", "...#l"}));
    // Half out of the sprite: clipped, the storage beyond untouched.
    selection.MoveTo(sprite, {4, 2});
    EXPECT_EQ(ToRows(sprite), (Rows{".....", "..dd.", "....#"}));
    ExpectStorageOutsideKept(before, sprite);
    // ...and back in, whole again.
    selection.MoveTo(sprite, {0, 2});
    EXPECT_EQ(ToRows(sprite), (Rows{".....", "..dd.", "#l..."}));
    EXPECT_EQ(sprite.GetType(), RescanType(sprite));
}

TEST_F(SelectionTest, OnAMaskedSpriteTheLeftPlaceIsMaskedWhite)
{
    Sprite sprite = FromRows({"#dW", "..."});
    selection.Select(sprite, {0, 0}, {1, 0});
    selection.MoveTo(sprite, {0, 1});
    EXPECT_EQ(ToRows(sprite), (Rows{"WWW", "#d."}));
    EXPECT_EQ(sprite.GetType(), GrayscaleMasked);
}

TEST_F(SelectionTest, CopyPasteCutAndDelete)
{
    Sprite sprite = FromRows({"....", ".#l.", ".Dd."});
    selection.Select(sprite, {1, 1}, {2, 2});
    const CellPicture copied = selection.Pixels(sprite);
    selection.Float(sprite, copied, {0, 0});
    EXPECT_EQ(ToRows(sprite), (Rows{"#l..", "Ddl.", ".Dd."}));
    EXPECT_TRUE(selection.IsFloating(sprite));
    selection.MoveTo(sprite, {2, 0});
    EXPECT_EQ(ToRows(sprite), (Rows{"..#l", ".#Dd", ".Dd."}));
    // Deleting floating pixels gives back what lay beneath them.
    selection.Erase(sprite);
    EXPECT_EQ(ToRows(sprite), (Rows{"....", ".#l.", ".Dd."}));
    // Cut of a plain selection: copy, then clear to masked white (the
    // sprite is masked).
    selection.Select(sprite, {1, 1}, {1, 2});
    const CellPicture cut = selection.Pixels(sprite);
    selection.Erase(sprite);
    EXPECT_EQ(ToRows(sprite), (Rows{"....", ".Wl.", ".Wd."}));
    selection.Float(sprite, cut, {3, 0});
    EXPECT_EQ(ToRows(sprite), (Rows{"...#", ".WlD", ".Wd."}));
    EXPECT_EQ(sprite.GetType(), RescanType(sprite));
}

TEST_F(SelectionTest, PasteLargerThanTheSpriteIsClipped)
{
    Sprite big = FromRows({"#l#l#", "d.d.d", "#####"});
    selection.Select(big, {0, 0}, {4, 2});
    const CellPicture copied = selection.Pixels(big);
    Sprite sprite = WithHiddenPixels({"..", ".."});
    const Sprite before = sprite;
    selection.Float(sprite, copied, {0, 0});
    EXPECT_EQ(ToRows(sprite), (Rows{"#l", "d."}));
    EXPECT_EQ(selection.Bounds(sprite), (CellRect{0, 0, 2, 2}));
    ExpectStorageOutsideKept(before, sprite);
}

TEST_F(SelectionTest, TransformsApplyToTheSelectionOnly)
{
    Sprite sprite = FromRows({"#l..", "d...", "...."});
    selection.Select(sprite, {0, 0}, {1, 1});
    selection.Transform(sprite, PictureTransform::FlipHorizontal);
    EXPECT_EQ(ToRows(sprite), (Rows{"l#..", ".d..", "...."}));
    selection.Transform(sprite, PictureTransform::InvertColors);
    EXPECT_EQ(ToRows(sprite), (Rows{"d...", "#l..", "...."}));
}

TEST_F(SelectionTest, QuarterTurnOfASelectionSwapsItsSides)
{
    Sprite sprite = FromRows({"#ld.", "....", "...."});
    selection.Select(sprite, {0, 0}, {2, 0});
    selection.Transform(sprite, PictureTransform::RotateClockwise);
    EXPECT_EQ(selection.Bounds(sprite), (CellRect{0, 0, 1, 3}));
    EXPECT_EQ(ToRows(sprite), (Rows{"#...", "l...", "d..."}));
    // Shifts wrap inside the selection.
    selection.Transform(sprite, PictureTransform::ShiftDown);
    EXPECT_EQ(ToRows(sprite), (Rows{"d...", "#...", "l..."}));
}

TEST_F(SelectionTest, AnotherChangeOfTheSpriteDropsFloatingPixels)
{
    Sprite sprite = FromRows({"#...", "...."});
    selection.Select(sprite, {0, 0}, {0, 0});
    selection.MoveTo(sprite, {1, 0});
    sprite.SetPixel(3, 1, Black); // a pencil stroke
    EXPECT_FALSE(selection.IsFloating(sprite));
    EXPECT_FALSE(selection.IsActive(sprite));
    // Nothing is selected any more, so nothing stale comes back.
    selection.MoveTo(sprite, {2, 0});
    selection.Erase(sprite);
    EXPECT_EQ(ToRows(sprite), (Rows{".#..", "...#"}));
}

// The drawing routines take 8, 16 or 32 columns, and wider sprites in whole
// bytes: the sprite shifted by 7 must fit.
TEST(PreShift, TheCopiesTakeTheWidthOfARoutineOrWholeBytes)
{
    const struct {
        int width;
        int shifted;
    } cases[] = {
        {1, 8}, {2, 16}, {9, 16}, {10, 32}, {16, 32}, {25, 32}, {26, 40}, {33, 40}, {34, 48}, {233, 240}, {234, 248},
    };
    for (const auto& test : cases)
        EXPECT_EQ(PreShiftedWidth(test.width), test.shifted) << test.width;
}

TEST(PreShift, EightFramesShiftedInAWiderSprite)
{
    const Sprite sprite = FromRows({"#B", "l."});
    std::vector<Sprite> frames;
    ASSERT_TRUE(PreShiftedFrames(sprite, frames));
    ASSERT_EQ(frames.size(), 8u);
    EXPECT_EQ(ToRows(frames[0]), (Rows{"#BWWWWWWWWWWWWWW", "l.WWWWWWWWWWWWWW"}));
    EXPECT_EQ(ToRows(frames[3]), (Rows{"WWW#BWWWWWWWWWWW", "WWWl.WWWWWWWWWWW"}));
    EXPECT_EQ(ToRows(frames[7]), (Rows{"WWWWWWW#BWWWWWWW", "WWWWWWWl.WWWWWWW"}));
    for (const Sprite& frame : frames)
        EXPECT_EQ(frame.GetType(), RescanType(frame));

    // Unmasked: the added columns are plain white.
    std::vector<Sprite> plain;
    ASSERT_TRUE(PreShiftedFrames(FromRows({"#"}), plain));
    EXPECT_EQ(ToRows(plain[1]), (Rows{".#......"}));
    EXPECT_EQ(ToRows(plain[7]), (Rows{".......#"})) << "the last shift ends on the last column";
    EXPECT_EQ(plain[1].GetType(), BlackWhite);
}

TEST(PreShift, RefusedBeyond240)
{
    std::vector<Sprite> frames;
    EXPECT_TRUE(PreShiftedFrames(Sprite({233, 4}), frames));
    EXPECT_EQ(frames.at(7).width, 240);
    frames.clear();
    EXPECT_FALSE(PreShiftedFrames(Sprite({234, 4}), frames));
    EXPECT_TRUE(frames.empty());
}

} // namespace
