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
#include "SelectionCommands.h"
#include "U_main.h"
#include "ViewGeometry.h"
#include "ViewPanel.h"
#include "cell_clipboard.h"

namespace {

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
    const CellPosition position = viewPanel->MainCellPosition(windowPoint);
    const auto held = [](double at, int count) { return std::clamp(static_cast<int>(std::floor(at)), 0, count - 1); };
    if (cell.x == -1)
        cell.x = held(position.x, sprite.width);
    if (cell.y == -1)
        cell.y = held(position.y, sprite.height);
    return cell;
}

// Without a selection the whole sprite is copied.
void TForm1::CopySelection()
{
    const CopiedCells copied = CellsToCopy(document);
    auto* data = new QMimeData;
    // Other programs get the whole sprite as "Exporter en PNG..." draws it.
    data->setImageData(copied.selected ? ImageOfCells(copied.cells)
                                       : SpriteImage(sprite, 1, false).convertToFormat(QImage::Format_ARGB32));
    data->setData(QString::fromLatin1(CellClipboardFormat), QByteArray::fromStdString(EncodeCells(copied.cells)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void TForm1::CutSelection()
{
    if (!document.HasSelection())
        return;
    CopySelection();
    ShowDocumentChange(::CutSelection(document));
}

void TForm1::EraseSelection()
{
    ShowDocumentChange(DeleteSelection(document));
}

// The pasted pixels float at the top-left of the view, with the selection
// tool chosen so that they can be dragged into place. Cells of another
// kind under Pixora's name are refused whole.
void TForm1::PasteClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    const QString cellsFormat = QString::fromLatin1(CellClipboardFormat);
    CellPicture cells;
    if (!(data->hasFormat(cellsFormat) && DecodeCells(data->data(cellsFormat).toStdString(), cells))) {
        // A picture of another program is converted as an imported image.
        PasteClipboardImage();
        return;
    }
    const DocumentChange change = PasteCells(document, cells);
    sbSelection->setChecked(true);
    ShowDocumentChange(change);
}

// The floating pixels stay where they are shown.
void TForm1::DropSelection()
{
    ShowDocumentChange(document.Deselect());
}

void TForm1::DrawEditingMarks(QPainter& painter)
{
    const CellEdges edges = viewPanel->MainCellEdges();
    if (edges.IsEmpty())
        return;
    const auto pixelsOf = [&](const CellRect& cells) {
        return QRect(QPoint(edges.Column(cells.x), edges.Row(cells.y)),
                     QPoint(edges.Column(cells.x + cells.width) - 1, edges.Row(cells.y + cells.height) - 1));
    };
    const CellRect selected = Intersection(document.SelectionBounds(), SpriteArea(sprite));
    if (!selected.IsEmpty()) {
        // White under black dashes reads on every color of the palette.
        const QRect outline = pixelsOf(selected).adjusted(0, 0, -1, -1);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outline);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(outline);
    }
    if (document.IsKeyboardCellShown()) {
        const Point cell{std::clamp(document.KeyboardCell().x, 0, sprite.width - 1),
                         std::clamp(document.KeyboardCell().y, 0, sprite.height - 1)};
        const QRect frame = pixelsOf({cell.x, cell.y, 1, 1});
        Frame(painter, frame, QColor(255, 140, 0), std::clamp(frame.width() / 6, 1, 3));
    }
}
