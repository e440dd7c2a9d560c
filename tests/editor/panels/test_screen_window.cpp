// "Écran de calculatrice": F5 opens it from the main window, the arrow keys
// and the mouse move the frame on the composed screen, editing shows at
// once, and the position is kept in the settings file.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSpinBox>

#include "ScreenWindow.h"
#include "settings_fixture.h"

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

// The window is built the first time it opens; a close before that writes
// the choices read from the file as the opened window would (out-of-range
// values taken back to their defaults).
class ScreenSettings : public SettingsTest {
protected:
    ScreenWindow* Window() const
    {
        return static_cast<ScreenWindow*>(form->findChild<QWidget*>(QStringLiteral("ScreenWindow")));
    }
};

TEST_F(ScreenSettings, AreKeptWhetherTheWindowOpenedOrNot)
{
    const struct {
        QByteArray section;
        int model, zoom, mode;
        Point position;
    } cases[] = {
        {"", 1, 2, 0, {0, 0}},
        {"Modele=0\nZoom=4\nMode=3\nPositionX=-7\nPositionY=8\n", 0, 4, 3, {-7, 8}},
        {"Modele=5\nZoom=9\nMode=-1\nPositionX=20000\n", 1, 2, 0, {10000, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section.toStdString());
        const QByteArray file = "[EcranCalculatrice]\n" + c.section;
        RestartWith(file);
        EXPECT_EQ(Window(), nullptr);
        form->close();
        const QByteArray unopened = Stored();

        RestartWith(file);
        QTest::keyClick(form.get(), Qt::Key_F5);
        ScreenWindow* window = Window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->findChild<QComboBox*>(QStringLiteral("CB_ModeleEcran"))->currentIndex(), c.model);
        EXPECT_EQ(window->findChild<QSpinBox*>(QStringLiteral("E_ZoomEcran"))->value(), c.zoom);
        EXPECT_EQ(window->findChild<QComboBox*>(QStringLiteral("CB_ModeEcran"))->currentIndex(), c.mode);
        EXPECT_EQ(window->Position(), c.position);
        form->close();
        EXPECT_EQ(Stored(), unopened);
    }
}

} // namespace
