// Drawing the sprite into a view region, and the colors of the view and of
// the pen swatches.
#include <QLabel>
#include <QPainter>
#include <array>

#include "Controls.h"
#include "U_main.h"
#include "ViewGeometry.h"

namespace {

constexpr int PaletteSize = 7;

constexpr std::array<QRgb, PaletteSize> PlainPalette{
    qRgb(255, 255, 255), qRgb(170, 170, 170), qRgb(85, 85, 85), qRgb(0, 0, 0),
    qRgb(255, 0, 0),     qRgb(0, 0, 255),     qRgb(0, 128, 0),
};

// Greenish shades of the calculator screen; entry 0, the lightest, is also
// how masked pixels look there, so that they read as background.
constexpr std::array<QRgb, PaletteSize> TrueColorPalette{
    qRgb(192, 215, 192), qRgb(144, 159, 143), qRgb(96, 103, 95), qRgb(48, 47, 32),
    qRgb(255, 0, 0),     qRgb(0, 0, 255),     qRgb(0, 128, 0),
};

constexpr QRgb MarkColor = qRgb(0, 128, 0);
constexpr QRgb GridPenColor = qRgb(37, 101, 250);
constexpr QRgb MaskedPenColor = qRgb(255, 0, 0);

struct GridLines {
    std::array<int, MaxWidth + 1> columns;
    std::array<int, MaxHeight + 1> rows;
};

GridLines ComputeGridLines(const ViewRegion& region, float cellSize, Point size)
{
    GridLines lines{};
    for (int i = 0; i <= size.x; ++i)
        lines.columns[i] = ColumnBoundary(region, cellSize, i);
    for (int j = 0; j <= size.y; ++j)
        lines.rows[j] = RowBoundary(region, cellSize, j);
    return lines;
}

// Pixels from first to last, both included; empty when last < first.
QRect Span(int firstColumn, int lastColumn, int firstRow, int lastRow)
{
    return QRect(QPoint(firstColumn, firstRow), QPoint(lastColumn, lastRow));
}

void FillIfAny(QPainter& painter, const QRect& rect, QRgb color)
{
    if (!rect.isEmpty())
        painter.fillRect(rect, QColor(color));
}

// Each cell is its rectangle with a one-pixel ring in the pen color and the
// rest in the fill color. The cells tile the grid, so the usual blue rings
// are laid down in one stroke and only the red rings and insides per cell.
void DrawGridCells(QPainter& painter, const GridLines& lines, const Sprite& sprite, Point size)
{
    FillIfAny(painter, Span(lines.columns[0], lines.columns[size.x] - 1, lines.rows[0], lines.rows[size.y] - 1),
              GridPenColor);
    for (int x = 0; x < size.x; ++x) {
        for (int y = 0; y < size.y; ++y) {
            const QRect cell = Span(lines.columns[x], lines.columns[x + 1] - 1, lines.rows[y], lines.rows[y + 1] - 1);
            if (cell.isEmpty())
                continue;
            if (sprite.GetMask(x, y) == Mask)
                painter.fillRect(cell, QColor(MaskedPenColor));
            const QRgb fill = sprite.IsMarked(x, y) ? MarkColor : PlainPalette[sprite.GetColor(x, y)];
            FillIfAny(painter, cell.adjusted(1, 1, -1, -1), fill);
        }
    }
}

QRgb TrueColorFill(const Sprite& sprite, int x, int y)
{
    if (sprite.GetMask(x, y) == Mask)
        return TrueColorPalette[White];
    return sprite.IsMarked(x, y) ? MarkColor : TrueColorPalette[sprite.GetColor(x, y)];
}

// Cells shifted one pixel up and left, no outline. Neighbouring cells of one
// column and one color are filled as one rectangle, which gives the same
// pixels.
void DrawTrueColorCells(QPainter& painter, const GridLines& lines, const Sprite& sprite, Point size)
{
    for (int x = 0; x < size.x; ++x) {
        const int firstColumn = lines.columns[x] - 1;
        const int lastColumn = lines.columns[x + 1] - 2;
        if (lastColumn < firstColumn)
            continue;
        int runStart = 0;
        QRgb runColor = TrueColorFill(sprite, x, 0);
        for (int y = 1; y <= size.y; ++y) {
            if (y < size.y && TrueColorFill(sprite, x, y) == runColor)
                continue;
            FillIfAny(painter, Span(firstColumn, lastColumn, lines.rows[runStart] - 1, lines.rows[y] - 2), runColor);
            if (y < size.y) {
                runStart = y;
                runColor = TrueColorFill(sprite, x, y);
            }
        }
    }
}

} // namespace

QRect RegionBounds(const QWidget* region)
{
    return region->geometry();
}

QColor PaletteColor(int index, bool trueColors)
{
    return QColor(trueColors ? TrueColorPalette[index] : PlainPalette[index]);
}

QString TypeText(int8_t spriteType)
{
    switch (spriteType) {
    case BlackWhite:
        return QStringLiteral("Type: Noir && Blanc");
    case Grayscale:
        return QStringLiteral("Type: niveaux de gris");
    case BlackWhiteMasked:
        return QStringLiteral("Type: Noir && Blanc maské");
    default:
        return QStringLiteral("Type: niveaux de gris maské");
    }
}

void DrawSpriteView(TForm1& form, const QRect& region, const Sprite& sprite, QPainter& painter, bool trueColors)
{
    const ViewRegion bounds{region.left(), region.top(), region.width(), region.height()};
    const Point size = sprite.GetSize();
    const float cellSize = CellSize(bounds, size);

    // Label2 has no buddy, so Qt shows an ampersand as written: the doubled
    // one of the type texts is undone for display.
    form.Label2->setText(TypeText(sprite.GetType()).replace(QStringLiteral("&&"), QStringLiteral("&")));

    if (cellSize <= 0.0f)
        return;
    const GridLines lines = ComputeGridLines(bounds, cellSize, size);
    if (trueColors)
        DrawTrueColorCells(painter, lines, sprite, size);
    else
        DrawGridCells(painter, lines, sprite, size);
}

void TForm1::ShowButtonPens()
{
    Shape1->setFill(PaletteColor(ButtonPen[0], false));
    Shape2->setFill(PaletteColor(ButtonPen[1], false));
    Shape3->setFill(PaletteColor(ButtonPen[2], false));
}

// Qt erases what it repaints to the window's background before painting, so
// a repaint request of the inside of the region (its one-pixel ring kept)
// clears it of cells that a larger grid left there.
void TForm1::ClearSpriteView(QWidget* region)
{
    update(RegionBounds(region).adjusted(1, 1, -1, -1));
}
