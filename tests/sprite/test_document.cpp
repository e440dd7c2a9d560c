// The document without a window: its gestures, the undo steps its commands
// and gestures make (on the frame each was made on, cut where a command runs
// in the middle of a gesture), what each command says it changed, and the
// loads, transforms and selection commands built on it; and what the
// editor makes of its cells without a window: the cells on the clipboard
// and the onion skin of the previous frame.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "EditCommands.h"
#include "FrameCommands.h"
#include "LoadCommands.h"
#include "PreShift.h"
#include "SelectionCommands.h"
#include "SpriteDocument.h"
#include "SpriteText.h"
#include "TransformCommands.h"
#include "cell_clipboard.h"
#include "onion_skin.h"
#include "set_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int Left = 0;
constexpr int Right = 1;
constexpr int Middle = 2;

// One event of the mouse over the view, or a command run between events.
struct Step {
    enum Kind { Down, Move, Up, Command } kind;
    int button = Left;
    PenValue pen = Black;
    Point cell{0, 0};
    std::function<void(SpriteDocument&)> command = nullptr;
};

Step Down(int button, PenValue pen, Point cell)
{
    return {Step::Down, button, pen, cell};
}
Step Move(Point cell)
{
    return {Step::Move, Left, Black, cell};
}
Step Up(int button, Point cell)
{
    return {Step::Up, button, Black, cell};
}
Step During(std::function<void(SpriteDocument&)> command)
{
    return {Step::Command, Left, Black, {0, 0}, std::move(command)};
}

void Play(SpriteDocument& document, int tool, const std::vector<Step>& steps)
{
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Down:
            document.MouseDown(tool, step.button, step.pen, step.cell);
            break;
        case Step::Move:
            document.MouseMove(tool, step.cell, step.cell);
            break;
        case Step::Up:
            document.MouseUp(tool, step.button, step.cell);
            break;
        case Step::Command:
            step.command(document);
            break;
        }
    }
}

std::vector<Rows> FramesOf(const SpriteDocument& document)
{
    std::vector<Rows> frames;
    for (int k = 0; k < document.Frames().Count(); ++k)
        frames.push_back(ToRows(document.Frames().Frame(k)));
    return frames;
}

// A document whose frames are the rows given, frame 0 current, nothing to undo.
void Fill(SpriteDocument& document, const std::vector<Rows>& frames)
{
    document.Editing() = FromRows(frames.front());
    for (std::size_t k = 1; k < frames.size(); ++k)
        ASSERT_TRUE(
            document.InsertFrame(static_cast<int>(k), std::make_unique<Sprite>(FromRows(frames[k])), "").frames);
    document.SelectFrame(0);
    document.StartNewHistory();
}

// Undoes every step: the name of each and the current frame after it.
std::vector<std::string> UndoAll(SpriteDocument& document, std::vector<Rows>* pictures = nullptr)
{
    std::vector<std::string> labels;
    while (document.CanUndo()) {
        labels.push_back(document.UndoLabel());
        document.Undo();
        if (pictures)
            pictures->push_back(ToRows(document.Current()));
    }
    return labels;
}

using Labels = std::vector<std::string>;

TEST(DrawingGestures, EachToolDrawsWithThePenEachButtonWasPressedWith)
{
    const struct {
        const char* what;
        int tool;
        std::vector<Step> steps;
        Rows expected;
    } cases[] = {
        {"pencil stroke", ToolPencil, {Down(Left, Black, {0, 0}), Move({3, 0}), Up(Left, {3, 0})}, {"####", "...."}},
        {"the last button held paints last",
         ToolPencil,
         {Down(Left, Black, {0, 1}), Down(Right, LightGray, {0, 1}), Move({2, 1}), Up(Right, {2, 1}), Move({3, 1}),
          Up(Left, {3, 1})},
         {"....", "ll##"}},
        {"the middle button paints over both",
         ToolPencil,
         {Down(Left, Black, {1, 0}), Down(Middle, DarkGray, {1, 0}), Down(Right, LightGray, {1, 0})},
         {".d..", "...."}},
        {"line drawn on release",
         ToolLine,
         {Down(Left, Black, {0, 0}), Move({1, 1}), Up(Left, {3, 1})},
         {"##..", "..##"}},
        {"fill", ToolFill, {Down(Right, LightGray, {3, 1})}, {"llll", "llll"}},
        {"mask pen", ToolPencil, {Down(Left, Mask, {2, 1}), Up(Left, {2, 1})}, {"....", "..W."}},
        {"release without press", ToolLine, {Up(Left, {3, 1})}, {"....", "...."}},
        {"selection tool draws nothing",
         ToolSelection,
         {Down(Left, Black, {0, 0}), Up(Left, {0, 0})},
         {"....", "...."}},
    };
    for (const auto& test : cases) {
        SpriteDocument document;
        document.Editing() = FromRows({"....", "...."});
        Play(document, test.tool, test.steps);
        EXPECT_EQ(ToRows(document.Current()), test.expected) << test.what;
    }
}

TEST(DrawingGestures, TheLinePreviewsInMarksUntilItsRelease)
{
    SpriteDocument document;
    document.Editing() = FromRows({"...", "..."});
    Play(document, ToolLine, {Down(Left, Black, {0, 0}), Move({2, 1})});
    EXPECT_TRUE(document.Current().IsMarked(2, 1));
    EXPECT_EQ(ToRows(document.Current()), (Rows{"...", "..."}));
    Play(document, ToolLine, {Up(Left, {2, 0})});
    EXPECT_FALSE(document.Current().IsMarked(2, 1));
    EXPECT_EQ(ToRows(document.Current()), (Rows{"###", "..."}));
}

TEST(DocumentSteps, EachGestureIsOneStepNamedAfterItsToolAndAChangelessOneIsNone)
{
    const struct {
        int tool;
        std::vector<Step> steps;
        Labels labels;
    } cases[] = {
        {ToolPencil,
         {Down(Left, Black, {0, 0}), Down(Right, LightGray, {1, 1}), Move({2, 1}), Up(Left, {2, 1}), Move({3, 0}),
          Up(Right, {3, 0})},
         {"crayon"}},
        {ToolFill,
         {Down(Left, Black, {0, 0}), Up(Left, {0, 0}), Down(Left, Black, {0, 0}), Up(Left, {0, 0})},
         {"remplissage"}},
        {ToolLine, {Down(Left, White, {0, 0}), Move({3, 1}), Up(Left, {3, 1})}, {}},
        {ToolLine, {Down(Left, DarkGray, {0, 0}), Up(Left, {3, 1})}, {"ligne"}},
    };
    for (const auto& test : cases) {
        SpriteDocument document;
        document.Editing() = FromRows({"....", "...."});
        Play(document, test.tool, test.steps);
        std::vector<Rows> pictures;
        EXPECT_EQ(UndoAll(document, &pictures), test.labels) << ToolStepLabel(test.tool);
        EXPECT_EQ(ToRows(document.Current()), (Rows{"....", "...."}));
    }
}

// What was drawn before the command, the command and what was drawn after
// are three steps, each undone to a picture the user saw.
TEST(DocumentSteps, ACommandInTheMiddleOfAGestureCutsItInThree)
{
    const auto flip = [](SpriteDocument& document) { TransformPicture(document, PictureTransform::FlipHorizontal); };
    const struct {
        const char* what;
        std::function<void(SpriteDocument&)> gesture;
        Labels labels;
        std::vector<Rows> undone;
    } cases[] = {
        {"pencil stroke",
         [&](SpriteDocument& document) {
             Play(document, ToolPencil,
                  {Down(Left, Black, {0, 0}), Move({1, 0}), During([](SpriteDocument& d) {
                       Resize(d, {3, 2});
                   }),
                   Move({1, 1}), Up(Left, {1, 1})});
         },
         {"crayon", "taille", "crayon"},
         {{"##.", "..."}, {"##..", "....", "...."}, {"....", "....", "...."}}},
        {"Space stroke",
         [&](SpriteDocument& document) {
             document.KeyboardPenDown(DarkGray);
             document.MoveKeyboardCell(1, 0);
             flip(document);
             document.MoveKeyboardCell(0, 1);
             document.EndKeyboardStroke();
         },
         {"crayon au clavier", "miroir horizontal", "crayon au clavier"},
         {{"..dd", "....", "...."}, {"dd..", "....", "...."}, {"....", "....", "...."}}},
        {"selection drag",
         [&](SpriteDocument& document) {
             document.Editing() = FromRows({"#l..", "....", "...."});
             Play(document, ToolSelection,
                  {Down(Left, Black, {0, 0}), Move({1, 0}), Up(Left, {1, 0}), Down(Left, Black, {0, 0}), Move({1, 0}),
                   During(flip), Move({1, 2}), Up(Left, {1, 2})});
         },
         {"déplacement de la sélection", "miroir horizontal", "déplacement de la sélection"},
         {{".l#.", "....", "...."}, {".#l.", "....", "...."}, {"#l..", "....", "...."}}},
    };
    for (const auto& test : cases) {
        SpriteDocument document;
        document.Editing() = FromRows({"....", "....", "...."});
        test.gesture(document);
        std::vector<Rows> pictures;
        EXPECT_EQ(UndoAll(document, &pictures), test.labels) << test.what;
        EXPECT_EQ(pictures, test.undone) << test.what;
    }
}

// A step opened by a gesture is recorded on the frame being edited, so its
// undo goes back to that frame whatever frame is current.
TEST(DocumentSteps, EveryGestureUndoesOnTheFrameItWasMadeOn)
{
    const struct {
        const char* what;
        std::function<void(SpriteDocument&)> gesture;
    } cases[] = {
        {"pencil",
         [](SpriteDocument& d) {
             Play(d, ToolPencil, {Down(Left, Black, {1, 0}), Up(Left, {1, 0})});
         }},
        {"Space stroke",
         [](SpriteDocument& d) {
             d.KeyboardPenDown(Black);
             d.MoveKeyboardCell(1, 0);
             d.EndKeyboardStroke();
         }},
        {"selection drag",
         [](SpriteDocument& d) {
             Play(d, ToolSelection,
                  {Down(Left, Black, {0, 1}), Move({0, 1}), Up(Left, {0, 1}), Down(Left, Black, {0, 1}), Move({1, 0}),
                   Up(Left, {1, 0})});
         }},
    };
    for (const auto& test : cases) {
        SpriteDocument document;
        Fill(document, {{"..", ".."}, {"..", "#."}});
        GoToNextFrame(document);
        test.gesture(document);
        const std::vector<Rows> drawn = FramesOf(document);
        ASSERT_NE(drawn[1], (Rows{"..", "#."})) << test.what;
        GoToPreviousFrame(document);
        document.Undo();
        EXPECT_EQ(document.Frames().Current(), 1) << test.what;
        EXPECT_EQ(FramesOf(document), (std::vector<Rows>{{"..", ".."}, {"..", "#."}})) << test.what;
        document.Redo();
        EXPECT_EQ(FramesOf(document), drawn) << test.what;
    }
}

TEST(DocumentSteps, AFrameChangeDuringAStrokeLeavesEachPartOnItsFrame)
{
    SpriteDocument document;
    Fill(document, {{"...", "..."}, {"...", "..."}});
    Play(document, ToolPencil,
         {Down(Left, Black, {0, 0}), Move({1, 0}), During([](SpriteDocument& d) { GoToNextFrame(d); }), Move({2, 1}),
          Up(Left, {2, 1})});
    // The stroke goes on from the last cell it reached.
    EXPECT_EQ(FramesOf(document), (std::vector<Rows>{{"##.", "..."}, {".#.", "..#"}}));
    document.Undo();
    EXPECT_EQ(document.Frames().Current(), 1);
    EXPECT_EQ(FramesOf(document), (std::vector<Rows>{{"##.", "..."}, {"...", "..."}}));
    document.Undo();
    EXPECT_EQ(document.Frames().Current(), 0);
    EXPECT_EQ(FramesOf(document), (std::vector<Rows>{{"...", "..."}, {"...", "..."}}));
}

TEST(DocumentSteps, ALinesPreviewFollowsItToTheNextFrame)
{
    SpriteDocument document;
    Fill(document, {{"...", "..."}, {"...", "..."}});
    Play(document, ToolLine,
         {Down(Left, Black, {0, 0}), Move({2, 1}), During([](SpriteDocument& d) { GoToNextFrame(d); }), Move({2, 0})});
    EXPECT_FALSE(document.Frames().Frame(0).IsMarked(2, 1));
    EXPECT_TRUE(document.Current().IsMarked(2, 0));
    Play(document, ToolLine, {Up(Left, {2, 0})});
    EXPECT_EQ(FramesOf(document), (std::vector<Rows>{{"...", "..."}, {"###", "..."}}));
}

TEST(DocumentSteps, FrameCommandsWaitUntilTheGestureEnds)
{
    const std::function<DocumentChange(SpriteDocument&)> commands[] = {AddBlankFrame, DuplicateFrame, DeleteFrame,
                                                                       MoveFrameEarlier};
    for (const auto& command : commands) {
        SpriteDocument document;
        Fill(document, {{"."}, {"l"}});
        GoToNextFrame(document);
        document.MouseDown(ToolPencil, Left, Black, {0, 0});
        EXPECT_FALSE(command(document).Any());
        EXPECT_EQ(document.Frames().Count(), 2);
        document.MouseUp(ToolPencil, Left, {0, 0});
        EXPECT_TRUE(command(document).frames);
    }
}

// A drag in the overview: frame from goes to place to, becomes the one
// edited, and one undo puts back the order and the frame edited before.
TEST(DocumentSteps, MovingAFrameAnywhereIsOneStepThatUndoesWhole)
{
    struct Case {
        int current, from, to;
        std::string order; // the frames after the move, by their one pixel
        bool moved;
    };
    const Case cases[] = {
        {0, 0, 4, "ldW.#", true},  // the first to the end
        {2, 4, 0, ".#ldW", true},  // the last to the front, another frame edited
        {0, 1, 3, "#dWl.", true},  // forward: those between move back by one
        {4, 3, 1, "#Wld.", true},  // backward
        {1, 2, 2, "#ldW.", false}, // onto itself
        {1, 5, 0, "#ldW.", false}, // beyond the last
        {1, 0, -1, "#ldW.", false},
    };
    for (const Case& c : cases) {
        SpriteDocument document;
        Fill(document, {{"#"}, {"l"}, {"d"}, {"W"}, {"."}});
        document.SelectFrame(c.current);
        const DocumentChange change = MoveFrameTo(document, c.from, c.to);
        std::string order;
        for (const Rows& frame : FramesOf(document))
            order += frame[0];
        EXPECT_EQ(order, c.order) << c.from << " to " << c.to;
        EXPECT_EQ(change.frames, c.moved) << c.from << " to " << c.to;
        EXPECT_EQ(document.CanUndo(), c.moved) << c.from << " to " << c.to;
        EXPECT_EQ(document.Frames().Current(), c.moved ? c.to : c.current) << c.from << " to " << c.to;
        if (!c.moved)
            continue;
        EXPECT_EQ(UndoAll(document), Labels{"déplacement d'image"});
        EXPECT_EQ(FramesOf(document), (std::vector<Rows>{{"#"}, {"l"}, {"d"}, {"W"}, {"."}})) << c.from;
        EXPECT_EQ(document.Frames().Current(), c.current) << c.from << " to " << c.to;
        document.Redo();
        EXPECT_EQ(FramesOf(document)[c.to][0][0], "#ldW."[c.from]) << "redone";
    }
}

TEST(DocumentSteps, ANewHistoryKeepsWhatTheHeldStrokeDrawsNext)
{
    SpriteDocument document;
    document.Editing() = FromRows({"...", "..."});
    Play(document, ToolPencil, {Down(Left, Black, {0, 0}), During([](SpriteDocument& d) { d.StartNewHistory(); })});
    EXPECT_FALSE(document.CanUndo());
    Play(document, ToolPencil, {Move({2, 0}), Up(Left, {2, 0})});
    std::vector<Rows> pictures;
    EXPECT_EQ(UndoAll(document, &pictures), (Labels{"crayon"}));
    EXPECT_EQ(pictures, (std::vector<Rows>{{"#..", "..."}}));
}

TEST(DocumentChanges, EachCommandSaysWhatItChanged)
{
    using Flags = std::array<bool, 5>; // pixels, size, frames, selection, history
    const struct {
        const char* what;
        std::function<DocumentChange(SpriteDocument&)> command;
        Flags expected;
    } cases[] = {
        {"size",
         [](SpriteDocument& d) {
             return Resize(d, {2, 2});
         },
         {true, false, false, false, true}},
        {"refused size",
         [](SpriteDocument& d) {
             return Resize(d, {300, 2});
         },
         {true, false, false, false, true}},
        {"mirror",
         [](SpriteDocument& d) { return TransformPicture(d, PictureTransform::FlipVertical).change; },
         {true, true, false, false, true}},
        {"undo", [](SpriteDocument& d) { return d.Undo(); }, {true, true, true, true, true}},
        {"redo with nothing to redo", [](SpriteDocument& d) { return d.Redo(); }, {}},
        {"next frame of the last", GoToNextFrame, {}},
        {"new frame", AddBlankFrame, {true, true, true, true, true}},
        {"deselect without a selection", [](SpriteDocument& d) { return d.Deselect(); }, {}},
        {"delete without a selection", DeleteSelection, {}},
        {"pointer over the grid, cursor hidden",
         [](SpriteDocument& d) {
             return d.MouseMove(ToolPencil, {1, 1}, {1, 1});
         },
         {}},
        {"keyboard cursor",
         [](SpriteDocument& d) { return d.MoveKeyboardCell(1, 0); },
         {false, false, false, true, false}},
        {"paste",
         [](SpriteDocument& d) {
             return PasteCells(d, CellPicture(1, 1), {0, 0});
         },
         {true, false, false, true, true}},
    };
    for (const auto& test : cases) {
        SpriteDocument document;
        document.Editing() = FromRows({"#..", "..."});
        ClearFrame(document);
        const DocumentChange change = test.command(document);
        EXPECT_EQ((Flags{change.pixels, change.size, change.frames, change.selection, change.history}), test.expected)
            << test.what;
    }
}

TEST(DocumentSavedState, OnlyWhatAFileHoldsCountsAsSaved)
{
    SpriteDocument document;
    Fill(document, {{"#."}, {".l"}});
    document.MarkSaved(SpriteDocument::Saved::CurrentFrame);
    EXPECT_TRUE(document.IsChangedSinceSaved()) << "one frame of two in the file";
    document.MarkSaved(SpriteDocument::Saved::WholeSet);
    EXPECT_FALSE(document.IsChangedSinceSaved());
    ClearFrame(document);
    EXPECT_TRUE(document.IsChangedSinceSaved());
    document.Undo();
    EXPECT_FALSE(document.IsChangedSinceSaved());
}

TEST(TransformCommands, WhatWouldNotFitAScreenIsRefusedWithTheSizeItWouldMake)
{
    const struct {
        Point size;
        bool selected;
        std::function<TransformOutcome(SpriteDocument&)> command;
        std::optional<Point> tooLarge;
    } cases[] = {
        {{240, 128},
         false,
         [](SpriteDocument& d) { return TransformPicture(d, PictureTransform::RotateClockwise); },
         Point{128, 240}},
        {{240, 128},
         true,
         [](SpriteDocument& d) { return TransformPicture(d, PictureTransform::RotateClockwise); },
         std::nullopt},
        {{128, 128},
         false,
         [](SpriteDocument& d) { return TransformPicture(d, PictureTransform::Rotate180); },
         std::nullopt},
        {{234, 5}, false, PreShiftFrames, Point{248, 5}},
        {{233, 5}, false, PreShiftFrames, std::nullopt},
    };
    for (const auto& test : cases) {
        SpriteDocument document(test.size);
        document.Editing().SetPixel(0, 0, Black);
        if (test.selected)
            Play(document, ToolSelection, {Down(Left, Black, {0, 0}), Move({3, 3}), Up(Left, {3, 3})});
        const TransformOutcome outcome = test.command(document);
        EXPECT_EQ(outcome.tooLarge.has_value(), test.tooLarge.has_value()) << test.size.x;
        if (outcome.tooLarge && test.tooLarge) {
            EXPECT_EQ(*outcome.tooLarge, *test.tooLarge);
        }
        EXPECT_EQ(document.CanUndo(), !test.tooLarge) << "a refusal is no step";
    }
}

// Frame k's eight shifts come together, in the order of the frames; one
// undo brings the set back as it was.
TEST(TransformCommands, PreShiftShiftsEveryFrameOfTheSetInOneStep)
{
    SpriteDocument document;
    Fill(document, {{"#.", ".."}, {".l", ".."}, {"..", "D."}});
    GoToNextFrame(document);
    const TransformOutcome outcome = PreShiftFrames(document);
    ASSERT_FALSE(outcome.tooLarge || outcome.tooManyFrames);
    const std::vector<Rows> frames = FramesOf(document);
    ASSERT_EQ(frames.size(), 24u);
    const struct {
        int frame;
        Rows rows;
    } cases[] = {
        {0, {"#...............", "................"}},  {7, {".......#........", "................"}},
        {8, {".l..............", "................"}},  {11, {"....l...........", "................"}},
        {16, {"..WWWWWWWWWWWWWW", "D.WWWWWWWWWWWWWW"}}, {23, {"WWWWWWW..WWWWWWW", "WWWWWWWD.WWWWWWW"}},
    };
    for (const auto& test : cases)
        EXPECT_EQ(frames[test.frame], test.rows) << "frame " << test.frame;
    EXPECT_EQ(document.Frames().Current(), 0);
    EXPECT_EQ(document.UndoLabel(), "pré-décalage");

    document.Undo();
    EXPECT_EQ(FramesOf(document), (std::vector<Rows>{{"#.", ".."}, {".l", ".."}, {"..", "D."}}));
    EXPECT_FALSE(document.CanUndo()) << "one step";
}

// 8 copies of each frame must stay within the frames of a set.
TEST(TransformCommands, PreShiftRefusesASetThatWouldHaveTooManyFrames)
{
    // The first count refused; the set stays as it was.
    const int frames = MaxFrames / PreShiftCount + 1;
    SpriteDocument document(Point{4, 2});
    for (int k = 1; k < frames; ++k)
        AddBlankFrame(document);
    document.StartNewHistory();
    const TransformOutcome outcome = PreShiftFrames(document);
    EXPECT_EQ(outcome.tooManyFrames, frames * PreShiftCount);
    EXPECT_EQ(document.Frames().Count(), frames);
    EXPECT_FALSE(document.CanUndo()) << "a refusal is no step";
}

TEST(SelectionCommands, CopyCutAndPasteGoThroughTheSelection)
{
    SpriteDocument document;
    document.Editing() = FromRows({"#l.", "d#."});
    const CopiedCells whole = CellsToCopy(document);
    EXPECT_FALSE(whole.selected);
    EXPECT_EQ(whole.cells.cells.size(), 6u) << "without a selection, the whole frame";

    Play(document, ToolSelection, {Down(Left, Black, {0, 0}), Move({0, 1}), Up(Left, {0, 1})});
    const CopiedCells copied = CellsToCopy(document);
    EXPECT_TRUE(copied.selected);
    CutSelection(document);
    EXPECT_EQ(ToRows(document.Current()), (Rows{".l.", ".#."}));
    EXPECT_EQ(document.UndoLabel(), "coupe");

    PasteCells(document, copied.cells, copied.origin);
    EXPECT_TRUE(document.IsSelectionFloating());
    EXPECT_EQ(ToRows(document.Current()), (Rows{"#l.", "d#."}));
    Play(document, ToolSelection, {Down(Left, Black, {0, 0}), Move({2, 0}), Up(Left, {2, 0})});
    EXPECT_EQ(ToRows(document.Current()), (Rows{".l#", ".#d"})) << "the pasted cells floated over the rest";
    document.Deselect();
    EXPECT_FALSE(DeleteSelection(document).Any());
}

CellPicture CellsOf(const Rows& rows)
{
    const Sprite sprite = FromRows(rows);
    return CopyCells(sprite, SpriteArea(sprite));
}

// The cells land where they were copied from, cut at the frame's edges.
TEST(SelectionCommands, PasteLandsInPlaceClippedToTheFrame)
{
    const struct {
        const char* what;
        Point origin;
        Rows expected;
        CellRect selected;
    } cases[] = {
        {"inside", {1, 1}, {"....", ".#l.", "..D."}, {1, 1, 2, 2}},
        {"at the top-left corner", {0, 0}, {"#l..", ".D..", "...."}, {0, 0, 2, 2}},
        {"over the right edge", {3, 0}, {"...#", "....", "...."}, {3, 0, 1, 2}},
        {"over the top and left edges", {-1, -1}, {"D...", "....", "...."}, {0, 0, 1, 1}},
        {"beside the frame", {4, 0}, {"....", "....", "...."}, {0, 0, 0, 0}},
    };
    for (const auto& test : cases) {
        SpriteDocument document;
        document.Editing() = FromRows({"....", "....", "...."});
        PasteCells(document, CellsOf({"#l", ".D"}), test.origin);
        EXPECT_EQ(ToRows(document.Current()), test.expected) << test.what;
        EXPECT_EQ(document.SelectionBounds(), test.selected) << test.what;
    }
}

// Copied on one frame, the cells come back at the same cells of another.
TEST(SelectionCommands, CopiedCellsKeepTheirPlaceOnAnotherFrame)
{
    SpriteDocument document;
    Fill(document, {{"....", ".##.", ".l.."}, {"....", "....", "...."}});
    Play(document, ToolSelection, {Down(Left, Black, {1, 1}), Move({2, 2}), Up(Left, {2, 2})});
    const CopiedCells copied = CellsToCopy(document);
    EXPECT_EQ(copied.origin, (Point{1, 1}));
    GoToNextFrame(document);
    PasteCells(document, copied.cells, copied.origin);
    EXPECT_EQ(ToRows(document.Current()), (Rows{"....", ".##.", ".l.."}));
    EXPECT_EQ(CellsToCopy(document).origin, (Point{1, 1})) << "the pasted cells, selected where they are";
}

// However often the pasted cells are moved while they float, one undo takes
// the whole paste away; a move once they were dropped is a step of its own.
TEST(SelectionCommands, OneUndoTakesAMovedPasteAway)
{
    const auto drag = [](Point from, Point to) {
        return std::vector<Step>{Down(Left, Black, from), Move(to), Up(Left, to)};
    };
    const auto dropped = [](SpriteDocument& document) { document.Deselect(); };
    const struct {
        const char* what;
        Point pastedAt;
        std::vector<std::vector<Step>> gestures;
        Labels labels; // of the steps undone, the newest first
        Rows afterOneUndo;
    } cases[] = {
        {"moved once", {1, 1}, {drag({1, 1}, {2, 0})}, {"collage"}, {"#...", "....", "...#"}},
        {"moved twice", {1, 1}, {drag({1, 1}, {1, 0}), drag({1, 0}, {0, 2})}, {"collage"}, {"#...", "....", "...#"}},
        // Cut to one black cell over the black cell there: the paste itself
        // changes nothing.
        {"pasted over the same cells", {3, 2}, {drag({3, 2}, {0, 1})}, {"collage"}, {"#...", "....", "...#"}},
        {"dropped, then moved",
         {1, 1},
         {{During(dropped)}, drag({1, 1}, {2, 1}), drag({1, 1}, {1, 0})},
         {"déplacement de la sélection", "collage"},
         {"#...", ".##.", "...#"}},
    };
    for (const auto& test : cases) {
        SpriteDocument document;
        document.Editing() = FromRows({"#...", "....", "...#"});
        PasteCells(document, CellsOf({"##"}), test.pastedAt);
        for (const std::vector<Step>& gesture : test.gestures)
            Play(document, ToolSelection, gesture);
        std::vector<Rows> pictures;
        EXPECT_EQ(UndoAll(document, &pictures), test.labels) << test.what;
        ASSERT_FALSE(pictures.empty());
        EXPECT_EQ(pictures.front(), test.afterOneUndo) << test.what;
    }
}

class LoadCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    std::string File(const std::string& name) const { return (folder / name).string(); }

    fs::path folder = fs::temp_directory_path() / ("pixora-document-" + std::to_string(getpid()));
};

bool ReadFourWide(Sprite& sprite, const std::string&)
{
    sprite = FromRows({"#.ld"});
    return true;
}

bool RefuseEverything(Sprite&, const std::string&)
{
    return false;
}

TEST_F(LoadCommandsTest, AFileTakesThePlaceOfTheFrameOrOfTheSet)
{
    ASSERT_TRUE(FromRows({"dd"}).SaveToFile(File("one.pixo")));
    const Sprite a = FromRows({"#."}), b = FromRows({".#"});
    ASSERT_TRUE(SaveSpriteSetFile(File("two.pixs"), {&a, &b}));
    const auto loadPixo = [](Sprite& sprite, const std::string& path) { return sprite.LoadFromFile(path); };

    const struct {
        const char* what;
        std::vector<Rows> before;
        SpriteReader reader;
        std::string file;
        LoadInto target;
        std::optional<Point> slice;
        LoadOutcome outcome;
        std::vector<Rows> after;
    } cases[] = {
        {"a .pixo in a set of one",
         {{"##"}},
         loadPixo,
         "one.pixo",
         LoadInto::WholeSet,
         {},
         LoadOutcome::Loaded,
         {{"dd"}}},
        {"a .pixo replaces a set",
         {{"##"}, {"ll"}},
         loadPixo,
         "one.pixo",
         LoadInto::WholeSet,
         {},
         LoadOutcome::Loaded,
         {{"dd"}}},
        {"a .pixs", {{"##"}}, loadPixo, "two.pixs", LoadInto::WholeSet, {}, LoadOutcome::Loaded, {{"#."}, {".#"}}},
        {"a picture into the frame",
         {{"##"}, {"ll"}},
         ReadFourWide,
         "x.89i",
         LoadInto::CurrentFrame,
         {},
         LoadOutcome::Loaded,
         {{"#.ld"}, {"ll.."}}},
        {"a picture sliced",
         {{"##"}},
         ReadFourWide,
         "x.89i",
         LoadInto::CurrentFrame,
         Point{1, 1},
         LoadOutcome::Loaded,
         {{"#"}, {"."}, {"l"}, {"d"}}},
        {"a slice wider than the picture",
         {{"##"}},
         ReadFourWide,
         "x.89i",
         LoadInto::CurrentFrame,
         Point{5, 1},
         LoadOutcome::Explained,
         {{"##"}}},
        {"a refused picture",
         {{"##"}, {"ll"}},
         RefuseEverything,
         "x.89i",
         LoadInto::CurrentFrame,
         {},
         LoadOutcome::Refused,
         {{"##"}, {"ll"}}},
        {"a missing set file", {{"##"}}, loadPixo, "none.pixs", LoadInto::WholeSet, {}, LoadOutcome::Refused, {{"##"}}},
    };
    for (const auto& test : cases) {
        SpriteDocument document;
        Fill(document, test.before);
        const LoadResult result =
            ReadIntoFrames(document, test.reader, File(test.file), test.target, test.slice, "chargement");
        EXPECT_EQ(result.outcome, test.outcome) << test.what;
        EXPECT_EQ(FramesOf(document), test.after) << test.what;
        EXPECT_EQ(document.CanUndo(), test.outcome == LoadOutcome::Loaded) << test.what;
        if (result.outcome == LoadOutcome::Explained) {
            EXPECT_EQ(result.pictureSize, (Point{4, 1}));
            EXPECT_EQ(result.frameCount, 0);
        }
    }
}

TEST(CellClipboard, CellsGoOutByteForByteAndComeBackWithMasksAndGrays)
{
    CellPicture picture(3, 2);
    picture.cells = {Black, White + MaskOffset, LightGray, DarkGray + MaskOffset, White, Black + MaskOffset};
    const std::string bytes = EncodeCells(picture);
    EXPECT_EQ(bytes, std::string("\x03\x00\x02\x00\x03\x0F\x01\x11\x00\x12", 10));
    CellPicture read;
    ASSERT_TRUE(DecodeCells(bytes, read));
    EXPECT_EQ(read.width, 3);
    EXPECT_EQ(read.height, 2);
    EXPECT_EQ(read.cells, picture.cells);

    CellPicture widest(MaxWidth, MaxHeight);
    ASSERT_TRUE(DecodeCells(EncodeCells(widest), read));
    EXPECT_EQ(read.width, MaxWidth);
}

TEST(CellClipboard, AnythingMalformedIsRefusedWhole)
{
    const std::string oneByOne("\x01\x00\x01\x00", 4);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"nothing", ""},
        {"half a header", std::string("\x01\x00\x01", 3)},
        {"no width", std::string("\x00\x00\x01\x00", 4) + '\0'},
        {"241 wide", std::string("\xF1\x00\x01\x00", 4) + std::string(241, '\0')},
        {"129 high", std::string("\x01\x00\x81\x00", 4) + std::string(129, '\0')},
        {"a cell short", oneByOne},
        {"a byte too many", oneByOne + std::string(2, '\0')},
        {"the mask pen as a cell", oneByOne + '\x04'},
        {"below the masked cells", oneByOne + '\x0E'},
        {"above the masked cells", oneByOne + '\x13'},
        {"a negative cell", oneByOne + '\x80'},
    };
    for (const auto& test : cases) {
        CellPicture picture(2, 1);
        picture.cells = {Black, LightGray};
        EXPECT_FALSE(DecodeCells(test.bytes, picture)) << test.what;
        EXPECT_EQ(picture.width, 2) << test.what;
        EXPECT_EQ(picture.cells, (std::vector<int8_t>{Black, LightGray})) << test.what;
    }
}

// Beside the cells, where they were: cells without it land at the top-left.
TEST(CellClipboard, TheCellsPlaceGoesBesideThem)
{
    const struct {
        std::string bytes;
        bool read;
        Point origin;
    } cases[] = {
        {std::string("\x03\x00\x7F\x00", 4), true, {3, 127}},
        {std::string("\xFF\xFF\xFE\xFF", 4), true, {-1, -2}},
        {std::string("\x03\x00\x7F", 3), false, {5, 5}},
        {std::string("\x03\x00\x7F\x00\x00", 5), false, {5, 5}},
        {"", false, {5, 5}},
    };
    for (const auto& test : cases) {
        Point origin{5, 5};
        EXPECT_EQ(DecodeCellOrigin(test.bytes, origin), test.read) << test.bytes.size();
        EXPECT_EQ(origin, test.origin) << test.bytes.size();
        if (test.read) {
            EXPECT_EQ(EncodeCellOrigin(test.origin), test.bytes);
        }
    }
}

// The frame's own pixels read as they are; its white and its transparent
// cells show the previous frame.
TEST(OnionSkin, WhiteOrMaskedUnmarkedCellsShowThePreviousFrame)
{
    const Sprite previous = FromRows({"##D.l#ld"});
    Sprite current = FromRows({".#W..BLd"});
    current.SetPixel(4, 0, Mark);
    // Current: white, black, masked white, white, marked white, masked
    // black, masked light gray, dark gray.
    const PixelColor expected[] = {Black, White, DarkGray, White, White, Black, LightGray, White};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(OnionSkinColor(current, previous, x, 0), expected[x]) << "column " << x;
    current.ClearMarks();
    EXPECT_EQ(OnionSkinColor(current, previous, 4, 0), LightGray);
    EXPECT_EQ(OnionSkinColor(FromRows({"..."}), previous, 2, 0), DarkGray) << "a masked pixel shows its color";

    SpriteDocument document;
    Fill(document, {{"#"}, {"."}});
    EXPECT_EQ(OnionSkinFrame(document.Frames()), nullptr) << "nothing before the first frame";
    GoToNextFrame(document);
    EXPECT_EQ(OnionSkinFrame(document.Frames()), &document.Frames().Frame(0));
}

// The name a document shows and offers, through what makes it: a new
// start, a file saved or opened, an import, changes.
TEST(DocumentIdentity, NameCaptionAndProposalFollowWhereTheDocumentCameFrom)
{
    struct Row {
        const char* what;
        std::function<void(SpriteDocument&)> make;
        std::string display, caption, proposed;
        bool untitled, savesInPlace;
    };
    const Row rows[] = {
        {"nouveau", [](SpriteDocument&) {}, "", "", "", true, false},
        {"nouveau modifié", [](SpriteDocument& d) { d.Edit("trait", [](Sprite& f) { f.SetPixel(0, 0, Black); }); }, "",
         "*", "", true, false},
        {"fichier", [](SpriteDocument& d) { d.AttachFile("/jeux/balle.v2.pixo", true); }, "balle.v2.pixo",
         "balle.v2.pixo", "balle.v2", false, true},
        {"importé", [](SpriteDocument& d) { d.Detach("planche"); }, "planche (importé)", "planche (importé)", "planche",
         true, false},
        {"importé puis enregistré",
         [](SpriteDocument& d) {
             d.Detach("planche");
             d.AttachFile("/jeux/héros.pixs", true);
         },
         "héros.pixs", "héros.pixs", "héros", false, true},
        {"fichier puis nouveau",
         [](SpriteDocument& d) {
             d.AttachFile("/jeux/balle.pixo", true);
             d.Detach();
         },
         "", "", "", true, false},
    };
    for (const Row& row : rows) {
        SpriteDocument document({4, 2});
        document.MarkSaved(SpriteDocument::Saved::WholeSet);
        row.make(document);
        EXPECT_EQ(document.DisplayName(), row.display) << row.what;
        EXPECT_EQ(document.CaptionName(), row.caption) << row.what;
        EXPECT_EQ(document.ProposedName(), row.proposed) << row.what;
        EXPECT_EQ(document.IsUntitled(), row.untitled) << row.what;
        EXPECT_EQ(document.SavesInPlace(), row.savesInPlace) << row.what;
    }
}

TEST(DocumentIdentity, ABlankStartIsOneWhiteFrameOfTheSizeWithNothingToUndo)
{
    SpriteDocument document;
    Fill(document, {{"#D", "lW"}, {"..", ".#"}});
    StartBlank(document, {2, 2});
    ASSERT_EQ(document.Frames().Count(), 1);
    EXPECT_EQ(ToRows(document.Current()), (Rows{"..", ".."}));
    EXPECT_EQ(document.Current().GetType(), BlackWhite);
    EXPECT_FALSE(document.CanUndo());
    EXPECT_FALSE(document.IsChangedSinceSaved());
}

TEST(DocumentIdentity, APictureResizesOtherFramesOnlyInASetAndOfAnotherSize)
{
    SpriteDocument one({16, 16});
    EXPECT_FALSE(WouldResizeOtherFrames(one, {64, 32})) << "no other frame";
    SpriteDocument set;
    Fill(set, {Rows(16, std::string(16, '.')), Rows(16, std::string(16, '.'))});
    EXPECT_FALSE(WouldResizeOtherFrames(set, {16, 16}));
    EXPECT_TRUE(WouldResizeOtherFrames(set, {64, 32}));
    EXPECT_TRUE(WouldResizeOtherFrames(set, {16, 15}));
}

} // namespace
