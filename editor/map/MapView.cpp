#include "MapView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "ViewColors.h"

namespace {

// Beside the map: the gray of an empty view, darker than any checker square.
constexpr QRgb Background = qRgb(160, 160, 160);
constexpr int LargestFitZoom = 8;

Point ToPoint(QPoint point)
{
    return {point.x(), point.y()};
}

} // namespace

MapView::MapView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("MapView"));
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::CrossCursor);
}

void MapView::SetMap(const TileMap* map)
{
    map_ = map;
    MapChanged();
}

void MapView::MapChanged()
{
    UpdateScrollRanges();
    viewport()->update();
}

Point MapView::Scroll() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void MapView::UpdateScrollRanges()
{
    const MapGeometry geometry = map_ ? GeometryOf(*map_, zoom_) : MapGeometry{{1, 1}, 0, 0, zoom_};
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, geometry.ContentWidth() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, geometry.ContentHeight() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setSingleStep(std::max(1, geometry.tileSize.x * zoom_));
    verticalScrollBar()->setSingleStep(std::max(1, geometry.tileSize.y * zoom_));
}

void MapView::SetZoom(int zoom, std::optional<QPoint> anchor)
{
    zoom = std::clamp(zoom, MinMapZoom, MaxMapZoom);
    if (zoom == zoom_)
        return;
    const QPoint at = anchor.value_or(viewport()->rect().center());
    const Point scroll = ScrollKeepingPoint(Scroll(), ToPoint(at), zoom_, zoom);
    zoom_ = zoom;
    UpdateScrollRanges();
    horizontalScrollBar()->setValue(scroll.x);
    verticalScrollBar()->setValue(scroll.y);
    viewport()->update();
    emit zoomChanged(zoom_);
}

void MapView::ZoomToFit()
{
    if (!map_)
        return;
    int zoom = LargestFitZoom;
    const MapGeometry one = GeometryOf(*map_, 1);
    while (zoom > MinMapZoom &&
           (one.ContentWidth() * zoom > viewport()->width() || one.ContentHeight() * zoom > viewport()->height()))
        zoom = NextMapZoom(zoom, -1);
    SetZoom(zoom, QPoint(0, 0));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void MapView::SetGridShown(bool shown)
{
    gridShown_ = shown;
    viewport()->update();
}

void MapView::SetOutlinedCells(std::optional<QRect> cells)
{
    outlined_ = cells;
    viewport()->update();
}

Point MapView::CellAt(QPoint viewportPoint) const
{
    if (!map_)
        return {-1, -1};
    const Point scroll = Scroll();
    return GeometryOf(*map_, zoom_).CellAt({viewportPoint.x() + scroll.x, viewportPoint.y() + scroll.y});
}

QPoint MapView::CellCentre(Point cell) const
{
    const Point tile = map_->tiles.tileSize;
    const Point scroll = Scroll();
    return {(cell.x * tile.x * 2 + tile.x) * zoom_ / 2 - scroll.x,
            (cell.y * tile.y * 2 + tile.y) * zoom_ / 2 - scroll.y};
}

void MapView::ShowCell(Point cell)
{
    const Point tile = map_->tiles.tileSize;
    const int left = cell.x * tile.x * zoom_, top = cell.y * tile.y * zoom_;
    const auto show = [](QScrollBar* bar, int start, int extent, int view) {
        if (start < bar->value())
            bar->setValue(start);
        else if (start + extent > bar->value() + view)
            bar->setValue(start + extent - view);
    };
    show(horizontalScrollBar(), left, tile.x * zoom_, viewport()->width());
    show(verticalScrollBar(), top, tile.y * zoom_, viewport()->height());
}

void MapView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QSize size = viewport()->size();
    if (!map_ || size.isEmpty())
        return;
    if (frame_.size() != size)
        frame_ = QImage(size, QImage::Format_RGB32);
    ComposeMapView(*map_, zoom_, Scroll(), size.width(), size.height(), MapLook{gridShown_, Background},
                   reinterpret_cast<uint32_t*>(frame_.bits()), static_cast<int>(frame_.bytesPerLine() / 4));
    painter.drawImage(0, 0, frame_);
    if (outlined_) {
        const Point tile = map_->tiles.tileSize;
        const Point scroll = Scroll();
        const QRect shown(outlined_->left() * tile.x * zoom_ - scroll.x, outlined_->top() * tile.y * zoom_ - scroll.y,
                          outlined_->width() * tile.x * zoom_, outlined_->height() * tile.y * zoom_);
        painter.setPen(QPen(QColor(MaskedPenColor), 2));
        painter.drawRect(shown.adjusted(1, 1, -1, -1));
    }
}

void MapView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void MapView::mousePressEvent(QMouseEvent* event)
{
    emit cellPressed(event->button(), event->modifiers(), CellAt(event->position().toPoint()));
}

void MapView::mouseMoveEvent(QMouseEvent* event)
{
    const Point cell = CellAt(event->position().toPoint());
    emit cellHovered(cell);
    if (event->buttons() != Qt::NoButton)
        emit cellDragged(cell);
}

void MapView::mouseReleaseEvent(QMouseEvent* event)
{
    emit cellReleased(CellAt(event->position().toPoint()));
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit cellDoubleClicked(CellAt(event->position().toPoint()));
}

void MapView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int direction = event->angleDelta().y() > 0 ? 1 : event->angleDelta().y() < 0 ? -1 : 0;
    if (direction != 0)
        SetZoom(NextMapZoom(zoom_, direction), event->position().toPoint());
    event->accept();
}
