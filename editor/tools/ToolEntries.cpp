#include "ToolEntries.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace {

const QColor Ink(40, 40, 40);

template <typename Draw> QPixmap Drawn(int side, Draw draw)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return picture;
}

// The shapes' outlines, in a box a little wider than high.
template <bool filled, bool round> QIcon ShapePicture()
{
    return QIcon(Drawn(20, [](QPainter& painter) {
        painter.setPen(QPen(Ink, 2));
        if (filled)
            painter.setBrush(Ink);
        const QRectF box(3, 5, 14, 10);
        if (round)
            painter.drawEllipse(box);
        else
            painter.drawRect(box);
    }));
}

QIcon EyedropperPicture()
{
    return QIcon(Drawn(20, [](QPainter& painter) {
        painter.setPen(QPen(Ink, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 16), QPointF(12, 8));
        painter.setBrush(Ink);
        painter.drawEllipse(QPointF(14.5, 5.5), 3, 3);
    }));
}

// A dashed square, as the selection is shown in the view.
QIcon SelectionPicture()
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QPen(Ink, 2, Qt::DashLine));
    painter.drawRect(QRect(4, 4, 16, 16));
    return QIcon(picture);
}

// The cursors are drawn black over a white halo, so that they show over
// black cells as over white ones; each hot spot is where the tool acts.
constexpr int CursorSide = 32;

template <typename Shape> void HaloedStroke(QPainter& painter, qreal width, Shape shape)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, width + 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    shape(painter);
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    shape(painter);
}

// A pail tipped to the left, pouring a drop whose end is the hot spot.
QCursor BucketCursor()
{
    const QPixmap picture = Drawn(CursorSide, [](QPainter& painter) {
        const QPolygonF pail({{9, 12}, {21, 6}, {27, 18}, {15, 24}});
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(pail);
        HaloedStroke(painter, 2, [&](QPainter& p) { p.drawPolygon(pail); });
        HaloedStroke(painter, 2, [](QPainter& p) { p.drawLine(QPointF(9, 12), QPointF(4, 21)); });
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF({{9, 12}, {15, 24}, {21, 21}, {14, 10}}));
    });
    return QCursor(picture, 4, 22);
}

// A dropper from its bulb, top right, to its tip, the hot spot.
QCursor DropperCursor()
{
    const QPixmap picture = Drawn(CursorSide, [](QPainter& painter) {
        HaloedStroke(painter, 3, [](QPainter& p) { p.drawLine(QPointF(3, 28), QPointF(19, 12)); });
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(23, 8), 5, 5);
    });
    return QCursor(picture, 2, 29);
}

constexpr auto Key = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return QKeyCombination(modifiers, key);
};

const SpriteViewTool Tools_[] = {
    {{Key(Qt::Key_B), "sbPencil", nullptr}, ToolCursor::Cross, ToolPencil},
    {{Key(Qt::Key_L), "sbLine", nullptr}, ToolCursor::Cross, ToolLine},
    {{Key(Qt::Key_G), "sbRempli", nullptr}, ToolCursor::Bucket, ToolFill},
    {{Key(Qt::Key_S), "sbSelection", SelectionPicture}, ToolCursor::SizeAll, ToolSelection},
    {{Key(Qt::Key_U), "sbRectangle", ShapePicture<false, false>}, ToolCursor::Cross, ToolRectangle},
    {{Key(Qt::Key_U, Qt::ShiftModifier), "sbRectangle", ShapePicture<true, false>},
     ToolCursor::Cross,
     ToolFilledRectangle},
    {{Key(Qt::Key_O), "sbEllipse", ShapePicture<false, true>}, ToolCursor::Cross, ToolEllipse},
    {{Key(Qt::Key_O, Qt::ShiftModifier), "sbEllipse", ShapePicture<true, true>}, ToolCursor::Cross, ToolFilledEllipse},
    {{Key(Qt::Key_I), "sbPipette", EyedropperPicture}, ToolCursor::Dropper, ToolEyedropper},
};

const AddedToolButton Buttons[] = {
    {"sbSelection", "Sélection (S)", ToolButtonRow::Transforms, ToolSelection, ToolSelection},
    {"sbRectangle", "Rectangle (U) ; plein : Maj+U ou second clic", ToolButtonRow::Drawing, ToolRectangle,
     ToolFilledRectangle},
    {"sbEllipse", "Ellipse (O) ; pleine : Maj+O ou second clic", ToolButtonRow::Drawing, ToolEllipse,
     ToolFilledEllipse},
    {"sbPipette",
     "Pipette (I) : le bouton de la souris qui clique prend la couleur de la case, ou le masque ; Alt + clic avec "
     "tout outil",
     ToolButtonRow::Drawing, ToolEyedropper, ToolEyedropper},
};

} // namespace

QCursor CursorOf(ToolCursor cursor)
{
    switch (cursor) {
    case ToolCursor::Bucket:
        return BucketCursor();
    case ToolCursor::Dropper:
        return DropperCursor();
    case ToolCursor::SizeAll:
        return QCursor(Qt::SizeAllCursor);
    case ToolCursor::DiagonalSize:
        return QCursor(Qt::SizeFDiagCursor);
    case ToolCursor::PointingHand:
        return QCursor(Qt::PointingHandCursor);
    case ToolCursor::Cross:
        break;
    }
    return QCursor(Qt::CrossCursor);
}

std::span<const SpriteViewTool> SpriteViewTools()
{
    return Tools_;
}

// A value that is no tool is shown as the pencil, the tool the editor
// starts with.
const SpriteViewTool& SpriteViewToolOf(int tool)
{
    const auto* entry = std::find_if(std::begin(Tools_), std::end(Tools_),
                                     [tool](const SpriteViewTool& each) { return each.gesture == tool; });
    return entry != std::end(Tools_) ? *entry : Tools_[0];
}

std::span<const AddedToolButton> AddedToolButtons()
{
    return Buttons;
}

const AddedToolButton* AddedButtonOf(int tool)
{
    const auto* button = std::find_if(std::begin(Buttons), std::end(Buttons),
                                      [tool](const AddedToolButton& each) { return each.Has(tool); });
    return button != std::end(Buttons) ? button : nullptr;
}
