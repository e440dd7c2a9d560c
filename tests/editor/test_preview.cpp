// The preview window beside the main one: when it is shown and hidden, how
// it follows the main window while attached, and the two color options
// redrawing what each window shows.
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

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
        QTest::mouseClick(form->B_DupliquerImage, Qt::LeftButton);
        form->sprite = FromRows(rows);
        form->CB_AnimerApercu->setChecked(true);
        for (int tick = 0; tick < 2; ++tick) {
            form->timerAnimationTimer();
            preview->grab();
            EXPECT_EQ(form->Label2->text().toStdString(), text.toStdString()) << "frame " << form->PreviewFrame;
        }
    }
}

} // namespace
