// Each tool's entry through the document: the cell it takes when the drag
// ends beside the grid, what it draws and the name of its step.
#include <gtest/gtest.h>

#include <string>

#include "SpriteDocument.h"
#include "SpriteText.h"

namespace {

constexpr int Left = 0;

// From the top-right cell to the pointer beside the grid, below and left of
// it, whose nearest cell is the bottom-left one. A value that is no tool
// draws nothing.
TEST(DrawingToolEntries, EachToolDragsOutOfTheGridAsItsEntrySays)
{
    const struct {
        int tool;
        Rows expected;
        std::string step; // empty: no step kept
    } cases[] = {
        {ToolPencil, {"...#", "....", "...."}, "crayon"},
        {ToolLine, {"....", "....", "...."}, ""},
        {ToolFill, {"####", "####", "####"}, "remplissage"},
        {ToolSelection, {"....", "....", "...."}, ""},
        {ToolRectangle, {"####", "#..#", "####"}, "rectangle"},
        {ToolFilledRectangle, {"####", "####", "####"}, "rectangle plein"},
        {ToolEllipse, {".##.", "#..#", ".##."}, "ellipse"},
        {ToolFilledEllipse, {".##.", "####", ".##."}, "ellipse pleine"},
        {ToolEyedropper, {"....", "....", "...."}, ""},
        {42, {"....", "....", "...."}, ""},
    };
    constexpr Point beside{-1, -1};
    constexpr Point nearest{0, 2};
    for (const auto& test : cases) {
        SpriteDocument document({4, 3});
        document.MouseDown(test.tool, Left, Black, {3, 0});
        document.MouseMove(test.tool, beside, nearest);
        document.MouseUp(test.tool, Left, beside, nearest);
        EXPECT_EQ(ToRows(document.Current()), test.expected) << test.tool;
        EXPECT_EQ(document.CanUndo() ? document.UndoLabel() : "", test.step) << test.tool;
        EXPECT_FALSE(document.Current().IsMarked(0, 2)) << test.tool << ": no preview is left";
    }
}

} // namespace
