// The sprite view as a widget of its own, outside any window: the cell under
// a point at the fitted level, at zoom steps and at the whole-pixel fit of
// the tile editor, the cell under an anchor kept through zooming, the
// pixels it paints, and the events it leaves to its parent.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

#include "SpriteText.h"
#include "SpriteView.h"
#include "ViewImage.h"
#include "view_pixels.h"

namespace {

// A view of its own size showing the sprite, never shown on screen.
struct StandaloneView {
    StandaloneView(const Sprite& shown, QSize size, ViewFit fit = ViewFit::Designed, ViewLook look = {})
        : sprite(shown), view(nullptr, fit)
    {
        view.resize(size);
        view.SetSprite(&sprite);
        view.SetLook([look] { return look; });
    }
    Sprite sprite;
    SpriteView view;
};

struct LookupCase {
    const char* what;
    ViewFit fit;
    int zoom;
    Point scroll;
    Point point;
    Point cell;
};

// A 10 x 10 sprite in a 102 x 102 view: fitted cells of exactly 10 pixels
// from (1, 1); at 16 pixels a cell both scroll bars show; the whole-pixel
// fit is (102 - 3) / 10 = 9 pixels a cell.
TEST(SpriteView, CellUnderAPointAtEachLevel)
{
    const LookupCase cases[] = {
        {"fitted, first cell", ViewFit::Designed, FittedZoom, {0, 0}, {1, 1}, {0, 0}},
        {"fitted, last pixel of a cell", ViewFit::Designed, FittedZoom, {0, 0}, {10, 20}, {0, 1}},
        {"fitted, on a boundary", ViewFit::Designed, FittedZoom, {0, 0}, {11, 21}, {1, 2}},
        {"fitted, last row", ViewFit::Designed, FittedZoom, {0, 0}, {55, 100}, {5, 9}},
        {"fitted, on the ring", ViewFit::Designed, FittedZoom, {0, 0}, {0, 50}, {-1, 4}},
        {"fitted, beyond the view", ViewFit::Designed, FittedZoom, {0, 0}, {50, 140}, {4, -1}},
        {"zoomed, first cell", ViewFit::Designed, 16, {0, 0}, {16, 16}, {0, 0}},
        {"zoomed, second column", ViewFit::Designed, 16, {0, 0}, {17, 33}, {1, 2}},
        {"zoomed and scrolled", ViewFit::Designed, 16, {20, 40}, {1, 1}, {1, 2}},
        {"zoomed, over the scroll bar", ViewFit::Designed, 16, {0, 0}, {30, 100}, {1, -1}},
        {"whole pixels, first cell", ViewFit::WholePixels, FittedZoom, {0, 0}, {9, 9}, {0, 0}},
        {"whole pixels, next cell", ViewFit::WholePixels, FittedZoom, {0, 0}, {10, 19}, {1, 2}},
        {"whole pixels, beside the grid", ViewFit::WholePixels, FittedZoom, {0, 0}, {91, 90}, {-1, 9}},
    };
    for (const LookupCase& c : cases) {
        StandaloneView shown(Sprite({10, 10}), QSize(102, 102), c.fit);
        shown.view.SetZoom(c.zoom);
        shown.view.HorizontalBar()->setValue(c.scroll.x);
        shown.view.VerticalBar()->setValue(c.scroll.y);
        const Point cell = shown.view.CellAt(c.point);
        EXPECT_EQ(cell.x, c.cell.x) << c.what;
        EXPECT_EQ(cell.y, c.cell.y) << c.what;
    }
}

// Beside the grid the nearest cell is held inside the sprite, axis by axis.
TEST(SpriteView, NearestCellIsHeldInsideTheSprite)
{
    StandaloneView shown(Sprite({10, 5}), QSize(102, 102));
    const std::pair<Point, Point> cases[] = {
        {{-30, 25}, {0, 2}}, {{55, 80}, {5, 4}}, {{150, -4}, {9, 0}}, {{33, 33}, {3, 3}}};
    for (const auto& [point, nearest] : cases) {
        const Point cell = shown.view.NearestCell(point);
        EXPECT_EQ(cell.x, nearest.x) << point.x << ", " << point.y;
        EXPECT_EQ(cell.y, nearest.y) << point.x << ", " << point.y;
    }
}

// 40 x 30 cells in 100 x 80: 2 pixels a cell fitted, and every step in
// needs both scroll bars, so the anchor's cell can always be kept.
TEST(SpriteView, ZoomingKeepsTheCellUnderTheAnchor)
{
    const std::vector<int> directions{+1, +1, +1, +1, -1, +1, -1, -1, -1, -1};
    for (const Point anchor : {Point{40, 30}, Point{60, 45}, Point{25, 50}, Point{5, 5}}) {
        StandaloneView shown(Sprite({40, 30}), QSize(102, 82));
        const Point before = shown.view.CellAt(anchor);
        ASSERT_NE(before.x, -1);
        for (size_t step = 0; step < directions.size(); ++step) {
            shown.view.ZoomAround(directions[step], anchor);
            const Point cell = shown.view.CellAt(anchor);
            EXPECT_EQ(cell.x, before.x) << anchor.x << ", " << anchor.y << " step " << step;
            EXPECT_EQ(cell.y, before.y) << anchor.x << ", " << anchor.y << " step " << step;
        }
        EXPECT_FALSE(shown.view.IsZoomed());
    }
}

// What the view paints, over a colour it never uses, against the drawing
// routines the main view and the tile editor painted with before they were
// views of their own.
TEST(SpriteView, PaintsTheSpriteAsTheDrawingRoutinesDo)
{
    const Sprite sprite = FromRows({"#l.d.", "LD##.", ".#..#", "ddll."});
    struct PaintCase {
        const char* what;
        ViewFit fit;
        ViewLook look;
    };
    const PaintCase cases[] = {
        {"grid", ViewFit::Designed, {false, false}},
        {"true colors", ViewFit::Designed, {true, false}},
        {"grid, masks checkered", ViewFit::Designed, {false, true}},
        {"true colors, masks checkered", ViewFit::Designed, {true, true}},
        {"whole pixels", ViewFit::WholePixels, {false, false}},
    };
    const QSize size(123, 97);
    for (const PaintCase& c : cases) {
        StandaloneView shown(sprite, size, c.fit, c.look);
        QImage painted = Blank(size.width(), size.height());
        shown.view.render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);

        QImage expected = Blank(size.width(), size.height());
        QPainter painter(&expected);
        const ViewRegion region{0, 0, size.width(), size.height()};
        if (c.fit == ViewFit::Designed) {
            DrawFittedSprite(painter, region, sprite, c.look.trueColors, c.look.checkerMasked);
        } else {
            // 5 x 4 cells in 123 x 97 less the ring and a closing line.
            DrawZoomedView(painter, LayOutZoomedView(region, {5, 4}, 23, false, 0), {0, 0}, sprite, false);
        }
        painter.end();
        EXPECT_EQ(painted, expected) << c.what;
    }
}

// Records where the events it is sent land.
class EventRecorder : public QWidget {
public:
    std::vector<std::pair<QEvent::Type, QPoint>> received;

protected:
    void mousePressEvent(QMouseEvent* event) override { Record(event); }
    void mouseMoveEvent(QMouseEvent* event) override { Record(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { Record(event); }

private:
    void Record(QMouseEvent* event) { received.emplace_back(event->type(), event->position().toPoint()); }
};

// The main window's handlers take presses over its view: the view passes
// them on at the same place of the parent, whatever the view's position.
TEST(SpriteView, LeavesMouseEventsToItsParentAtTheSamePlace)
{
    EventRecorder parent;
    parent.setMouseTracking(true);
    parent.resize(200, 200);
    SpriteView view(&parent);
    view.setGeometry(10, 20, 100, 100);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(7, 8));
    const std::vector<std::pair<QEvent::Type, QPoint>> expected{
        {QEvent::MouseButtonPress, QPoint(15, 26)},
        {QEvent::MouseButtonRelease, QPoint(17, 28)},
    };
    EXPECT_EQ(parent.received, expected);
}

} // namespace
