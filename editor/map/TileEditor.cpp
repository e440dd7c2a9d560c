#include "TileEditor.h"

#include <QMouseEvent>

#include "TileSlicing.h"

TileEditor::TileEditor(QWidget* parent) : SpriteView(parent, ViewFit::WholePixels)
{
    setObjectName(QStringLiteral("TileEditor"));
    setMinimumSize(130, 130);
    setCursor(Qt::CrossCursor);
}

void TileEditor::SetTile(const TileSet* tiles, int index)
{
    index_ = index;
    const bool shown = tiles && index >= 0 && index < tiles->Count();
    tile_ = shown ? SpriteOfCells(tiles->Tile(index), tiles->tileSize, tiles->type) : nullptr;
    SetSprite(tile_.get());
    update();
}

QPoint TileEditor::PixelCentre(Point pixel) const
{
    const Point centre = CellCentre(pixel);
    return {centre.x, centre.y};
}

Point TileEditor::PixelAt(const QMouseEvent* event) const
{
    const QPoint point = event->position().toPoint();
    return CellAt({point.x(), point.y()});
}

void TileEditor::mousePressEvent(QMouseEvent* event)
{
    emit pixelPressed(event->button(), PixelAt(event));
}

void TileEditor::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton)
        emit pixelDragged(PixelAt(event));
}

void TileEditor::mouseReleaseEvent(QMouseEvent*)
{
    emit released();
}
