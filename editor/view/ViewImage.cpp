#include "ViewImage.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "ViewColors.h"

namespace {

// What decides a cell's pixels in every view: its color in bits 0 and 1,
// then whether it is marked and whether it is masked.
using Look = uint8_t;
constexpr Look MarkedLook = 4;
constexpr Look MaskedLook = 8;
constexpr int LookCount = 16;
using LookColors = std::array<QRgb, LookCount>;

constexpr bool IsMaskedLook(Look look)
{
    return (look & MaskedLook) != 0;
}

template <class ColorOf> constexpr LookColors ColorsByLook(ColorOf colorOf)
{
    LookColors colors{};
    for (int look = 0; look < LookCount; ++look)
        colors[look] = colorOf(static_cast<Look>(look));
    return colors;
}

constexpr QRgb PlainFillOf(Look look)
{
    return (look & MarkedLook) ? MarkColor : PlainPalette[look & 3];
}

// Masked pixels read as the screen's background, as on the calculator.
constexpr QRgb TrueColorFillOf(Look look)
{
    if (IsMaskedLook(look))
        return TrueColorPalette[White];
    return (look & MarkedLook) ? MarkColor : TrueColorPalette[look & 3];
}

constexpr LookColors GridPens =
    ColorsByLook([](Look look) { return IsMaskedLook(look) ? MaskedPenColor : GridPenColor; });
constexpr LookColors PlainFills = ColorsByLook(PlainFillOf);
// The other square of a masked cell's checkerboard where cells are too small
// for outlines.
constexpr LookColors RedWhereMasked =
    ColorsByLook([](Look look) { return IsMaskedLook(look) ? MaskedPenColor : PlainFillOf(look); });
constexpr LookColors TrueColorFills = ColorsByLook(TrueColorFillOf);

// The looks of the sprite's cells, read once per drawing in storage order
// (column after column) and kept row after row, the order of composing.
// Only the cells of the columns and rows given are read.
class CellLooks {
public:
    explicit CellLooks(const Sprite& sprite) : CellLooks(sprite, 0, sprite.width, 0, sprite.height) {}
    CellLooks(const Sprite& sprite, int firstColumn, int endColumn, int firstRow, int endRow) : size_(sprite.GetSize())
    {
        for (int x = std::max(firstColumn, 0); x < std::min(endColumn, size_.x); ++x) {
            for (int y = std::max(firstRow, 0); y < std::min(endRow, size_.y); ++y) {
                const int index = CellIndex(x, y);
                const int8_t cell = sprite.cells[index];
                looks_[y * MaxWidth + x] =
                    static_cast<Look>((ColorOfCell(cell) & 3) | (sprite.marks[index] ? MarkedLook : 0) |
                                      (IsMaskedCell(cell) ? MaskedLook : 0));
            }
        }
    }

    const Look* Row(int y) const { return looks_.data() + y * MaxWidth; }
    // Beside the sprite's size nothing is masked.
    bool Masked(int x, int y) const
    {
        return x >= 0 && x < size_.x && y >= 0 && y < size_.y && IsMaskedLook(Row(y)[x]);
    }

private:
    Point size_;
    std::array<Look, CellCount> looks_;
};

// The pixels of one view being composed, in a scratch buffer that grows to
// the largest view and is then reused, so a paint allocates nothing.
// Whether every point of rect lies in region.
bool Covers(const QRegion& region, const QRect& rect)
{
    return region.intersected(rect) == QRegion(rect);
}

// The image under the painter when a view's pixels can be composed straight
// into it at target: a 32-bit raster image painted at whole pixels (no scale,
// no opacity, plain source-over of opaque pixels), the target inside it and
// nothing of it clipped away. Null otherwise. at receives the target's
// top-left corner in the image.
QImage* ComposableImage(QPainter& painter, const QRect& target, QPoint& at)
{
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice() ||
        engine->paintDevice()->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(engine->paintDevice());
    const QImage::Format format = image->format();
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
         format != QImage::Format_ARGB32_Premultiplied) ||
        !image->isDetached() || image->devicePixelRatio() != 1.0)
        return nullptr;
    if (painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate || transform.dx() != std::floor(transform.dx()) ||
        transform.dy() != std::floor(transform.dy()))
        return nullptr;
    const QRect onImage = target.translated(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    if (!image->rect().contains(onImage) || (painter.hasClipping() && !Covers(painter.clipRegion(), target)))
        return nullptr;
    const QRegion systemClip = engine->systemClip();
    if (!systemClip.isEmpty() && !Covers(systemClip, onImage))
        return nullptr;
    at = onImage.topLeft();
    return image;
}

// The pixels of one view, composed row by row, then shown at (left, top) of
// the painter's surface by Put. Where the surface allows it (the window's
// backing store, an image) the rows are composed in it directly, which
// saves a copy of the whole view; otherwise in a scratch buffer that Put
// draws.
class Canvas {
public:
    Canvas(QPainter& painter, int left, int top, int width, int height)
        : painter_(painter), left_(left), top_(top), width_(width), height_(height)
    {
        QPoint at;
        if (QImage* image = ComposableImage(painter, QRect(left, top, width, height), at)) {
            stride_ = image->bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
            pixels_ = reinterpret_cast<QRgb*>(image->scanLine(at.y())) + at.x();
            direct_ = true;
            return;
        }
        static std::vector<QRgb> scratch;
        const size_t needed = static_cast<size_t>(width) * static_cast<size_t>(height);
        if (scratch.size() < needed)
            scratch.resize(needed);
        pixels_ = scratch.data();
        stride_ = width;
    }

    int Width() const { return width_; }
    QRgb* Row(int y) { return pixels_ + static_cast<ptrdiff_t>(y) * stride_; }
    void CopyRow(int from, int to) { std::memcpy(Row(to), Row(from), static_cast<size_t>(width_) * sizeof(QRgb)); }

    // An opaque image, so Qt copies it onto the surface line by line.
    void Put()
    {
        if (direct_)
            return;
        const QImage image(reinterpret_cast<const uchar*>(pixels_), width_, height_,
                           static_cast<qsizetype>(width_) * static_cast<qsizetype>(sizeof(QRgb)), QImage::Format_RGB32);
        painter_.drawImage(left_, top_, image);
    }

private:
    QPainter& painter_;
    int left_;
    int top_;
    int width_;
    int height_;
    QRgb* pixels_;
    qsizetype stride_;
    bool direct_ = false;
};

// For each canvas column, the sprite column it shows and what part of that
// cell it is: in the fitted grid 1 for its outline columns, else 0; for
// cells too small for outlines, the parity of the column in its cell.
struct ColumnMap {
    std::vector<int> cell;
    std::vector<uint8_t> kind;
};

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

// Cell x spans the canvas columns from columns[x] - columns[0] up to
// columns[x + 1] - columns[0], excluded; kindOf(column in the cell, cell
// width) tells what part of the cell each is.
template <class KindOf> ColumnMap MapFittedColumns(const GridLines& lines, int columnCount, KindOf kindOf)
{
    const int width = lines.columns[columnCount] - lines.columns[0];
    ColumnMap map{std::vector<int>(width), std::vector<uint8_t>(width)};
    for (int x = 0; x < columnCount; ++x) {
        const int first = lines.columns[x] - lines.columns[0];
        const int end = lines.columns[x + 1] - lines.columns[0];
        for (int column = first; column < end; ++column) {
            map.cell[column] = x;
            map.kind[column] = kindOf(column - first, end - first);
        }
    }
    return map;
}

// 1 for the first and last column of a cell, its outline.
ColumnMap MapFittedColumns(const GridLines& lines, int columnCount)
{
    return MapFittedColumns(lines, columnCount, [](int inCell, int cellWidth) {
        return static_cast<uint8_t>(inCell == 0 || inCell == cellWidth - 1);
    });
}

// One canvas row in the colors the looks of one sprite row give.
void ComposeRow(QRgb* out, const ColumnMap& map, const Look* looks, const LookColors& colors)
{
    for (size_t column = 0; column < map.cell.size(); ++column)
        out[column] = colors[looks[map.cell[column]]];
}

// Edge columns in the pen, the others in the fill.
void ComposeOutlinedRow(QRgb* out, const ColumnMap& map, const Look* looks, const LookColors& pens,
                        const LookColors& fills)
{
    for (size_t column = 0; column < map.cell.size(); ++column)
        out[column] = (map.kind[column] ? pens : fills)[looks[map.cell[column]]];
}

// The rows [first, end) of a band of one sprite row: its first and last
// canvas row are outline rows, those between them alike.
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

// The light checkerboard of masked cells, when it is shown: laid over the
// whole grid in squares counted from the grid's top-left corner, so that
// neighbouring masked cells continue one another's pattern and a cell of
// one pixel still takes its share of it.
struct MaskChecker {
    bool shown = false;
    bool trueColors = false;
    int square = 1;

    // Marked cells keep the mark of the line tool, which grid mode shows on
    // masked cells too.
    bool Covers(Look look) const { return IsMaskedLook(look) && (trueColors || !(look & MarkedLook)); }
    QRgb Color(int column, int row) const
    {
        const bool second = ((column / square + row / square) & 1) != 0;
        if (trueColors)
            return second ? TrueColorMaskChecker : TrueColorPalette[White];
        return second ? PlainMaskChecker : PlainPalette[White];
    }
};

MaskChecker CheckerOf(bool shown, bool trueColors, int cellPixels)
{
    return {shown, trueColors, std::max(cellPixels / 4, 1)};
}

// What a view shows of the inside of cells: for each canvas column and row,
// the sprite column or row, or -1 on a grid line, an outline or beside the
// grid; and where the canvas's top-left lies in the grid's pixels.
struct CellInsides {
    std::vector<int> columns;
    std::vector<int> rows;
    Point origin{0, 0};
};

template <class CellOf> std::vector<int> MapInsides(int extent, CellOf cellOf)
{
    std::vector<int> cells(static_cast<std::size_t>(std::max(extent, 0)));
    for (int i = 0; i < extent; ++i)
        cells[i] = cellOf(i);
    return cells;
}

// Between the fitted grid's boundaries; an outlined cell's first and last
// pixels are its outline.
template <std::size_t N> std::vector<int> FittedInsides(const std::array<int, N>& boundaries, int count, bool outlined)
{
    std::vector<int> cells(boundaries[count] - boundaries[0], -1);
    const int edge = outlined ? 1 : 0;
    for (int k = 0; k < count; ++k) {
        for (int i = boundaries[k] + edge; i < boundaries[k + 1] - edge; ++i)
            cells[i - boundaries[0]] = k;
    }
    return cells;
}

void CheckerMaskedCells(Canvas& canvas, const CellInsides& insides, const CellLooks& looks, const MaskChecker& checker)
{
    if (!checker.shown)
        return;
    for (std::size_t row = 0; row < insides.rows.size(); ++row) {
        const int y = insides.rows[row];
        if (y < 0)
            continue;
        const Look* cells = looks.Row(y);
        QRgb* out = canvas.Row(static_cast<int>(row));
        const int gridRow = insides.origin.y + static_cast<int>(row);
        for (std::size_t column = 0; column < insides.columns.size(); ++column) {
            const int x = insides.columns[column];
            if (x >= 0 && checker.Covers(cells[x]))
                out[column] = checker.Color(insides.origin.x + static_cast<int>(column), gridRow);
        }
    }
}

CellInsides FittedCellInsides(const GridLines& lines, Point size, bool outlined)
{
    return {FittedInsides(lines.columns, size.x, outlined), FittedInsides(lines.rows, size.y, outlined)};
}

void DrawFittedGrid(QPainter& painter, const GridLines& lines, const CellLooks& looks, Point size,
                    const MaskChecker& checker)
{
    const ColumnMap map = MapFittedColumns(lines, size.x);
    const int height = lines.rows[size.y] - lines.rows[0];
    if (map.cell.empty() || height <= 0)
        return;
    Canvas canvas(painter, lines.columns[0], lines.rows[0], static_cast<int>(map.cell.size()), height);
    for (int y = 0; y < size.y; ++y) {
        const int first = lines.rows[y] - lines.rows[0];
        const int end = lines.rows[y + 1] - lines.rows[0];
        if (first == end)
            continue;
        const Look* row = looks.Row(y);
        ComposeOutlinedBand(
            canvas, first, end, [&](QRgb* out) { ComposeRow(out, map, row, GridPens); },
            [&](QRgb* out) { ComposeOutlinedRow(out, map, row, GridPens, PlainFills); });
    }
    CheckerMaskedCells(canvas, FittedCellInsides(lines, size, true), looks, checker);
    canvas.Put();
}

// Cells too small for their outline are filled whole, and a masked one is a
// checkerboard of red and its color in squares of one pixel, red at its
// top-left, so that even a cell of one pixel shows its mask.
void DrawFittedUnlined(QPainter& painter, const GridLines& lines, const CellLooks& looks, Point size,
                       const MaskChecker& checker)
{
    const ColumnMap map =
        MapFittedColumns(lines, size.x, [](int inCell, int) { return static_cast<uint8_t>(inCell & 1); });
    const int height = lines.rows[size.y] - lines.rows[0];
    if (map.cell.empty() || height <= 0)
        return;
    Canvas canvas(painter, lines.columns[0], lines.rows[0], static_cast<int>(map.cell.size()), height);
    const std::array<const LookColors*, 2> squares{&RedWhereMasked, &PlainFills};
    for (int y = 0; y < size.y; ++y) {
        const int first = lines.rows[y] - lines.rows[0];
        const int end = lines.rows[y + 1] - lines.rows[0];
        const Look* row = looks.Row(y);
        for (int canvasRow = first; canvasRow < std::min(first + 2, end); ++canvasRow) {
            QRgb* out = canvas.Row(canvasRow);
            const int rowParity = (canvasRow - first) & 1;
            for (size_t column = 0; column < map.cell.size(); ++column)
                out[column] = (*squares[map.kind[column] ^ rowParity])[row[map.cell[column]]];
        }
        for (int canvasRow = first + 2; canvasRow < end; ++canvasRow)
            canvas.CopyRow(canvasRow - 2, canvasRow);
    }
    CheckerMaskedCells(canvas, FittedCellInsides(lines, size, false), looks, checker);
    canvas.Put();
}

// Every row of a band alike; bandStart(y) is the first canvas row of
// sprite row y.
template <class BandStart>
void ComposeFilledBands(Canvas& canvas, const ColumnMap& map, const CellLooks& looks, int spriteRows,
                        BandStart bandStart, int height)
{
    for (int y = 0; y < spriteRows; ++y) {
        const int first = bandStart(y);
        const int end = std::min(bandStart(y + 1), height);
        if (first >= end)
            continue;
        ComposeRow(canvas.Row(first), map, looks.Row(y), TrueColorFills);
        for (int row = first + 1; row < end; ++row)
            canvas.CopyRow(first, row);
    }
}

void DrawFittedTrueColors(QPainter& painter, const GridLines& lines, const CellLooks& looks, Point size,
                          const MaskChecker& checker)
{
    const ColumnMap map = MapFittedColumns(lines, size.x);
    const int height = lines.rows[size.y] - lines.rows[0];
    if (map.cell.empty() || height <= 0)
        return;
    Canvas canvas(painter, lines.columns[0] - 1, lines.rows[0] - 1, static_cast<int>(map.cell.size()), height);
    ComposeFilledBands(
        canvas, map, looks, size.y, [&](int y) { return lines.rows[y] - lines.rows[0]; }, height);
    CheckerMaskedCells(canvas, FittedCellInsides(lines, size, false), looks, checker);
    canvas.Put();
}

// The visible part of a zoomed grid, composed one content row at a time.
// Cell indexes run one past the sprite's size for the closing lines. Inside
// a cell, masked cells are checkered in squares of a quarter cell (one pixel
// at least): with the red in grid mode when there are no lines to show the
// mask, with a lighter background shade in true colors.
class ZoomedComposer {
public:
    ZoomedComposer(const ZoomedLayout& layout, const CellLooks& looks, bool trueColors, int firstColumn, int endColumn)
        : layout_(layout), looks_(looks), checkerSquare_(std::max(layout.cellPixels / 4, 1)),
          checkered_(trueColors || !layout.gridLines)
    {
        const LookColors& fills = trueColors ? TrueColorFills : PlainFills;
        fills_[0] = fills;
        fills_[1] = fills;
        for (int look = 0; look < LookCount; ++look) {
            if (!IsMaskedLook(static_cast<Look>(look)))
                continue;
            if (trueColors)
                fills_[1][look] = TrueColorMaskChecker;
            else if (!layout.gridLines)
                fills_[1][look] = MaskedPenColor;
        }
        const int cell = layout.cellPixels;
        kinds_.resize(endColumn - firstColumn);
        for (int column = firstColumn; column < endColumn; ++column) {
            const int inCell = column % cell;
            // A line column, or the parity of the checker square.
            kinds_[column - firstColumn] =
                layout.gridLines && inCell == 0 ? LineColumn : ((inCell / checkerSquare_) & 1);
            if (column == firstColumn || inCell == 0)
                runs_.push_back({column / cell, column - firstColumn, 0});
            runs_.back().end = column - firstColumn + 1;
        }
    }

    void ComposeRow(QRgb* out, int contentRow) const
    {
        const int y = contentRow / layout_.cellPixels;
        const int kind = RowKind(contentRow);
        const Look* looks = looks_.Row(std::min(y, MaxHeight - 1));
        // Cell by cell: most cells are one color inside.
        for (const CellRun& run : runs_) {
            const int x = run.cell;
            int column = run.start;
            if (kinds_[column] == LineColumn) {
                out[column] = kind == LineRow ? CornerColor(x, y) : VerticalEdgeColor(x, y);
                ++column;
            }
            // The closing line's column has no inside, and no look.
            if (column >= run.end)
                continue;
            if (kind == LineRow) {
                std::fill(out + column, out + run.end, HorizontalEdgeColor(x, y));
            } else if (fills_[0][looks[x]] == fills_[1][looks[x]]) {
                std::fill(out + column, out + run.end, fills_[0][looks[x]]);
            } else {
                for (; column < run.end; ++column)
                    out[column] = fills_[kinds_[column] ^ kind][looks[x]];
            }
        }
    }

    // Rows of one cell row that show the same share it: the line row, or
    // the checker square's parity.
    int RowKind(int contentRow) const
    {
        const int inCell = contentRow % layout_.cellPixels;
        if (layout_.gridLines && inCell == 0)
            return LineRow;
        return checkered_ ? (inCell / checkerSquare_) & 1 : 0;
    }
    static constexpr int RowKinds = 3;

private:
    static constexpr int LineColumn = 2;
    static constexpr int LineRow = 2;

    static QRgb LineColor(bool besideMask) { return besideMask ? MaskedPenColor : GridPenColor; }
    // A line pixel is red when it lies on the edge of any masked cell.
    QRgb CornerColor(int x, int y) const
    {
        return LineColor(looks_.Masked(x, y) || looks_.Masked(x - 1, y) || looks_.Masked(x, y - 1) ||
                         looks_.Masked(x - 1, y - 1));
    }
    QRgb VerticalEdgeColor(int x, int y) const { return LineColor(looks_.Masked(x, y) || looks_.Masked(x - 1, y)); }
    QRgb HorizontalEdgeColor(int x, int y) const { return LineColor(looks_.Masked(x, y) || looks_.Masked(x, y - 1)); }

    const ZoomedLayout& layout_;
    const CellLooks& looks_;
    const int checkerSquare_;
    // Whether masked cells are checkered, so that the checker's parity
    // tells rows apart.
    const bool checkered_;
    // By checker parity: the second differs from the first only for masked
    // looks.
    std::array<LookColors, 2> fills_;
    // For each canvas column: a line column, or the checker square's parity.
    std::vector<uint8_t> kinds_;
    // The canvas columns of each cell shown, in order.
    struct CellRun {
        int cell;
        int start;
        int end;
    };
    std::vector<CellRun> runs_;
};

} // namespace

void DrawFittedView(QPainter& painter, const ViewRegion& region, float cellSize, const Sprite& sprite, bool trueColors,
                    bool checkerMasked)
{
    const Point size = sprite.GetSize();
    const GridLines lines = ComputeGridLines(region, cellSize, size);
    const CellLooks looks(sprite);
    const MaskChecker checker = CheckerOf(checkerMasked, trueColors, static_cast<int>(cellSize));
    if (trueColors)
        DrawFittedTrueColors(painter, lines, looks, size, checker);
    else if (FittedCellsOutlined(cellSize))
        DrawFittedGrid(painter, lines, looks, size, checker);
    else
        DrawFittedUnlined(painter, lines, looks, size, checker);
}

void DrawFittedSprite(QPainter& painter, const ViewRegion& region, const Sprite& sprite, bool trueColors,
                      bool checkerMasked)
{
    const float cellSize = CellSize(region, sprite.GetSize());
    if (cellSize > 0.0f)
        DrawFittedView(painter, region, cellSize, sprite, trueColors, checkerMasked);
}

void DrawZoomedView(QPainter& painter, const ZoomedLayout& layout, Point scroll, const Sprite& sprite, bool trueColors,
                    bool checkerMasked)
{
    const Point offset = ClampScroll(layout, scroll);
    const int endColumn = std::min(offset.x + layout.viewport.width, layout.contentWidth);
    const int endRow = std::min(offset.y + layout.viewport.height, layout.contentHeight);
    if (endColumn <= offset.x || endRow <= offset.y)
        return;
    const int cell = layout.cellPixels;
    // From one cell before the first shown: the lines of the first shown
    // cells are red beside a masked one.
    const CellLooks looks(sprite, offset.x / cell - 1, endColumn / cell + 1, offset.y / cell - 1, endRow / cell + 1);
    Canvas canvas(painter, layout.viewport.left, layout.viewport.top, endColumn - offset.x, endRow - offset.y);
    const ZoomedComposer composer(layout, looks, trueColors, offset.x, endColumn);
    // Within a cell row, the canvas row that last showed each kind of row.
    std::array<int, ZoomedComposer::RowKinds> composedRow{};
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
    // The lines, and the closing line beyond the last cell, are no inside.
    const auto insideOf = [&layout, cell](int content, int count) {
        const bool line = layout.gridLines && content % cell == 0;
        return line || content / cell >= count ? -1 : content / cell;
    };
    const Point size = sprite.GetSize();
    const CellInsides insides{
        MapInsides(endColumn - offset.x, [&](int column) { return insideOf(offset.x + column, size.x); }),
        MapInsides(endRow - offset.y, [&](int row) { return insideOf(offset.y + row, size.y); }), offset};
    CheckerMaskedCells(canvas, insides, looks, CheckerOf(checkerMasked, trueColors, cell));
    canvas.Put();
}

void DrawTrueSizeView(QPainter& painter, const ViewRegion& region, const Sprite& sprite, bool checkerMasked)
{
    const Point size = sprite.GetSize();
    const TrueSizePlacement placement = PlaceTrueSize(region, size);
    const int scale = placement.scale;
    const int width = std::min(size.x * scale, region.left + region.width - placement.left);
    const int height = std::min(size.y * scale, region.top + region.height - placement.top);
    if (width <= 0 || height <= 0)
        return;
    ColumnMap map{std::vector<int>(width), std::vector<uint8_t>(width)};
    for (int column = 0; column < width; ++column)
        map.cell[column] = column / scale;
    const CellLooks looks(sprite);
    Canvas canvas(painter, placement.left, placement.top, width, height);
    ComposeFilledBands(
        canvas, map, looks, size.y, [&](int y) { return y * scale; }, height);
    const auto pixelOf = [scale](int i) { return i / scale; };
    CheckerMaskedCells(canvas, {MapInsides(width, pixelOf), MapInsides(height, pixelOf)}, looks,
                       CheckerOf(checkerMasked, true, scale));
    canvas.Put();
}
