#include "FrameStrip.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "ImageFiles.h"
#include "ViewColors.h"
#include "sprite_set.h"

namespace {

// Around each picture: the frame of the current one, then a gap.
constexpr int Border = 2;
constexpr int Gap = 4;
constexpr int PictureHeight = FrameStrip::StripHeight - 2 * (Border + 2);
// A wide sprite's picture is no wider than this; it gets shorter instead.
constexpr int WidestPicture = 2 * PictureHeight;
// The overview's button, right of the pictures.
constexpr int OverviewButtonWidth = 110;
// One notch of a common mouse wheel.
constexpr int WheelNotch = 120;
const QColor CurrentMark{255, 140, 0};
// The squares of the checkerboard under masked pixels, in pixels of the row.
constexpr int CheckerSquare = 3;

// White and the light gray of the views' checkerboard, from the picture's
// top-left corner.
QBrush MaskCheckerBrush(QPoint origin)
{
    QPixmap tile(2 * CheckerSquare, 2 * CheckerSquare);
    tile.fill(Qt::white);
    QPainter painter(&tile);
    const QColor shade(PlainMaskChecker);
    painter.fillRect(CheckerSquare, 0, CheckerSquare, CheckerSquare, shade);
    painter.fillRect(0, CheckerSquare, CheckerSquare, CheckerSquare, shade);
    QBrush brush(tile);
    brush.setTransform(QTransform::fromTranslate(origin.x(), origin.y()));
    return brush;
}

} // namespace

void FillUnderFramePicture(QPainter& painter, const QRect& place, bool checkerMasked)
{
    if (checkerMasked)
        painter.fillRect(place, MaskCheckerBrush(place.topLeft()));
    else
        painter.fillRect(place, Qt::white);
}

FrameStrip::FrameStrip(const SpriteSet& frames, QWidget* parent) : QWidget(parent), frames_(frames)
{
    setObjectName(QStringLiteral("FrameStrip"));
    setToolTip(QStringLiteral("Images de la planche : cliquer sur une image pour la modifier"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Mid);
    B_VueEnsemble = new QPushButton(QStringLiteral("Vue d'ensemble"), this);
    B_VueEnsemble->setObjectName(QStringLiteral("B_VueEnsemble"));
    B_VueEnsemble->setToolTip(QStringLiteral("Toutes les images de la planche : cliquer pour y aller, glisser pour "
                                             "les réordonner"));
    B_VueEnsemble->setFocusPolicy(Qt::ClickFocus);
}

void FrameStrip::resizeEvent(QResizeEvent*)
{
    B_VueEnsemble->setGeometry(width() - OverviewButtonWidth - Gap, Gap, OverviewButtonWidth, height() - 2 * Gap);
}

// Whole screen pixels per sprite pixel where they fit, else scaled down,
// keeping the sprite's proportions.
QSize FrameStrip::PictureSize() const
{
    const Sprite& sprite = frames_.Frame(frames_.Current());
    const double scale =
        std::min(static_cast<double>(PictureHeight) / sprite.height, static_cast<double>(WidestPicture) / sprite.width);
    return {std::max(1, static_cast<int>(sprite.width * scale)), std::max(1, static_cast<int>(sprite.height * scale))};
}

int FrameStrip::Step() const
{
    return PictureSize().width() + 2 * Border + Gap;
}

int FrameStrip::ShownCount() const
{
    return std::max(1, (width() - OverviewButtonWidth - 2 * Gap) / Step());
}

QRect FrameStrip::PictureRect(int index) const
{
    const int place = index - first_;
    if (place < 0 || place >= ShownCount() || index >= frames_.Count())
        return {};
    const QSize size = PictureSize();
    return {Gap + Border + place * Step(), (height() - size.height()) / 2, size.width(), size.height()};
}

int FrameStrip::FrameAt(QPoint point) const
{
    const int end = std::min(frames_.Count(), first_ + ShownCount());
    for (int index = first_; index < end; ++index) {
        if (PictureRect(index).adjusted(-Border, -Border, Border, Border).contains(point))
            return index;
    }
    return -1;
}

void FrameStrip::ScrollTo(int first)
{
    first_ = std::clamp(first, 0, std::max(0, frames_.Count() - ShownCount()));
    update();
}

void FrameStrip::ShowCurrent()
{
    const int current = frames_.Current();
    if (current < first_)
        ScrollTo(current);
    else if (current >= first_ + ShownCount())
        ScrollTo(current - ShownCount() + 1);
    else
        ScrollTo(first_);
}

// A stroke repaints the picture of its frame alone, so pictures outside
// the area asked for are not composed again.
void FrameStrip::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // Scaled down, a thin line of the sprite stays a gray line.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int end = std::min(frames_.Count(), first_ + ShownCount());
    for (int index = first_; index < end; ++index) {
        const QRect place = PictureRect(index);
        if (!event->rect().intersects(place.adjusted(-Border, -Border, Border, Border)))
            continue;
        FillUnderFramePicture(painter, place, checkerMasked);
        painter.drawImage(place, SpriteImage(frames_.Frame(index), 1, false));
        if (index == frames_.Current()) {
            painter.setPen(QPen(CurrentMark, Border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(place).adjusted(-Border / 2.0, -Border / 2.0, Border / 2.0, Border / 2.0));
        }
    }
}

void FrameStrip::ShowCurrentPixels()
{
    update(PictureRect(frames_.Current()).adjusted(-Border, -Border, Border, Border));
}

void FrameStrip::mousePressEvent(QMouseEvent* event)
{
    const int index = FrameAt(event->position().toPoint());
    if (index >= 0 && frameClicked)
        frameClicked(index);
}

// Kept here: over the row the wheel is not the window's tool wheel.
void FrameStrip::wheelEvent(QWheelEvent* event)
{
    event->accept();
    const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    ScrollTo(first_ + (delta > 0 ? -1 : 1) * std::max(1, std::abs(delta) / WheelNotch));
}
