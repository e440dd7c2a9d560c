// What tells the editor whether closing would lose work, and which reader a
// file name calls for.
#include <gtest/gtest.h>

#include "SavedState.h"
#include "SpriteText.h"
#include "history.h"
#include "sprite_file_kind.h"

namespace {

TEST(SavedState, EveryPartOfTheFileCountsTheMarksDoNot)
{
    const Sprite saved = FromRows({"#.", ".l"});
    const SavedState state(saved);
    EXPECT_FALSE(state.DiffersFrom({&saved}));

    Sprite marked = saved;
    marked.SetPixel(0, 1, Mark);
    EXPECT_FALSE(state.DiffersFrom({&marked}));

    Sprite hidden = saved;
    hidden.cells[CellIndex(200, 100)] = Black; // outside the size, yet in the file
    EXPECT_TRUE(state.DiffersFrom({&hidden}));

    Sprite resized = saved;
    resized.SetSize({3, 2});
    EXPECT_TRUE(state.DiffersFrom({&resized}));

    Sprite masked = saved;
    masked.SetPixel(1, 0, Mask);
    EXPECT_TRUE(state.DiffersFrom({&masked}));
}

// An undo back to the saved picture is unchanged again; a redo is not.
TEST(SavedState, UndoAndRedoAcrossTheSavedState)
{
    Sprite sprite = FromRows({"..", ".."});
    SpriteHistory history;
    const auto draw = [&](int x, PenValue pen) {
        history.Begin(sprite);
        sprite.SetPixel(x, 0, pen);
        history.Commit(sprite, "crayon");
    };
    draw(0, Black);
    const SavedState state(sprite);
    draw(1, DarkGray);
    EXPECT_TRUE(state.DiffersFrom({&sprite}));
    ASSERT_TRUE(history.Undo(sprite));
    EXPECT_FALSE(state.DiffersFrom({&sprite}));
    ASSERT_TRUE(history.Undo(sprite));
    EXPECT_TRUE(state.DiffersFrom({&sprite}));
    ASSERT_TRUE(history.Redo(sprite));
    EXPECT_FALSE(state.DiffersFrom({&sprite}));
}

// A set is saved whole: a change in any frame counts, wherever the editing is.
TEST(SavedState, EveryFrameOfASetCounts)
{
    Sprite first = FromRows({".."});
    Sprite second = FromRows({"#."});
    SavedState state(first);
    state.Take({&first, &second});
    EXPECT_FALSE(state.DiffersFrom({&first, &second}));
    EXPECT_TRUE(state.DiffersFrom({&first}));
    second.SetPixel(1, 0, Black);
    EXPECT_TRUE(state.DiffersFrom({&first, &second}));
    second.SetPixel(1, 0, White);
    EXPECT_FALSE(state.DiffersFrom({&first, &second}));
    EXPECT_TRUE(state.DiffersFrom({&second, &first}));
}

TEST(SpriteFileKind, TheExtensionOfTheNameInAnyCase)
{
    const std::pair<const char*, SpriteFileKind> cases[] = {
        {"/home/u/balle.pixo", SpriteFileKind::Native},
        {"BALLE.PIXO", SpriteFileKind::Native},
        {"planche.pixs", SpriteFileKind::Native},
        {"ecran.89i", SpriteFileKind::CalculatorPicture},
        {"ecran.9XI", SpriteFileKind::CalculatorPicture},
        {"a.b/ecran.v2i", SpriteFileKind::CalculatorPicture},
        {"ecran.v2i.txt", SpriteFileKind::Unknown},
        {"sprites.pixo/notes", SpriteFileKind::Unknown},
        {"fichier9xi", SpriteFileKind::Unknown},
        {".pixo", SpriteFileKind::Unknown},
        {"", SpriteFileKind::Unknown},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(SpriteFileKindOf(path), kind) << path;
}

} // namespace
