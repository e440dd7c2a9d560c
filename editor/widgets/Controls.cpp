#include "Controls.h"

#include <QMouseEvent>
#include <QPainter>

void PaletteButton::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(event->button());
    // Only the left button works the button itself; the others are consumed
    // here so they do not reach the window behind.
    if (event->button() == Qt::LeftButton)
        QToolButton::mousePressEvent(event);
    else
        event->accept();
}

Swatch::Swatch(QColor outline, QWidget* parent) : QWidget(parent), outline_(outline) {}

void Swatch::setFill(QColor fill)
{
    fill_ = fill;
    update();
}

void Swatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), outline_);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), fill_);
}
