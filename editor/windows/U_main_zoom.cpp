// Zooming and scrolling the main view, the true-size preview option, and
// their section of the settings file. The fitted view stays the designed one;
// a zoomed view shows whole screen pixels per cell, part of the grid at a
// time, with scroll bars inside the region along its bottom and right edges.
#include <QApplication>
#include <QCheckBox>
#include <QKeySequence>
#include <QPainter>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QWheelEvent>

#include "IniFile.h"
#include "U_apercu.h"
#include "U_main.h"
#include "ViewImage.h"
#include "ZoomedView.h"

namespace {

const std::string ViewSection = "Affichage";

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

// Two different defaults give the same answer only for a stored integer.
bool HoldsInteger(const IniFile& settings, const std::string& section, const std::string& key)
{
    return settings.ReadInteger(section, key, 0) == settings.ReadInteger(section, key, 1);
}

} // namespace

void TForm1::BuildViewNavigation()
{
    ViewScrollX = ViewScrollBar(Qt::Horizontal, "ViewScrollX", this);
    ViewScrollY = ViewScrollBar(Qt::Vertical, "ViewScrollY", this);
    for (QScrollBar* bar : {ViewScrollX, ViewScrollY})
        connect(bar, &QScrollBar::valueChanged, this, [this] { update(MainViewArea()); });

    auto bind = [this](const QKeySequence& keys, auto action) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { ZoomMainViewAtCentre(+1); });
    // Ctrl+"=" too: on most keyboards "+" needs Shift.
    bind(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { ZoomMainViewAtCentre(+1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { ZoomMainViewAtCentre(-1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { ShowFittedView(); });

    connect(CB_ApercuTailleReelle, &QCheckBox::toggled, this, &TForm1::CB_ApercuTailleReelleClick);
    // True colors draw no grid lines, which changes the zoomed grid's extent.
    connect(CB_CouleursPrincipale, &QCheckBox::toggled, this, &TForm1::LayOutMainView);
}

ZoomedLayout TForm1::MainZoomLayout() const
{
    const int barExtent = ViewScrollX->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ViewScrollX);
    return LayOutZoomedView(ToViewRegion(RegionBounds(I_Principale)), sprite.GetSize(), MainZoom,
                            CouleursVraiesMain != 0, barExtent);
}

QRect TForm1::MainViewArea() const
{
    if (MainZoom == FittedZoom)
        return I_Principale->geometry();
    const ViewRegion viewport = MainZoomLayout().viewport;
    return QRect(viewport.left, viewport.top, viewport.width, viewport.height);
}

Point TForm1::MainScroll() const
{
    return {ViewScrollX->value(), ViewScrollY->value()};
}

Point TForm1::ZoomedCellUnder(Point windowPoint) const
{
    return ZoomedCellAt(MainZoomLayout(), MainScroll(), sprite.GetSize(), windowPoint);
}

CellPosition TForm1::MainCellPosition(Point windowPoint) const
{
    if (MainZoom != FittedZoom)
        return ZoomedCellPosition(MainZoomLayout(), MainScroll(), windowPoint);
    const ViewRegion region = ToViewRegion(RegionBounds(I_Principale));
    return FittedCellPosition(region, CellSize(region, sprite.GetSize()), windowPoint);
}

CellEdges TForm1::MainCellEdges() const
{
    if (MainZoom == FittedZoom)
        return CellEdges::Fitted(ToViewRegion(RegionBounds(I_Principale)), sprite.GetSize());
    return CellEdges::Zoomed(MainZoomLayout(), MainScroll());
}

void TForm1::DrawZoomedMainView(QPainter& painter)
{
    ShowSpriteType(*this, sprite);
    DrawZoomedView(painter, MainZoomLayout(), MainScroll(), sprite, CouleursVraiesMain != 0);
}

void TForm1::LayOutMainView()
{
    if (MainZoom == FittedZoom) {
        PlaceBar(ViewScrollX, {}, 0, 0, 0);
        PlaceBar(ViewScrollY, {}, 0, 0, 0);
        return;
    }
    const ZoomedLayout layout = MainZoomLayout();
    PlaceBar(ViewScrollX, layout.horizontalBar, layout.maxScrollX, layout.viewport.width, layout.cellPixels);
    PlaceBar(ViewScrollY, layout.verticalBar, layout.maxScrollY, layout.viewport.height, layout.cellPixels);
}

void TForm1::ZoomMainView(int direction, Point anchor)
{
    const ViewRegion region = ToViewRegion(RegionBounds(I_Principale));
    const float fittedCell = CellSize(region, sprite.GetSize());
    const int next = NextZoom(MainZoom, fittedCell, direction);
    if (next == MainZoom)
        return;
    const CellPosition position = MainCellPosition(anchor);
    MainZoom = next;
    LayOutMainView();
    if (MainZoom != FittedZoom) {
        const Point scroll = ScrollShowingAt(MainZoomLayout(), position, anchor);
        ViewScrollX->setValue(scroll.x);
        ViewScrollY->setValue(scroll.y);
    }
    update(I_Principale->geometry());
}

void TForm1::ZoomMainViewAtCentre(int direction)
{
    const ViewRegion region = ToViewRegion(RegionBounds(I_Principale));
    const ViewRegion shown = MainZoom == FittedZoom ? InsideRing(region) : MainZoomLayout().viewport;
    ZoomMainView(direction, ViewportCentre(shown));
}

void TForm1::ShowFittedView()
{
    if (MainZoom == FittedZoom)
        return;
    MainZoom = FittedZoom;
    LayOutMainView();
    update(I_Principale->geometry());
}

bool TForm1::WheelNavigatesView(const QWheelEvent& event)
{
    const bool zooms = event.modifiers() & Qt::ControlModifier;
    const bool scrolls = event.modifiers() & Qt::ShiftModifier;
    if (!zooms && !scrolls)
        return false;
    // Some systems turn a wheel held with Shift into a horizontal one.
    const int delta = event.angleDelta().y() != 0 ? event.angleDelta().y() : event.angleDelta().x();
    if (zooms) {
        // Fine-grained wheels and touchpads add up to whole notches.
        if ((zoomWheelTurn_ > 0 && delta < 0) || (zoomWheelTurn_ < 0 && delta > 0))
            zoomWheelTurn_ = 0;
        zoomWheelTurn_ += delta;
        const QPoint pointer = event.position().toPoint();
        const Point anchor = I_Principale->geometry().contains(pointer)
                                 ? Point{pointer.x(), pointer.y()}
                                 : ViewportCentre(InsideRing(ToViewRegion(RegionBounds(I_Principale))));
        for (; zoomWheelTurn_ >= WheelNotch; zoomWheelTurn_ -= WheelNotch)
            ZoomMainView(+1, anchor);
        for (; zoomWheelTurn_ <= -WheelNotch; zoomWheelTurn_ += WheelNotch)
            ZoomMainView(-1, anchor);
        return true;
    }
    // Away from the user scrolls toward the left, as in other programs.
    if (MainZoom != FittedZoom) {
        const int pixels = delta * QApplication::wheelScrollLines() * MainZoom / WheelNotch;
        ViewScrollX->setValue(ViewScrollX->value() - pixels);
    }
    return true;
}

void TForm1::CB_ApercuTailleReelleClick()
{
    ApercuTailleReelle = CB_ApercuTailleReelle->isChecked();
    if (F_Apercu) {
        F_Apercu->KeepRoomForTrueSize();
        F_Apercu->update();
    }
}

// A zoom level that is no step, hand-edited or from a later version, shows
// the designed view.
void TForm1::ReadViewSettings(const IniFile& settings)
{
    const int zoom = settings.ReadInteger(ViewSection, "ZoomPrincipale", FittedZoom);
    MainZoom = IsZoomStep(zoom) ? zoom : FittedZoom;
    ApercuTailleReelle = settings.ReadBool(ViewSection, "ApercuTailleReelle", false);
    CB_ApercuTailleReelle->setChecked(ApercuTailleReelle != 0);
    LayOutMainView();
}

// A value is written when it is not the default or when the file already
// holds it, so the file of a user who never zoomed keeps exactly the designed
// fourteen values, and a default chosen again replaces the stored level.
void TForm1::WriteViewSettings(const IniFile& settings) const
{
    struct Value {
        const char* key;
        int value;
        int defaultValue;
    };
    const Value values[] = {
        {"ZoomPrincipale", MainZoom, FittedZoom},
        {"ApercuTailleReelle", ApercuTailleReelle != 0 ? 1 : 0, 0},
    };
    for (const auto& [key, value, defaultValue] : values) {
        if (value != defaultValue || HoldsInteger(settings, ViewSection, key))
            settings.WriteInteger(ViewSection, key, value);
    }
}
