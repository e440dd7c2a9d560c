// The drawing tools added beside the designed three, through real events:
// the tool keys, rectangles and ellipses dragged with each mouse button,
// Escape during a drag, the eyedropper and Alt + click, the frame row below
// the view, the screen guides in the rendered view, their setting, and the
// zoom readout.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>

#include "FrameStrip.h"
#include "SpriteView.h"
#include "settings_fixture.h"

namespace {

constexpr QRgb MarkGreen = 0x008000;
constexpr QRgb TI89Guide = 0xDC00DC;
constexpr QRgb TI92Guide = 0x00AAAA;

Rows Blank(int width, int height)
{
    return Rows(static_cast<size_t>(height), std::string(static_cast<size_t>(width), '.'));
}

class DrawingTools : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // A key press as the keyboard makes it: to the widget with the focus.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), key, modifiers);
    }

    void Drag(Qt::MouseButton button, QPoint from, QPoint to)
    {
        Press(button, from);
        Move(to);
        Release(button, to);
    }

    QRgb ViewPixel(QPoint at) { return MainView().pixel(at) & 0xFFFFFF; }

    QToolButton* ButtonDown() const { return static_cast<QToolButton*>(form->toolButtons->checkedButton()); }

    // The tooltip the button shows when the pointer rests on it.
    static QString ShownToolTip(QWidget* button)
    {
        const QPoint middle = button->rect().center();
        QHelpEvent rest(QEvent::ToolTip, middle, button->mapToGlobal(middle));
        QApplication::sendEvent(button, &rest);
        return QToolTip::text();
    }
};

TEST_F(DrawingTools, EachKeyChoosesItsToolAndPutsItsButtonDownButNotWhileTyping)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int tool;
        const char* button;
        const char* hint;
    } cases[] = {
        {Qt::Key_U, Qt::NoModifier, ToolRectangle, "sbRectangle", "(U)"},
        {Qt::Key_B, Qt::NoModifier, ToolPencil, "sbPencil", "Crayon (B)"},
        {Qt::Key_O, Qt::ShiftModifier, ToolFilledEllipse, "sbEllipse", "Maj+O"},
        {Qt::Key_L, Qt::NoModifier, ToolLine, "sbLine", "Ligne (L)"},
        {Qt::Key_U, Qt::ShiftModifier, ToolFilledRectangle, "sbRectangle", "Maj+U"},
        {Qt::Key_G, Qt::NoModifier, ToolFill, "sbRempli", "Remplir (G)"},
        {Qt::Key_O, Qt::NoModifier, ToolEllipse, "sbEllipse", "(O)"},
        {Qt::Key_S, Qt::NoModifier, ToolSelection, "sbSelection", "(S)"},
        {Qt::Key_I, Qt::NoModifier, ToolEyedropper, "sbPipette", "(I)"},
    };
    for (const auto& test : cases) {
        Key(test.key, test.modifiers);
        EXPECT_EQ(form->Tool, test.tool) << test.button;
        ASSERT_NE(ButtonDown(), nullptr);
        EXPECT_EQ(ButtonDown()->objectName(), test.button);
        EXPECT_TRUE(ShownToolTip(ButtonDown()).contains(test.hint)) << ShownToolTip(ButtonDown()).toStdString();
    }
    // The designed hints stay as they are: the key is added when shown.
    EXPECT_EQ(form->sbPencil->toolTip(), "Crayon");
    EXPECT_EQ(form->sbLine->toolTip(), "Ligne");
    EXPECT_EQ(form->sbRempli->toolTip(), "Remplir");

    // The designed accelerators keep Alt; the letters stay in a size edit.
    Key(Qt::Key_B);
    form->E_TailleX->setFocus();
    form->E_TailleX->clear();
    QTest::keyClicks(form->E_TailleX, "Ulog");
    EXPECT_EQ(form->E_TailleX->text(), "Ulog");
    EXPECT_EQ(form->Tool, ToolPencil);
    EXPECT_EQ(form->sprite.GetColor(0, 0), White);
}

// Each click shows the page first and moves over the button, as a user does.
TEST_F(DrawingTools, ASecondClickOnAShapesButtonSwitchesOutlinedAndFilled)
{
    const struct {
        const char* button;
        int tool;
    } clicks[] = {
        {"sbRectangle", ToolRectangle},       {"sbRectangle", ToolFilledRectangle}, {"sbEllipse", ToolEllipse},
        {"sbRectangle", ToolFilledRectangle}, {"sbRectangle", ToolRectangle},       {"sbEllipse", ToolEllipse},
        {"sbEllipse", ToolFilledEllipse},     {"sbPipette", ToolEyedropper},        {"sbEllipse", ToolFilledEllipse},
    };
    for (const auto& click : clicks) {
        ChooseTool(Find<QToolButton>(click.button));
        EXPECT_EQ(form->Tool, click.tool) << click.button;
    }
}

// Alt + the underlined letter still works the designed buttons of the page
// shown, whatever tool key shares the letter.
TEST_F(DrawingTools, TheDesignedAcceleratorsKeepTheirLetters)
{
    const struct {
        Qt::Key key;
        const char* what;
        Rows expected;
    } cases[] = {
        {Qt::Key_O, "&OK applies the size typed", {"#..", "..."}},
        {Qt::Key_A, "&AutoMask masks the white pixels", {"#WWW", "WWWW"}},
        {Qt::Key_N, "&NewAll clears", {"....", "...."}},
    };
    for (const auto& test : cases) {
        UseSprite({"#...", "...."});
        form->E_TailleX->setText("3");
        form->E_TailleY->setText("2");
        Key(Qt::Key_L);
        Key(test.key, Qt::AltModifier);
        // A button worked by its letter shows itself pressed a moment first.
        EXPECT_TRUE(QTest::qWaitFor([&] { return ToRows(form->sprite) == test.expected; }, 2000)) << test.what;
        EXPECT_EQ(form->Tool, ToolLine) << test.what;
    }
}

// One undo step a drag, whichever button and corner, the preview green in
// the view while the button is held.
TEST_F(DrawingTools, ADragDrawsItsShapeWithThePenOfItsButtonAsOneStep)
{
    const struct {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Qt::MouseButton button;
        Point from, to;
        Rows expected;
    } cases[] = {
        {"rectangle",
         Qt::Key_U,
         Qt::NoModifier,
         Qt::LeftButton,
         {4, 3},
         {1, 0},
         {".####.", ".#..#.", ".#..#.", ".####.", "......"}},
        {"filled rectangle",
         Qt::Key_U,
         Qt::ShiftModifier,
         Qt::RightButton,
         {0, 4},
         {2, 3},
         {"......", "......", "......", "lll...", "lll..."}},
        {"ellipse",
         Qt::Key_O,
         Qt::NoModifier,
         Qt::MiddleButton,
         {0, 0},
         {4, 4},
         {".ddd..", "d...d.", "d...d.", "d...d.", ".ddd.."}},
        {"filled ellipse",
         Qt::Key_O,
         Qt::ShiftModifier,
         Qt::LeftButton,
         {5, 0},
         {3, 2},
         {"....#.", "...###", "....#."}},
        {"a drag of one cell", Qt::Key_O, Qt::NoModifier, Qt::LeftButton, {2, 1}, {2, 1}, {"......", "..#..."}},
    };
    for (const auto& test : cases) {
        const Rows blank = Blank(6, static_cast<int>(test.expected.size()));
        UseSprite(blank);
        form->update();
        Key(test.key, test.modifiers);
        Press(test.button, CellCenter(test.from.x, test.from.y));
        Move(CellCenter(test.to.x, test.to.y));
        // A cell the shape draws, the first in reading order, shows green.
        int drawn = 0;
        while (test.expected[drawn / 6][drawn % 6] == '.')
            ++drawn;
        EXPECT_EQ(ViewPixel(CellCenter(drawn % 6, drawn / 6)), MarkGreen) << test.what;
        EXPECT_EQ(ToRows(form->sprite), blank) << test.what << ": nothing drawn while held";
        Release(test.button, CellCenter(test.to.x, test.to.y));
        EXPECT_EQ(ToRows(form->sprite), test.expected) << test.what;
        EXPECT_NE(ViewPixel(CellCenter(test.to.x, test.to.y)), MarkGreen) << test.what;
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(ToRows(form->sprite), blank) << test.what;
        EXPECT_FALSE(form->document.CanUndo()) << test.what << ": one step";
    }
}

TEST_F(DrawingTools, ADragLeavingTheViewStopsAtTheEdgeAndEscapeCancelsADrawing)
{
    UseSprite(Blank(6, 5));
    Key(Qt::Key_U);
    const QRect region = form->I_Principale->geometry();
    // Out past the right edge of the window, over the tab control.
    Drag(Qt::LeftButton, CellCenter(2, 1), QPoint(form->width() + 40, region.height() + 30));
    EXPECT_EQ(ToRows(form->sprite), (Rows{"......", "..####", "..#..#", "..#..#", "..####"}));
    Drag(Qt::RightButton, CellCenter(3, 2), QPoint(-30, -30));
    EXPECT_EQ(ToRows(form->sprite), (Rows{"llll..", "l.#l##", "llll.#", "..#..#", "..####"}));

    UseSprite(Blank(6, 5));
    form->document.StartNewHistory();
    for (const Qt::Key tool : {Qt::Key_O, Qt::Key_L, Qt::Key_B}) {
        Key(tool);
        Press(Qt::LeftButton, CellCenter(0, 0));
        Move(CellCenter(5, 4));
        Key(Qt::Key_Escape);
        EXPECT_EQ(ViewPixel(CellCenter(5, 4)), 0xFFFFFFu) << "nothing shown";
        Move(CellCenter(4, 4));
        Release(Qt::LeftButton, CellCenter(4, 4));
        EXPECT_EQ(ToRows(form->sprite), Blank(6, 5));
        EXPECT_FALSE(form->document.CanUndo());
    }
}

TEST_F(DrawingTools, TheEyedropperGivesTheClickingButtonTheCellsPenThenTheToolComesBack)
{
    UseSprite({"ld#", "BW."});
    const struct {
        const char* what;
        Qt::Key toolKey;
        Qt::KeyboardModifiers clickModifiers;
        Qt::MouseButton button;
        Point cell;
        int buttonIndex;
        PenValue pen;
        int toolAfter;
    } cases[] = {
        {"I, right click on dark gray", Qt::Key_L, Qt::NoModifier, Qt::RightButton, {1, 0}, 1, DarkGray, ToolLine},
        {"I, middle click on a masked cell",
         Qt::Key_U,
         Qt::NoModifier,
         Qt::MiddleButton,
         {0, 1},
         2,
         Mask,
         ToolRectangle},
        {"Alt + click with the pencil", Qt::Key_B, Qt::AltModifier, Qt::LeftButton, {0, 0}, 0, LightGray, ToolPencil},
        {"Alt + click with the fill", Qt::Key_G, Qt::AltModifier, Qt::LeftButton, {2, 1}, 0, White, ToolFill},
    };
    for (const auto& test : cases) {
        Key(test.toolKey);
        if (test.clickModifiers == Qt::NoModifier)
            Key(Qt::Key_I);
        QTest::mouseClick(form.get(), test.button, test.clickModifiers, CellCenter(test.cell.x, test.cell.y));
        EXPECT_EQ(form->ButtonPen[test.buttonIndex], test.pen) << test.what;
        EXPECT_EQ(form->Tool, test.toolAfter) << test.what;
        EXPECT_EQ(ToRows(form->sprite), (Rows{"ld#", "BW."})) << test.what << ": nothing drawn";
        EXPECT_FALSE(form->document.CanUndo()) << test.what;
    }
    // The swatches show the pens taken: white left, red (mask) middle,
    // dark gray right.
    EXPECT_EQ(CentreColor(form->Shape1), 0xFFFFFFu);
    EXPECT_EQ(CentreColor(form->Shape3), 0xFF0000u);
    EXPECT_EQ(CentreColor(form->Shape2), 0x555555u);

    // Beside the grid nothing is taken and the eyedropper stays.
    Key(Qt::Key_I);
    QTest::mouseClick(form.get(), Qt::LeftButton, Qt::NoModifier, QPoint(3, form->I_Principale->height() - 3));
    EXPECT_EQ(form->Tool, ToolEyedropper);
    EXPECT_EQ(form->ButtonPen[0], White);
}

TEST_F(DrawingTools, TheWheelStillSwitchesTheThreeDesignedToolsOnly)
{
    const struct {
        Qt::Key from;
        int delta;
        int tool;
    } cases[] = {
        {Qt::Key_U, -120, ToolFill}, {Qt::Key_O, 120, ToolFill},   {Qt::Key_I, -120, ToolFill},
        {Qt::Key_G, -120, ToolFill}, {Qt::Key_B, 120, ToolPencil},
    };
    for (const auto& test : cases) {
        Key(test.from);
        TurnWheel(test.delta);
        EXPECT_EQ(form->Tool, test.tool);
        EXPECT_EQ(form->toolButtons->checkedId(), test.tool);
    }
}

TEST_F(DrawingTools, TheFrameRowShowsEveryFrameAndFollowsTheirCommandsAndUndo)
{
    auto* strip = Find<FrameStrip>("FrameStrip");
    EXPECT_FALSE(strip->isVisible()) << "one frame: the designed view alone";
    EXPECT_EQ(form->I_Principale->height(), form->height());

    UseSprite({"#...", "...."});
    for (int k = 0; k < 2; ++k)
        QTest::mouseClick(Find<QPushButton>("B_DupliquerImage"), Qt::LeftButton);
    ASSERT_EQ(form->document.Frames().Count(), 3);
    ASSERT_TRUE(strip->isVisible());
    EXPECT_EQ(form->I_Principale->height() + FrameStrip::StripHeight, form->height());
    EXPECT_EQ(strip->geometry().top(), form->I_Principale->height());

    const auto marked = [&](int index) {
        const QImage shown = strip->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect picture = strip->PictureRect(index);
        return (shown.pixel(picture.left() - 1, picture.center().y()) & 0xFFFFFF) == 0xFF8C00;
    };
    const auto clickFrame = [&](int index) {
        QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, strip->PictureRect(index).center());
    };
    EXPECT_TRUE(marked(2));
    clickFrame(0);
    EXPECT_EQ(form->document.Frames().Current(), 0);
    EXPECT_TRUE(marked(0) && !marked(2));
    Key(Qt::Key_PageDown);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_PageUp);
    EXPECT_TRUE(marked(1) && !marked(0) && !marked(2));
    // The picture shows the frame's pixels: its black top-left corner.
    ClickCell(Qt::LeftButton, 3, 1);
    const QImage shown = strip->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect picture = strip->PictureRect(1);
    EXPECT_EQ(shown.pixel(picture.bottomRight()) & 0xFFFFFF, 0u);
    EXPECT_EQ(shown.pixel(picture.left(), picture.bottom()) & 0xFFFFFF, 0xFFFFFFu);

    // Undo of the duplicates takes the row back to one frame, and the view
    // its whole height.
    for (int k = 0; k < 3; ++k)
        Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->document.Frames().Count(), 1);
    EXPECT_FALSE(strip->isVisible());
    EXPECT_EQ(form->I_Principale->height(), form->height());
}

TEST_F(DrawingTools, ALongFrameRowScrollsToTheCurrentFrameAndWithTheWheel)
{
    auto* strip = Find<FrameStrip>("FrameStrip");
    for (int k = 0; k < 29; ++k)
        QTest::mouseClick(Find<QPushButton>("B_NouvelleImage"), Qt::LeftButton);
    ASSERT_EQ(form->document.Frames().Current(), 29);
    EXPECT_FALSE(strip->PictureRect(29).isEmpty());
    EXPECT_TRUE(strip->PictureRect(0).isEmpty());

    QWheelEvent wheel(QPointF(20, 20), strip->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 120 * 40), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(strip, &wheel);
    EXPECT_FALSE(strip->PictureRect(0).isEmpty());
    EXPECT_EQ(form->Tool, ToolPencil) << "the wheel over the row is the row's";
    // Only pictures shown are clicked: the row's corner holds none.
    QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(form->document.Frames().Current(), 29);
    QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, strip->PictureRect(0).center());
    EXPECT_EQ(form->document.Frames().Current(), 0);
}

// Cells of a 240 x 128 sprite are (region's shorter side - 2) / 240 pixels,
// and cell i starts at pixel i x cell + 1 (column 160 at 325, row 100 at 203
// in the designed 489-pixel-wide region).
TEST_F(DrawingTools, ScreenGuidesLineTheCalculatorsScreensInTheViewOnlyWhenAsked)
{
    const QRect region = form->I_Principale->geometry();
    const double cell = static_cast<float>(std::min(region.width(), region.height()) - 2) / 240.0f;
    const auto at = [cell](int i) { return static_cast<int>(i * cell + 1); };
    UseSprite(Blank(240, 128));
    form->update();
    const QImage plain = MainView();
    Find<QCheckBox>("CB_ReperesEcran")->setChecked(true);
    const QImage guided = MainView();
    // Cells this small have no outline; 0 stands for the pixel as drawn
    // without the guides.
    const struct {
        QPoint at;
        QRgb expected;
    } pixels[] = {
        {{at(160), 1}, TI89Guide},      {{at(160), at(100)}, TI89Guide}, {{1, at(100)}, TI89Guide},
        {{at(80), at(100)}, TI89Guide}, {{at(160), at(100) + 1}, 0},     {{at(160) + 1, at(100)}, 0},
        {{at(160) - 1, at(50)}, 0},     {{at(240), 1}, TI92Guide},       {{at(240), at(128)}, TI92Guide},
        {{1, at(128)}, TI92Guide},      {{at(240), at(128) + 1}, 0},     {{at(240) - 1, at(128) - 1}, 0},
    };
    for (const auto& pixel : pixels) {
        const QRgb expected = pixel.expected ? pixel.expected : plain.pixel(pixel.at) & 0xFFFFFF;
        EXPECT_EQ(guided.pixel(pixel.at) & 0xFFFFFF, expected) << pixel.at.x() << ", " << pixel.at.y();
    }

    // Sprites smaller than a screen show none of its lines.
    UseSprite(Blank(150, 90));
    form->update();
    const QImage small = MainView();
    Find<QCheckBox>("CB_ReperesEcran")->setChecked(false);
    EXPECT_EQ(MainView(), small);
    UseSprite(Blank(240, 128));
    form->update();
    EXPECT_EQ(MainView(), plain);
}

TEST_F(DrawingTools, TheGuidesOptionIsKeptInTheViewSection)
{
    Find<QCheckBox>("CB_ReperesEcran")->setChecked(true);
    form->close();
    EXPECT_TRUE(Stored().contains("ReperesEcran=1\n"));
    EXPECT_GT(Stored().indexOf("ReperesEcran"), Stored().indexOf("[Affichage]"));
    RestartWith(Stored());
    EXPECT_TRUE(Find<QCheckBox>("CB_ReperesEcran")->isChecked());
    RestartWith("");
    EXPECT_FALSE(Find<QCheckBox>("CB_ReperesEcran")->isChecked());
}

TEST_F(DrawingTools, TheZoomReadoutSaysTheCellSizeOrFitted)
{
    auto* readout = Find<QLabel>("L_Zoom");
    MainView();
    EXPECT_EQ(readout->text(), "Zoom : ajusté");
    Key(Qt::Key_Equal, Qt::ControlModifier);
    MainView();
    EXPECT_EQ(readout->text(), QStringLiteral("Zoom : %1 px").arg(form->I_Principale->Zoom()));
    EXPECT_GT(form->I_Principale->Zoom(), 30);
    Key(Qt::Key_0, Qt::ControlModifier);
    MainView();
    EXPECT_EQ(readout->text(), "Zoom : ajusté");
}

} // namespace
