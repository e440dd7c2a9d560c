// The pointer over the main view takes the cursor of the tool chosen,
// however it was chosen, and the rest of the window keeps the arrow.
#include <QApplication>
#include <QTabWidget>
#include <QToolButton>
#include <functional>

#include "gui_fixture.h"

namespace {

enum class Shown { Cross, Arrows, Bucket, Dropper };

class ToolCursors : public EditorWindowTest {
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        UseSprite({"#...", "....", "...."});
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), key, modifiers);
    }

    // The cursor of the widget the pointer would be over, as Qt finds it.
    QCursor CursorAt(QPoint windowPoint) const
    {
        QWidget* under = form->childAt(windowPoint);
        return under ? under->cursor() : form->cursor();
    }

    // Drawn cursors act at a pixel of their picture.
    static bool HotSpotIsDrawn(const QCursor& cursor)
    {
        const QImage picture = cursor.pixmap().toImage();
        return picture.rect().contains(cursor.hotSpot()) && qAlpha(picture.pixel(cursor.hotSpot())) > 0;
    }

    // Which of the tools' cursors the view shows, told apart by the
    // pictures of the two drawn ones (the bucket is wider than high).
    Shown ViewCursor() const
    {
        const QCursor cursor = CursorAt(CellCenter(1, 1));
        EXPECT_NE(form->childAt(CellCenter(1, 1)), nullptr);
        switch (cursor.shape()) {
        case Qt::CrossCursor:
            return Shown::Cross;
        case Qt::SizeAllCursor:
            return Shown::Arrows;
        case Qt::BitmapCursor:
            EXPECT_TRUE(HotSpotIsDrawn(cursor));
            return cursor.hotSpot().y() < 25 ? Shown::Bucket : Shown::Dropper;
        default:
            ADD_FAILURE() << "cursor shape " << cursor.shape();
            return Shown::Cross;
        }
    }
};

TEST_F(ToolCursors, EachToolKeyGivesTheViewItsCursorAndOnlyTheView)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Shown cursor;
    } cases[] = {
        {Qt::Key_G, Qt::NoModifier, Shown::Bucket},   {Qt::Key_B, Qt::NoModifier, Shown::Cross},
        {Qt::Key_S, Qt::NoModifier, Shown::Arrows},   {Qt::Key_I, Qt::NoModifier, Shown::Dropper},
        {Qt::Key_L, Qt::NoModifier, Shown::Cross},    {Qt::Key_U, Qt::NoModifier, Shown::Cross},
        {Qt::Key_U, Qt::ShiftModifier, Shown::Cross}, {Qt::Key_O, Qt::NoModifier, Shown::Cross},
        {Qt::Key_O, Qt::ShiftModifier, Shown::Cross},
    };
    const QPoint overTabs = form->PageControl1->geometry().center();
    for (const auto& test : cases) {
        Key(test.key, test.modifiers);
        EXPECT_EQ(ViewCursor(), test.cursor) << QKeySequence(test.key | test.modifiers).toString().toStdString();
        EXPECT_EQ(CursorAt(overTabs).shape(), Qt::ArrowCursor);
    }
}

// Every other way the tool changes moves the cursor along.
TEST_F(ToolCursors, TheCursorFollowsTheToolHoweverItIsChosen)
{
    const struct {
        const char* what;
        std::function<void()> choose;
        Shown cursor;
    } cases[] = {
        {"the wheel from the pencil, two notches",
         [this] {
             TurnWheel(-120);
             TurnWheel(-120);
         },
         Shown::Bucket},
        {"the wheel back", [this] { TurnWheel(120); }, Shown::Cross},
        {"the designed fill button", [this] { ChooseTool(form->sbRempli); }, Shown::Bucket},
        {"the eyedropper's button", [this] { ChooseTool(Find<QToolButton>("sbPipette")); }, Shown::Dropper},
        {"a pick gives the fill back", [this] { ClickCell(Qt::LeftButton, 0, 0); }, Shown::Bucket},
        {"the selection's button", [this] { ChooseTool(Find<QToolButton>("sbSelection")); }, Shown::Arrows},
        {"a second click on the rectangle",
         [this] {
             ChooseTool(Find<QToolButton>("sbRectangle"));
             ChooseTool(Find<QToolButton>("sbRectangle"));
         },
         Shown::Cross},
        {"a paste chooses the selection",
         [this] {
             Key(Qt::Key_S);
             Press(Qt::LeftButton, CellCenter(0, 0));
             Release(Qt::LeftButton, CellCenter(0, 0));
             Key(Qt::Key_C, Qt::ControlModifier);
             Key(Qt::Key_B);
             Key(Qt::Key_V, Qt::ControlModifier);
         },
         Shown::Arrows},
    };
    for (const auto& test : cases) {
        test.choose();
        EXPECT_EQ(ViewCursor(), test.cursor) << test.what;
    }
}

} // namespace
