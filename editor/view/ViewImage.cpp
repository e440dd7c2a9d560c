#include "ViewImage.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <vector>

#include "ViewColors.h"

namespace {

// The pixels of one view being composed, in a scratch buffer that grows to
// the largest view and is then reused, so a paint allocates nothing.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        static std::vector<QRgb> scratch;
        const size_t needed = static_cast<size_t>(width) * static_cast<size_t>(height);
        if (scratch.size() < needed)
            scratch.resize(needed);
        pixels_ = scratch.data();
    }

    QRgb* Row(int y) { return pixels_ + static_cast<ptrdiff_t>(y) * width_; }
    void CopyRow(int from, int to) { std::memcpy(Row(to), Row(from), static_cast<size_t>(width_) * sizeof(QRgb)); }

    // An opaque image, so Qt copies it onto the surface line by line.
    void PutAt(QPainter& painter, int left, int top)
    {
        const QImage image(reinterpret_cast<const uchar*>(pixels_), width_, height_,
                           static_cast<qsizetype>(width_) * static_cast<qsizetype>(sizeof(QRgb)), QImage::Format_RGB32);
        painter.drawImage(left, top, image);
    }

private:
    int width_;
    int height_;
    QRgb* pixels_;
};

void FillSpan(QRgb* row, int first, int end, QRgb color)
{
    if (first < end)
        std::fill(row + first, row + end, color);
}

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

bool IsMasked(const Sprite& sprite, int x, int y)
{
    return sprite.GetMask(x, y) == Mask;
}

// Masked pixels read as the screen's background, as on the calculator.
QRgb TrueColorFill(const Sprite& sprite, int x, int y)
{
    if (IsMasked(sprite, x, y))
        return TrueColorPalette[White];
    return sprite.IsMarked(x, y) ? MarkColor : TrueColorPalette[sprite.GetColor(x, y)];
}

QRgb PlainFill(const Sprite& sprite, int x, int y)
{
    return sprite.IsMarked(x, y) ? MarkColor : PlainPalette[sprite.GetColor(x, y)];
}

// Composes the rows [first, end) of a band in which rows `first` and
// `end - 1` are the outline row and those between them the inside row.
template <class ComposeOutline, class ComposeInside>
void ComposeOutlinedBand(Canvas& canvas, int first, int end, ComposeOutline outline, ComposeInside inside)
{
    outline(canvas.Row(first));
    if (end - first >= 3) {
        inside(canvas.Row(first + 1));
        for (int row = first + 2; row < end - 1; ++row)
            canvas.CopyRow(first + 1, row);
    }
    if (end - first >= 2)
        canvas.CopyRow(first, end - 1);
}

void DrawFittedGrid(QPainter& painter, const GridLines& lines, const Sprite& sprite, Point size)
{
    const int left = lines.columns[0];
    const int top = lines.rows[0];
    const int width = lines.columns[size.x] - left;
    const int height = lines.rows[size.y] - top;
    if (width <= 0 || height <= 0)
        return;
    Canvas canvas(width, height);
    std::array<QRgb, MaxWidth> pens;
    std::array<QRgb, MaxWidth> fills;
    for (int y = 0; y < size.y; ++y) {
        const int first = lines.rows[y] - top;
        const int end = lines.rows[y + 1] - top;
        if (first == end)
            continue;
        for (int x = 0; x < size.x; ++x) {
            pens[x] = IsMasked(sprite, x, y) ? MaskedPenColor : GridPenColor;
            fills[x] = PlainFill(sprite, x, y);
        }
        auto outline = [&](QRgb* row) {
            for (int x = 0; x < size.x; ++x)
                FillSpan(row, lines.columns[x] - left, lines.columns[x + 1] - left, pens[x]);
        };
        auto inside = [&](QRgb* row) {
            for (int x = 0; x < size.x; ++x) {
                const int cellFirst = lines.columns[x] - left;
                const int cellEnd = lines.columns[x + 1] - left;
                if (cellFirst == cellEnd)
                    continue;
                row[cellFirst] = pens[x];
                row[cellEnd - 1] = pens[x];
                FillSpan(row, cellFirst + 1, cellEnd - 1, fills[x]);
            }
        };
        ComposeOutlinedBand(canvas, first, end, outline, inside);
    }
    canvas.PutAt(painter, left, top);
}

void DrawFittedTrueColors(QPainter& painter, const GridLines& lines, const Sprite& sprite, Point size)
{
    const int width = lines.columns[size.x] - lines.columns[0];
    const int height = lines.rows[size.y] - lines.rows[0];
    if (width <= 0 || height <= 0)
        return;
    Canvas canvas(width, height);
    for (int y = 0; y < size.y; ++y) {
        const int first = lines.rows[y] - lines.rows[0];
        const int end = lines.rows[y + 1] - lines.rows[0];
        if (first == end)
            continue;
        QRgb* row = canvas.Row(first);
        for (int x = 0; x < size.x; ++x) {
            FillSpan(row, lines.columns[x] - lines.columns[0], lines.columns[x + 1] - lines.columns[0],
                     TrueColorFill(sprite, x, y));
        }
        for (int copy = first + 1; copy < end; ++copy)
            canvas.CopyRow(first, copy);
    }
    canvas.PutAt(painter, lines.columns[0] - 1, lines.rows[0] - 1);
}

// How the inside of one zoomed cell is filled: one color, or a checkerboard
// of two whose squares are a quarter of the cell (one pixel at least).
struct CellFill {
    QRgb color;
    QRgb checker;
    bool checkered;
};

// The visible part of a zoomed grid, composed one content row at a time.
// Cell indexes run one past the sprite's size for the closing lines.
class ZoomedComposer {
public:
    ZoomedComposer(const ZoomedLayout& layout, const Sprite& sprite, bool trueColors, int firstColumn, int endColumn)
        : layout_(layout), sprite_(sprite), size_(sprite.GetSize()), trueColors_(trueColors),
          checkerSquare_(std::max(layout.cellPixels / 4, 1)), firstColumn_(firstColumn), endColumn_(endColumn)
    {
    }

    // Content row `contentRow` into `out`, which starts at the first visible
    // content column.
    void ComposeRow(QRgb* out, int contentRow) const
    {
        const int cell = layout_.cellPixels;
        const int y = contentRow / cell;
        const int rowInCell = contentRow % cell;
        const bool lineRow = layout_.gridLines && rowInCell == 0;
        const int phase = (rowInCell / checkerSquare_) & 1;
        for (int x = firstColumn_ / cell; x * cell < endColumn_; ++x) {
            int first = std::max(x * cell, firstColumn_);
            const int end = std::min((x + 1) * cell, endColumn_);
            if (layout_.gridLines && first == x * cell) {
                out[first - firstColumn_] = lineRow ? CornerColor(x, y) : VerticalEdgeColor(x, y);
                ++first;
            }
            if (first >= end)
                continue;
            if (lineRow)
                FillSpan(out, first - firstColumn_, end - firstColumn_, HorizontalEdgeColor(x, y));
            else
                ComposeInside(out, x, y, first, end, phase);
        }
    }

    // Rows of one cell row alike in what they show share this key.
    int RowKind(int contentRow) const
    {
        const int rowInCell = contentRow % layout_.cellPixels;
        if (layout_.gridLines && rowInCell == 0)
            return 2;
        return (rowInCell / checkerSquare_) & 1;
    }

private:
    bool MaskedCell(int x, int y) const
    {
        return x >= 0 && x < size_.x && y >= 0 && y < size_.y && IsMasked(sprite_, x, y);
    }
    static QRgb LineColor(bool besideMask) { return besideMask ? MaskedPenColor : GridPenColor; }
    // A line pixel is red when it lies on the edge of any masked cell.
    QRgb CornerColor(int x, int y) const
    {
        return LineColor(MaskedCell(x, y) || MaskedCell(x - 1, y) || MaskedCell(x, y - 1) || MaskedCell(x - 1, y - 1));
    }
    QRgb VerticalEdgeColor(int x, int y) const { return LineColor(MaskedCell(x, y) || MaskedCell(x - 1, y)); }
    QRgb HorizontalEdgeColor(int x, int y) const { return LineColor(MaskedCell(x, y) || MaskedCell(x, y - 1)); }

    CellFill Fill(int x, int y) const
    {
        if (trueColors_) {
            if (IsMasked(sprite_, x, y))
                return {TrueColorPalette[White], TrueColorMaskChecker, true};
            return {TrueColorFill(sprite_, x, y), 0, false};
        }
        const QRgb color = PlainFill(sprite_, x, y);
        // Without lines the red outline cannot show the mask.
        const bool checkered = !layout_.gridLines && IsMasked(sprite_, x, y);
        return {color, MaskedPenColor, checkered};
    }

    void ComposeInside(QRgb* out, int x, int y, int first, int end, int phase) const
    {
        const CellFill fill = Fill(x, y);
        if (!fill.checkered) {
            FillSpan(out, first - firstColumn_, end - firstColumn_, fill.color);
            return;
        }
        const int cellStart = x * layout_.cellPixels;
        for (int column = first; column < end; ++column) {
            const bool second = (((column - cellStart) / checkerSquare_) & 1) != phase;
            out[column - firstColumn_] = second ? fill.checker : fill.color;
        }
    }

    const ZoomedLayout& layout_;
    const Sprite& sprite_;
    const Point size_;
    const bool trueColors_;
    const int checkerSquare_;
    const int firstColumn_;
    const int endColumn_;
};

} // namespace

void DrawFittedView(QPainter& painter, const ViewRegion& region, float cellSize, const Sprite& sprite, bool trueColors)
{
    const Point size = sprite.GetSize();
    const GridLines lines = ComputeGridLines(region, cellSize, size);
    if (trueColors)
        DrawFittedTrueColors(painter, lines, sprite, size);
    else
        DrawFittedGrid(painter, lines, sprite, size);
}

void DrawZoomedView(QPainter& painter, const ZoomedLayout& layout, Point scroll, const Sprite& sprite, bool trueColors)
{
    const Point offset = ClampScroll(layout, scroll);
    const int endColumn = std::min(offset.x + layout.viewport.width, layout.contentWidth);
    const int endRow = std::min(offset.y + layout.viewport.height, layout.contentHeight);
    if (endColumn <= offset.x || endRow <= offset.y)
        return;
    Canvas canvas(endColumn - offset.x, endRow - offset.y);
    const ZoomedComposer composer(layout, sprite, trueColors, offset.x, endColumn);
    // Within a cell row, the canvas row that last showed each kind of row.
    constexpr int RowKinds = 3;
    std::array<int, RowKinds> composedRow{};
    int cellRow = -1;
    for (int contentRow = offset.y; contentRow < endRow; ++contentRow) {
        const int row = contentRow - offset.y;
        if (contentRow / layout.cellPixels != cellRow) {
            cellRow = contentRow / layout.cellPixels;
            composedRow.fill(-1);
        }
        int& earlier = composedRow[composer.RowKind(contentRow)];
        if (earlier >= 0) {
            canvas.CopyRow(earlier, row);
        } else {
            composer.ComposeRow(canvas.Row(row), contentRow);
            earlier = row;
        }
    }
    canvas.PutAt(painter, layout.viewport.left, layout.viewport.top);
}

void DrawTrueSizeView(QPainter& painter, const ViewRegion& region, const Sprite& sprite)
{
    const Point size = sprite.GetSize();
    const TrueSizePlacement placement = PlaceTrueSize(region, size);
    const int scale = placement.scale;
    const int width = std::min(size.x * scale, region.left + region.width - placement.left);
    const int height = std::min(size.y * scale, region.top + region.height - placement.top);
    if (width <= 0 || height <= 0)
        return;
    Canvas canvas(width, height);
    for (int y = 0; y * scale < height; ++y) {
        const int first = y * scale;
        QRgb* row = canvas.Row(first);
        for (int x = 0; x * scale < width; ++x)
            FillSpan(row, x * scale, std::min((x + 1) * scale, width), TrueColorFill(sprite, x, y));
        for (int copy = first + 1; copy < std::min(first + scale, height); ++copy)
            canvas.CopyRow(first, copy);
    }
    canvas.PutAt(painter, placement.left, placement.top);
}
