// Zooming and scrolling the main view with real wheel and key events, and
// editing in it: the cell under the pointer is the one that changes, the
// designed view comes back with Ctrl+0, the zoom level and the true-size
// preview are kept in the settings file.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>
#include <array>

#include "SpriteView.h"
#include "ZoomedView.h"
#include "settings_fixture.h"

namespace {

void WheelAt(QWidget* target, QPoint at, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

// The cells of the sprite that are not white, as (x, y) pairs.
std::vector<std::pair<int, int>> PaintedCells(const Sprite& sprite)
{
    std::vector<std::pair<int, int>> painted;
    for (int x = 0; x < sprite.width; ++x) {
        for (int y = 0; y < sprite.height; ++y) {
            if (sprite.GetColor(x, y) != White)
                painted.emplace_back(x, y);
        }
    }
    return painted;
}

// Counts a window's paints that reach a rectangle.
class PaintsOver : public QObject {
public:
    explicit PaintsOver(QRect area) : area_(area) {}
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && static_cast<QPaintEvent*>(event)->rect().intersects(area_))
            ++paints;
        return false;
    }

private:
    QRect area_;
};

class ZoomedEditing : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        ApplySize("240", "128");
    }

    void CtrlKey(Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), key, Qt::ControlModifier);
    }
    // The centre of cell (x, y) at `zoom` pixels a cell, found from the
    // scroll bars' positions: the grid starts inside the region's ring.
    QPoint ZoomedCellCenter(int x, int y, int zoom) const
    {
        const QRect region = form->I_Principale->geometry();
        return QPoint(region.left() + 1 + x * zoom + zoom / 2 - Find<QScrollBar>("ViewScrollX")->value(),
                      region.top() + 1 + y * zoom + zoom / 2 - Find<QScrollBar>("ViewScrollY")->value());
    }
    // Four steps in from the fitted 2.03 pixels a cell: 3, 4, 6, 8.
    void ZoomTo8()
    {
        for (int i = 0; i < 4; ++i)
            CtrlKey(Qt::Key_Plus);
        ASSERT_EQ(form->I_Principale->Zoom(), 8);
    }
};

TEST_F(ZoomedEditing, CtrlWheelKeepsTheCellUnderThePointerAndAClickPaintsIt)
{
    // From the fitted view the 240 columns are wider than the view at once;
    // the 128 rows fit it up to 4 pixels a cell, and the view starts at the
    // top, so only the column can stay at first.
    const QPoint fitted = CellCenter(100, 50);
    for (int notch = 0; notch < 4; ++notch) {
        WheelAt(form.get(), fitted, 120, Qt::ControlModifier);
        Move(QPoint(0, 0));
        Move(fitted);
        EXPECT_EQ(form->E_PositionX->text(), QStringLiteral("X==100")) << "notch " << notch;
    }
    ASSERT_EQ(form->I_Principale->Zoom(), 8);

    // Zoomed in both ways, in and out through six levels, the cell under
    // the pointer in the middle of the view stays.
    const QPoint pointer(240, 255);
    Move(QPoint(0, 0));
    Move(pointer);
    const QString column = form->E_PositionX->text();
    const QString row = form->E_PositionY->text();
    const int deltas[] = {120, 120, 120, -120, -120, -120, -120, 30, 30, 30, 30}; // the last: a touchpad's notch
    const int zooms[] = {12, 16, 24, 16, 12, 8, 6, 6, 6, 6, 8};
    for (size_t turn = 0; turn < std::size(deltas); ++turn) {
        WheelAt(form.get(), pointer, deltas[turn], Qt::ControlModifier);
        EXPECT_EQ(form->I_Principale->Zoom(), zooms[turn]);
        Move(QPoint(0, 0));
        Move(pointer);
        EXPECT_EQ(form->E_PositionX->text(), column) << "turn " << turn;
        EXPECT_EQ(form->E_PositionY->text(), row) << "turn " << turn;
    }
    Click(Qt::LeftButton, pointer);
    const int x = column.mid(3).toInt();
    const int y = row.mid(3).toInt();
    EXPECT_EQ(PaintedCells(form->sprite), (std::vector<std::pair<int, int>>{{x, y}}));
    EXPECT_TRUE(form->sbPencil->isChecked()); // the tool stayed
}

TEST_F(ZoomedEditing, AClickAfterZoomingAndScrollingPaintsTheCellUnderThePointer)
{
    ZoomTo8();
    const QPoint somewhere(200, 300);
    // Shift + wheel toward the user scrolls right, three lines of a cell each
    // notch; the wheel over the vertical bar scrolls down.
    const int centredX = Find<QScrollBar>("ViewScrollX")->value();
    WheelAt(form.get(), somewhere, -120 * 5, Qt::ShiftModifier);
    const int scrolledX = Find<QScrollBar>("ViewScrollX")->value();
    EXPECT_EQ(scrolledX, centredX + 5 * 3 * 8);
    EXPECT_TRUE(form->sbPencil->isChecked());
    WheelAt(Find<QScrollBar>("ViewScrollY"), QPoint(5, 50), -120 * 10, Qt::NoModifier);
    const int scrolledY = Find<QScrollBar>("ViewScrollY")->value();
    ASSERT_GT(scrolledY, 0);

    Click(Qt::LeftButton, somewhere);
    const int x = (200 - 1 + scrolledX) / 8;
    const int y = (300 - 1 + scrolledY) / 8;
    EXPECT_EQ(PaintedCells(form->sprite), (std::vector<std::pair<int, int>>{{x, y}}));
    // Right and middle buttons draw with their own pens there too.
    Click(Qt::RightButton, ZoomedCellCenter(x + 1, y, 8));
    EXPECT_EQ(form->sprite.GetColor(x + 1, y), LightGray);
}

TEST_F(ZoomedEditing, StrokesInTheScrolledViewDrawLinesAndSkipWhatLiesOutside)
{
    ZoomTo8();
    WheelAt(form.get(), QPoint(100, 100), -120 * 20, Qt::ShiftModifier);
    const int first = Find<QScrollBar>("ViewScrollX")->value() / 8 + 2;
    const int top = Find<QScrollBar>("ViewScrollY")->value() / 8 + 2;
    ChooseTool(form->sbLine);
    Press(Qt::LeftButton, ZoomedCellCenter(first, top, 8));
    for (int x = first; x <= first + 30; x += 7)
        Move(ZoomedCellCenter(x, top, 8));
    Release(Qt::LeftButton, ZoomedCellCenter(first + 30, top, 8));
    std::vector<std::pair<int, int>> line;
    for (int x = first; x <= first + 30; ++x)
        line.emplace_back(x, top);
    EXPECT_EQ(PaintedCells(form->sprite), line);

    // A pencil stroke that leaves the view over the tab control and comes
    // back: the segment that comes back in from outside is skipped.
    form->BitBtn3->click();
    ChooseTool(form->sbPencil);
    const int row = top + 10;
    const QPoint outside(form->PageControl1->geometry().left() + 20, ZoomedCellCenter(0, row, 8).y());
    Press(Qt::LeftButton, ZoomedCellCenter(first, row, 8));
    Move(ZoomedCellCenter(first + 3, row, 8));
    Move(outside);
    Move(ZoomedCellCenter(first + 5, row, 8));
    Release(Qt::LeftButton, ZoomedCellCenter(first + 5, row, 8));
    EXPECT_EQ(PaintedCells(form->sprite),
              (std::vector<std::pair<int, int>>{{first, row}, {first + 1, row}, {first + 2, row}, {first + 3, row}}));
}

// What is drawn over the cells follows them when zoomed and scrolled: the
// selection's outline, the keyboard cursor and the previous frame's faint
// pixels land on the cells under the pointer, and a selection dragged past
// the shown part stops at the cell the pointer would be over.
TEST_F(ZoomedEditing, MarksOverTheCellsFollowTheZoomedAndScrolledGrid)
{
    ZoomTo8();
    WheelAt(form.get(), QPoint(200, 300), -120 * 5, Qt::ShiftModifier);
    const QRect region = form->I_Principale->geometry();
    const int x = (200 - 1 + Find<QScrollBar>("ViewScrollX")->value()) / 8;
    const int y = (300 - 1 + Find<QScrollBar>("ViewScrollY")->value()) / 8;
    // The first pixel of a cell's left line, in the picture of the region.
    const auto lineOf = [&](int cellX, int cellY) {
        return ZoomedCellCenter(cellX, cellY, 8) - QPoint(4, 0) - region.topLeft();
    };

    Click(Qt::LeftButton, ZoomedCellCenter(x, y, 8)); // the previous frame's one pixel
    QTest::mouseClick(Find<QPushButton>("B_NouvelleImage"), Qt::LeftButton);
    ASSERT_EQ(form->document.Frames().Current(), 1);
    Find<QCheckBox>("CB_PelureOignon")->setChecked(true);
    const QRgb faint = MainView().pixel(ZoomedCellCenter(x, y, 8) - region.topLeft()) & 0xFFFFFF;
    EXPECT_NE(faint, 0xFFFFFFu) << "the previous frame shows under its cell";
    EXPECT_GT(qRed(faint), 128);

    Find<QToolButton>("sbSelection")->click();
    Press(Qt::LeftButton, ZoomedCellCenter(x, y, 8));
    Move(ZoomedCellCenter(x + 2, y + 1, 8));
    Release(Qt::LeftButton, ZoomedCellCenter(x + 2, y + 1, 8));
    const CellRect selected = form->document.SelectionBounds();
    EXPECT_EQ((std::array<int, 4>{selected.x, selected.y, selected.width, selected.height}),
              (std::array<int, 4>{x, y, 3, 2}));
    for (const QPoint onOutline : {lineOf(x, y), lineOf(x, y + 1)}) {
        const QRgb shown = MainView().pixel(onOutline) & 0xFFFFFF;
        EXPECT_TRUE(shown == 0x000000u || shown == 0xFFFFFFu) << std::hex << shown << " instead of the dashes";
    }

    // Dragged out over the tab control, the selection runs to the cell
    // beyond the view's right edge, not to the sprite's last column.
    const QPoint beyond(form->PageControl1->geometry().left() + 4, ZoomedCellCenter(x, y + 3, 8).y());
    Press(Qt::LeftButton, ZoomedCellCenter(x, y + 3, 8));
    Move(beyond);
    Release(Qt::LeftButton, beyond);
    const int beyondColumn = (beyond.x() - region.left() - 1 + Find<QScrollBar>("ViewScrollX")->value()) / 8;
    EXPECT_EQ(form->document.SelectionBounds().width, beyondColumn - x + 1);
}

TEST_F(ZoomedEditing, EachMoveOfAZoomedStrokeRepaintsTheViewOnce)
{
    ZoomTo8();
    QApplication::processEvents();
    PaintsOver counter(form->I_Principale->geometry());
    form->installEventFilter(&counter);
    Press(Qt::LeftButton, QPoint(100, 100));
    QApplication::processEvents();
    for (int step = 1; step <= 4; ++step) {
        counter.paints = 0;
        Move(QPoint(100 + 9 * step, 100));
        QApplication::processEvents();
        EXPECT_EQ(counter.paints, 1) << "move " << step;
    }
    Release(Qt::LeftButton, QPoint(136, 100));
    form->removeEventFilter(&counter);
}

TEST_F(ZoomedEditing, ZoomStopsAtTheEndsAndCtrl0RestoresTheDesignedPixels)
{
    ClickCell(Qt::LeftButton, 3, 4);
    ClickCell(Qt::LeftButton, 239, 127);
    const QImage designed = MainView();

    // Out from the fitted 2.03 there is one step, 2; then nothing changes.
    CtrlKey(Qt::Key_Minus);
    EXPECT_EQ(form->I_Principale->Zoom(), 2);
    const QImage smallest = MainView();
    EXPECT_NE(smallest, designed);
    CtrlKey(Qt::Key_Minus);
    WheelAt(form.get(), CellCenter(5, 5), -120, Qt::ControlModifier);
    EXPECT_EQ(MainView(), smallest);
    for (int i = 0; i < 12; ++i)
        CtrlKey(Qt::Key_Equal);
    EXPECT_EQ(form->I_Principale->Zoom(), 64);
    CtrlKey(Qt::Key_Plus);
    EXPECT_EQ(form->I_Principale->Zoom(), 64);

    CtrlKey(Qt::Key_0);
    EXPECT_FALSE(Find<QScrollBar>("ViewScrollX")->isVisible());
    EXPECT_FALSE(Find<QScrollBar>("ViewScrollY")->isVisible());
    EXPECT_EQ(MainView(), designed);
    // Without a modifier the wheel still switches tools.
    TurnWheel(-120);
    EXPECT_TRUE(form->sbLine->isChecked());
}

TEST_F(ZoomedEditing, AWindowShrunkToAlmostNothingStaysSafe)
{
    ZoomTo8();
    for (QSize size : {QSize(320, 40), QSize(306, 1), QSize(1, 1), QSize(802, 527)}) {
        form->resize(size);
        QApplication::processEvents();
        const QImage shown = form->grab().toImage();
        EXPECT_FALSE(shown.isNull());
        const QRect region = form->I_Principale->geometry();
        for (QScrollBar* bar : {Find<QScrollBar>("ViewScrollX"), Find<QScrollBar>("ViewScrollY")}) {
            if (bar->isVisible()) {
                EXPECT_TRUE(region.contains(bar->geometry())) << size.width() << " x " << size.height();
            }
        }
        Click(Qt::LeftButton, QPoint(2, 2));
    }
}

TEST_F(ZoomedEditing, ClickingTheFillButtonAloneMakesTheNextClickFill)
{
    ApplySize("16", "16");
    QTest::mouseClick(form->sbRempli, Qt::LeftButton);
    ClickCell(Qt::LeftButton, 3, 3);
    EXPECT_EQ(PaintedCells(form->sprite).size(), 16u * 16u);
}

TEST_F(ZoomedEditing, ZoomAndTrueSizeAreKeptInASectionOfTheirOwnAfterTheOthers)
{
    ZoomTo8();
    Find<QCheckBox>("CB_ApercuTailleReelle")->setChecked(true);
    dialogs.questionAnswers = {1}; // a changed sprite: "Ne pas enregistrer"
    form->close();
    const QByteArray stored = Stored();
    const qsizetype previewSection = stored.indexOf("[FenetreApercu]");
    const qsizetype viewSection = stored.indexOf("[Affichage]\nZoomPrincipale=8\nApercuTailleReelle=1\n");
    EXPECT_GT(previewSection, 0);
    EXPECT_GT(viewSection, previewSection);

    RestartWith(stored);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(form->I_Principale->Zoom(), 8);
    EXPECT_TRUE(Find<QCheckBox>("CB_ApercuTailleReelle")->isChecked());
    ApplySize("240", "128");
    EXPECT_TRUE(Find<QScrollBar>("ViewScrollY")->isVisible());

    // Back to the defaults, which replace the stored values.
    CtrlKey(Qt::Key_0);
    Find<QCheckBox>("CB_ApercuTailleReelle")->setChecked(false);
    dialogs.questionAnswers = {1};
    form->close();
    EXPECT_TRUE(Stored().contains("[Affichage]\nZoomPrincipale=0\nApercuTailleReelle=0\n"));

    for (const char* level : {"7", "-8", "0x8", "huit", "1000"}) {
        RestartWith(QByteArray("[Affichage]\nZoomPrincipale=") + level + "\n");
        EXPECT_EQ(form->I_Principale->Zoom(), level == std::string("0x8") ? 8 : FittedZoom) << level;
    }
}

TEST_F(ZoomedEditing, TrueSizePreviewShowsWholeScreenPixelsPerPixel)
{
    ApplySize("16", "16");
    ClickCell(Qt::LeftButton, 15, 0);
    preview->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
    Find<QCheckBox>("CB_ApercuTailleReelle")->setChecked(true);
    QApplication::processEvents();
    const QImage shown = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QSize area = preview->I_Apercu->size();
    const int scale = std::min(area.width(), area.height()) / 16;
    const int left = (area.width() - 16 * scale) / 2;
    const int top = (area.height() - 16 * scale) / 2;
    // Pixel (15, 0) black, its left neighbour in the screen's lightest shade,
    // whatever the preview's color option says.
    form->CB_CouleursApercu->setChecked(false);
    EXPECT_EQ(shown.pixel(left + 15 * scale, top) & 0xFFFFFF, 0x302F20u);
    EXPECT_EQ(shown.pixel(left + 16 * scale - 1, top + scale - 1) & 0xFFFFFF, 0x302F20u);
    EXPECT_EQ(shown.pixel(left + 15 * scale - 1, top) & 0xFFFFFF, 0xC0D7C0u);
    EXPECT_EQ(shown.pixel(left + 15 * scale, top + scale) & 0xFFFFFF, 0xC0D7C0u);
    const QImage plain = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(plain.pixel(left + 15 * scale, top) & 0xFFFFFF, 0x302F20u);

    Find<QCheckBox>("CB_ApercuTailleReelle")->setChecked(false);
    const QImage designed = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(designed, plain);
}

} // namespace
