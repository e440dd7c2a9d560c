// The view as pixels: DrawSpriteView painted into an image whose background
// is a colour the view never uses, so untouched pixels show.
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

#include "gui_fixture.h"
#include "view_pixels.h"

namespace {

const QRect DesignRegion(0, 0, 489, 527);

// A white picture whose top row is given.
Rows WithTopRow(const std::string& top, int height)
{
    Rows rows(height, std::string(top.size(), '.'));
    rows[0] = top;
    return rows;
}

class ViewRendering : public EditorWindowTest {
protected:
    QImage Render(const Sprite& sprite, bool trueColors, QRect region = DesignRegion)
    {
        QImage image(region.right() + 20, region.bottom() + 20, QImage::Format_RGB32);
        image.fill(Untouched);
        QPainter painter(&image);
        DrawSpriteView(*form, region, sprite, painter, trueColors);
        return image;
    }
    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
};

TEST_F(ViewRendering, GridModeRingsSitOnTheColumnBoundaries)
{
    const QImage image = Render(FromRows(WithTopRow(std::string(16, '.'), 16)), false);
    const int boundaries[17] = {1, 31, 61, 92, 122, 153, 183, 214, 244, 274, 305, 335, 366, 396, 427, 457, 488};
    auto expectedAt = [&](int x) {
        if (x < 1 || x >= 488)
            return Untouched;
        for (int b : boundaries) {
            if (x == b || x == b - 1)
                return Blue;
        }
        return PlainWhite;
    };
    for (int x = 0; x < 500; ++x)
        ASSERT_EQ(At(image, x, 15), expectedAt(x)) << "x " << x;
    // Cell (0, 0) covers 1 to 30 on both axes.
    EXPECT_EQ(At(image, 0, 0), Untouched);
    EXPECT_EQ(At(image, 1, 1), Blue);
    EXPECT_EQ(At(image, 30, 30), Blue);
    EXPECT_EQ(At(image, 2, 2), PlainWhite);
    EXPECT_EQ(At(image, 29, 29), PlainWhite);
    EXPECT_EQ(At(image, 15, 488), Untouched);
}

TEST_F(ViewRendering, TrueColorsShiftCellsUpLeftWithoutOutline)
{
    const QImage image = Render(FromRows(WithTopRow(".#" + std::string(14, '.'), 16)), true);
    // Cell (0, 0) covers 0 to 29, cell (1, 0) 30 to 59.
    EXPECT_EQ(At(image, 0, 0), TrueWhite);
    EXPECT_EQ(At(image, 29, 29), TrueWhite);
    EXPECT_EQ(At(image, 30, 0), TrueBlack);
    EXPECT_EQ(At(image, 59, 29), TrueBlack);
    EXPECT_EQ(At(image, 60, 0), TrueWhite);
    EXPECT_EQ(At(image, 30, 30), TrueWhite);
    EXPECT_EQ(At(image, 486, 486), TrueWhite);
    EXPECT_EQ(At(image, 487, 100), Untouched);
    EXPECT_EQ(At(image, 100, 487), Untouched);
}

TEST_F(ViewRendering, FullStorageStopsAtColumn487AndRow259)
{
    Sprite sprite({MaxWidth, MaxHeight});
    const QImage image = Render(sprite, false);
    EXPECT_EQ(At(image, 487, 259), PlainWhite); // cells of 2 pixels have no outline
    EXPECT_EQ(At(image, 488, 100), Untouched);
    for (int y = 260; y < 530; ++y)
        ASSERT_EQ(At(image, 100, y), Untouched) << "row " << y;
}

TEST_F(ViewRendering, OnePixelSpriteIsOneCellFrom1To487)
{
    const QImage image = Render(FromRows({"#"}), false);
    EXPECT_EQ(At(image, 1, 1), Blue);
    EXPECT_EQ(At(image, 487, 487), Blue);
    EXPECT_EQ(At(image, 2, 2), PlainBlack);
    EXPECT_EQ(At(image, 486, 486), PlainBlack);
    EXPECT_EQ(At(image, 0, 0), Untouched);
    EXPECT_EQ(At(image, 488, 488), Untouched);
}

TEST_F(ViewRendering, MaskedAndMarkedCellsInBothModes)
{
    // In a 322 x 322 region at (100, 50) a 16 x 16 grid has cells of 20
    // pixels: cell (x, 0) spans 101 + 20x to 120 + 20x in grid mode.
    const QRect region(100, 50, 322, 322);
    Sprite sprite = FromRows(WithTopRow("B#.l" + std::string(12, '.'), 16));
    sprite.SetPixel(2, 0, Mark);
    sprite.SetPixel(0, 0, Mark); // marked and masked
    struct Case {
        int cell;
        bool trueColors;
        QRgb ring;
        QRgb inside;
    };
    const Case cases[] = {
        {0, false, Red, Green},       {0, true, TrueWhite, TrueWhite}, // masked black, marked
        {1, false, Blue, PlainBlack}, {1, true, TrueBlack, TrueBlack},
        {2, false, Blue, Green},      {2, true, Green, Green},       // marked white
        {3, false, Blue, 0xAAAAAA},   {3, true, 0x909F8F, 0x909F8F}, // light gray
    };
    for (const Case& c : cases) {
        const QImage image = Render(sprite, c.trueColors, region);
        const int first = 101 + 20 * c.cell - (c.trueColors ? 1 : 0);
        const int top = 51 - (c.trueColors ? 1 : 0);
        EXPECT_EQ(At(image, first, top), c.ring) << "cell " << c.cell << " true colors " << c.trueColors;
        EXPECT_EQ(At(image, first + 19, top + 19), c.ring) << "cell " << c.cell;
        EXPECT_EQ(At(image, first + 10, top + 10), c.inside) << "cell " << c.cell;
    }
    // A masked black pixel on its own, without a mark: black inside a red ring.
    sprite.ClearMarks();
    const QImage grid = Render(sprite, false, region);
    EXPECT_EQ(At(grid, 101, 51), Red);
    EXPECT_EQ(At(grid, 110, 60), PlainBlack);
    EXPECT_EQ(At(Render(sprite, true, region), 105, 55), TrueWhite);
}

// The pixels of a region's cells as letters: b blue, r red, # black,
// . white, g green, ? anything else; from (left, top), rows of width.
std::vector<std::string> PixelRows(const QImage& image, int left, int top, int width, int height)
{
    std::vector<std::string> rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x) {
            switch (image.pixel(x, y) & 0xFFFFFF) {
            case Blue:
                row += 'b';
                break;
            case Red:
                row += 'r';
                break;
            case PlainBlack:
                row += '#';
                break;
            case PlainWhite:
                row += '.';
                break;
            case Green:
                row += 'g';
                break;
            default:
                row += '?';
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// From 4 pixels a cell the designed outlines; below, cells filled whole, a
// masked one checkered red and its color from red at its top-left, so that
// a masked white cell never reads as white, even of one pixel.
TEST_F(ViewRendering, CellsUnderFourPixelsAreFilledWithoutOutline)
{
    // Masked white, black; masked black, white marked.
    Sprite sprite = FromRows({"W#", "B."});
    sprite.SetPixel(1, 1, Mark);
    struct Case {
        int regionSide; // cell = (side - 2) / 2
        std::vector<std::string> pixels;
    };
    const Case cases[] = {
        {10, {"rrrrbbbb", "r..rb##b", "r..rb##b", "rrrrbbbb", "rrrrbbbb", "r##rbggb", "r##rbggb", "rrrrbbbb"}},
        {8, {"r.r###", ".r.###", "r.r###", "r#rggg", "#r#ggg", "r#rggg"}},
        {6, {"r.##", ".r##", "r#gg", "#rgg"}},
        {4, {"r#", "rg"}},
    };
    for (const Case& c : cases) {
        const QImage image = Render(sprite, false, QRect(0, 0, c.regionSide, c.regionSide));
        const int grid = c.regionSide - 2;
        EXPECT_EQ(PixelRows(image, 1, 1, grid, grid), c.pixels) << "region " << c.regionSide;
        EXPECT_EQ(At(image, 0, 0), Untouched);
        EXPECT_EQ(At(image, grid + 1, grid + 1), Untouched);
    }
}

// At 240 x 128 the fitted cells are 2 pixels: a line drawn with the mouse
// shows in black on white, in the view and in the preview's grid, with no
// blue left.
TEST_F(ViewRendering, AFullSizeSpriteShowsWhatIsDrawnInTheViewAndThePreview)
{
    preview->show();
    form->CB_CouleursApercu->setChecked(false);
    ApplySize("240", "128");
    Press(Qt::LeftButton, CellCenter(10, 10));
    Move(CellCenter(100, 60));
    Release(Qt::LeftButton, CellCenter(100, 60));
    ASSERT_EQ(form->sprite.GetColor(55, 35), Black);

    const QImage view = MainView();
    for (QPoint cell : {QPoint(10, 10), QPoint(55, 35), QPoint(100, 60)})
        EXPECT_EQ(At(view, CellCenter(cell.x(), cell.y()).x(), CellCenter(cell.x(), cell.y()).y()), PlainBlack);
    EXPECT_EQ(At(view, CellCenter(200, 100).x(), CellCenter(200, 100).y()), PlainWhite);
    const QImage shown = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The line's 91 cells: 2 x 2 pixels at least in the view, and in the
    // preview cells under one pixel, some of which take no column or row.
    const std::pair<QImage, int> images[] = {{view, 91 * 4}, {shown, 40}};
    for (const auto& [image, leastBlack] : images) {
        int black = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                ASSERT_NE(At(image, x, y), Blue) << x << ", " << y;
                black += At(image, x, y) == PlainBlack;
            }
        }
        EXPECT_GE(black, leastBlack);
    }
}

// The previous frame shows through white cells in a tint far from every
// color of both palettes (and from the palette buttons' grays), so it is
// never taken for a pixel of the frame; darker pixels tint more.
TEST_F(ViewRendering, OnionSkinTintIsNoColorOfEitherPalette)
{
    const QRgb colors[] = {0xFFFFFF, 0xAAAAAA, 0x555555, 0x000000, 0xFF0000, 0x0000FF, 0x008000, 0x2565FA,
                           0xADADAD, 0x525252, 0xC0D7C0, 0x909F8F, 0x60675F, 0x302F20, 0xE2EEE2};
    auto distance = [](QRgb a, QRgb b) {
        return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
    };
    UseSprite({"ld#"});
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    QTest::mouseClick(Find<QPushButton>("B_NouvelleImage"), Qt::LeftButton);
    Find<QCheckBox>("CB_PelureOignon")->setChecked(true);
    for (bool trueColors : {false, true}) {
        form->CB_CouleursPrincipale->setChecked(trueColors);
        const QImage view = MainView();
        std::vector<QRgb> tints;
        for (int x = 0; x < 3; ++x) {
            const QRgb tint = At(view, CellCenter(x, 0).x(), CellCenter(x, 0).y());
            for (QRgb color : colors)
                EXPECT_GE(distance(tint, color), 40) << std::hex << tint << " near " << color << " at " << x;
            for (QRgb other : tints)
                EXPECT_GE(distance(tint, other), 20) << "previous pixel " << x << " told from the others";
            tints.push_back(tint);
        }
    }
}

TEST_F(ViewRendering, LabelShowsTheTypeWithASingleAmpersand)
{
    const std::pair<Rows, QString> cases[] = {
        {{".#"}, "Type: Noir & Blanc"},
        {{".l"}, "Type: niveaux de gris"},
        {{"W#"}, "Type: Noir & Blanc maské"},
        {{"Wd"}, "Type: niveaux de gris maské"},
    };
    for (const auto& [rows, text] : cases) {
        Render(FromRows(rows), false);
        EXPECT_EQ(form->Label2->text(), text);
    }
}

TEST_F(ViewRendering, RegionTooSmallDrawsNothing)
{
    const QImage image = Render(FromRows({"#"}), false, QRect(5, 5, 2, 2));
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(At(image, x, 6), Untouched);
}

} // namespace
