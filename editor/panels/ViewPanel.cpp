#include "ViewPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeySequence>
#include <QPainter>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QWheelEvent>

#include "EditorContext.h"
#include "FormLayout.h"
#include "FrameStrip.h"
#include "IniFile.h"
#include "ToolPanel.h"
#include "U_apercu.h"
#include "ViewImage.h"

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

} // namespace

// The options take rows of "Options" below the designed five: the true-size
// preview the first, the checkerboard the one below the screen guides.
ViewPanel::ViewPanel(EditorContext& editor) : EditorPanel(editor)
{
    CB_ApercuTailleReelle =
        Place(new QCheckBox(QStringLiteral("Aperçu en taille réelle"), editor.Page(EditorPage::Options)),
              "CB_ApercuTailleReelle", 8, 140, 281, 20);
    CB_TransparenceDamier =
        Place(new QCheckBox(QStringLiteral("Transparence en damier"), editor.Page(EditorPage::Options)),
              "CB_TransparenceDamier", 8, 192, 281, 20);
    CB_TransparenceDamier->setToolTip(QStringLiteral("Les pixels maskés en damier clair, dans la vue, l'aperçu "
                                                     "et la rangée d'images"));
    ViewScrollX = ViewScrollBar(Qt::Horizontal, "ViewScrollX", &editor.Window());
    ViewScrollY = ViewScrollBar(Qt::Vertical, "ViewScrollY", &editor.Window());
    for (QScrollBar* bar : {ViewScrollX, ViewScrollY})
        connect(bar, &QScrollBar::valueChanged, this, [this] { this->editor.Window().update(MainViewArea()); });

    auto bind = [this](const QKeySequence& keys, auto action) {
        auto* shortcut = new QShortcut(keys, &this->editor.Window());
        connect(shortcut, &QShortcut::activated, this, action);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { ZoomMainViewAtCentre(+1); });
    // Ctrl+"=" too: on most keyboards "+" needs Shift.
    bind(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { ZoomMainViewAtCentre(+1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { ZoomMainViewAtCentre(-1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { ShowFittedView(); });

    connect(CB_ApercuTailleReelle, &QCheckBox::toggled, this, &ViewPanel::CB_ApercuTailleReelleClick);
    connect(CB_TransparenceDamier, &QCheckBox::toggled, this, &ViewPanel::CB_TransparenceDamierClick);
    // True colors draw no grid lines, which changes the zoomed grid's extent.
    connect(editor.Designed().mainTrueColors, &QCheckBox::toggled, this, &ViewPanel::LayOutMainView);
}

ZoomedLayout ViewPanel::MainZoomLayout() const
{
    const int barExtent = ViewScrollX->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ViewScrollX);
    return LayOutZoomedView(ToViewRegion(editor.ViewRegion().geometry()), editor.Document().Editing().GetSize(),
                            MainZoom, editor.MainViewInTrueColors(), barExtent);
}

QRect ViewPanel::MainViewArea() const
{
    if (!IsZoomed())
        return editor.ViewRegion().geometry();
    const ViewRegion viewport = MainZoomLayout().viewport;
    return QRect(viewport.left, viewport.top, viewport.width, viewport.height);
}

Point ViewPanel::MainScroll() const
{
    return {ViewScrollX->value(), ViewScrollY->value()};
}

Point ViewPanel::ZoomedCellUnder(Point windowPoint) const
{
    return ZoomedCellAt(MainZoomLayout(), MainScroll(), editor.Document().Editing().GetSize(), windowPoint);
}

CellPosition ViewPanel::MainCellPosition(Point windowPoint) const
{
    if (IsZoomed())
        return ZoomedCellPosition(MainZoomLayout(), MainScroll(), windowPoint);
    const ViewRegion region = ToViewRegion(editor.ViewRegion().geometry());
    return FittedCellPosition(region, CellSize(region, editor.Document().Editing().GetSize()), windowPoint);
}

CellEdges ViewPanel::MainCellEdges() const
{
    if (!IsZoomed())
        return CellEdges::Fitted(ToViewRegion(editor.ViewRegion().geometry()), editor.Document().Editing().GetSize());
    return CellEdges::Zoomed(MainZoomLayout(), MainScroll());
}

void ViewPanel::DrawZoomedMainView(QPainter& painter)
{
    DrawZoomedView(painter, MainZoomLayout(), MainScroll(), editor.Document().Editing(), editor.MainViewInTrueColors(),
                   TransparenceDamier != 0);
    painter.setClipRect(MainViewArea());
}

void ViewPanel::LayOutMainView()
{
    if (!IsZoomed()) {
        PlaceBar(ViewScrollX, {}, 0, 0, 0);
        PlaceBar(ViewScrollY, {}, 0, 0, 0);
        return;
    }
    const ZoomedLayout layout = MainZoomLayout();
    PlaceBar(ViewScrollX, layout.horizontalBar, layout.maxScrollX, layout.viewport.width, layout.cellPixels);
    PlaceBar(ViewScrollY, layout.verticalBar, layout.maxScrollY, layout.viewport.height, layout.cellPixels);
}

void ViewPanel::ZoomMainView(int direction, Point anchor)
{
    const ViewRegion region = ToViewRegion(editor.ViewRegion().geometry());
    const float fittedCell = CellSize(region, editor.Document().Editing().GetSize());
    const int next = NextZoom(MainZoom, fittedCell, direction);
    if (next == MainZoom)
        return;
    const CellPosition position = MainCellPosition(anchor);
    MainZoom = next;
    LayOutMainView();
    if (IsZoomed()) {
        const Point scroll = ScrollShowingAt(MainZoomLayout(), position, anchor);
        ViewScrollX->setValue(scroll.x);
        ViewScrollY->setValue(scroll.y);
    }
    editor.Window().update(editor.ViewRegion().geometry());
}

void ViewPanel::ZoomMainViewAtCentre(int direction)
{
    const ViewRegion region = ToViewRegion(editor.ViewRegion().geometry());
    const ViewRegion shown = IsZoomed() ? MainZoomLayout().viewport : InsideRing(region);
    ZoomMainView(direction, ViewportCentre(shown));
}

void ViewPanel::ShowFittedView()
{
    if (!IsZoomed())
        return;
    MainZoom = FittedZoom;
    LayOutMainView();
    editor.Window().update(editor.ViewRegion().geometry());
}

bool ViewPanel::WheelNavigatesView(const QWheelEvent& event)
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
        const Point anchor = editor.ViewRegion().geometry().contains(pointer)
                                 ? Point{pointer.x(), pointer.y()}
                                 : ViewportCentre(InsideRing(ToViewRegion(editor.ViewRegion().geometry())));
        for (; zoomWheelTurn_ >= WheelNotch; zoomWheelTurn_ -= WheelNotch)
            ZoomMainView(+1, anchor);
        for (; zoomWheelTurn_ <= -WheelNotch; zoomWheelTurn_ += WheelNotch)
            ZoomMainView(-1, anchor);
        return true;
    }
    // Away from the user scrolls toward the left, as in other programs.
    if (IsZoomed()) {
        const int pixels = delta * QApplication::wheelScrollLines() * MainZoom / WheelNotch;
        ViewScrollX->setValue(ViewScrollX->value() - pixels);
    }
    return true;
}

void ViewPanel::CB_ApercuTailleReelleClick()
{
    ApercuTailleReelle = CB_ApercuTailleReelle->isChecked();
    editor.RepaintPreview(true);
}

void ViewPanel::CB_TransparenceDamierClick()
{
    TransparenceDamier = CB_TransparenceDamier->isChecked();
    editor.Tools().CheckerFrameRowMasks(TransparenceDamier != 0);
    editor.RedrawViews();
}

// A zoom level that is no step, hand-edited or from a later version, shows
// the designed view.
void ViewPanel::ReadSettings(const IniFile& settings)
{
    const int zoom = settings.ReadInteger(ViewSection, "ZoomPrincipale", FittedZoom);
    MainZoom = IsZoomStep(zoom) ? zoom : FittedZoom;
    ApercuTailleReelle = settings.ReadBool(ViewSection, "ApercuTailleReelle", false);
    CB_ApercuTailleReelle->setChecked(ApercuTailleReelle != 0);
    TransparenceDamier = settings.ReadBool(ViewSection, "TransparenceDamier", false);
    CB_TransparenceDamier->setChecked(TransparenceDamier != 0);
    LayOutMainView();
}

void ViewPanel::WriteSettings(const IniFile& settings) const
{
    settings.WriteIntegerUnlessDefault(ViewSection, "ZoomPrincipale", MainZoom, FittedZoom);
    settings.WriteIntegerUnlessDefault(ViewSection, "ApercuTailleReelle", ApercuTailleReelle != 0 ? 1 : 0, 0);
    settings.WriteIntegerUnlessDefault(ViewSection, "TransparenceDamier", TransparenceDamier != 0 ? 1 : 0, 0);
}
