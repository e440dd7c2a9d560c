#include "SpriteView.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "ViewImage.h"

namespace {

// One notch of a common mouse wheel.
constexpr int WheelNotch = 120;

ViewRegion InsideRing(const ViewRegion& region)
{
    return {region.left + 1, region.top + 1, region.width - 2, region.height - 2};
}

QScrollBar* ViewScrollBar(Qt::Orientation orientation, const char* name, QWidget* parent)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
    return bar;
}

void PlaceBar(QScrollBar* bar, const ViewRegion& place, int maximum, int pageStep, int singleStep)
{
    const bool shown = place.width > 0 && place.height > 0;
    if (shown) {
        bar->setGeometry(place.left, place.top, place.width, place.height);
        bar->setRange(0, maximum);
        bar->setPageStep(pageStep);
        bar->setSingleStep(singleStep);
    } else {
        bar->setValue(0);
    }
    bar->setVisible(shown);
}

} // namespace

SpriteView::SpriteView(QWidget* parent, ViewFit fit)
    : QWidget(parent), fit_(fit), horizontalBar_(ViewScrollBar(Qt::Horizontal, "ViewScrollX", this)),
      verticalBar_(ViewScrollBar(Qt::Vertical, "ViewScrollY", this))
{
    // Moves with no button held reach the parent only through a view that
    // tracks them.
    setMouseTracking(true);
    for (QScrollBar* bar : {horizontalBar_, verticalBar_})
        connect(bar, &QScrollBar::valueChanged, this, &SpriteView::RepaintShown);
}

void SpriteView::SetSprite(const Sprite* sprite)
{
    sprite_ = sprite;
}

void SpriteView::SetLook(std::function<ViewLook()> look)
{
    look_ = std::move(look);
}

void SpriteView::AddOverlay(std::function<void(QPainter&)> overlay)
{
    overlays_.push_back(std::move(overlay));
}

Point SpriteView::SpriteSize() const
{
    return sprite_ ? sprite_->GetSize() : Point{0, 0};
}

ViewLook SpriteView::CurrentLook() const
{
    return look_ ? look_() : ViewLook{};
}

ViewRegion SpriteView::Region() const
{
    return ToViewRegion(rect());
}

bool SpriteView::DrawsWholeCells() const
{
    return IsZoomed() || fit_ == ViewFit::WholePixels;
}

// The closing grid line takes one pixel more than the cells, besides the ring.
int SpriteView::WholePixelFit() const
{
    const Point size = SpriteSize();
    if (size.x <= 0 || size.y <= 0)
        return 1;
    const int fit = std::min((width() - 3) / size.x, (height() - 3) / size.y);
    return std::clamp(fit, 1, ZoomSteps.back());
}

float SpriteView::FittedCellSize() const
{
    if (fit_ == ViewFit::WholePixels)
        return static_cast<float>(WholePixelFit());
    return CellSize(Region(), SpriteSize());
}

// The whole-pixel fit always fits when it can, so it never takes room for
// scroll bars.
ZoomedLayout SpriteView::Layout() const
{
    const int cellPixels = IsZoomed() ? zoom_ : WholePixelFit();
    const int barExtent =
        IsZoomed() ? horizontalBar_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalBar_) : 0;
    return LayOutZoomedView(Region(), SpriteSize(), cellPixels, CurrentLook().trueColors, barExtent);
}

Point SpriteView::Scroll() const
{
    return {horizontalBar_->value(), verticalBar_->value()};
}

QRect SpriteView::ShownArea() const
{
    return DrawsWholeCells() ? ToQRect(Layout().viewport) : rect();
}

Point SpriteView::CellAt(Point viewPoint) const
{
    if (!sprite_)
        return {-1, -1};
    if (DrawsWholeCells())
        return ZoomedCellAt(Layout(), Scroll(), SpriteSize(), viewPoint);
    return CellAtPoint(Region(), *sprite_, viewPoint);
}

Point SpriteView::NearestCell(Point viewPoint) const
{
    Point cell = CellAt(viewPoint);
    const Point size = SpriteSize();
    if ((cell.x != -1 && cell.y != -1) || size.x <= 0 || size.y <= 0)
        return cell;
    const CellPosition position = PositionAt(viewPoint);
    const auto held = [](double at, int count) { return std::clamp(static_cast<int>(std::floor(at)), 0, count - 1); };
    if (cell.x == -1)
        cell.x = held(position.x, size.x);
    if (cell.y == -1)
        cell.y = held(position.y, size.y);
    return cell;
}

CellPosition SpriteView::PositionAt(Point viewPoint) const
{
    if (DrawsWholeCells())
        return ZoomedCellPosition(Layout(), Scroll(), viewPoint);
    return FittedCellPosition(Region(), CellSize(Region(), SpriteSize()), viewPoint);
}

CellEdges SpriteView::Edges() const
{
    if (DrawsWholeCells())
        return CellEdges::Zoomed(Layout(), Scroll());
    return CellEdges::Fitted(Region(), SpriteSize());
}

Point SpriteView::CellCentre(Point cell) const
{
    const CellEdges edges = Edges();
    return {(edges.Column(cell.x) + edges.Column(cell.x + 1)) / 2, (edges.Row(cell.y) + edges.Row(cell.y + 1)) / 2};
}

bool SpriteView::CellsOutlined() const
{
    if (DrawsWholeCells())
        return Layout().gridLines;
    return !CurrentLook().trueColors && FittedCellsOutlined(FittedCellSize());
}

void SpriteView::LayOutBars()
{
    if (!IsZoomed()) {
        PlaceBar(horizontalBar_, {}, 0, 0, 0);
        PlaceBar(verticalBar_, {}, 0, 0, 0);
        return;
    }
    const ZoomedLayout layout = Layout();
    PlaceBar(horizontalBar_, layout.horizontalBar, layout.maxScrollX, layout.viewport.width, layout.cellPixels);
    PlaceBar(verticalBar_, layout.verticalBar, layout.maxScrollY, layout.viewport.height, layout.cellPixels);
}

void SpriteView::SetZoom(int level)
{
    zoom_ = IsZoomStep(level) ? level : FittedZoom;
    LayOutBars();
    update();
}

void SpriteView::ZoomAround(int direction, Point anchor)
{
    const int next = NextZoom(zoom_, FittedCellSize(), direction);
    if (next == zoom_)
        return;
    const CellPosition position = PositionAt(anchor);
    zoom_ = next;
    LayOutBars();
    if (IsZoomed()) {
        const Point scroll = ScrollShowingAt(Layout(), position, anchor);
        horizontalBar_->setValue(scroll.x);
        verticalBar_->setValue(scroll.y);
    }
    update();
}

void SpriteView::ZoomAtCentre(int direction)
{
    const ViewRegion shown = IsZoomed() ? Layout().viewport : InsideRing(Region());
    ZoomAround(direction, ViewportCentre(shown));
}

void SpriteView::ShowFitted()
{
    if (IsZoomed())
        SetZoom(FittedZoom);
}

// A turn back the other way starts counting afresh.
void SpriteView::TurnZoomWheel(int delta, Point pointer)
{
    const Point anchor = rect().contains(pointer.x, pointer.y) ? pointer : ViewportCentre(InsideRing(Region()));
    if ((zoomWheelTurn_ > 0 && delta < 0) || (zoomWheelTurn_ < 0 && delta > 0))
        zoomWheelTurn_ = 0;
    zoomWheelTurn_ += delta;
    for (; zoomWheelTurn_ >= WheelNotch; zoomWheelTurn_ -= WheelNotch)
        ZoomAround(+1, anchor);
    for (; zoomWheelTurn_ <= -WheelNotch; zoomWheelTurn_ += WheelNotch)
        ZoomAround(-1, anchor);
}

void SpriteView::ScrollByWheel(int delta)
{
    if (!IsZoomed())
        return;
    const int pixels = delta * QApplication::wheelScrollLines() * zoom_ / WheelNotch;
    horizontalBar_->setValue(horizontalBar_->value() - pixels);
}

// Cells scrolled out of view stay off the ring and the bars, overlays too.
void SpriteView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (sprite_) {
        const ViewLook look = CurrentLook();
        if (DrawsWholeCells()) {
            const ZoomedLayout layout = Layout();
            DrawZoomedView(painter, layout, Scroll(), *sprite_, look.trueColors, look.checkerMasked);
            painter.setClipRect(ToQRect(layout.viewport));
        } else {
            DrawFittedSprite(painter, Region(), *sprite_, look.trueColors, look.checkerMasked);
        }
    }
    for (const auto& overlay : overlays_)
        overlay(painter);
}

void SpriteView::resizeEvent(QResizeEvent*)
{
    LayOutBars();
}
