#include "MapPalette.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "MapPicture.h"
#include "ViewColors.h"

namespace {

constexpr int ThumbnailSide = 32;
// Around each thumbnail: room for the frame of the chosen tile.
constexpr int SlotMargin = 3;

} // namespace

MapPalette::MapPalette(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("MapPalette"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
}

void MapPalette::SetTiles(const TileSet* tiles)
{
    tiles_ = tiles;
    chosen_ = 0;
    TilesChanged();
}

void MapPalette::TilesChanged()
{
    if (tiles_)
        chosen_ = std::min(chosen_, tiles_->Count() - 1);
    UpdateScrollRange();
    viewport()->update();
}

void MapPalette::SetChosen(int tile)
{
    if (!tiles_ || tile < 0 || tile >= tiles_->Count())
        return;
    chosen_ = tile;
    const QRect slot = SlotRect(tile);
    QScrollBar* bar = verticalScrollBar();
    if (slot.top() < bar->value())
        bar->setValue(slot.top());
    else if (slot.bottom() >= bar->value() + viewport()->height())
        bar->setValue(slot.bottom() + 1 - viewport()->height());
    viewport()->update();
}

int MapPalette::ThumbnailZoom() const
{
    const Point size = tiles_ ? tiles_->tileSize : Point{8, 8};
    return std::max(1, ThumbnailSide / std::max(size.x, size.y));
}

QSize MapPalette::Slot() const
{
    const Point size = tiles_ ? tiles_->tileSize : Point{8, 8};
    const int zoom = ThumbnailZoom();
    return {size.x * zoom + 2 * SlotMargin, size.y * zoom + 2 * SlotMargin};
}

int MapPalette::Columns() const
{
    return std::max(1, viewport()->width() / Slot().width());
}

QRect MapPalette::SlotRect(int tile) const
{
    const QSize slot = Slot();
    return {(tile % Columns()) * slot.width(), (tile / Columns()) * slot.height(), slot.width(), slot.height()};
}

void MapPalette::UpdateScrollRange()
{
    const int count = tiles_ ? tiles_->Count() : 0;
    const int rows = (count + Columns() - 1) / Columns();
    verticalScrollBar()->setRange(0, std::max(0, rows * Slot().height() - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(Slot().height());
}

int MapPalette::TileAt(QPoint viewportPoint) const
{
    if (!tiles_ || viewportPoint.x() < 0 || viewportPoint.y() < 0)
        return -1;
    const QSize slot = Slot();
    const int column = viewportPoint.x() / slot.width();
    const int row = (viewportPoint.y() + verticalScrollBar()->value()) / slot.height();
    const int tile = row * Columns() + column;
    return column < Columns() && tile < tiles_->Count() ? tile : -1;
}

QPoint MapPalette::TileCentre(int tile) const
{
    return SlotRect(tile).center() - QPoint(0, verticalScrollBar()->value());
}

void MapPalette::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().base());
    if (!tiles_)
        return;
    const int zoom = ThumbnailZoom();
    const int top = verticalScrollBar()->value();
    QImage thumbnail(tiles_->tileSize.x * zoom, tiles_->tileSize.y * zoom, QImage::Format_RGB32);
    const int first = top / Slot().height() * Columns();
    const int last = std::min(tiles_->Count(), ((top + viewport()->height()) / Slot().height() + 1) * Columns());
    for (int tile = first; tile < last; ++tile) {
        ComposeTile(*tiles_, tile, zoom, reinterpret_cast<uint32_t*>(thumbnail.bits()),
                    static_cast<int>(thumbnail.bytesPerLine() / 4));
        const QRect slot = SlotRect(tile).translated(0, -top);
        const QPoint corner = slot.topLeft() + QPoint(SlotMargin, SlotMargin);
        painter.drawImage(corner, thumbnail);
        // A white tile still shows where it lies.
        painter.setPen(QColor(192, 192, 192));
        painter.drawRect(QRect(corner, thumbnail.size()).adjusted(-1, -1, 0, 0));
        if (tile == chosen_) {
            painter.setPen(QPen(QColor(MaskedPenColor), 2));
            painter.drawRect(slot.adjusted(1, 1, -1, -1));
        }
    }
}

void MapPalette::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void MapPalette::mousePressEvent(QMouseEvent* event)
{
    const int tile = TileAt(event->position().toPoint());
    if (tile < 0)
        return;
    SetChosen(tile);
    emit tileChosen(tile);
}
