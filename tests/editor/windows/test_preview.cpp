// The preview window beside the main one: when it is shown and hidden, how
// it follows the main window while attached, and the two color options
// redrawing what each window shows.
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "FramePanel.h"
#include "settings_fixture.h"

namespace {

class Preview : public SettingsTest {
protected:
    bool PreviewReaches(QRect bounds) const
    {
        return QTest::qWaitFor([&] { return preview->placement->Bounds() == bounds; }, 1000);
    }

    // What the window system shows of a window now, not a fresh rendering.
    static QImage Displayed(QWidget* window)
    {
        QApplication::processEvents();
        return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The middle of cell (8, 8) of the preview's 16 x 16 grid.
    QRgb PreviewMiddleCell() const
    {
        const double cell = (std::min(preview->width(), preview->height()) - 2) / 16.0;
        const int middle = int(1 + 8.5 * cell);
        return Displayed(preview.get()).pixel(middle, middle) & 0xFFFFFF;
    }
};

TEST_F(Preview, IsShownWithTheMainWindowAndHiddenAtActivationWhileTheOptionIsOff)
{
    BuildWith("[Options]\nApercu=0\n");
    EXPECT_FALSE(form->CB_Apercu->isChecked());
    form->show();
    EXPECT_TRUE(preview->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_FALSE(preview->isVisible());

    form->CB_Apercu->setChecked(true);
    EXPECT_TRUE(preview->isVisible());
    form->CB_Apercu->setChecked(false);
    EXPECT_FALSE(preview->isVisible());
    form->CB_Apercu->setChecked(true);
    EXPECT_TRUE(preview->isVisible());
}

TEST_F(Preview, BeforeTheFirstActivationTheBoxOnlyChangesTheFlag)
{
    BuildWith("");
    ASSERT_EQ(form->Activated, 0);
    form->CB_Apercu->setChecked(false);
    EXPECT_EQ(form->Apercu, 0);
    preview->show();
    form->CB_Apercu->setChecked(true);
    form->CB_Apercu->setChecked(false);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(form->Apercu, 0);
}

TEST_F(Preview, AttachedItStandsLeftOfTheMainWindowAtEveryTickUntilDetached)
{
    BuildWith("[Options]\nApercuAttache=1\n");
    EXPECT_TRUE(form->CB_ApercuAttache->isChecked());
    EXPECT_TRUE(form->timerAttache->isActive());
    EXPECT_EQ(form->timerAttache->interval(), 200);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    form->placement->SetPosition({100, 300});
    EXPECT_TRUE(PreviewReaches({-92, 300, 192, 208})); // partly off the screen: no clamping
    preview->placement->SetWidth(250);
    EXPECT_TRUE(PreviewReaches({-150, 300, 250, 208}));
    preview->placement->SetPosition({600, 600});
    EXPECT_TRUE(PreviewReaches({-150, 300, 250, 208}));
    preview->close();
    form->placement->SetPosition({700, 20});
    EXPECT_TRUE(PreviewReaches({450, 20, 250, 208})); // hidden, it follows all the same
    preview->show();
    QApplication::processEvents();
    EXPECT_EQ(preview->frameGeometry(), QRect(450, 20, 250, 208));

    form->CB_ApercuAttache->setChecked(false);
    EXPECT_FALSE(form->timerAttache->isActive());
    form->placement->SetPosition({500, 200});
    QTest::qWait(450);
    EXPECT_EQ(preview->placement->Bounds(), QRect(450, 20, 250, 208));
}

TEST_F(Preview, EachColorOptionRedrawsItsOwnViewAtOnce)
{
    constexpr QRgb plainWhite = 0xFFFFFF;
    constexpr QRgb screenWhite = 0xC0D7C0; // the calculator screen's lightest shade
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
    const QPoint cell = CellCenter(8, 8);
    ASSERT_EQ(PreviewMiddleCell(), screenWhite);
    ASSERT_EQ(Displayed(form.get()).pixel(cell) & 0xFFFFFF, plainWhite);

    form->CB_CouleursApercu->setChecked(false);
    EXPECT_EQ(PreviewMiddleCell(), plainWhite);

    form->CB_CouleursPrincipale->setChecked(true);
    EXPECT_EQ(Displayed(form.get()).pixel(cell) & 0xFFFFFF, screenWhite);
    EXPECT_EQ(PreviewMiddleCell(), plainWhite);
}

// Attached to a main window at the screen's left edge, or filling the
// screen, the preview stays wholly on the screen.
TEST_F(Preview, AttachedToAMainWindowAtTheLeftEdgeItStaysOnTheScreen)
{
    BuildWith("[Options]\nApercuAttache=1\n");
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QRect screen = form->screen()->availableGeometry();
    const std::function<void()> places[] = {
        [&] {
            form->placement->SetPosition({screen.left(), 100});
        },
        [&] { form->showMaximized(); },
    };
    for (const auto& place : places) {
        place();
        const bool levelWithIt = QTest::qWaitFor(
            [&] { return preview->placement->Bounds().top() == form->placement->Bounds().top(); }, 1000);
        EXPECT_TRUE(levelWithIt);
        EXPECT_TRUE(screen.contains(preview->placement->Bounds()))
            << preview->placement->Bounds().x() << ", " << preview->placement->Bounds().y();
    }
}

// With "Aperçu en taille réelle", a 240 x 128 sprite shows whole: the four
// corner pixels drawn in the view are four squares of the calculator's black
// at the corners of one 240 x 128 block at a whole scale, the window still on
// the screen.
TEST_F(Preview, TrueSizeShowsA240By128SpriteWhole)
{
    constexpr QRgb screenBlack = 0x302F20;
    preview->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
    ClickOnItsPage(Find<QCheckBox>("CB_ApercuTailleReelle"));
    ApplySize("240", "128");
    for (QPoint corner : {QPoint(0, 0), QPoint(239, 0), QPoint(0, 127), QPoint(239, 127)})
        ClickCell(Qt::LeftButton, corner.x(), corner.y());
    QApplication::processEvents();

    const QImage shown = Displayed(preview.get());
    QRect block;
    int black = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if ((shown.pixel(x, y) & 0xFFFFFF) == screenBlack) {
                block |= QRect(x, y, 1, 1);
                ++black;
            }
        }
    }
    const int scale = block.width() / 240;
    ASSERT_GE(scale, 1) << block.width() << " x " << block.height();
    EXPECT_EQ(block.size(), QSize(240 * scale, 128 * scale));
    EXPECT_EQ(black, 4 * scale * scale);
    EXPECT_TRUE(form->screen()->availableGeometry().contains(preview->placement->Bounds()));
}

// Where the attached preview goes, by outer bounds, on a desktop whose free
// area is given.
TEST(AttachedPreview, StandsLeftOfTheMainWindowWhileAQuarterOfItShowsElseRightElseOverIt)
{
    struct Case {
        QRect main;
        QSize preview;
        QRect screen;
        QPoint expected;
    };
    const QRect wide(0, 0, 1920, 1080);
    const Case cases[] = {
        {{400, 300, 810, 560}, {192, 208}, wide, {208, 300}},                    // room on the left
        {{100, 300, 810, 560}, {192, 208}, wide, {-92, 300}},                    // partly off, as designed
        {{48, 300, 810, 560}, {192, 208}, wide, {-144, 300}},                    // a quarter shows
        {{47, 300, 810, 560}, {192, 208}, wide, {857, 300}},                     // less: the other side
        {{0, 50, 810, 560}, {270, 208}, wide, {810, 50}},                        // at the left edge
        {{-8, -8, 1936, 1096}, {192, 208}, wide, {0, -8}},                       // maximised: over its edge
        {{0, 0, 1800, 1000}, {192, 208}, wide, {0, 0}},                          // no room on the right
        {{1728, 0, 192, 300}, {192, 208}, wide, {1536, 0}},                      // at the right edge
        {{1920, 40, 810, 560}, {192, 208}, {0, 0, 3200, 1080}, {1728, 40}},      // on the screen beside
        {{-1280, 40, 810, 560}, {192, 208}, {-1280, 0, 3200, 1080}, {-470, 40}}, // left edge of the desktop
    };
    for (const Case& c : cases)
        EXPECT_EQ(AttachedPreviewPosition(c.main, c.preview, c.screen), c.expected)
            << c.main.x() << ", " << c.main.y() << " " << c.main.width() << " x " << c.main.height();
}

// While the preview plays a set, the type label speaks of the frame edited,
// with one ampersand, whichever frame the preview draws.
TEST_F(Preview, WhileTheSetPlaysTheLabelShowsTheEditedFrameWithOneAmpersand)
{
    const std::pair<Rows, QString> cases[] = {
        {{"#."}, "Type: Noir & Blanc"},
        {{"#B"}, "Type: Noir & Blanc maské"},
        {{"ld"}, "Type: niveaux de gris"},
        {{"lW"}, "Type: niveaux de gris maské"},
    };
    for (const auto& [rows, text] : cases) {
        RestartWith("");
        preview->show();
        UseSprite({"dL"});
        form->PageControl1->setCurrentWidget(form->TabSheet1);
        QTest::mouseClick(Find<QPushButton>("B_DupliquerImage"), Qt::LeftButton);
        form->sprite = FromRows(rows);
        // Written past the document: the main view's painting shows its type.
        MainView();
        Find<QCheckBox>("CB_AnimerApercu")->setChecked(true);
        for (int tick = 0; tick < 2; ++tick) {
            form->framePanel->timerAnimationTimer();
            preview->grab();
            EXPECT_EQ(form->Label2->text().toStdString(), text.toStdString())
                << "frame " << form->framePanel->PreviewFrame;
        }
    }
}

} // namespace
