// Editing with real mouse and key events sent to the main window.
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "gui_fixture.h"

namespace {

class MouseEditing : public EditorWindowTest {
protected:
    Rows Picture() const { return ToRows(form->sprite); }
    QRgb ViewAtCell(int x, int y) { return MainView().pixel(CellCenter(x, y)) & 0xFFFFFF; }
    // A point below the grid of a sprite wider than high: beside it on y.
    QPoint BelowGrid(int x) const { return QPoint(CellCenter(x, 0).x(), form->I_Principale->height() - 5); }
};

TEST_F(MouseEditing, EachButtonPaintsWithItsStartingPen)
{
    const std::pair<Qt::MouseButton, PixelColor> cases[] = {
        {Qt::LeftButton, Black}, {Qt::RightButton, LightGray}, {Qt::MiddleButton, DarkGray}};
    int x = 0;
    for (const auto& [button, color] : cases) {
        ClickCell(button, x, 3);
        EXPECT_EQ(form->sprite.GetColor(x, 3), color) << "button " << button;
        ++x;
    }
    EXPECT_EQ(ViewAtCell(0, 3), 0x000000u);
    EXPECT_EQ(ViewAtCell(1, 3), 0xAAAAAAu);
    EXPECT_EQ(ViewAtCell(2, 3), 0x555555u);
}

TEST_F(MouseEditing, PencilJoinsAPressAndOneMoveWithALine)
{
    ApplySize("8", "6");
    Press(Qt::LeftButton, CellCenter(2, 2));
    Move(CellCenter(6, 4));
    Release(Qt::LeftButton, CellCenter(6, 4));
    EXPECT_EQ(Picture(), (Rows{"........", "........", "..##....", "....#...", ".....##.", "........"}));
}

TEST_F(MouseEditing, PencilStrokeEnteringFromBesideTheGridSkipsTheEntry)
{
    ApplySize("8", "6");
    Press(Qt::LeftButton, BelowGrid(1));
    Move(CellCenter(1, 2));
    EXPECT_EQ(Picture(), Rows(6, "........"));
    Move(CellCenter(3, 2));
    Release(Qt::LeftButton, CellCenter(3, 2));
    EXPECT_EQ(Picture(), (Rows{"........", "........", ".###....", "........", "........", "........"}));
}

TEST_F(MouseEditing, LineToolPreviewsInGreenAndDrawsOnRelease)
{
    ApplySize("8", "6");
    ChooseTool(form->sbLine);
    ASSERT_EQ(form->Tool, ToolLine);
    Press(Qt::RightButton, CellCenter(1, 1));
    Move(CellCenter(5, 3));
    EXPECT_EQ(Picture(), Rows(6, "........"));
    EXPECT_TRUE(form->sprite.IsMarked(3, 2));
    EXPECT_EQ(ViewAtCell(3, 2), 0x008000u);
    EXPECT_EQ(ViewAtCell(3, 1), 0xFFFFFFu);
    Release(Qt::RightButton, CellCenter(5, 3));
    EXPECT_EQ(Picture(), (Rows{"........", ".l......", "..lll...", ".....l..", "........", "........"}));
    EXPECT_FALSE(form->sprite.IsMarked(3, 2));
    EXPECT_EQ(ViewAtCell(3, 2), 0xAAAAAAu);
}

TEST_F(MouseEditing, LineReleasedBesideTheGridDrawsNothingAndClearsThePreview)
{
    ApplySize("8", "6");
    ChooseTool(form->sbLine);
    Press(Qt::LeftButton, CellCenter(1, 1));
    Move(CellCenter(4, 1));
    Release(Qt::LeftButton, BelowGrid(4));
    EXPECT_EQ(Picture(), Rows(6, "........"));
    for (int x = 0; x < 8; ++x)
        EXPECT_FALSE(form->sprite.IsMarked(x, 1)) << x;
}

TEST_F(MouseEditing, FillPaintsTheRegionOnceAndThenChangesNothing)
{
    ChooseTool(form->sbRempli);
    ClickCell(Qt::LeftButton, 7, 7);
    EXPECT_EQ(Picture(), Rows(16, std::string(16, '#')));
    ClickCell(Qt::LeftButton, 7, 7);
    EXPECT_EQ(Picture(), Rows(16, std::string(16, '#')));
    ClickCell(Qt::LeftButton, 7, 7);
    EXPECT_EQ(form->sprite.GetColor(16, 0), White); // outside the size
}

TEST_F(MouseEditing, RightPressOnMaskPaletteButtonMasksWithTheRightButton)
{
    QTest::mousePress(form->bbMask, Qt::RightButton);
    QTest::mouseRelease(form->bbMask, Qt::RightButton);
    EXPECT_EQ(CentreColor(form->Shape2), 0xFF0000u);
    EXPECT_EQ(CentreColor(form->Shape1), 0x000000u);
    ClickCell(Qt::RightButton, 4, 4);
    EXPECT_EQ(form->sprite.GetMask(4, 4), Mask);
    EXPECT_EQ(form->sprite.GetColor(4, 4), White);
    const QImage view = MainView();
    EXPECT_EQ(view.pixel(CellCenter(4, 4)) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(form->Label2->text(), "Type: Noir & Blanc maské");
    const double cell = (form->I_Principale->width() - 2) / 16.0;
    const int ringColumn = int(4 * cell + 1);
    EXPECT_EQ(view.pixel(ringColumn, CellCenter(4, 4).y()) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(view.pixel(ringColumn - 1, CellCenter(4, 4).y()) & 0xFFFFFF, 0x2565FAu);
}

TEST_F(MouseEditing, EveryMouseButtonTakesItsPenFromThePalette)
{
    const std::pair<PaletteButton*, Qt::MouseButton> assignments[] = {
        {form->bbBlanc, Qt::LeftButton}, {form->bbNoMask, Qt::RightButton}, {form->bbNoir, Qt::MiddleButton}};
    for (const auto& [paletteButton, button] : assignments) {
        QTest::mousePress(paletteButton, button);
        QTest::mouseRelease(paletteButton, button);
    }
    EXPECT_EQ(CentreColor(form->Shape1), 0xFFFFFFu);
    EXPECT_EQ(CentreColor(form->Shape2), 0x0000FFu);
    EXPECT_EQ(CentreColor(form->Shape3), 0x000000u);
    ClickCell(Qt::MiddleButton, 5, 5);
    ClickCell(Qt::LeftButton, 5, 5);
    EXPECT_EQ(form->sprite.GetColor(5, 5), White);
}

TEST_F(MouseEditing, StrokeInProgressKeepsThePenItStartedWith)
{
    Press(Qt::LeftButton, CellCenter(0, 0));
    QTest::mousePress(form->bbBlanc, Qt::LeftButton);
    Move(CellCenter(3, 0));
    Release(Qt::LeftButton, CellCenter(3, 0));
    QTest::mouseRelease(form->bbBlanc, Qt::LeftButton);
    EXPECT_EQ(Picture()[0].substr(0, 5), "####.");
    ClickCell(Qt::LeftButton, 1, 0);
    EXPECT_EQ(form->sprite.GetColor(1, 0), White);
}

TEST_F(MouseEditing, SeveralButtonsDrawInOrderLeftRightMiddle)
{
    Press(Qt::LeftButton, CellCenter(0, 0));
    Press(Qt::MiddleButton, CellCenter(0, 0));
    Move(CellCenter(3, 0));
    EXPECT_EQ(Picture()[0].substr(0, 5), "dddd.");
    Release(Qt::MiddleButton, CellCenter(3, 0));
    Move(CellCenter(3, 2));
    Release(Qt::LeftButton, CellCenter(3, 2));
    EXPECT_EQ(Picture()[1].substr(0, 5), "...#.");
    EXPECT_EQ(Picture()[2].substr(0, 5), "...#.");
}

TEST_F(MouseEditing, ReleaseWithoutPressChangesNothing)
{
    for (QToolButton* tool : {form->sbPencil, form->sbLine, form->sbRempli}) {
        ChooseTool(tool);
        Release(Qt::LeftButton, CellCenter(2, 2));
        Release(Qt::RightButton, CellCenter(3, 3));
        EXPECT_EQ(Picture(), Rows(16, std::string(16, '.')));
    }
}

TEST_F(MouseEditing, WheelStepsThroughToolsWithoutWrapping)
{
    const std::pair<int, int8_t> turns[] = {{-120, ToolLine}, {-120, ToolFill},  {-120, ToolFill}, {0, ToolFill},
                                            {120, ToolLine},  {120, ToolPencil}, {120, ToolPencil}};
    for (const auto& [delta, tool] : turns) {
        TurnWheel(delta);
        EXPECT_EQ(form->Tool, tool) << "delta " << delta;
        EXPECT_TRUE(form->toolButtons->button(tool)->isChecked());
    }
    TurnWheel(-120);
    ClickCell(Qt::LeftButton, 1, 1); // the line tool draws nothing on a click
    EXPECT_EQ(Picture()[1], ".#" + std::string(14, '.'));
}

TEST_F(MouseEditing, PositionDisplayFollowsThePointer)
{
    const QRect region = form->I_Principale->geometry();
    struct Case {
        QPoint point;
        const char* x;
        const char* y;
    };
    const Case cases[] = {
        {CellCenter(5, 12), "X==5", "Y==12"},
        {QPoint(0, 100), "X==undef", "Y==undef"},                    // the region's ring
        {QPoint(100, region.height() - 10), "X==undef", "Y==undef"}, // below the grid
        {CellCenter(15, 0), "X==15", "Y==0"},
        {QPoint(100, 0), "X==undef", "Y==undef"}, // the ring on top
    };
    for (const Case& c : cases) {
        QTest::mouseMove(form.get(), c.point);
        EXPECT_EQ(form->E_PositionX->text(), c.x) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(form->E_PositionY->text(), c.y);
    }
    QTest::mouseMove(form.get(), CellCenter(5, 12));
    QTest::mouseMove(form.get(), CellCenter(6, 12));
    EXPECT_EQ(form->E_PositionX->text(), "X==6");
    QTest::mouseMove(form->PageControl1, QPoint(150, 300));
    EXPECT_EQ(form->E_PositionX->text(), "X==6");
}

TEST_F(MouseEditing, SizeOutsideTheLimitsIsRefusedSilently)
{
    form->E_TailleX->setText("300");
    QTest::keyClick(form->E_TailleX, Qt::Key_Return);
    EXPECT_EQ(form->sprite.GetSize(), (Point{16, 16}));
    EXPECT_EQ(form->RequestedSize, (Point{300, 16}));
    EXPECT_EQ(form->E_TailleX->text(), "300");
    EXPECT_TRUE(dialogs.messages.empty());
    form->E_TailleX->setText("40");
    form->E_TailleY->setText("20");
    QTest::keyClick(form->E_TailleY, Qt::Key_Left);
    EXPECT_EQ(form->sprite.GetSize(), (Point{16, 16}));
    QTest::keyClick(form->E_TailleY, Qt::Key_Enter);
    EXPECT_EQ(form->sprite.GetSize(), (Point{40, 20}));
}

TEST_F(MouseEditing, EmptyHeightIsReportedAndLeavesTheSize)
{
    form->E_TailleX->setText("8");
    form->E_TailleY->setText("");
    QTest::keyClick(form->E_TailleY, Qt::Key_Return);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "'' is not a valid integer value");
    EXPECT_EQ(dialogs.messages[0].caption, "Pixora");
    EXPECT_EQ(form->sprite.GetSize(), (Point{16, 16}));
    EXPECT_EQ(form->RequestedSize, (Point{16, 16}));
    // Both edits wrong: the height is the one reported.
    form->E_TailleX->setText("x");
    form->E_TailleY->setText("y");
    QTest::keyClick(form->E_TailleX, Qt::Key_Return);
    EXPECT_EQ(dialogs.messages.back().text, "'y' is not a valid integer value");
}

TEST_F(MouseEditing, PixelHiddenByShrinkingComesBackWhenGrowing)
{
    ApplySize("32", "32");
    ClickCell(Qt::LeftButton, 20, 5);
    ApplySize("16", "16");
    EXPECT_EQ(Picture(), Rows(16, std::string(16, '.')));
    ApplySize("32", "32");
    EXPECT_EQ(form->sprite.GetColor(20, 5), Black);
    EXPECT_EQ(ViewAtCell(20, 5), 0x000000u);
}

TEST_F(MouseEditing, NewAllClearsAMaskedGraySpriteKeepingItsSize)
{
    ApplySize("40", "20");
    ClickCell(Qt::RightButton, 3, 3);
    QTest::mousePress(form->bbMask, Qt::LeftButton);
    QTest::mouseRelease(form->bbMask, Qt::LeftButton);
    ClickCell(Qt::LeftButton, 4, 4);
    ASSERT_EQ(form->sprite.GetType(), GrayscaleMasked);
    QTest::mouseClick(form->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(form->sprite.GetSize(), (Point{40, 20}));
    EXPECT_EQ(Picture(), Rows(20, std::string(40, '.')));
    MainView();
    EXPECT_EQ(form->Label2->text(), "Type: Noir & Blanc");
}

TEST_F(MouseEditing, AutoMaskMasksEveryWhitePixel)
{
    ApplySize("4", "2");
    ClickCell(Qt::LeftButton, 1, 0);
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(Picture(), (Rows{"W#WW", "WWWW"}));
    MainView();
    EXPECT_EQ(form->Label2->text(), "Type: Noir & Blanc maské");
}

} // namespace
