#include "Controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextEdit>

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

bool IsTextBox(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget);
}

bool IsTextEditing(const QWidget* widget)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    if (const auto* rich = qobject_cast<const QTextEdit*>(widget))
        return !rich->isReadOnly();
    return false;
}

void AddCommandKeys(QWidget* window, const QList<QKeySequence>& keys, std::function<void()> command)
{
    auto* shortcut = new QShortcut(window);
    shortcut->setKeys(keys);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [command = std::move(command)] {
        if (!IsTextEditing(QApplication::focusWidget()))
            command();
    });
}
