// The selection tool's gestures over the main view, the clipboard commands,
// and the marks drawn over the view: the selection's dashed outline and the
// keyboard cursor's frame. The pixels themselves are the model's
// (Selection.h); each change of them is one undo step.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "ImageFiles.h"
#include "U_main.h"
#include "ViewGeometry.h"

namespace {

// Pixora's own cells beside the image on the clipboard, so that a paste
// gets back masks and grays exactly: width and height (16 bits each, little
// end first), then the cells row after row.
const QString CellsFormat = QStringLiteral("application/x-pixora-cells");
constexpr int CellsHeaderSize = 4;

QByteArray EncodeCells(const CellPicture& picture)
{
    QByteArray bytes;
    for (int side : {picture.width, picture.height}) {
        bytes.append(static_cast<char>(side & 0xFF));
        bytes.append(static_cast<char>(side >> 8));
    }
    bytes.append(reinterpret_cast<const char*>(picture.cells.data()), static_cast<qsizetype>(picture.cells.size()));
    return bytes;
}

bool IsCellValue(int8_t cell)
{
    return (cell >= White && cell <= Black) || (cell >= White + MaskOffset && cell <= Black + MaskOffset);
}

// Anything else on the clipboard under that name is refused whole.
bool DecodeCells(const QByteArray& bytes, CellPicture& picture)
{
    if (bytes.size() < CellsHeaderSize)
        return false;
    const auto byte = [&bytes](int i) { return static_cast<int>(static_cast<uint8_t>(bytes[i])); };
    const int width = byte(0) | byte(1) << 8;
    const int height = byte(2) | byte(3) << 8;
    if (width < 1 || width > MaxWidth || height < 1 || height > MaxHeight ||
        bytes.size() != CellsHeaderSize + static_cast<qsizetype>(width) * height)
        return false;
    CellPicture decoded(width, height);
    for (std::size_t i = 0; i < decoded.cells.size(); ++i) {
        decoded.cells[i] = static_cast<int8_t>(bytes[CellsHeaderSize + static_cast<qsizetype>(i)]);
        if (!IsCellValue(decoded.cells[i]))
            return false;
    }
    picture = std::move(decoded);
    return true;
}

// What other programs read: the plain grays, masked pixels transparent.
QImage ImageOfCells(const CellPicture& picture)
{
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int8_t cell = picture.At(x, y);
            image.setPixel(x, y, cell >= MaskedThreshold ? qRgba(0, 0, 0, 0) : PaletteColor(cell, false).rgb());
        }
    }
    return image;
}

void EraseSelectionAs(TForm1& form, const QString& stepLabel)
{
    if (!form.selection.IsActive(form.sprite))
        return;
    form.BeginSpriteStep();
    form.selection.Erase(form.sprite);
    form.CommitSpriteStep(stepLabel);
    form.RedrawBothViews();
}

void Frame(QPainter& painter, const QRect& rect, const QColor& color, int thickness)
{
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), thickness), color);
    painter.fillRect(QRect(rect.left(), rect.bottom() - thickness + 1, rect.width(), thickness), color);
    painter.fillRect(QRect(rect.left(), rect.top(), thickness, rect.height()), color);
    painter.fillRect(QRect(rect.right() - thickness + 1, rect.top(), thickness, rect.height()), color);
}

} // namespace

Point TForm1::ClampedCellUnder(Point windowPoint) const
{
    Point cell = CellUnder(windowPoint);
    if (cell.x != -1 && cell.y != -1)
        return cell;
    // Beside the grid, or beside the part a zoomed view shows: the cell the
    // point would be over, held inside the sprite.
    const CellPosition position = MainCellPosition(windowPoint);
    const auto held = [](double at, int count) { return std::clamp(static_cast<int>(std::floor(at)), 0, count - 1); };
    if (cell.x == -1)
        cell.x = held(position.x, sprite.width);
    if (cell.y == -1)
        cell.y = held(position.y, sprite.height);
    return cell;
}

// A press inside the selection takes its pixels along; anywhere else it
// drops the selection and starts a new one.
void TForm1::SelectionMouseDown(int button, Point windowPoint)
{
    if (button != 0)
        return;
    const Point cell = CellUnder(windowPoint);
    const bool onGrid = cell.x != -1 && cell.y != -1;
    if (onGrid && selection.IsActive(sprite) && selection.Bounds(sprite).Contains(cell)) {
        const CellRect bounds = selection.Bounds(sprite);
        selectionGesture = SelectionGesture::Moving;
        gestureStartCell = cell;
        gestureStartTopLeft = {bounds.x, bounds.y};
        BeginSpriteStep();
        return;
    }
    if (selection.IsActive(sprite)) {
        selection.Deselect();
        RedrawBothViews();
    }
    if (onGrid) {
        selectionGesture = SelectionGesture::Selecting;
        gestureStartCell = cell;
    }
}

// Beside the grid the nearest cell counts, so a rectangle dragged out of
// the sprite stops at its edge.
void TForm1::SelectionMouseMove(Point windowPoint)
{
    if (selectionGesture == SelectionGesture::None)
        return;
    const Point cell = ClampedCellUnder(windowPoint);
    if (selectionGesture == SelectionGesture::Selecting) {
        selection.Select(sprite, gestureStartCell, cell);
        RedrawBothViews();
        return;
    }
    const Point topLeft{gestureStartTopLeft.x + cell.x - gestureStartCell.x,
                        gestureStartTopLeft.y + cell.y - gestureStartCell.y};
    const CellRect bounds = selection.Bounds(sprite);
    if (topLeft == Point{bounds.x, bounds.y})
        return;
    // A command run during the drag (a transform key) closed its step; the
    // rest of the drag is a step of its own.
    ResumeSpriteStep();
    selection.MoveTo(sprite, topLeft);
    RedrawBothViews();
}

void TForm1::SelectionMouseUp(int button)
{
    if (button != 0 || selectionGesture == SelectionGesture::None)
        return;
    if (selectionGesture == SelectionGesture::Moving)
        CommitSpriteStep(QStringLiteral("déplacement de la sélection"));
    selectionGesture = SelectionGesture::None;
}

// Without a selection the whole sprite is copied.
void TForm1::CopySelection()
{
    const bool selected = selection.IsActive(sprite);
    const CellPicture cells = selected ? selection.Pixels(sprite) : CopyCells(sprite, SpriteArea(sprite));
    auto* data = new QMimeData;
    // Other programs get the whole sprite as "Exporter en PNG..." draws it.
    data->setImageData(selected ? ImageOfCells(cells)
                                : SpriteImage(sprite, 1, false).convertToFormat(QImage::Format_ARGB32));
    data->setData(CellsFormat, EncodeCells(cells));
    QGuiApplication::clipboard()->setMimeData(data);
}

void TForm1::CutSelection()
{
    if (!selection.IsActive(sprite))
        return;
    CopySelection();
    EraseSelectionAs(*this, QStringLiteral("coupe"));
}

void TForm1::EraseSelection()
{
    EraseSelectionAs(*this, QStringLiteral("effacement de la sélection"));
}

// The pasted pixels float at the top-left of the view, with the selection
// tool chosen so that they can be dragged into place.
void TForm1::PasteClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    CellPicture cells;
    if (!(data->hasFormat(CellsFormat) && DecodeCells(data->data(CellsFormat), cells))) {
        // A picture of another program is converted as an imported image.
        PasteClipboardImage();
        return;
    }
    if (cells.width == 0 || cells.height == 0)
        return;
    BeginSpriteStep();
    selection.Float(sprite, cells, {0, 0});
    CommitSpriteStep(QStringLiteral("collage"));
    sbSelection->setChecked(true);
    RedrawBothViews();
}

// The floating pixels stay where they are shown.
void TForm1::DropSelection()
{
    selection.Deselect();
    RedrawBothViews();
}

void TForm1::DrawEditingMarks(QPainter& painter)
{
    const CellEdges edges = MainCellEdges();
    if (edges.IsEmpty())
        return;
    const auto pixelsOf = [&](const CellRect& cells) {
        return QRect(QPoint(edges.Column(cells.x), edges.Row(cells.y)),
                     QPoint(edges.Column(cells.x + cells.width) - 1, edges.Row(cells.y + cells.height) - 1));
    };
    const CellRect selected = Intersection(selection.Bounds(sprite), SpriteArea(sprite));
    if (!selected.IsEmpty()) {
        // White under black dashes reads on every color of the palette.
        const QRect outline = pixelsOf(selected).adjusted(0, 0, -1, -1);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outline);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(outline);
    }
    if (KeyboardCellShown) {
        const Point cell{std::clamp(KeyboardCell.x, 0, sprite.width - 1),
                         std::clamp(KeyboardCell.y, 0, sprite.height - 1)};
        const QRect frame = pixelsOf({cell.x, cell.y, 1, 1});
        Frame(painter, frame, QColor(255, 140, 0), std::clamp(frame.width() / 6, 1, 3));
    }
}
