#include "TileEditor.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ViewImage.h"

namespace {

constexpr int LargestPixel = 64;

Point ToPoint(QPoint point)
{
    return {point.x(), point.y()};
}

} // namespace

TileEditor::TileEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TileEditor"));
    setMinimumSize(130, 130);
    setCursor(Qt::CrossCursor);
}

void TileEditor::SetTile(const TileSet* tiles, int index)
{
    tiles_ = tiles;
    index_ = index;
    update();
}

// The closing grid line takes one pixel more than the tile's pixels.
ZoomedLayout TileEditor::Layout() const
{
    const Point size = tiles_ ? tiles_->tileSize : Point{8, 8};
    const int fit = std::min((width() - 3) / size.x, (height() - 3) / size.y);
    return LayOutZoomedView(ToViewRegion(rect()), size, std::clamp(fit, 1, LargestPixel), false, 0);
}

Point TileEditor::PixelAt(QPoint point) const
{
    const Point size = tiles_ ? tiles_->tileSize : Point{8, 8};
    return ZoomedCellAt(Layout(), {0, 0}, size, ToPoint(point));
}

QPoint TileEditor::PixelCentre(Point pixel) const
{
    const CellEdges edges = CellEdges::Zoomed(Layout(), {0, 0});
    return {(edges.Column(pixel.x) + edges.Column(pixel.x + 1)) / 2, (edges.Row(pixel.y) + edges.Row(pixel.y + 1)) / 2};
}

void TileEditor::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!tiles_ || index_ < 0 || index_ >= tiles_->Count())
        return;
    const auto sprite = SpriteOfCells(tiles_->Tile(index_), tiles_->tileSize, tiles_->type);
    DrawZoomedView(painter, Layout(), {0, 0}, *sprite, false);
}

void TileEditor::mousePressEvent(QMouseEvent* event)
{
    emit pixelPressed(event->button(), PixelAt(event->position().toPoint()));
}

void TileEditor::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton)
        emit pixelDragged(PixelAt(event->position().toPoint()));
}

void TileEditor::mouseReleaseEvent(QMouseEvent*)
{
    emit released();
}
