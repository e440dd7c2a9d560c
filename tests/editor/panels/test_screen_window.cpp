// "Écran de calculatrice": F5 opens it from the main window, the arrow keys
// and the mouse move the frame on the composed screen, editing shows at
// once, and the position is kept in the settings file.
#include <QFile>
#include <QLabel>
#include <QSpinBox>

#include "ScreenWindow.h"
#include "gui_fixture.h"

namespace {

constexpr QRgb ScreenWhite = qRgb(207, 224, 204), ScreenBlack = qRgb(34, 46, 49);

class CalculatorScreenWindow : public EditorWindowTest {
protected:
    ScreenWindow* Window() const { return form->findChild<ScreenWindow*>(QStringLiteral("ScreenWindow")); }
    QWidget* View() const { return Window()->findChild<QWidget*>(QStringLiteral("ScreenView")); }
    // The screen pixel (x, y) as the view shows it, at its zoom.
    QRgb ShownPixel(int x, int y) const
    {
        const int zoom = Window()->findChild<QSpinBox*>(QStringLiteral("E_ZoomEcran"))->value();
        return View()->grab().toImage().pixel(x * zoom + zoom / 2, y * zoom + zoom / 2);
    }
};

TEST_F(CalculatorScreenWindow, F5OpensItAndArrowKeysMoveTheFrame)
{
    UseSprite({"#.", ".#"});
    QTest::keyClick(form.get(), Qt::Key_F5);
    ASSERT_TRUE(Window()->isVisible());
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Écran de calculatrice"));
    EXPECT_EQ(View()->size(), QSize(480, 256)); // TI-92 Plus at zoom 2
    EXPECT_EQ(ShownPixel(0, 0), ScreenBlack);
    EXPECT_EQ(ShownPixel(1, 0), ScreenWhite);

    QTest::keyClick(View(), Qt::Key_Right);
    QTest::keyClick(View(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(View(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(Window()->Position(), (Point{-7, 8}));
    EXPECT_EQ(Window()->findChild<QLabel*>(QStringLiteral("L_PositionEcran"))->text(),
              QStringLiteral("X = -7   Y = 8"));
    EXPECT_EQ(ShownPixel(0, 8), ScreenWhite);
    EXPECT_EQ(ShownPixel(0, 9), ScreenWhite);

    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(View(), QPoint(55, 35));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(55, 35));
    EXPECT_EQ(Window()->Position(), (Point{0, 5})); // 15 and -5 view pixels at zoom 2
    EXPECT_EQ(ShownPixel(0, 5), ScreenBlack);
    EXPECT_EQ(ShownPixel(1, 6), ScreenBlack);
    EXPECT_EQ(ShownPixel(1, 5), ScreenWhite);
}

TEST_F(CalculatorScreenWindow, EditingShowsAtOnceAndThePositionIsKept)
{
    UseSprite({"..", ".."});
    QTest::keyClick(form.get(), Qt::Key_F5);
    QTest::keyClick(View(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(ShownPixel(9, 1), ScreenWhite);
    form->activateWindow();
    ClickCell(Qt::LeftButton, 1, 1);
    EXPECT_EQ(ShownPixel(9, 1), ScreenBlack);
    form->document.MarkSaved(SpriteDocument::Saved::WholeSet); // no question at the close
    StopEditor();
    QFile settings(Paths().settingsFile);
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray text = settings.readAll();
    EXPECT_TRUE(text.endsWith("[EcranCalculatrice]\nPositionX=8\n")) << text.toStdString();
}

} // namespace
