// The views composed as images, checked pixel by pixel: the fitted view
// against the design's one-rectangle-per-cell drawing, the zoomed grid's
// lines and masks, and the true-size preview.
#include <QPainter>
#include <functional>
#include <random>

#include "ViewImage.h"
#include "gui_fixture.h"
#include "view_pixels.h"

namespace {

Sprite NoisySprite(Point size, unsigned seed)
{
    Sprite sprite(size);
    std::mt19937 random(seed);
    const PenValue pens[] = {White, LightGray, DarkGray, Black, Mask, Mark};
    for (int x = 0; x < size.x; ++x) {
        for (int y = 0; y < size.y; ++y)
            sprite.SetPixel(x, y, pens[random() % 6]);
    }
    return sprite;
}

// The design's drawing, one rectangle per cell in column order, with the
// colors written out again here; in grid mode, cells under 4 pixels are
// filled whole instead, a masked one checkered red and its color pixel by
// pixel from red at its top-left.
QImage DesignedView(const Sprite& sprite, const ViewRegion& region, bool trueColors, QSize imageSize)
{
    const QRgb plain[] = {0xFFFFFF, 0xAAAAAA, 0x555555, 0x000000};
    const QRgb screen[] = {0xC0D7C0, 0x909F8F, 0x60675F, 0x302F20};
    QImage image = Blank(imageSize.width(), imageSize.height());
    QPainter painter(&image);
    const float cell = CellSize(region, sprite.GetSize());
    for (int x = 0; x < sprite.width; ++x) {
        for (int y = 0; y < sprite.height; ++y) {
            const int left = ColumnBoundary(region, cell, x);
            const int right = ColumnBoundary(region, cell, x + 1);
            const int top = RowBoundary(region, cell, y);
            const int bottom = RowBoundary(region, cell, y + 1);
            const bool masked = sprite.GetMask(x, y) == Mask;
            QRgb fill = sprite.IsMarked(x, y) ? 0x008000 : (trueColors ? screen : plain)[sprite.GetColor(x, y)];
            if (trueColors) {
                if (masked)
                    fill = screen[0];
                painter.fillRect(QRect(QPoint(left - 1, top - 1), QPoint(right - 2, bottom - 2)), QColor(fill));
                continue;
            }
            const QRect outline(QPoint(left, top), QPoint(right - 1, bottom - 1));
            if (outline.isEmpty())
                continue;
            if (cell < 4.0f) {
                for (int px = left; px < right; ++px)
                    for (int py = top; py < bottom; ++py)
                        image.setPixel(px, py, masked && (px - left + py - top) % 2 == 0 ? Red : fill);
                continue;
            }
            painter.fillRect(outline, QColor(masked ? Red : Blue));
            const QRect inside = outline.adjusted(1, 1, -1, -1);
            if (!inside.isEmpty())
                painter.fillRect(inside, QColor(fill));
        }
    }
    return image;
}

class ZoomedRendering : public EditorWindowTest {
protected:
    QImage Fitted(const Sprite& sprite, const ViewRegion& region, bool trueColors, QSize imageSize)
    {
        QImage image = Blank(imageSize.width(), imageSize.height());
        QPainter painter(&image);
        DrawSpriteView(*form, QRect(region.left, region.top, region.width, region.height), sprite, painter, trueColors);
        return image;
    }
    static QImage Zoomed(const Sprite& sprite, const ZoomedLayout& layout, Point scroll, bool trueColors)
    {
        QImage image = Blank(500, 540);
        QPainter painter(&image);
        DrawZoomedView(painter, layout, scroll, sprite, trueColors);
        return image;
    }
};

TEST_F(ZoomedRendering, FittedViewIsTheDesignedDrawingPixelForPixel)
{
    struct Case {
        Point size;
        ViewRegion region;
    };
    const Case cases[] = {
        {{16, 16}, {0, 0, 489, 527}},   {{240, 128}, {0, 0, 489, 527}}, {{1, 1}, {0, 0, 489, 527}},
        {{240, 128}, {0, 0, 192, 208}}, // the preview: cells of 0 and 1 pixel
        {{37, 5}, {13, 7, 300, 90}},    {{3, 100}, {2, 3, 150, 400}},   {{240, 128}, {0, 0, 1000, 700}},
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        const Sprite sprite = NoisySprite(c.size, seed++);
        const QSize imageSize(c.region.left + c.region.width + 4, c.region.top + c.region.height + 4);
        for (bool trueColors : {false, true}) {
            EXPECT_EQ(Fitted(sprite, c.region, trueColors, imageSize),
                      DesignedView(sprite, c.region, trueColors, imageSize))
                << c.size.x << " x " << c.size.y << " in " << c.region.width << " x " << c.region.height
                << (trueColors ? ", true colors" : ", grid");
        }
    }
}

TEST_F(ZoomedRendering, AtZoom8TheBottomRightCornerShowsTheLastCellWithItsLines)
{
    Sprite sprite({MaxWidth, MaxHeight});
    sprite.SetPixel(239, 127, Black);
    sprite.SetPixel(238, 127, Mask);
    const ZoomedLayout layout = LayOutZoomedView({0, 0, 489, 527}, {240, 128}, 8, false, 16);
    const QImage image = Zoomed(sprite, layout, {layout.maxScrollX, layout.maxScrollY}, false);
    // Scrolled to the end, the viewport's last column and row (471, 509)
    // hold the closing lines; cell (239, 127) spans 463 to 470 and 501 to
    // 508, its left and top edge a line.
    EXPECT_EQ(At(image, 471, 504), Blue);
    EXPECT_EQ(At(image, 466, 509), Blue);
    EXPECT_EQ(At(image, 463, 504), Red); // its left edge is the masked neighbour's right edge
    EXPECT_EQ(At(image, 466, 501), Blue);
    EXPECT_EQ(At(image, 464, 502), PlainBlack);
    EXPECT_EQ(At(image, 470, 508), PlainBlack);
    EXPECT_EQ(At(image, 466, 497), PlainWhite); // cell (239, 126)
    // The masked cell (238, 127): white inside, red on all four edges.
    EXPECT_EQ(At(image, 459, 504), PlainWhite);
    EXPECT_EQ(At(image, 455, 504), Red);
    EXPECT_EQ(At(image, 459, 501), Red);
    EXPECT_EQ(At(image, 459, 509), Red);
    EXPECT_EQ(At(image, 455, 501), Red);  // its top-left corner
    EXPECT_EQ(At(image, 455, 497), Blue); // the line above it is the cell above's own
    EXPECT_EQ(At(image, 451, 501), Blue);
    EXPECT_EQ(At(image, 453, 504), PlainWhite);
    // Nothing beyond the viewport: the bars' place and the ring are left.
    EXPECT_EQ(At(image, 472, 300), Untouched);
    EXPECT_EQ(At(image, 300, 510), Untouched);
    EXPECT_EQ(At(image, 0, 0), Untouched);
}

TEST_F(ZoomedRendering, MaskedCellsNeverLookLikeUnmaskedOnes)
{
    // Column 0 masked white, column 1 white; masked black beside black.
    const Sprite sprite = FromRows({"W.B#", "W.B#"});
    struct Case {
        int zoom;
        bool trueColors;
    };
    const Case cases[] = {{2, false}, {3, false}, {4, true}, {8, true}, {64, true}, {2, true}};
    for (const Case& c : cases) {
        const ZoomedLayout layout = LayOutZoomedView({0, 0, 489, 527}, {4, 2}, c.zoom, c.trueColors, 16);
        const QImage image = Zoomed(sprite, layout, {0, 0}, c.trueColors);
        for (int pair : {0, 2}) {
            // Every pixel of the masked cell against the unmasked one's.
            QImage masked = image.copy(1 + pair * c.zoom, 1, c.zoom, c.zoom);
            QImage unmasked = image.copy(1 + (pair + 1) * c.zoom, 1, c.zoom, c.zoom);
            EXPECT_NE(masked, unmasked) << "zoom " << c.zoom << (c.trueColors ? " true colors" : " grid");
        }
        if (c.trueColors) {
            // Still in the screen's background shades: nothing red or dark.
            const QRgb corner = At(image, 1, 1);
            EXPECT_TRUE(corner == TrueWhite || corner == 0xE2EEE2) << "zoom " << c.zoom;
            EXPECT_EQ(At(image, 1 + 3 * c.zoom, 1), TrueBlack);
        }
    }
}

TEST_F(ZoomedRendering, TrueSizePreviewAtOneAndTwoPixelsAPixel)
{
    // Scale 2 in 192 x 208 for 96 x 64, centred: from (0, 40).
    Sprite sprite({96, 64});
    sprite.SetPixel(0, 0, Black);
    sprite.SetPixel(95, 63, Black);
    sprite.SetPixel(1, 0, Black);
    sprite.SetPixel(1, 0, Mask);
    QImage image = Blank(192, 208);
    {
        QPainter painter(&image);
        DrawTrueSizeView(painter, {0, 0, 192, 208}, sprite);
    }
    EXPECT_EQ(At(image, 0, 39), Untouched);
    for (QPoint p : {QPoint(0, 40), QPoint(1, 41), QPoint(190, 166), QPoint(191, 167)})
        EXPECT_EQ(At(image, p.x(), p.y()), TrueBlack) << p.x() << "," << p.y();
    EXPECT_EQ(At(image, 2, 40), TrueWhite); // masked black shows the background
    EXPECT_EQ(At(image, 4, 40), TrueWhite);
    EXPECT_EQ(At(image, 0, 42), TrueWhite);
    EXPECT_EQ(At(image, 100, 168), Untouched);

    // 240 x 128 does not fit 192 pixels: one pixel a pixel, cut at the edge.
    Sprite wide({240, 128});
    wide.SetPixel(191, 0, Black);
    wide.SetPixel(192, 1, Black);
    QImage cut = Blank(200, 208);
    {
        QPainter painter(&cut);
        DrawTrueSizeView(painter, {0, 0, 192, 208}, wide);
    }
    EXPECT_EQ(At(cut, 191, 40), TrueBlack);
    EXPECT_EQ(At(cut, 190, 40), TrueWhite);
    EXPECT_EQ(At(cut, 191, 41), TrueWhite);
    EXPECT_EQ(At(cut, 192, 41), Untouched);
    EXPECT_EQ(At(cut, 0, 167), TrueWhite);
    EXPECT_EQ(At(cut, 0, 168), Untouched);
}

// Every view drawn through the painter onto a surface the pixels are composed
// in directly (a 32-bit image) and onto one they are drawn on from a scratch
// buffer (another pixel format, a clip that cuts the view): the same pixels,
// shifted by the painter's translation, and nothing outside the clip.
TEST(ViewSurfaces, ComposedInTheSurfaceOrThroughAScratchBufferTheViewsMatch)
{
    const Sprite sprite = NoisySprite({40, 24}, 11);
    const ViewRegion region{0, 0, 300, 200};
    const ZoomedLayout zoomed = LayOutZoomedView(region, sprite.GetSize(), 8, false, 12);
    const std::function<void(QPainter&)> views[] = {
        [&](QPainter& painter) { DrawFittedView(painter, region, CellSize(region, sprite.GetSize()), sprite, false); },
        [&](QPainter& painter) { DrawFittedView(painter, region, CellSize(region, sprite.GetSize()), sprite, true); },
        [&](QPainter& painter) {
            DrawZoomedView(painter, zoomed, {37, 21}, sprite, false);
        },
        [&](QPainter& painter) { DrawTrueSizeView(painter, region, sprite); },
    };
    const auto drawn = [](QImage::Format format, const std::function<void(QPainter&)>& view, QRect clip) {
        QImage image(320, 220, format);
        image.fill(QColor(Untouched));
        QPainter painter(&image);
        painter.translate(7, 5);
        if (!clip.isNull())
            painter.setClipRect(clip);
        view(painter);
        painter.end();
        return image.convertToFormat(QImage::Format_RGB32);
    };
    int index = 0;
    for (const auto& view : views) {
        const QImage direct = drawn(QImage::Format_RGB32, view, {});
        EXPECT_EQ(direct.pixel(3, 2) & 0xFFFFFF, Untouched) << index << ": the translation is kept";
        EXPECT_TRUE(direct == drawn(QImage::Format_RGBX8888, view, {})) << index;
        const QRect clip(20, 10, 100, 60);
        const QImage clipped = drawn(QImage::Format_RGB32, view, clip);
        const QRect onImage = clip.translated(7, 5);
        for (int y = 0; y < direct.height(); ++y)
            for (int x = 0; x < direct.width(); ++x)
                ASSERT_EQ(clipped.pixel(x, y), onImage.contains(x, y) ? direct.pixel(x, y) : QColor(Untouched).rgb())
                    << index << " at " << x << ", " << y;
        ++index;
    }
}

} // namespace
