// Transforms, the selection tool, the clipboard and the keyboard cursor,
// driven with real key and mouse events: keys go to whatever control has
// the focus, as the keyboard sends them.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "gui_fixture.h"

namespace {

constexpr QRgb CursorColor = 0xFF8C00;

class TransformsAndSelection : public EditorWindowTest {
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->setFocus();
    }

    QWidget* Focus() const
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : form.get();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(Focus(), key, modifiers);
    }
    void Undo() { Key(Qt::Key_Z, Qt::ControlModifier); }
    Rows Picture() const { return ToRows(form->sprite); }

    void Drag(Point from, Point to)
    {
        Press(Qt::LeftButton, CellCenter(from.x, from.y));
        Move(CellCenter(to.x, to.y));
        Release(Qt::LeftButton, CellCenter(to.x, to.y));
    }
};

TEST_F(TransformsAndSelection, KeyboardCursorPaintsAndEachSpaceStrokeIsOneStep)
{
    UseSprite({"......", "......", "......", "......"});
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(Picture(), Rows(4, "......")) << "moving alone paints nothing";
    EXPECT_EQ(form->E_PositionX->text(), "X==2");
    EXPECT_EQ(form->E_PositionY->text(), "Y==1");
    // The frame around the cursor's cell, and not around its neighbour.
    const QImage view = MainView();
    const QRect region = form->I_Principale->geometry();
    const double cell = (std::min(region.width(), region.height()) - 2) / 6.0;
    const QPoint leftEdge(int(2 * cell + 1) + 1, CellCenter(2, 1).y());
    EXPECT_EQ(view.pixel(leftEdge) & 0xFFFFFF, CursorColor);
    EXPECT_NE(view.pixel(CellCenter(3, 1)) & 0xFFFFFF, CursorColor);

    // Space held while moving: one stroke with the left button's pen.
    QTest::keyPress(Focus(), Qt::Key_Space);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    QTest::keyRelease(Focus(), Qt::Key_Space);
    EXPECT_EQ(Picture(), (Rows{"......", "..##..", "...#..", "...#.."}));
    EXPECT_EQ(form->E_PositionX->text(), "X==3");
    EXPECT_EQ(form->E_PositionY->text(), "Y==3");

    // Shift + Space the right button's pen, Ctrl + Space the middle one's;
    // the cursor stops at the edge.
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Space, Qt::ShiftModifier);
    Key(Qt::Key_Up);
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Picture(), (Rows{"......", "..##..", "...#.d", "...#.l"}));

    Undo();
    Undo();
    EXPECT_EQ(Picture(), (Rows{"......", "..##..", "...#..", "...#.."}));
    Undo();
    EXPECT_EQ(Picture(), Rows(4, "......")) << "the whole stroke is one step";
}

TEST_F(TransformsAndSelection, CursorFollowsTheMouseOverTheView)
{
    UseSprite({"....", "....", "...."});
    Move(CellCenter(3, 2));
    QTest::keyPress(Focus(), Qt::Key_Space);
    QTest::keyRelease(Focus(), Qt::Key_Space);
    EXPECT_EQ(Picture(), (Rows{"....", "....", "...#"}));
}

TEST_F(TransformsAndSelection, KeysReachTheViewFromAButtonButNotFromATextBox)
{
    UseSprite({"#..", "..."});
    // Space on a focused "&NewAll" paints the cursor's cell and does not
    // clear the sprite.
    form->BitBtn3->setFocus();
    Key(Qt::Key_Right);
    Key(Qt::Key_Space);
    EXPECT_EQ(Picture(), (Rows{"##.", "..."}));
    Key(Qt::Key_H, Qt::ShiftModifier);
    EXPECT_EQ(Picture(), (Rows{".##", "..."}));

    // In a size edit the keys are typing.
    form->E_TailleX->setFocus();
    form->E_TailleX->setText("3");
    Key(Qt::Key_H, Qt::ShiftModifier);
    Key(Qt::Key_S);
    Key(Qt::Key_Space);
    EXPECT_EQ(form->E_TailleX->text(), "3hs ");
    EXPECT_EQ(Picture(), (Rows{".##", "..."}));
    EXPECT_EQ(form->Tool, ToolPencil);
}

TEST_F(TransformsAndSelection, EachTransformByKeyAndByButtonIsOneStep)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* button;
        const char* shortcut;
        Rows after;
    } cases[] = {
        {Qt::Key_H, Qt::ShiftModifier, "B_MiroirH", "Maj+H", {"l.#", "..d"}},
        {Qt::Key_V, Qt::ShiftModifier, "B_MiroirV", "Maj+V", {"d..", "#.l"}},
        {Qt::Key_R, Qt::ShiftModifier, "B_RotationHoraire", "Maj+R", {"d#", "..", ".l"}},
        {Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier, "B_RotationAntihoraire", "Ctrl+Maj+R", {"l.", "..", "#d"}},
        {Qt::Key_T, Qt::ShiftModifier, "B_Rotation180", "Maj+T", {"..d", "l.#"}},
        {Qt::Key_I, Qt::ShiftModifier, "B_Inverser", "Maj+I", {".#d", "l##"}},
        {Qt::Key_Left, Qt::ControlModifier, "B_DecalerGauche", "Ctrl+Gauche", {".l#", "..d"}},
        {Qt::Key_Right, Qt::ControlModifier, "B_DecalerDroite", "Ctrl+Droite", {"l#.", ".d."}},
        {Qt::Key_Up, Qt::ControlModifier, "B_DecalerHaut", "Ctrl+Haut", {"d..", "#.l"}},
        {Qt::Key_Down, Qt::ControlModifier, "B_DecalerBas", "Ctrl+Bas", {"d..", "#.l"}},
    };
    const Rows before{"#.l", "d.."};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shortcut);
        UseSprite(before);
        Key(c.key, c.modifiers);
        EXPECT_EQ(Picture(), c.after);
        EXPECT_EQ(form->E_TailleX->text(), QString::number(c.after[0].size()));
        EXPECT_EQ(form->E_TailleY->text(), QString::number(c.after.size()));
        Undo();
        EXPECT_EQ(Picture(), before);
        QToolButton* button = Find<QToolButton>(c.button);
        EXPECT_TRUE(button->toolTip().contains(QString::fromLatin1(c.shortcut))) << button->toolTip().toStdString();
        form->PageControl1->setCurrentIndex(0);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(Picture(), c.after);
        Undo();
        EXPECT_EQ(Picture(), before);
    }
}

TEST_F(TransformsAndSelection, QuarterTurnOfTheLargestSpriteIsRefused)
{
    ApplySize("240", "128");
    form->setFocus();
    Key(Qt::Key_R, Qt::ShiftModifier);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("128 × 240")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(dialogs.messages[0].caption, "Echec!");
    EXPECT_EQ(form->sprite.GetSize(), (Point{240, 128}));
    EXPECT_TRUE(Find<QPushButton>("B_Annuler")->toolTip().contains("taille")) << "no step added";

    ApplySize("128", "100");
    form->setFocus();
    Key(Qt::Key_R, Qt::ShiftModifier);
    EXPECT_EQ(form->sprite.GetSize(), (Point{100, 128}));
    EXPECT_EQ(form->E_TailleX->text(), "100");
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(TransformsAndSelection, SelectionDragThenMoveItsPixelsAsOneStep)
{
    UseSprite({"......", ".#l...", "......", "......"});
    Key(Qt::Key_S);
    ASSERT_TRUE(Find<QToolButton>("sbSelection")->isChecked());
    EXPECT_EQ(form->Tool, ToolSelection);
    Drag({1, 1}, {2, 1});
    EXPECT_EQ(Picture(), (Rows{"......", ".#l...", "......", "......"})) << "selecting changes nothing";
    // The dashed outline starts at the selection's first cell.
    const QRect region = form->I_Principale->geometry();
    const double cell = (std::min(region.width(), region.height()) - 2) / 6.0;
    const QRgb outline = MainView().pixel(int(1 + cell) + 1, int(1 + cell)) & 0xFFFFFF;
    EXPECT_TRUE(outline == 0x000000u || outline == 0xFFFFFFu) << std::hex << outline;

    Drag({1, 1}, {3, 3});
    EXPECT_EQ(Picture(), (Rows{"......", "......", "......", "...#l."}));
    // Dragged again, over nothing it wipes; Escape leaves the pixels there.
    Drag({3, 3}, {2, 2});
    EXPECT_EQ(Picture(), (Rows{"......", "......", "..#l..", "......"}));
    Key(Qt::Key_Escape);
    Undo();
    EXPECT_EQ(Picture(), (Rows{"......", "......", "......", "...#l."}));
    Undo();
    EXPECT_EQ(Picture(), (Rows{"......", ".#l...", "......", "......"}));
}

TEST_F(TransformsAndSelection, TransformDuringAMoveDragLeavesEveryChangeUndoable)
{
    const Rows before{"#l....", "......"};
    UseSprite(before);
    Find<QToolButton>("sbSelection")->click();
    Drag({0, 0}, {1, 0});
    Press(Qt::LeftButton, CellCenter(0, 0));
    Move(CellCenter(1, 1));
    Key(Qt::Key_H, Qt::ShiftModifier);
    Move(CellCenter(3, 1));
    Release(Qt::LeftButton, CellCenter(3, 1));
    EXPECT_EQ(Picture(), (Rows{"......", "...l#."}));
    for (int step = 0; step < 3; ++step)
        Undo();
    EXPECT_EQ(Picture(), before);
    EXPECT_FALSE(Find<QPushButton>("B_Annuler")->isEnabled());
}

TEST_F(TransformsAndSelection, SelectionDraggedOutOfTheSpriteIsClipped)
{
    UseSprite({"####", "####", "####"});
    Find<QToolButton>("sbSelection")->click();
    Press(Qt::LeftButton, CellCenter(1, 1));
    Move(QPoint(form->I_Principale->width() - 3, form->I_Principale->height() - 3));
    Release(Qt::LeftButton, QPoint(form->I_Principale->width() - 3, form->I_Principale->height() - 3));
    Key(Qt::Key_Delete);
    EXPECT_EQ(Picture(), (Rows{"####", "#...", "#..."}));
    Undo();
    EXPECT_EQ(Picture(), (Rows{"####", "####", "####"}));
}

TEST_F(TransformsAndSelection, TransformsOfASelectionStayInside)
{
    UseSprite({"#l..", "d...", "...."});
    Find<QToolButton>("sbSelection")->click();
    Drag({0, 0}, {1, 1});
    Key(Qt::Key_H, Qt::ShiftModifier);
    EXPECT_EQ(Picture(), (Rows{"l#..", ".d..", "...."}));
    Key(Qt::Key_I, Qt::ShiftModifier);
    EXPECT_EQ(Picture(), (Rows{"d...", "#l..", "...."}));
    Undo();
    EXPECT_EQ(Picture(), (Rows{"l#..", ".d..", "...."}));
}

TEST_F(TransformsAndSelection, CopyPasteFloatsUntilDropped)
{
    UseSprite({"....", "..#D", "...."});
    Find<QToolButton>("sbSelection")->click();
    Drag({2, 1}, {3, 1});
    Key(Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(2, 1));
    EXPECT_EQ(copied.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(copied.pixel(1, 0)), 0) << "masked pixels are transparent";

    // In place, floating over the cells it was copied from.
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Picture(), (Rows{"....", "..#D", "...."}));
    Drag({2, 1}, {0, 0});
    EXPECT_EQ(Picture(), (Rows{"#D..", "..#D", "...."})) << "the pasted pixels leave the others as they were";
    Drag({0, 0}, {1, 2});
    EXPECT_EQ(Picture(), (Rows{"....", "..#D", ".#D."}));
    Key(Qt::Key_Return);
    // Dropped: a press there now starts a new selection instead of a move.
    Drag({1, 2}, {0, 2});
    EXPECT_EQ(Picture(), (Rows{"....", "..#D", ".#D."}));

    // The paste and its moves: one step.
    Undo();
    EXPECT_EQ(Picture(), (Rows{"....", "..#D", "...."}));
    EXPECT_FALSE(Find<QPushButton>("B_Annuler")->isEnabled());
}

// Cells put on the clipboard by an earlier Pixora say nothing of their place.
TEST_F(TransformsAndSelection, CellsWithoutTheirPlacePasteAtTheTopLeft)
{
    UseSprite({"...", "..."});
    auto* data = new QMimeData;
    data->setData(QStringLiteral("application/x-pixora-cells"), QByteArray("\x01\x00\x01\x00\x03", 5));
    QApplication::clipboard()->setMimeData(data);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Picture(), (Rows{"#..", "..."}));

    data = new QMimeData;
    data->setData(QStringLiteral("application/x-pixora-cells"), QByteArray("\x01\x00\x01\x00\x03", 5));
    data->setData(QStringLiteral("application/x-pixora-cells-origin"), QByteArray("\x02\x00\x01\x00", 4));
    QApplication::clipboard()->setMimeData(data);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Picture(), (Rows{"#..", "..#"}));
}

TEST_F(TransformsAndSelection, CutLeavesMaskedWhiteAndPastesBack)
{
    UseSprite({"#l.W", "...."});
    Find<QToolButton>("sbSelection")->click();
    Drag({0, 0}, {1, 0});
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Picture(), (Rows{"WW.W", "...."}));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Picture(), (Rows{"#l.W", "...."}));
}

TEST_F(TransformsAndSelection, MalformedPixoraCellsOnTheClipboardAreRefused)
{
    UseSprite({"..", ".."});
    const QByteArray malformed[] = {
        QByteArray("\x02\x00", 2),                              // no height
        QByteArray("\x02\x00\x01\x00\x03", 5),                  // one cell short
        QByteArray("\x01\x00\x01\x00\x07", 5),                  // not a cell value
        QByteArray("\xF1\x00\x01\x00", 4) + QByteArray(241, 3), // wider than 240
    };
    for (const QByteArray& bytes : malformed) {
        auto* data = new QMimeData;
        data->setData(QStringLiteral("application/x-pixora-cells"), bytes);
        QApplication::clipboard()->setMimeData(data);
        Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Picture(), (Rows{"..", ".."})) << bytes.toHex().toStdString();
    }
    EXPECT_FALSE(Find<QPushButton>("B_Annuler")->isEnabled());
}

TEST_F(TransformsAndSelection, LeavingTheWindowEndsASpaceStroke)
{
    UseSprite({"....", "...."});
    QTest::keyPress(Focus(), Qt::Key_Space);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(form.get(), &deactivate);
    Key(Qt::Key_Right);
    EXPECT_EQ(Picture(), (Rows{"#...", "...."})) << "the arrow no longer draws";
    Undo();
    EXPECT_EQ(Picture(), (Rows{"....", "...."}));
}

TEST_F(TransformsAndSelection, WheelKeepsCyclingTheThreeDesignedTools)
{
    Key(Qt::Key_S);
    ASSERT_EQ(form->Tool, ToolSelection);
    TurnWheel(-120);
    EXPECT_EQ(form->Tool, ToolFill);
    EXPECT_TRUE(form->sbRempli->isChecked());
    EXPECT_FALSE(Find<QToolButton>("sbSelection")->isChecked());
}

// Pre-shifting turns the frame into a set of eight, each one pixel further
// right in a sprite as wide as a drawing routine's; one undo brings the
// sprite back.
TEST_F(TransformsAndSelection, PreShiftMakesEightShiftedFramesInOneStep)
{
    UseSprite({"#."});
    QTest::mouseClick(Find<QToolButton>("B_PreDecaler"), Qt::LeftButton);
    ASSERT_EQ(form->document.Frames().Count(), 8);
    EXPECT_EQ(form->sprite.width, 16);
    EXPECT_EQ(ToRows(form->document.Frames().Frame(0)), (Rows{"#..............."}));
    EXPECT_EQ(ToRows(form->document.Frames().Frame(3)), (Rows{"...#............"}));
    Undo();
    EXPECT_EQ(form->document.Frames().Count(), 1);
    EXPECT_EQ(Picture(), (Rows{"#."}));
}

// A pre-shift over a set that holds changes is asked about first, as before
// an import over it; each frame gives its eight shifts.
TEST_F(TransformsAndSelection, PreShiftOverAChangedSetAsksFirst)
{
    const struct {
        bool secondFrame;
        int answer; // "Enregistrer", "Ne pas enregistrer", "Annuler"
        std::size_t questions;
        int framesAfter;
    } cases[] = {
        {false, 2, 0, 8},
        {true, 2, 1, 2},
        {true, 1, 1, 16},
    };
    for (const auto& test : cases) {
        while (form->document.CanUndo()) // back to the one frame of the start
            Undo();
        UseSprite({"#."});
        ClickCell(Qt::LeftButton, 1, 0);
        if (test.secondFrame)
            ClickOnItsPage(Find<QPushButton>("B_NouvelleImage"));
        dialogs.questions.clear();
        dialogs.questionAnswers = {test.answer};
        QTest::mouseClick(Find<QToolButton>("B_PreDecaler"), Qt::LeftButton);
        ASSERT_EQ(dialogs.questions.size(), test.questions) << test.secondFrame << test.answer;
        if (test.questions) {
            EXPECT_TRUE(dialogs.questions[0].text.contains("avant de remplacer la planche par les 8 images décalées"));
        }
        EXPECT_EQ(form->document.Frames().Count(), test.framesAfter) << test.secondFrame << test.answer;
    }
}

} // namespace
