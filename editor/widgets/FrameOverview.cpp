#include "FrameOverview.h"

#include "FrameStrip.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "Counted.h"
#include "ImageFiles.h"
#include "sprite_set.h"

namespace {

// A 16 x 16 sprite four times; larger sprites take one screen pixel each.
constexpr int ThumbnailSide = 64;
// Around each picture: the frame of the current one or of the drop place,
// then a gap.
constexpr int Border = 2;
constexpr int Gap = 6;
const QColor CurrentMark{255, 140, 0};
const QColor DropMark{37, 101, 250};
constexpr QSize StartSize{560, 420};
constexpr int DragScrollMargin = 24;

void Outline(QPainter& painter, const QRect& picture, const QColor& color)
{
    painter.setPen(QPen(color, Border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(picture).adjusted(-Border / 2.0, -Border / 2.0, Border / 2.0, Border / 2.0));
}

} // namespace

FrameGrid::FrameGrid(const SpriteSet& frames, QWidget* parent) : QWidget(parent), frames_(frames)
{
    setObjectName(QStringLiteral("FrameGrid"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Mid);
}

int FrameGrid::Scale() const
{
    const Sprite& sprite = frames_.Frame(frames_.Current());
    return std::max(1, std::min(ThumbnailSide / sprite.width, ThumbnailSide / sprite.height));
}

QSize FrameGrid::PictureSize() const
{
    const Sprite& sprite = frames_.Frame(frames_.Current());
    return {sprite.width * Scale(), sprite.height * Scale()};
}

QSize FrameGrid::CellSize() const
{
    return PictureSize() + QSize(2 * Border + Gap, 2 * Border + Gap);
}

int FrameGrid::Columns() const
{
    return std::max(1, (width() - Gap) / CellSize().width());
}

QRect FrameGrid::PictureRect(int index) const
{
    const QSize cell = CellSize();
    return {QPoint(Gap + Border + index % Columns() * cell.width(), Gap + Border + index / Columns() * cell.height()),
            PictureSize()};
}

int FrameGrid::PlaceAt(QPoint point) const
{
    const QSize cell = CellSize();
    const int column = std::clamp((point.x() - Gap / 2) / cell.width(), 0, Columns() - 1);
    const int row = std::max(0, (point.y() - Gap / 2) / cell.height());
    return std::min(row * Columns() + column, frames_.Count() - 1);
}

int FrameGrid::FrameAt(QPoint point) const
{
    const int index = PlaceAt(point);
    return PictureRect(index).adjusted(-Border, -Border, Border, Border).contains(point) ? index : -1;
}

void FrameGrid::FitWidth(int width)
{
    const int columns = std::max(1, (width - Gap) / CellSize().width());
    const int rows = (frames_.Count() + columns - 1) / columns;
    resize(width, Gap + rows * CellSize().height());
}

// Only the rows the paint asks for: a set of thousands of frames costs what
// the window shows of it.
void FrameGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const int columns = Columns();
    const int rowHeight = CellSize().height();
    const int firstRow = std::max(0, (event->rect().top() - Gap) / rowHeight);
    const int lastRow = (event->rect().bottom() - Gap) / rowHeight;
    const int end = std::min(frames_.Count(), (lastRow + 1) * columns);
    for (int index = firstRow * columns; index < end; ++index) {
        const QRect place = PictureRect(index);
        FillUnderFramePicture(painter, place, checkerMasked);
        painter.drawImage(place.topLeft(), SpriteImage(frames_.Frame(index), Scale(), false));
        if (index == dropPlace_)
            Outline(painter, place, DropMark);
        else if (index == frames_.Current())
            Outline(painter, place, CurrentMark);
    }
}

void FrameGrid::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton ? FrameAt(event->position().toPoint()) : -1;
    pressPoint_ = event->position().toPoint();
    dropPlace_ = -1;
}

// A picture moved farther than a click's tremble is being dragged.
void FrameGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (pressed_ < 0 || (dropPlace_ < 0 && (point - pressPoint_).manhattanLength() < QApplication::startDragDistance()))
        return;
    dropPlace_ = PlaceAt(point);
    if (dragShows)
        dragShows(QRect(point, QSize(1, 1)));
    update();
}

void FrameGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const int from = pressed_;
    const int to = dropPlace_;
    pressed_ = -1;
    dropPlace_ = -1;
    update();
    if (from < 0 || event->button() != Qt::LeftButton)
        return;
    if (to < 0) {
        if (frameClicked)
            frameClicked(from);
    } else if (to != from && frameDropped) {
        frameDropped(from, to);
    }
}

FrameOverview::FrameOverview(const SpriteSet& frames, QWidget* parent) : QWidget(parent, Qt::Tool), frames_(frames)
{
    setObjectName(QStringLiteral("F_VueEnsemble"));
    setWindowTitle(QStringLiteral("Vue d'ensemble"));
    grid = new FrameGrid(frames, this);
    scroll_ = new QScrollArea;
    // A steady width: the grid's columns do not change as a scroll bar
    // comes and goes.
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidget(grid);
    // Near an edge, the grid scrolls under the dragged picture.
    grid->dragShows = [this](QRect place) { scroll_->ensureVisible(place.x(), place.y(), 0, DragScrollMargin); };

    count_ = new QLabel;
    count_->setObjectName(QStringLiteral("L_NombreImagesPlanche"));
    B_ExporterPlanche = new QPushButton(QStringLiteral("Exporter la planche en PNG..."));
    B_ExporterPlanche->setObjectName(QStringLiteral("B_ExporterPlanche"));
    B_ExporterPlanche->setToolTip(QStringLiteral("Toutes les images en une seule image PNG, en lignes de gauche à "
                                                 "droite puis de haut en bas"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(count_, 1);
    bottom->addWidget(B_ExporterPlanche);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(scroll_, 1);
    whole->addLayout(bottom);
    resize(StartSize);
}

void FrameOverview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    grid->FitWidth(scroll_->viewport()->width());
}

void FrameOverview::ShowFrames()
{
    grid->FitWidth(scroll_->viewport()->width());
    count_->setText(QString::fromStdString(Counted(frames_.Count(), "image", "images")));
    const QRect current = grid->PictureRect(frames_.Current());
    scroll_->ensureVisible(current.center().x(), current.center().y(), current.width() / 2 + Gap,
                           current.height() / 2 + Gap);
    grid->update();
}

void FrameOverview::ShowPixels()
{
    grid->update(grid->PictureRect(frames_.Current()));
}
