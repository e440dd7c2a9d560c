// "Transparence en damier": masked cells as a light checkerboard in the main
// view (fitted and zoomed), the preview (fitted and at true size) and the
// frame row, and the option kept in the settings file. Off, every view is
// the designed one, which the other rendering tests hold to.
#include <QCheckBox>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <set>

#include "FrameOverview.h"
#include "FrameStrip.h"
#include "ViewImage.h"
#include "gui_fixture.h"
#include "view_pixels.h"

namespace {

constexpr QRgb CheckerGray = 0xD6D6D6; // (214, 214, 214)
constexpr QRgb TrueChecker = 0xE2EEE2; // (226, 238, 226)

class MaskChecker : public EditorWindowTest {
protected:
    void Check(bool on) { Find<QCheckBox>("CB_TransparenceDamier")->setChecked(on); }

    QImage Render(const Sprite& sprite, bool trueColors, QRect region)
    {
        QImage image = Blank(region.right() + 20, region.bottom() + 20);
        QPainter painter(&image);
        DrawSpriteView(*form, region, sprite, painter, trueColors);
        return image;
    }
};

// In a 322 x 322 region at (100, 50) the 16 x 16 grid has cells of 20
// pixels from column 101, and checker squares of 5 counted from there; in
// true colors everything is one pixel further up and left.
TEST_F(MaskChecker, FittedViewChecksMaskedCellsInsideTheirOutline)
{
    const QRect region(100, 50, 322, 322);
    // Masked black, masked white, black, white, masked black marked.
    Sprite sprite = FromRows({"BW#.B" + std::string(11, '.')});
    sprite.SetPixel(4, 0, Mark);
    const struct {
        bool on;
        bool trueColors;
        QPoint at;
        QRgb expected;
    } cases[] = {
        {false, false, {106, 52}, PlainBlack}, // the designed masked black
        {true, false, {101, 51}, Red},         // its outline stays
        {true, false, {102, 52}, PlainWhite},
        {true, false, {106, 52}, CheckerGray},
        {true, false, {106, 56}, PlainWhite},
        {true, false, {126, 52}, CheckerGray}, // masked white, the pattern goes on
        {true, false, {145, 60}, PlainBlack},  // unmasked pixels as they are
        {true, false, {190, 60}, Green},       // the line tool's mark shows
        {false, true, {105, 50}, TrueWhite},
        {true, true, {100, 50}, TrueWhite},
        {true, true, {105, 50}, TrueChecker},
        {true, true, {125, 50}, TrueChecker},
        {true, true, {145, 60}, TrueBlack},
    };
    for (const auto& test : cases) {
        Check(test.on);
        EXPECT_EQ(At(Render(sprite, test.trueColors, region), test.at.x(), test.at.y()), test.expected)
            << test.on << test.trueColors << " at " << test.at.x() << "," << test.at.y();
    }
}

// Cells of two pixels: the red checker of the design gives way to the light
// one, a square a pixel.
TEST_F(MaskChecker, SmallCellsAreCheckedAPixelASquare)
{
    Sprite sprite({240, 128});
    sprite.SetPixel(0, 0, Mask);
    const QRect region(0, 0, 489, 527);
    Check(false);
    EXPECT_EQ(At(Render(sprite, false, region), 1, 1), Red);
    Check(true);
    const QImage image = Render(sprite, false, region);
    EXPECT_EQ(At(image, 1, 1), PlainWhite);
    EXPECT_EQ(At(image, 2, 1), CheckerGray);
    EXPECT_EQ(At(image, 2, 2), PlainWhite);
    EXPECT_EQ(At(image, 3, 1), PlainWhite) << "the unmasked cell beside it";
}

// Zoomed at 8 pixels a cell, squares of 2 from the content's top-left; the
// lines keep their red. At true size, squares of a pixel.
TEST_F(MaskChecker, ZoomedAndTrueSizeViewsCheckMaskedCells)
{
    Sprite sprite({96, 64});
    sprite.SetPixel(0, 0, Black);
    sprite.SetPixel(0, 0, Mask);
    const ZoomedLayout layout = LayOutZoomedView({0, 0, 489, 527}, sprite.GetSize(), 8, false, 12);
    const int left = layout.viewport.left;
    const int top = layout.viewport.top;
    for (bool on : {false, true}) {
        QImage zoomed = Blank(500, 540);
        {
            QPainter painter(&zoomed);
            DrawZoomedView(painter, layout, {0, 0}, sprite, false, on);
        }
        EXPECT_EQ(At(zoomed, left, top + 1), Red) << on;
        EXPECT_EQ(At(zoomed, left + 1, top + 1), on ? PlainWhite : PlainBlack) << on;
        EXPECT_EQ(At(zoomed, left + 3, top + 1), on ? CheckerGray : PlainBlack) << on;

        QImage trueSize = Blank(192, 208);
        {
            QPainter painter(&trueSize);
            DrawTrueSizeView(painter, {0, 0, 192, 208}, sprite, on);
        }
        // Scale 2, from (0, 40).
        EXPECT_EQ(At(trueSize, 0, 40), TrueWhite) << on;
        EXPECT_EQ(At(trueSize, 1, 40), on ? TrueChecker : TrueWhite) << on;
        EXPECT_EQ(At(trueSize, 2, 40), TrueWhite) << "unmasked white " << on;
    }
}

// The box redraws the preview, the frame row and the overview at once.
TEST_F(MaskChecker, ThePreviewAndTheFramePicturesFollowTheOption)
{
    UseSprite({"B"});
    form->CouleursVraiesApercu = 0;
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    QTest::mouseClick(Find<QPushButton>("B_DupliquerImage"), Qt::LeftButton);
    auto* strip = Find<FrameStrip>("FrameStrip");
    ASSERT_TRUE(strip->isVisible());
    QTest::mouseClick(strip->B_VueEnsemble, Qt::LeftButton);
    auto* overview = static_cast<FrameOverview*>(form->findChild<QWidget*>(QStringLiteral("F_VueEnsemble")));
    ASSERT_TRUE(overview && overview->isVisible());
    const auto colorsOf = [](QWidget* widget, QRect place) {
        const QImage picture = widget->grab(place).toImage().convertToFormat(QImage::Format_RGB32);
        std::set<QRgb> colors;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                colors.insert(At(picture, x, y));
        return colors;
    };
    const auto pictures = [&] {
        return std::pair{colorsOf(strip, strip->PictureRect(0)),
                         colorsOf(overview->grid, overview->grid->PictureRect(0))};
    };
    const std::set<QRgb> white{PlainWhite};
    const std::set<QRgb> checkered{PlainWhite, CheckerGray};
    EXPECT_EQ(CentreColor(preview.get()), PlainBlack);
    EXPECT_EQ(pictures(), std::pair(white, white));

    Check(true);
    EXPECT_TRUE(checkered.count(CentreColor(preview.get())));
    EXPECT_EQ(pictures(), std::pair(checkered, checkered));
}

// A key of its own in the section of the view's options, written once
// chosen (the designed keys stay alone until then); the next start shows
// the checkerboard again.
TEST_F(MaskChecker, TheOptionIsKeptAcrossARestart)
{
    Check(true);
    StopEditor();
    QFile settings(Paths().settingsFile);
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray text = settings.readAll();
    settings.close();
    EXPECT_TRUE(text.contains("[Affichage]\nTransparenceDamier=1\n")) << text.toStdString();
    StartEditor();
    EXPECT_TRUE(Find<QCheckBox>("CB_TransparenceDamier")->isChecked());
    UseSprite({"B"});
    EXPECT_NE(
        At(MainView(), CellCenter(0, 0).x() - form->I_Principale->x(), CellCenter(0, 0).y() - form->I_Principale->y()),
        PlainBlack);

    Check(false);
    StopEditor();
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll().contains("[Affichage]\nTransparenceDamier=0\n")) << "off again, as chosen";
    settings.close();
    StartEditor();
    EXPECT_FALSE(Find<QCheckBox>("CB_TransparenceDamier")->isChecked());
}

} // namespace
